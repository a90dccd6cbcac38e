#include "shell/coolform.h"

#include <QMouseEvent>
#include <QWindow>

TCoolForm::TCoolForm(QWidget* parent) : TImage(parent) {
  if (parent) {
    if (parent->isWindow()) parent->setWindowFlag(Qt::FramelessWindowHint);
    parent->installEventFilter(this);
    setGeometry(parent->rect());
  }
}

bool TCoolForm::eventFilter(QObject* watched, QEvent* e) {
  if (watched == parentWidget() && e->type() == QEvent::Resize) setGeometry(parentWidget()->rect());
  return TImage::eventFilter(watched, e);
}

void TCoolForm::BeginMove(QMouseEvent* e) {
  e->accept();
  if (e->button() != Qt::LeftButton) return;
  QWidget* form = window();
  QWindow* handle = form->windowHandle();
  if (handle && handle->startSystemMove()) return;
  // No window manager to do it: follow the pointer ourselves until the
  // release (the press grabs the pointer for us meanwhile).
  moving_ = true;
  grip_ = e->globalPosition().toPoint() - form->pos();
}

void TCoolForm::mousePressEvent(QMouseEvent* e) { BeginMove(e); }

void TCoolForm::mouseDoubleClickEvent(QMouseEvent* e) { BeginMove(e); }

void TCoolForm::mouseMoveEvent(QMouseEvent* e) {
  if (moving_ && (e->buttons() & Qt::LeftButton)) {
    window()->move(e->globalPosition().toPoint() - grip_);
  }
  e->accept();
}

void TCoolForm::mouseReleaseEvent(QMouseEvent* e) {
  if (e->button() == Qt::LeftButton) moving_ = false;
  e->accept();
}
