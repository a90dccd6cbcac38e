// Huge texts in the window's fields: a change that would make a field's text
// longer than TEdit::MaxTextLength is refused whole, by every road a text
// comes in (keys, Ctrl+V held down, input method, drop, context menu); a
// text up to the limit is taken and converted like any other.
#include <functional>
#include <string>

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QSignalSpy>

#include "tests/shell/peak_memory.h"
#include "tests/shell/window_fixture.h"

namespace {

using Texts = std::array<QString, 3>;

const QString kTenMegabytes(10'000'000, u'7');

class LongTextTest : public WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    field = form->edcfp;
    refusals = std::make_unique<QSignalSpy>(field, &TEdit::textRefused);
  }

  // One key event with modifiers, as the window system sends it.
  void Key(QEvent::Type type, Qt::Key key, Qt::KeyboardModifiers mods, const QString& text,
           bool autoRepeat = false) {
    qt_handleKeyEvent(window, type, key, mods, text, autoRepeat, 1);
    QCoreApplication::processEvents();
  }
  // Ctrl+V held down: the first press, `repeats` auto-repeats, one release.
  void HoldCtrlV(int repeats) {
    Key(QEvent::KeyPress, Qt::Key_Control, Qt::ControlModifier, "");
    Key(QEvent::KeyPress, Qt::Key_V, Qt::ControlModifier, "\x16");
    for (int i = 0; i < repeats; ++i) {
      Key(QEvent::KeyRelease, Qt::Key_V, Qt::ControlModifier, "\x16", true);
      Key(QEvent::KeyPress, Qt::Key_V, Qt::ControlModifier, "\x16", true);
    }
    Key(QEvent::KeyRelease, Qt::Key_V, Qt::ControlModifier, "\x16");
    Key(QEvent::KeyRelease, Qt::Key_Control, Qt::NoModifier, "");
  }

  // "12345" typed, converted, then "234" selected from its end backwards
  // (caret at 1): what every refused change must leave as it is.
  void TypeAndSelect() {
    Type("12345");
    field->setSelection(4, -3);
    ASSERT_EQ(field->cursorPosition(), 1);
  }
  void ExpectUnchanged(const Texts& fields) {
    EXPECT_EQ(Fields(), fields);
    EXPECT_EQ(field->selectedText(), "234");
    EXPECT_EQ(field->cursorPosition(), 1);
    EXPECT_EQ(field->selectionStart(), 1);
  }

  TEdit* field = nullptr;
  std::unique_ptr<QSignalSpy> refusals;
};

const Texts k12345{"12345", "678.59", "103.45"};

TEST_F(LongTextTest, CtrlVOfTenMegabytesIsRefusedWholeAndItsKeyUpConvertsAsUsual) {
  TypeAndSelect();
  form->edff->setText("stale");  // the key-up of V converts again and rewrites it
  QGuiApplication::clipboard()->setText(kTenMegabytes);
  Click(Qt::Key_V, Qt::ControlModifier);
  ExpectUnchanged(k12345);
  EXPECT_EQ(refusals->count(), 1);
  EXPECT_LT(PeakRssMb(), 100);
}

TEST_F(LongTextTest, CtrlVHeldDownWithTenMegabytesIsRefusedAtEachRepeat) {
  TypeAndSelect();
  QGuiApplication::clipboard()->setText(kTenMegabytes);
  HoldCtrlV(50);
  ExpectUnchanged(k12345);
  EXPECT_EQ(refusals->count(), 51);
  EXPECT_LT(PeakRssMb(), 100);
}

