// TCoolForm: the skin of a form. It fills its form, draws its Picture at the
// picture's own size from the top-left corner (clipped, never stretched), and
// makes the form borderless. A left press or double-click on it moves the
// window with the pointer from the press on, with no threshold, until the
// button is released: the window manager's move where there is one, else our
// own. Right and middle buttons do nothing. The position is not stored.
#pragma once

#include <QPoint>

#include "shell/image.h"

class TCoolForm : public TImage {
  Q_OBJECT

 public:
  explicit TCoolForm(QWidget* parent = nullptr);

  // True while the window follows the pointer by our own moves (no window
  // manager took the move over).
  bool Moving() const { return moving_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* e) override;
  void mousePressEvent(QMouseEvent* e) override;
  void mouseDoubleClickEvent(QMouseEvent* e) override;
  void mouseMoveEvent(QMouseEvent* e) override;
  void mouseReleaseEvent(QMouseEvent* e) override;

 private:
  void BeginMove(QMouseEvent* e);

  bool moving_ = false;
  QPoint grip_;  // the pointer's offset from the window's top-left corner
};
