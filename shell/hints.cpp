#include "shell/hints.h"

#include <QApplication>
#include <QCursor>
#include <QToolTip>

namespace plinvor {

HintController::HintController(int pauseMs, int hidePauseMs) {
  pause_.setSingleShot(true);
  pause_.setInterval(pauseMs);
  hidePause_.setSingleShot(true);
  hidePause_.setInterval(hidePauseMs);
  connect(&pause_, &QTimer::timeout, this, &HintController::Show);
  connect(&hidePause_, &QTimer::timeout, this, &HintController::Expire);
}

void HintController::Wait(QWidget* control) {
  control_ = control;
  state_ = State::Waiting;
  pause_.start();
}

void HintController::Show() {
  // Only for the active application, and only while the pointer is still on
  // the control.
  if (!control_ || !QApplication::activeWindow() || !control_->underMouse()) {
    state_ = State::Idle;
    return;
  }
  QToolTip::showText(QCursor::pos(), control_->toolTip(), control_, QRect(), hidePause_.interval());
  state_ = State::Showing;
  hidePause_.start();
}

void HintController::Expire() {
  QToolTip::hideText();
  state_ = State::Expired;
}

void HintController::Cancel() {
  pause_.stop();
  hidePause_.stop();
  if (state_ == State::Showing) QToolTip::hideText();
  if (state_ != State::Expired) state_ = State::Idle;
}

bool HintController::eventFilter(QObject* watched, QEvent* e) {
  switch (e->type()) {
    case QEvent::ToolTip:
      return true;  // Qt's own timing: ours replaces it
    case QEvent::Enter: {
      auto* w = qobject_cast<QWidget*>(watched);
      if (w && !w->toolTip().isEmpty() && w != control_) {
        Cancel();
        Wait(w);
      }
      break;
    }
    case QEvent::Leave:
      if (watched == control_) {
        Cancel();
        state_ = State::Idle;
        control_ = nullptr;
      }
      break;
    case QEvent::MouseMove:
      if (watched == control_ && state_ == State::Idle) Wait(control_);
      break;
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::ApplicationDeactivate:
      Cancel();
      break;
    default:
      break;
  }
  return QObject::eventFilter(watched, e);
}

}  // namespace plinvor
