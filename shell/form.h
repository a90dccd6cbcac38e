// TForm: a top-level window of our class library.
//
// - Left, Top: where the window first shows (the window system does not
//   place it, nothing centres it).
// - TransparentColor, TransparentColorValue: colour keying. Every pixel that
//   the window paints in exactly the key colour is cut out of the window's
//   shape: the desktop shows through and the pointer goes through. The
//   shape is taken from what the window paints when it is shown and after
//   a change of size, palette or style. On X11 the shape is the window's
//   own (X SHAPE). On Wayland, where a shape only says where input goes,
//   the window is translucent and its controls are masked so that no one
//   paints a key-coloured pixel: the compositor shows what lies beneath.
// - Caption: the form's own text (its accessible name). What the window
//   system shows as the window's title is the application's title.
// - created: raised once when the form is loaded (Loaded), after every
//   component has been made and every handler bound.
// - Alt+F4 closes the window where no window manager does it, after the
//   focused control has seen the key; the window manager's close request
//   closes it too, without a question. Closing the application's main form
//   ends the application.
// - The first control of the tab order has the focus when the form first
//   shows; later activations give the focus back to the control that last
//   had it.
#pragma once

#include <QColor>
#include <QWidget>

class TForm : public QWidget {
  Q_OBJECT
  Q_PROPERTY(int Left READ Left WRITE setLeft)
  Q_PROPERTY(int Top READ Top WRITE setTop)
  Q_PROPERTY(bool TransparentColor READ TransparentColor WRITE setTransparentColor)
  Q_PROPERTY(QColor TransparentColorValue READ TransparentColorValue WRITE setTransparentColorValue)

 public:
  explicit TForm(QWidget* parent = nullptr);

  int Left() const { return x(); }
  void setLeft(int left) { move(left, y()); }
  int Top() const { return y(); }
  void setTop(int top) { move(x(), top); }
  bool TransparentColor() const { return transparentColor_; }
  void setTransparentColor(bool on);
  QColor TransparentColorValue() const { return keyColour_; }
  void setTransparentColorValue(const QColor& colour);
  const QString& Caption() const { return caption_; }

  // Takes the window's shape again from what it paints now.
  void UpdateShape();

 signals:
  void created();

 protected:
  // To be called at the end of a derived form's constructor: takes the
  // stored caption and raises created.
  void Loaded();

  bool event(QEvent* e) override;
  void showEvent(QShowEvent* e) override;
  void keyPressEvent(QKeyEvent* e) override;
  void closeEvent(QCloseEvent* e) override;

 private:
  bool transparentColor_ = false;
  QColor keyColour_{255, 0, 0};
  QString caption_;
  bool shown_ = false;
};
