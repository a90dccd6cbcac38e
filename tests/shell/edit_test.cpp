// TEdit on its own: when its key events come and what they see, changes
// without keys, assignment of an unchanged text, and the virtual-key codes.
#include <string>
#include <vector>

#include <QClipboard>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

#include "shell/edit.h"
#include "shell/virtual_keys.h"

namespace {

// Records each key event with the text that the field shows at that moment.
class EditTest : public testing::Test {
 protected:
  void SetUp() override {
    QObject::connect(&edit, &TEdit::keyDown, [this](TEdit*, int key, Qt::KeyboardModifiers) {
      log.push_back("down " + std::to_string(key) + " '" + edit.text().toStdString() + "'");
    });
    QObject::connect(&edit, &TEdit::keyUp, [this](TEdit*, int key, Qt::KeyboardModifiers) {
      log.push_back("up " + std::to_string(key) + " '" + edit.text().toStdString() + "'");
    });
  }
  void Send(QEvent::Type type, Qt::Key key, const QString& text, bool autoRepeat = false) {
    QKeyEvent e(type, key, Qt::NoModifier, text, autoRepeat);
    QCoreApplication::sendEvent(&edit, &e);
  }

  TEdit edit;
  std::vector<std::string> log;
};

using Log = std::vector<std::string>;

TEST_F(EditTest, KeyDownSeesTheTextBeforeTheKeyAndKeyUpAfter) {
  edit.setText("1");
  QTest::keyClick(&edit, Qt::Key_2, Qt::NoModifier);
  QTest::keyClick(&edit, Qt::Key_Backspace);
  EXPECT_EQ(log, (Log{"down 50 '1'", "up 50 '12'", "down 8 '12'", "up 8 '1'"}));
}

TEST_F(EditTest, AutoRepeatGivesAKeyDownPerRepeatAndOneKeyUp) {
  Send(QEvent::KeyPress, Qt::Key_A, "a");
  Send(QEvent::KeyRelease, Qt::Key_A, "a", true);
  Send(QEvent::KeyPress, Qt::Key_A, "a", true);
  Send(QEvent::KeyRelease, Qt::Key_A, "a");
  EXPECT_EQ(log, (Log{"down 65 ''", "down 65 'a'", "up 65 'aa'"}));
}

TEST_F(EditTest, ChangesWithoutKeysRaiseNoKeyEvents) {
  edit.setText("12");
  QGuiApplication::clipboard()->setText("34");
  edit.paste();
  edit.undo();
  edit.selectAll();
  edit.cut();
  edit.insert("5");
  EXPECT_EQ(edit.text(), "5");
  EXPECT_EQ(log, Log{});
}

TEST_F(EditTest, InputMethodTextIsPrecededByAKeyDown) {
  // A dead key or compose sequence: the key presses go to the input method,
  // the character comes as a commit.
  edit.setText("12");
  QInputMethodEvent commit;
  commit.setCommitString("é");
  QCoreApplication::sendEvent(&edit, &commit);
  Send(QEvent::KeyRelease, Qt::Key_E, "e");
  EXPECT_EQ(log, (Log{"down 0 '12'", "up 69 '12é'"}));
}

TEST_F(EditTest, SetTextOfTheSameTextChangesNothing) {
  edit.setText("1234");
  edit.insert("5");  // something to undo
  edit.setSelection(1, 2);
  edit.SetText("12345");
  EXPECT_EQ(edit.selectedText(), "23");
  EXPECT_TRUE(edit.isUndoAvailable());
  edit.SetText("9");
  EXPECT_EQ(edit.text(), "9");
}

TEST_F(EditTest, HasNoPracticalLengthLimit) {
  const QString big(100000, u'7');
  QGuiApplication::clipboard()->setText(big);
  edit.paste();
  EXPECT_EQ(edit.text().size(), big.size());
}

TEST_F(EditTest, SetCaretLeavesNothingSelected) {
  edit.setText("12345");
  edit.selectAll();
  edit.SetCaret(5);
  EXPECT_EQ(edit.cursorPosition(), 5);
  EXPECT_FALSE(edit.hasSelectedText());
}

struct KeyCase {
  Qt::Key key;
  Qt::KeyboardModifiers modifiers;
  const char* text;
  int code;
};

class VirtualKeyTest : public testing::TestWithParam<KeyCase> {};

TEST_P(VirtualKeyTest, MapsQtKeysToTheCodesOfTheCycle) {
  const KeyCase& c = GetParam();
  const QKeyEvent e(QEvent::KeyRelease, c.key, c.modifiers, QString::fromUtf8(c.text));
  EXPECT_EQ(plinvor::VirtualKeyCode(e), c.code);
}

INSTANTIATE_TEST_SUITE_P(
    Keys, VirtualKeyTest,
    testing::Values(KeyCase{Qt::Key_Space, Qt::NoModifier, " ", 32},
                    KeyCase{Qt::Key_Space, Qt::ShiftModifier | Qt::ControlModifier, " ", 32},
                    KeyCase{Qt::Key_Tab, Qt::NoModifier, "\t", 9},
                    KeyCase{Qt::Key_Backtab, Qt::ShiftModifier, "", 9},
                    KeyCase{Qt::Key_A, Qt::NoModifier, "a", 'A'},
                    KeyCase{Qt::Key_Exclam, Qt::ShiftModifier, "!", '1'},  // the key of "1"
                    KeyCase{Qt::Key_5, Qt::KeypadModifier, "5", 0x65},   // keypad 5, not the key of "5"
                    KeyCase{Qt::Key_Period, Qt::NoModifier, ".", 0xBE},
                    KeyCase{Qt::Key_F4, Qt::AltModifier, "", 0x73},
                    KeyCase{Qt::Key_Control, Qt::ControlModifier, "", 0x11},
                    KeyCase{Qt::Key_nobreakspace, Qt::NoModifier, "\u00A0", 0}));  // not the space bar

}  // namespace
