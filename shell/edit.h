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
// The text holds at most MaxTextLength characters. A key, input-method
// commit, paste (keys, context menu, middle button) or drop that would make
// it longer is refused whole: the text, caret and selection stay as they
// were, the system beep sounds and textRefused() is raised; the key's
// key-down and key-up come as for any other key. Nothing is ever cut short:
// a cut-off amount would read as another amount. The bound keeps every
// change, repaint and key-up of a field well inside 100 ms (Qt lays out and
// shapes the whole line after each change and on each repaint).
//
// Unlike QLineEdit: no inner margin, and SetText leaves everything alone when
// the text is unchanged.
#pragma once

#include <QClipboard>
#include <QLineEdit>

class TEdit : public QLineEdit {
  Q_OBJECT
  // The currency of an amount field, or whatever the form makes of it.
  Q_PROPERTY(int Tag READ Tag WRITE setTag)
  // Character height in pixels, negative as the form description stores it:
  // -13 gives a 13-pixel em, whatever the screen's resolution.
  Q_PROPERTY(int FontHeight READ FontHeight WRITE setFontHeight)

 public:
  // Far above any amount that reads (the widest finite amount has 4933
  // digits before its separator), far below the lengths that make Qt's line
  // layout slow.
  static constexpr int MaxTextLength = 100000;

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
  // QLineEdit::paste within MaxTextLength: refused whole when the text
  // pasted would make the field's text longer.
  void Paste();

 signals:
  // `key` is the virtual-key code (VirtualKeyCode), `shift` the modifiers.
  void keyDown(TEdit* sender, int key, Qt::KeyboardModifiers shift);
  void keyUp(TEdit* sender, int key, Qt::KeyboardModifiers shift);
  // A change was refused because the text would have grown beyond
  // MaxTextLength (after the beep).
  void textRefused(TEdit* sender);

 protected:
  bool event(QEvent* e) override;
  void inputMethodEvent(QInputMethodEvent* e) override;
  void mousePressEvent(QMouseEvent* e) override;
  void mouseReleaseEvent(QMouseEvent* e) override;
  void contextMenuEvent(QContextMenuEvent* e) override;
  void dragEnterEvent(QDragEnterEvent* e) override;
  void dropEvent(QDropEvent* e) override;

 private:
  // Where the caret and the selection were, to put them back after a
  // refused middle-button paste or drop (pressing and dragging move them).
  struct CaretAndSelection {
    int caret = 0, selectionStart = -1, selectionLength = 0;
  };
  CaretAndSelection SaveCaret() const;
  void RestoreCaret(const CaretAndSelection& saved);

  // True when replacing `removed` characters by `inserted` ones would make
  // the text longer than MaxTextLength.
  bool TooLong(qsizetype inserted, qsizetype removed) const;
  // Beeps and raises textRefused.
  void Refuse();
  // The clipboard text that the paste key `k` would paste.
  static QClipboard::Mode PasteMode(const QKeyEvent& k);

  // Raises keyDown; false when a handler failed (the failure has been
  // handed to the application and the key must not act).
  bool RaiseKeyDown(int key, Qt::KeyboardModifiers shift);

  int tag_ = 0;
  CaretAndSelection beforeMiddlePress_, beforeDrag_;
};
