// TImage: a picture drawn at its own size from the top-left corner (nothing
// when it has none), and a click: a left press on it followed by a left
// release still on it raises clicked. A release elsewhere does nothing. Other
// buttons do nothing and go no further.
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
