// The window as its form description makes it, its shape, and what the
// mouse and Alt+F4 do to it.
#include <QBitmap>
#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <QSignalSpy>

#include "shell/application.h"
#include "tests/shell/window_fixture.h"

namespace {

TEST_F(WindowTest, IsAFixedFramelessWindowAtItsStoredPlace) {
  EXPECT_EQ(form->geometry(), QRect(465, 178, 361, 328));
  EXPECT_EQ(form->minimumSize(), QSize(361, 328));
  EXPECT_EQ(form->maximumSize(), QSize(361, 328));
  EXPECT_TRUE(form->windowFlags() & Qt::FramelessWindowHint);
  EXPECT_EQ(form->CoolForm1->geometry(), QRect(0, 0, 361, 328));
  EXPECT_EQ(form->CoolForm1->Picture().size(), QSize(361, 331));
}

TEST_F(WindowTest, CarriesTheApplicationsTitleAndIconAndKeepsItsCaptionForScreenReaders) {
  auto* app = qobject_cast<TApplication*>(qApp);
  EXPECT_EQ(form->windowTitle(), app->Title());
  EXPECT_EQ(form->Caption(), "Plinvor Euro");
  EXPECT_EQ(form->accessibleName(), "Plinvor Euro");
  EXPECT_FALSE(QApplication::windowIcon().isNull());
  EXPECT_EQ(QApplication::applicationName(), "Plinvor");  // the X11 window class
}

struct FieldCase {
  const char* name;
  QRect rect;
  int tag;
  const char* accessibleName;
};

class FieldTest : public WindowTest, public testing::WithParamInterface<FieldCase> {};

TEST_P(FieldTest, SitsInItsFrameWithItsTagAndSettings) {
  const FieldCase& c = GetParam();
  auto* field = form->findChild<TEdit*>(c.name);
  ASSERT_NE(field, nullptr);
  EXPECT_EQ(field->geometry(), c.rect);
  EXPECT_EQ(field->Tag(), c.tag);
  EXPECT_EQ(field->accessibleName(), c.accessibleName);
  EXPECT_FALSE(field->hasFrame());
  EXPECT_EQ(field->contentsMargins(), QMargins());
  EXPECT_TRUE(field->text().isEmpty());
  EXPECT_EQ(field->maxLength(), std::numeric_limits<int>::max());
  const QFontInfo font(field->font());
  EXPECT_EQ(font.pixelSize(), 13);
  EXPECT_TRUE(font.bold());
  EXPECT_TRUE(font.family() == "Liberation Sans" || font.family() == "DejaVu Sans") << font.family().toStdString();
  EXPECT_EQ(field->palette().color(QPalette::Base), QApplication::palette().color(QPalette::Base));
}

INSTANTIATE_TEST_SUITE_P(Fields, FieldTest,
                         testing::Values(FieldCase{"edcfp", QRect(88, 132, 186, 21), 0, "CFP francs"},
                                         FieldCase{"edff", QRect(88, 176, 186, 21), 1, "French francs"},
                                         FieldCase{"edeuro", QRect(88, 220, 186, 21), 2, "euros"}));

TEST_F(WindowTest, TextStartsAtTheFieldsLeftEdge) {
  form->edcfp->setText("8");
  const QImage image = form->edcfp->grab().toImage();
  int first = image.width();
  for (int x = 0; x < image.width() && first == image.width(); ++x) {
    for (int y = 0; y < image.height(); ++y) {
      if (qGray(image.pixel(x, y)) < 128) {
        first = x;
        break;
      }
    }
  }
  EXPECT_LE(first, 1) << "no inner margin before the text";
}

TEST_F(WindowTest, TabOrderIsCfpFfEuroAndFocusStartsInCfp) {
  EXPECT_EQ(QApplication::focusWidget(), form->edcfp);
  EXPECT_EQ(form->edcfp->nextInFocusChain(), form->edff);
  EXPECT_EQ(form->edff->nextInFocusChain(), form->edeuro);
  for (QWidget* w : {static_cast<QWidget*>(form->CoolForm1), static_cast<QWidget*>(form->IQuitte)}) {
    EXPECT_EQ(w->focusPolicy(), Qt::NoFocus);
  }
}

TEST_F(WindowTest, TheFocusedFieldIsRememberedAcrossActivations) {
  form->edeuro->setFocus();
  QWidget other;
  other.show();
  other.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
  form->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
  EXPECT_EQ(QApplication::focusWidget(), form->edeuro);
}

TEST_F(WindowTest, TheCloseHotspotHasAHandCursorAndTheHintQuitter) {
  EXPECT_EQ(form->IQuitte->geometry(), QRect(325, 63, 34, 34));
  EXPECT_EQ(form->IQuitte->cursor().shape(), Qt::PointingHandCursor);
  EXPECT_EQ(form->IQuitte->toolTip(), "Quitter");
}

// The window's shape is everything it paints except the key colour.
TEST_F(WindowTest, KeyColouredPixelsAreCutOutOfTheShape) {
  const QImage painted = form->grab().toImage();
  const QRegion shape = form->mask();
  ASSERT_FALSE(shape.isEmpty());
  int cut = 0, wrong = 0;
  for (int y = 0; y < painted.height(); ++y) {
    for (int x = 0; x < painted.width(); ++x) {
      const bool key = painted.pixel(x, y) == qRgb(255, 0, 0);
      cut += key;
      wrong += key == shape.contains(QPoint(x, y));
    }
  }
  EXPECT_GT(cut, 0);
  EXPECT_EQ(wrong, 0);
}

TEST_F(WindowTest, ANearlyRedPixelIsOpaqueAndAPaintedRedOneIsCut) {
  QPixmap picture(361, 331);
  picture.fill(QColor(254, 0, 0));
  {
    QPainter p(&picture);
    p.fillRect(0, 0, 10, 10, QColor(255, 0, 0));
  }
  form->CoolForm1->setPicture(picture);
  form->UpdateShape();
  EXPECT_FALSE(form->mask().contains(QPoint(5, 5)));
  EXPECT_TRUE(form->mask().contains(QPoint(15, 5)));
}

TEST_F(WindowTest, AFieldInTheKeyColourBecomesSeeThroughToo) {
  QPalette red = form->edff->palette();
  red.setColor(QPalette::Base, QColor(255, 0, 0));
  form->edff->setPalette(red);
  form->UpdateShape();
  EXPECT_FALSE(form->mask().contains(QPoint(150, 186)));
  EXPECT_TRUE(form->mask().contains(QPoint(150, 142)));
}

TEST_F(WindowTest, PressAndReleaseOnTheHotspotCloses) {
  QTest::mouseClick(form->IQuitte, Qt::LeftButton, {}, QPoint(17, 17));
  EXPECT_FALSE(form->isVisible());
}

TEST_F(WindowTest, ReleaseOutsideTheHotspotNeitherClosesNorMoves) {
  QTest::mousePress(form->IQuitte, Qt::LeftButton, {}, QPoint(17, 17));
  QTest::mouseMove(form->IQuitte, QPoint(-40, 60));
  QTest::mouseRelease(form->IQuitte, Qt::LeftButton, {}, QPoint(-40, 60));
  EXPECT_TRUE(form->isVisible());
  EXPECT_EQ(form->pos(), QPoint(465, 178));
}

TEST_F(WindowTest, OtherButtonsOnTheHotspotDoNothing) {
  QTest::mouseClick(form->IQuitte, Qt::RightButton, {}, QPoint(17, 17));
  QTest::mouseClick(form->IQuitte, Qt::MiddleButton, {}, QPoint(17, 17));
  EXPECT_TRUE(form->isVisible());
}

TEST_F(WindowTest, AltF4ClosesTheWindowAfterTheFieldHasSeenTheKey) {
  QSignalSpy keyDowns(form->edcfp, &TEdit::keyDown);
  Click(Qt::Key_F4, Qt::AltModifier);
  EXPECT_FALSE(form->isVisible());
  ASSERT_EQ(keyDowns.size(), 2);  // Alt, then F4
  EXPECT_EQ(keyDowns.at(1).at(1).toInt(), 0x73);
}

TEST_F(WindowTest, CtrlAltF4DoesNotClose) {
  Click(Qt::Key_F4, Qt::AltModifier | Qt::ControlModifier);
  EXPECT_TRUE(form->isVisible());
}

// The offscreen platform has no window manager: the skin moves the window.
TEST_F(WindowTest, ALeftDragOnTheSkinMovesTheWindowFromThePressOn) {
  const QPoint press(465 + 40, 178 + 150);  // screen coordinates
  auto at = [&](QPoint global) { return form->CoolForm1->mapFromGlobal(global); };
  QTest::mousePress(form->CoolForm1, Qt::LeftButton, {}, at(press));
  QTest::mouseMove(form->CoolForm1, at(press + QPoint(1, 0)));
  EXPECT_EQ(form->pos(), QPoint(466, 178)) << "no drag threshold";
  QTest::mouseMove(form->CoolForm1, at(press + QPoint(30, 20)));
  QTest::mouseRelease(form->CoolForm1, Qt::LeftButton, {}, at(press + QPoint(30, 20)));
  EXPECT_EQ(form->pos(), QPoint(465 + 30, 178 + 20));
  EXPECT_FALSE(form->CoolForm1->Moving());
  // A move with no button held (sent as is: QTest would warp the pointer).
  QMouseEvent after(QEvent::MouseMove, at(press + QPoint(60, 60)), press + QPoint(60, 60), Qt::NoButton,
                    Qt::NoButton, Qt::NoModifier);
  QCoreApplication::sendEvent(form->CoolForm1, &after);
  EXPECT_EQ(form->pos(), QPoint(465 + 30, 178 + 20)) << "the release ends the move";
}

TEST_F(WindowTest, ADoubleClickOnTheSkinMovesTheWindowToo) {
  QTest::mouseDClick(form->CoolForm1, Qt::LeftButton, {}, QPoint(40, 150));  // button still down
  QTest::mouseMove(form->CoolForm1, QPoint(50, 160));
  QTest::mouseRelease(form->CoolForm1, Qt::LeftButton, {}, QPoint(50, 160));
  EXPECT_EQ(form->pos(), QPoint(475, 188));
}

TEST_F(WindowTest, RightAndMiddleDragsDoNotMoveTheWindow) {
  for (Qt::MouseButton button : {Qt::RightButton, Qt::MiddleButton}) {
    QTest::mousePress(form->CoolForm1, button, {}, QPoint(40, 150));
    QTest::mouseMove(form->CoolForm1, QPoint(80, 190));
    QTest::mouseRelease(form->CoolForm1, button, {}, QPoint(80, 190));
  }
  EXPECT_EQ(form->pos(), QPoint(465, 178));
}

}  // namespace
