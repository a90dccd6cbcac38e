#include "shell/edit.h"

#include <limits>

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>

#include "shell/application.h"
#include "shell/virtual_keys.h"

namespace {

bool IsTabNavigation(const QKeyEvent& k) {
  return (k.key() == Qt::Key_Tab || k.key() == Qt::Key_Backtab) &&
         !(k.modifiers() & (Qt::ControlModifier | Qt::AltModifier));
}

// The text that a key press types into a line edit, as QLineEdit decides:
// a printable text with neither Ctrl, Alt nor Meta held.
qsizetype TypedLength(const QKeyEvent& k) {
  const QString t = k.text();
  if (t.isEmpty() || !t.at(0).isPrint()) return 0;
  if (k.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) return 0;
  return t.size();
}

}  // namespace

TEdit::TEdit(QWidget* parent) : QLineEdit(parent) {
  // QLineEdit's own limit would cut a paste short, which changes the
  // amount: ours (MaxTextLength) refuses a change whole instead.
  setMaxLength(std::numeric_limits<int>::max());
  setContentsMargins(0, 0, 0, 0);
  // QLineEdit keeps 2 pixels of its own on either side of the text, even
  // without a frame; cancel them so the text starts at the field's edge.
  setTextMargins(-2, 0, -2, 0);
}

int TEdit::FontHeight() const { return -font().pixelSize(); }

void TEdit::setFontHeight(int height) {
  QFont f = font();
  f.setPixelSize(height < 0 ? -height : height);
  setFont(f);
}

void TEdit::SetText(const QString& text) {
  if (text != this->text()) setText(text);
}

void TEdit::SetCaret(int position) { setCursorPosition(position); }

bool TEdit::TooLong(qsizetype inserted, qsizetype removed) const {
  return text().size() - removed + inserted > MaxTextLength;
}

void TEdit::Refuse() {
  QApplication::beep();
  emit textRefused(this);
}

void TEdit::Paste() {
  if (isReadOnly()) return;
  // A text that is refused is read once; one that is taken (at most
  // MaxTextLength characters) is read again by QLineEdit::paste.
  const QString clip = QGuiApplication::clipboard()->text(QClipboard::Clipboard);
  if (TooLong(clip.size(), selectedText().size())) {
    Refuse();
    return;
  }
  QLineEdit::paste();
}

QClipboard::Mode TEdit::PasteMode(const QKeyEvent& k) {
  // Ctrl+Shift+Insert pastes the selection where the desktop has one.
  if (k.key() == Qt::Key_Insert && k.modifiers() == (Qt::ControlModifier | Qt::ShiftModifier) &&
      QGuiApplication::clipboard()->supportsSelection()) {
    return QClipboard::Selection;
  }
  return QClipboard::Clipboard;
}

TEdit::CaretAndSelection TEdit::SaveCaret() const {
  return {cursorPosition(), selectionStart(), static_cast<int>(selectedText().size())};
}

void TEdit::RestoreCaret(const CaretAndSelection& saved) {
  if (saved.selectionLength == 0 || saved.selectionStart < 0) {
    setCursorPosition(saved.caret);
  } else if (saved.caret == saved.selectionStart) {  // selected backwards
    setSelection(saved.selectionStart + saved.selectionLength, -saved.selectionLength);
  } else {
    setSelection(saved.selectionStart, saved.selectionLength);
  }
}

bool TEdit::RaiseKeyDown(int key, Qt::KeyboardModifiers shift) {
  return TApplication::Guard([&] { emit keyDown(this, key, shift); });
}

bool TEdit::event(QEvent* e) {
  if (e->type() == QEvent::KeyPress) {
    auto* k = static_cast<QKeyEvent*>(e);
    if (!IsTabNavigation(*k) && !RaiseKeyDown(plinvor::VirtualKeyCode(*k), k->modifiers())) {
      return true;  // the failure ends the key's handling: it does not act
    }
    if (!isReadOnly()) {
      const qsizetype selected = selectedText().size();
      const bool refused =
          k->matches(QKeySequence::Paste)
              ? TooLong(QGuiApplication::clipboard()->text(PasteMode(*k)).size(), selected)
              : TooLong(TypedLength(*k), TypedLength(*k) > 0 ? selected : 0);
      if (refused) {
        Refuse();
        return true;  // the key does not act; its key-up comes as usual
      }
    }
  } else if (e->type() == QEvent::KeyRelease) {
    auto* k = static_cast<QKeyEvent*>(e);
    const bool handled = QLineEdit::event(e);
    if (!k->isAutoRepeat()) {
      TApplication::Guard(
          [&] { emit keyUp(this, plinvor::VirtualKeyCode(*k), k->modifiers()); });
    }
    return handled;
  }
  return QLineEdit::event(e);
}

void TEdit::inputMethodEvent(QInputMethodEvent* e) {
  if (!e->commitString().isEmpty() || e->replacementLength() != 0) {
    if (!RaiseKeyDown(0, Qt::NoModifier)) return;
    const qsizetype removed = (hasSelectedText() ? selectedText().size() : 0) + e->replacementLength();
    if (!isReadOnly() && TooLong(e->commitString().size(), removed)) {
      Refuse();
      // The composition ends as the input method says, without its text.
      QInputMethodEvent withoutCommit(e->preeditString(), e->attributes());
      QLineEdit::inputMethodEvent(&withoutCommit);
      return;
    }
  }
  QLineEdit::inputMethodEvent(e);
}

void TEdit::mousePressEvent(QMouseEvent* e) {
  if (e->button() == Qt::MiddleButton) beforeMiddlePress_ = SaveCaret();
  QLineEdit::mousePressEvent(e);
}

void TEdit::mouseReleaseEvent(QMouseEvent* e) {
  // X11's middle-button paste of the selection.
  if (e->button() == Qt::MiddleButton && !isReadOnly() &&
      QGuiApplication::clipboard()->supportsSelection() &&
      TooLong(QGuiApplication::clipboard()->text(QClipboard::Selection).size(), 0)) {
    RestoreCaret(beforeMiddlePress_);
    Refuse();
    e->accept();
    return;
  }
  QLineEdit::mouseReleaseEvent(e);
}

void TEdit::contextMenuEvent(QContextMenuEvent* e) {
  // QLineEdit's own menu, its Paste bound to ours.
  QMenu* menu = createStandardContextMenu();
  if (!menu) return;
  for (QAction* action : menu->actions()) {
    // Known by its text (its shortcut follows a tab): Qt 6.4 names no action.
    if (action->text().section(u'\t', 0, 0) != QLineEdit::tr("&Paste")) continue;
    disconnect(action, &QAction::triggered, this, nullptr);
    connect(action, &QAction::triggered, this, &TEdit::Paste);
  }
  menu->setAttribute(Qt::WA_DeleteOnClose);
  menu->popup(e->globalPos());
}

void TEdit::dragEnterEvent(QDragEnterEvent* e) {
  beforeDrag_ = SaveCaret();
  QLineEdit::dragEnterEvent(e);
}

void TEdit::dropEvent(QDropEvent* e) {
  const QString dropped = e->mimeData()->text();
  // A move within the field takes out what it puts in.
  const bool moveWithin = e->source() == this && e->dropAction() == Qt::MoveAction;
  if (!isReadOnly() && TooLong(dropped.size(), moveWithin ? dropped.size() : 0)) {
    QDragLeaveEvent leave;
    QLineEdit::dragLeaveEvent(&leave);  // hides the drop caret
    RestoreCaret(beforeDrag_);
    Refuse();
    e->ignore();
    return;
  }
  QLineEdit::dropEvent(e);
}
