// The hint of the close hotspot: its timing and what hides it. The pointer
// moves through the window, as the window system moves it.
#include <QElapsedTimer>
#include "shell/application.h"
#include "shell/hints.h"

#include "tests/shell/window_fixture.h"

namespace {

class HintTest : public WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    // A new window under a pointer that does not move gets no Enter on this
    // platform: start from outside it.
    MoveTo(QPoint(-30, -30));
  }
  void MoveTo(QPoint inWindow) { QTest::mouseMove(window, inWindow); }
  static bool Shown() {
    return qobject_cast<TApplication*>(qApp)->Hints().ShownText() == "Quitter";
  }
  // Waits up to `ms` for the hint to show (or, with `shown` false, to hide).
  static bool WaitFor(bool shown, int ms) {
    return QTest::qWaitFor([&] { return Shown() == shown; }, ms);
  }

  const QPoint onHotspot{340, 80};
  const QPoint onSkin{200, 100};
};

TEST_F(HintTest, ShowsAfterHalfASecondAndHidesTwoAndAHalfSecondsLater) {
  MoveTo(onSkin);
  QElapsedTimer clock;
  MoveTo(onHotspot);
  clock.start();
  QTest::qWait(300);
  EXPECT_FALSE(Shown()) << "too early";
  ASSERT_TRUE(WaitFor(true, 2000));
  const qint64 shownAt = clock.elapsed();
  EXPECT_GE(shownAt, 450);
  ASSERT_TRUE(WaitFor(false, 4000));
  EXPECT_GE(clock.elapsed() - shownAt, 2000);
}

TEST_F(HintTest, AfterItsTimeOutItWaitsForThePointerToLeaveAndComeBack) {
  MoveTo(onSkin);
  MoveTo(onHotspot);
  ASSERT_TRUE(WaitFor(true, 2000));
  ASSERT_TRUE(WaitFor(false, 4000));
  MoveTo(onHotspot + QPoint(3, 3));
  EXPECT_FALSE(WaitFor(true, 1200)) << "shown again without leaving";
  MoveTo(onSkin);
  MoveTo(onHotspot);
  EXPECT_TRUE(WaitFor(true, 2000));
}

TEST_F(HintTest, LeavingTheHotspotHidesIt) {
  MoveTo(onSkin);
  MoveTo(onHotspot);
  ASSERT_TRUE(WaitFor(true, 2000));
  MoveTo(onSkin);
  EXPECT_TRUE(WaitFor(false, 100));
}

TEST_F(HintTest, AnyKeyHidesItAndAMoveStartsANewPause) {
  MoveTo(onSkin);
  MoveTo(onHotspot);
  ASSERT_TRUE(WaitFor(true, 2000));
  Click(Qt::Key_Shift);
  EXPECT_TRUE(WaitFor(false, 100));
  MoveTo(onHotspot + QPoint(2, 0));
  EXPECT_TRUE(WaitFor(true, 2000));
}

TEST_F(HintTest, LeavingBeforeThePauseShowsNothing) {
  MoveTo(onSkin);
  MoveTo(onHotspot);
  QTest::qWait(250);
  MoveTo(onSkin);
  EXPECT_FALSE(WaitFor(true, 1000));
}

}  // namespace
