#include "shell/edit.h"

#include <limits>

#include <QInputMethodEvent>
#include <QKeyEvent>

#include "shell/application.h"
#include "shell/virtual_keys.h"

namespace {

bool IsTabNavigation(const QKeyEvent& k) {
  return (k.key() == Qt::Key_Tab || k.key() == Qt::Key_Backtab) &&
         !(k.modifiers() & (Qt::ControlModifier | Qt::AltModifier));
}

}  // namespace

TEdit::TEdit(QWidget* parent) : QLineEdit(parent) {
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

bool TEdit::RaiseKeyDown(int key, Qt::KeyboardModifiers shift) {
  return TApplication::Guard([&] { emit keyDown(this, key, shift); });
}

bool TEdit::event(QEvent* e) {
  if (e->type() == QEvent::KeyPress) {
    auto* k = static_cast<QKeyEvent*>(e);
    if (!IsTabNavigation(*k) && !RaiseKeyDown(plinvor::VirtualKeyCode(*k), k->modifiers())) {
      return true;  // the failure ends the key's handling: it does not act
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
  }
  QLineEdit::inputMethodEvent(e);
}
