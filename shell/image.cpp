#include "shell/image.h"

#include <QMouseEvent>
#include <QPainter>

#include "shell/application.h"

TImage::TImage(QWidget* parent) : QWidget(parent) {
  // Moves over the image reach it without a button held (the hint timing
  // restarts on them after a key or a click has cancelled a hint).
  setMouseTracking(true);
}

void TImage::setPicture(const QPixmap& picture) {
  picture_ = picture;
  update();
}

void TImage::paintEvent(QPaintEvent*) {
  if (picture_.isNull()) return;
  QPainter painter(this);
  painter.drawPixmap(0, 0, picture_);
}

void TImage::mousePressEvent(QMouseEvent* e) {
  if (e->button() == Qt::LeftButton) leftDown_ = true;
  e->accept();
}

void TImage::mouseReleaseEvent(QMouseEvent* e) {
  e->accept();
  if (e->button() != Qt::LeftButton || !leftDown_) return;
  leftDown_ = false;
  if (rect().contains(e->position().toPoint())) {
    TApplication::Guard([&] { emit clicked(this); });
  }
}
