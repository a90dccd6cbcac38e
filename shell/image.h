// TImage: a picture drawn at its own size from the top-left corner (nothing
// when it has none), and a click: a left press on it followed by a left
// release still on it raises clicked. A release elsewhere does nothing. Other
// buttons do nothing and go no further.
//
// To assistive technology (AT-SPI) an image with a clicked handler is a push
// button with the press action, which clicks it; its name is its accessible
// name. An image without one is a graphic with no action.
#pragma once

#include <QPixmap>
#include <QWidget>

class TImage : public QWidget {
  Q_OBJECT
  Q_PROPERTY(QPixmap Picture READ Picture WRITE setPicture)

 public:
  explicit TImage(QWidget* parent = nullptr);

  const QPixmap& Picture() const { return picture_; }
  void setPicture(const QPixmap& picture);

  // Raises clicked, as a click with the mouse does; a failure of a handler
  // goes to the application's exception handling.
  void Click();
  // True when something is connected to clicked.
  bool Clickable() const;

 signals:
  void clicked(TImage* sender);

 protected:
  void paintEvent(QPaintEvent* e) override;
  void mousePressEvent(QMouseEvent* e) override;
  void mouseReleaseEvent(QMouseEvent* e) override;

 private:
  QPixmap picture_;
  bool leftDown_ = false;
};