TEST_F(LongTextTest, APasteOfOneCharacterTooManyIsRefusedAndOneFewerIsTaken) {
  // With "234" selected, a paste replaces 3 of the field's 5 characters.
  // Spaces, so that the text still reads: "1", spaces, "5" is 15.
  const int room = TEdit::MaxTextLength - 2;
  TypeAndSelect();
  QGuiApplication::clipboard()->setText(QString(room + 1, u' '));
  Click(Qt::Key_V, Qt::ControlModifier);
  ExpectUnchanged(k12345);
  EXPECT_EQ(refusals->count(), 1);

  QGuiApplication::clipboard()->setText(QString(room, u' '));
  Click(Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(field->text(), u'1' + QString(room, u' ') + u'5');
  EXPECT_EQ(form->edff->text(), "0.82") << "15 CFP francs";
  EXPECT_EQ(refusals->count(), 1);
}

TEST_F(LongTextTest, AHundredThousandCharactersAreTakenAndConvertedWhole) {
  // 99,999 zeros then 1: cut anywhere, it would read as 0.
  QGuiApplication::clipboard()->setText(QString(TEdit::MaxTextLength - 1, u'0') + u'1');
  Click(Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(field->text().size(), TEdit::MaxTextLength);
  EXPECT_EQ(form->edff->text(), "0.05");
  EXPECT_EQ(form->edeuro->text(), "0.01");
  EXPECT_TRUE(refusals->isEmpty());

  // Full: a typed key is refused, its key-up converts the same text again.
  form->edff->setText("stale");
  Type("5");
  EXPECT_EQ(field->text(), QString(TEdit::MaxTextLength - 1, u'0') + u'1');
  EXPECT_EQ(form->edff->text(), "0.05");
  EXPECT_EQ(refusals->count(), 1);
  // Keys that take text away or move the caret act as usual.
  Click(Qt::Key_Backspace);
  EXPECT_EQ(field->text().size(), TEdit::MaxTextLength - 1);
  EXPECT_EQ(Fields(), (Texts{field->text(), "0.00", "0.00"}));
  Type("1");
  EXPECT_EQ(Fields(), (Texts{field->text(), "0.05", "0.01"}));
  EXPECT_EQ(refusals->count(), 1);
  EXPECT_LT(PeakRssMb(), 100);
}

TEST_F(LongTextTest, ATypedKeyOverTheSelectionIsTakenAtTheLimit) {
  Type("1");
  QGuiApplication::clipboard()->setText(QString(TEdit::MaxTextLength - 1, u' '));
  Click(Qt::Key_V, Qt::ControlModifier);
  ASSERT_EQ(field->text().size(), TEdit::MaxTextLength);
  field->setSelection(0, 1);
  Type("3");  // replaces one character: the length stays at the limit
  EXPECT_EQ(field->text(), u'3' + QString(TEdit::MaxTextLength - 1, u' '));
  EXPECT_EQ(form->edff->text(), "0.16") << "3 CFP francs";
  EXPECT_TRUE(refusals->isEmpty());
}

// The roads other than keys, each with the 10 MB text.
struct Road {
  const char* name;
  std::function<void(TEdit*)> bring;
};

class LongTextRoadTest : public LongTextTest, public testing::WithParamInterface<Road> {};

TEST_P(LongTextRoadTest, IsRefusedWholeAndLeavesTextCaretAndSelection) {
  TypeAndSelect();
  QGuiApplication::clipboard()->setText(kTenMegabytes);
  GetParam().bring(field);
  QCoreApplication::processEvents();
  ExpectUnchanged(k12345);
  EXPECT_EQ(refusals->count(), 1);
  EXPECT_LT(PeakRssMb(), 100);
}

void CommitFromInputMethod(TEdit* field) {
  QInputMethodEvent commit;
  commit.setCommitString(kTenMegabytes);
  QCoreApplication::sendEvent(field, &commit);
}

void DropFromAnotherProgram(TEdit* field) {
  QMimeData mime;
  mime.setText(kTenMegabytes);
  const QPointF at(field->width() - 2, field->height() / 2);
  QDragEnterEvent enter(at.toPoint(), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(field, &enter);
  QDragMoveEvent move(at.toPoint(), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(field, &move);
  QDropEvent drop(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(field, &drop);
  EXPECT_FALSE(drop.isAccepted()) << "the drag source learns that nothing was dropped";
}

void PasteFromTheContextMenu(TEdit* field) {
  QContextMenuEvent open(QContextMenuEvent::Mouse, QPoint(5, 5), field->mapToGlobal(QPoint(5, 5)));
  QCoreApplication::sendEvent(field, &open);
  auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
  ASSERT_NE(menu, nullptr);
  QAction* paste = nullptr;
  for (QAction* action : menu->actions()) {
    if (action->text().startsWith(QLineEdit::tr("&Paste") + u'\t')) paste = action;
  }
  ASSERT_NE(paste, nullptr);
  paste->trigger();
  menu->close();
}

INSTANTIATE_TEST_SUITE_P(Roads, LongTextRoadTest,
                         testing::Values(Road{"InputMethodCommit", CommitFromInputMethod},
                                         Road{"Drop", DropFromAnotherProgram},
                                         Road{"ContextMenuPaste", PasteFromTheContextMenu}),
                         [](const testing::TestParamInfo<Road>& info) { return info.param.name; });

}  // namespace
