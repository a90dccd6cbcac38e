// TEdit: a single-line edit field with the key events of our class library.
//
// keyDown is raised for every key press that reaches the field, auto-repeats
// included, before the key acts on the text; keyUp once for every key
// release, after it (the releases that X11 inserts between auto-repeats are
// not key-ups). Tab and Shift+Tab without Ctrl or Alt are focus navigation:
// their press moves the focus and raises nothing, and their release reaches
// the field entered as a key-up of key 9. Text committed by an input method
// (compose and dead-key sequences) raises a key-down before it is applied.
// Changes made without keys (context menu, middle-button paste, drag and
// drop) raise no key event.
//
// Unlike QLineEdit: no length limit, no inner margin, and SetText leaves
// everything alone when the text is unchanged.
#pragma once

#include <QLineEdit>

class TEdit : public QLineEdit {
  Q_OBJECT
  // The currency of an amount field, or whatever the form makes of it.
  Q_PROPERTY(int Tag READ Tag WRITE setTag)
  // Character height in pixels, negative as the form description stores it:
  // -13 gives a 13-pixel em, whatever the screen's resolution.
  Q_PROPERTY(int FontHeight READ FontHeight WRITE setFontHeight)

 public:
  explicit TEdit(QWidget* parent = nullptr);

  int Tag() const { return tag_; }
  void setTag(int tag) { tag_ = tag; }
  int FontHeight() const;
  void setFontHeight(int height);

  // Shows `text`; when the field already shows it, nothing changes at all
  // (caret, selection and undo history stay).
  void SetText(const QString& text);
  // Caret at character `position` (UTF-16 units) with nothing selected.
  void SetCaret(int position);

 signals:
  // `key` is the virtual-key code (VirtualKeyCode), `shift` the modifiers.
  void keyDown(TEdit* sender, int key, Qt::KeyboardModifiers shift);
  void keyUp(TEdit* sender, int key, Qt::KeyboardModifiers shift);

 protected:
  bool event(QEvent* e) override;
  void inputMethodEvent(QInputMethodEvent* e) override;

 private:
  // Raises keyDown; false when a handler failed (the failure has been
  // handed to the application and the key must not act).
  bool RaiseKeyDown(int key, Qt::KeyboardModifiers shift);

  int tag_ = 0;
};
