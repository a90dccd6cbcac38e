// The application object: its title and error text, the separators on a
// locale change, the pixel scale, and the ways the program ends.
#include <csignal>

#include <QProcess>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include "converter/montant.h"
#include "shell/application.h"
#include "shell/application_texts.h"
#include "shell/calc.h"

namespace {

struct TitleCase {
  const char* path;
  const char* title;
};

class TitleTest : public testing::TestWithParam<TitleCase> {};

TEST_P(TitleTest, FollowsTheExecutablesFileName) {
  EXPECT_EQ(plinvor::TitreApplication(QString::fromUtf8(GetParam().path)), QString::fromUtf8(GetParam().title));
}

INSTANTIATE_TEST_SUITE_P(
    Paths, TitleTest,
    testing::Values(TitleCase{"/usr/bin/Plinvor", "Plinvor"},
                    TitleCase{"/opt/a.b/PLINVOR.bin", "Plinvor"},   // full stop in a folder: no effect
                    TitleCase{"plinvor", "plinvor"},                // a small first letter stays small
                    TitleCase{"/home/u/build/Plinvor.old.exe", "Plinvor"},  // cut at the first full stop
                    TitleCase{"/x/ÉCU.exe", "Écu"},                // lower case beyond ASCII
                    TitleCase{"/x/𝐏LINVOR", "𝐏linvor"},            // a first character outside the BMP stays whole
                    TitleCase{"/x/.hidden", ""}));

struct MessageCase {
  const char* message;
  const char* text;
};

class ErrorTextTest : public testing::TestWithParam<MessageCase> {};

TEST_P(ErrorTextTest, AddsAFullStopAfterCharactersAboveIt) {
  EXPECT_EQ(plinvor::TexteMessageErreur(QString::fromUtf8(GetParam().message)), QString::fromUtf8(GetParam().text));
}

INSTANTIATE_TEST_SUITE_P(
    Messages, ErrorTextTest,
    testing::Values(MessageCase{"Disk full", "Disk full."}, MessageCase{"Done.", "Done."},
                    MessageCase{"Why?", "Why?."},      // '?' comes after '.'
                    MessageCase{"(see log)", "(see log)"},  // ')' comes before '.'
                    MessageCase{"Cost 5 -", "Cost 5 -"},    // '-' comes before '.'
                    MessageCase{"'x' is not a valid floating point value", "'x' is not a valid floating point value."},
                    MessageCase{"Prix €", "Prix €."}, MessageCase{"", ""}));

TEST(Application, ReadsTheSeparatorsAgainOnALocaleChange) {
  const QByteArray saved = qgetenv("LC_ALL");
  plinvor::SeparateurDecimal = "?";
  plinvor::SeparateurMilliers = "?";
  qputenv("LC_ALL", "fr_FR.UTF-8");
  QEvent change(QEvent::LocaleChange);
  QCoreApplication::sendEvent(qApp, &change);
  qputenv("LC_ALL", saved);
  EXPECT_EQ(plinvor::SeparateurDecimal, ",");
  EXPECT_EQ(plinvor::SeparateurMilliers, "\u202F");
}

TEST(Application, HintTimingIsHalfASecondThenTwoAndAHalf) {
  EXPECT_EQ(TApplication::HintPause, 500);
  EXPECT_EQ(TApplication::HintHidePause, 2500);
}

// The test runs with QT_SCALE_FACTOR=2 and QT_SCREEN_SCALE_FACTORS=3 set.
TEST(Application, PixelsAreNotScaledWhateverTheEnvironmentSays) {
  TForm1 form;
  form.show();
  EXPECT_EQ(form.devicePixelRatio(), 1.0);
  EXPECT_EQ(form.screen()->devicePixelRatio(), 1.0);
  EXPECT_EQ(form.grab().size(), QSize(361, 328));
  EXPECT_EQ(QFontInfo(form.edcfp->font()).pixelSize(), 13);
}

TEST(Application, ClosingTheMainFormEndsTheLoopWithZero) {
  auto* app = qobject_cast<TApplication*>(qApp);
  if (!app->MainForm()) app->CreateForm(Form1);
  QTimer::singleShot(50, [] { Form1->close(); });
  EXPECT_EQ(app->Run(), 0);
  EXPECT_FALSE(Form1->isVisible());
}

// The real program, on the offscreen platform: the signals that end a
// session end it cleanly, with exit code 0.
class EndingSignalTest : public testing::TestWithParam<int> {};

TEST_P(EndingSignalTest, EndsTheProgramWithZero) {
  QProcess program;
  program.start(QStringLiteral(PLINVOR_EXE), {});
  ASSERT_TRUE(program.waitForStarted());
  // Once the window is up the program waits in its event loop.
  QTest::qWait(700);
  ASSERT_EQ(program.state(), QProcess::Running);
  ::kill(static_cast<pid_t>(program.processId()), GetParam());
  ASSERT_TRUE(program.waitForFinished(5000));
  EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(program.exitCode(), 0);
}

INSTANTIATE_TEST_SUITE_P(Signals, EndingSignalTest, testing::Values(SIGTERM, SIGHUP));

}  // namespace
