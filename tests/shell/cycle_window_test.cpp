// The editing cycle bound to the window's real fields: keys typed into the
// window, the fields as they then show.
#include <QClipboard>
#include <QGuiApplication>
#include <QSignalSpy>

#include <memory>
#include <vector>

#include "tests/shell/window_fixture.h"

namespace {

using Texts = std::array<QString, 3>;

TEST_F(WindowTest, TypingWithoutAClickLandsInTheCfpFieldAndConvertsEachKey) {
  ASSERT_EQ(QApplication::focusWidget(), form->edcfp);
  const struct {
    char key;
    Texts fields;
  } steps[] = {{'1', {"1", "0.05", "0.01"}},
               {'0', {"10", "0.55", "0.08"}},
               {'0', {"100", "5.50", "0.84"}},
               {'0', {"1000", "54.97", "8.38"}}};
  for (const auto& step : steps) {
    QTest::keyClick(window, step.key);
    EXPECT_EQ(Fields(), step.fields) << "after " << step.key;
  }
}

TEST_F(WindowTest, ConvertsWithTheSeparatorsOfTheMoment) {
  plinvor::SeparateurDecimal = ",";
  plinvor::SeparateurMilliers = "\u202F";
  Type("1000");
  EXPECT_EQ(Fields(), (Texts{"1000", "54,97", "8,38"}));
  Click(Qt::Key_Tab);  // converts from "54,97" French francs
  EXPECT_EQ(Fields(), (Texts{"1\u202F000", "54,97", "8,38"}));
}

TEST_F(WindowTest, AutoRepeatSnapshotsEachRepeatAndRollsBackOnTheSingleKeyUp) {
  Type("12");
  Send(QEvent::KeyPress, Qt::Key_X, "x");
  for (int i = 0; i < 2; ++i) {  // X11 inserts a flagged release before each repeat
    Send(QEvent::KeyRelease, Qt::Key_X, "x", true);
    Send(QEvent::KeyPress, Qt::Key_X, "x", true);
  }
  EXPECT_EQ(form->edcfp->text(), "12xxx") << "no key-up ran between the repeats";
  Send(QEvent::KeyRelease, Qt::Key_X, "x");
  EXPECT_EQ(Fields(), (Texts{"12xx", "0.66", "0.10"}));
  EXPECT_EQ(form->edcfp->cursorPosition(), 4);
}

// The key codes that reached key-down in any of the three fields.
std::vector<int> KeyDowns(const std::vector<std::unique_ptr<QSignalSpy>>& spies) {
  std::vector<int> keys;
  for (const auto& spy : spies) {
    for (const QList<QVariant>& call : *spy) keys.push_back(call.at(1).toInt());
  }
  return keys;
}

std::vector<std::unique_ptr<QSignalSpy>> SpyKeyDowns(TForm1& form) {
  std::vector<std::unique_ptr<QSignalSpy>> spies;
  for (TEdit* f : {form.edcfp, form.edff, form.edeuro}) spies.push_back(std::make_unique<QSignalSpy>(f, &TEdit::keyDown));
  return spies;
}

TEST_F(WindowTest, TabMovesOnItsPressAndConvertsInTheFieldEntered) {
  Type("1000");
  const auto spies = SpyKeyDowns(*form);
  Click(Qt::Key_Tab);
  EXPECT_EQ(KeyDowns(spies), std::vector<int>{}) << "Tab is no key-down";
  EXPECT_EQ(QApplication::focusWidget(), form->edff);
  EXPECT_EQ(form->edff->selectedText(), "54.97");
  // The key-up ran in edff: 54.97 French francs give back 1,000 CFP francs.
  EXPECT_EQ(Fields(), (Texts{"1,000", "54.97", "8.38"}));
  Click(Qt::Key_Tab);
  EXPECT_EQ(QApplication::focusWidget(), form->edeuro);
  Click(Qt::Key_Tab);
  EXPECT_EQ(QApplication::focusWidget(), form->edcfp) << "the order wraps around";
}

TEST_F(WindowTest, ShiftTabGoesBackAndConvertsInTheFieldEntered) {
  Type("1000");
  Click(Qt::Key_Backtab, Qt::ShiftModifier);
  EXPECT_EQ(QApplication::focusWidget(), form->edeuro);
  EXPECT_EQ(form->edeuro->selectedText(), "8.38");
  EXPECT_EQ(Fields(), (Texts{"1,000", "54.97", "8.38"}));
}

TEST_F(WindowTest, TabTakesNoSnapshotSoAnUnreadableFieldEnteredIsLeftAlone) {
  Type("100000");
  EXPECT_EQ(Fields(), (Texts{"100000", "5,496.92", "838.00"}));
  Click(Qt::Key_Tab);  // "5,496.92" does not read with "," grouping
  EXPECT_EQ(Fields(), (Texts{"100000", "5,496.92", "838.00"}));
  EXPECT_EQ(form->edff->selectedText(), "5,496.92");
}

TEST_F(WindowTest, CtrlTabIsAKeyOfTheFieldNotNavigation) {
  Type("12");
  const auto spies = SpyKeyDowns(*form);
  Click(Qt::Key_Tab, Qt::ControlModifier);
  EXPECT_EQ(QApplication::focusWidget(), form->edcfp);
  EXPECT_EQ(KeyDowns(spies), (std::vector<int>{17, 9}));  // Ctrl, then Tab
  EXPECT_EQ(Fields(), (Texts{"12", "0.66", "0.10"}));
}

TEST_F(WindowTest, CtrlVOfAnUnreadableTextIsRolledBack) {
  Type("12");
  QGuiApplication::clipboard()->setText("abc");
  Click(Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(Fields(), (Texts{"12", "0.66", "0.10"}));
  EXPECT_EQ(form->edcfp->cursorPosition(), 2);
}

TEST_F(WindowTest, ContextMenuPasteRaisesNoKeyEventsAndLaterKeysRollBackToIt) {
  Type("12");
  QGuiApplication::clipboard()->setText("abc");
  form->edcfp->paste();  // what the context menu's Paste does
  EXPECT_EQ(Fields(), (Texts{"12abc", "0.66", "0.10"}));
  Click(Qt::Key_Home);  // snapshot "12abc", then rolled back to it
  EXPECT_EQ(Fields(), (Texts{"12abc", "0.66", "0.10"}));
  EXPECT_EQ(form->edcfp->cursorPosition(), 5);
}

TEST_F(WindowTest, TheSpaceBarsKeyUpDoesNothing) {
  Type("12 ");
  EXPECT_EQ(Fields(), (Texts{"12 ", "0.66", "0.10"}));
  form->edcfp->selectAll();
  Type(" ");
  EXPECT_EQ(Fields(), (Texts{" ", "0.66", "0.10"})) << "only spaces: no clearing";
  Click(Qt::Key_Right);  // spaces only do not read: back to the snapshot, " "
  EXPECT_EQ(Fields(), (Texts{" ", "0.66", "0.10"}));
}

TEST_F(WindowTest, RollbackPutsTheCaretAtTheEndWithNothingSelected) {
  Type("123");
  Click(Qt::Key_Home);
  Click(Qt::Key_Right);
  Type("x");  // "1x23"
  EXPECT_EQ(form->edcfp->text(), "123");
  EXPECT_EQ(form->edcfp->cursorPosition(), 3);
  Click(Qt::Key_Home, Qt::ShiftModifier);
  ASSERT_TRUE(form->edcfp->hasSelectedText());
  Type("y");
  EXPECT_EQ(form->edcfp->text(), "123");
  EXPECT_EQ(form->edcfp->cursorPosition(), 3);
  EXPECT_FALSE(form->edcfp->hasSelectedText());
}

TEST_F(WindowTest, TheCaretGoesAfterTheLastCharacterOfAMultiByteText) {
  // U+202F is three bytes in UTF-8 and one character in the field.
  QGuiApplication::clipboard()->setText("1\u202F000");
  form->edcfp->paste();
  Click(Qt::Key_Home);  // no space grouping here: rolled back, caret to the end
  EXPECT_EQ(form->edcfp->text(), "1\u202F000");
  EXPECT_EQ(form->edcfp->cursorPosition(), 5);
}

TEST_F(WindowTest, EmptyingAFieldEmptiesAllThree) {
  Type("12");
  Click(Qt::Key_Backspace);
  EXPECT_EQ(Fields(), (Texts{"1", "0.05", "0.01"}));
  Click(Qt::Key_Backspace);
  EXPECT_EQ(Fields(), (Texts{"", "", ""}));
  Type("34");
  Click(Qt::Key_Home, Qt::ShiftModifier);
  Click(Qt::Key_Delete);
  EXPECT_EQ(Fields(), (Texts{"", "", ""}));
}

TEST_F(WindowTest, RewritingAFieldWithItsOwnTextLeavesItsCaretAlone) {
  Type("1000");
  form->edff->setCursorPosition(2);
  form->edeuro->setCursorPosition(1);
  Click(Qt::Key_End);  // converts again: the same texts for edff and edeuro
  EXPECT_EQ(form->edff->cursorPosition(), 2);
  EXPECT_EQ(form->edeuro->cursorPosition(), 1);
}

}  // namespace
