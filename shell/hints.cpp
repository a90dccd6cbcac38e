#include "shell/hints.h"

#include <QApplication>
#include <QCursor>
#include <QScreen>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QStylePainter>
#include <QToolTip>

namespace plinvor {
namespace {

// The hint shows this far below the pointer, about a cursor's height.
constexpr int kBelowPointer = 20;

// A window that looks like the style's tooltips.
class HintWindow : public QLabel {
 public:
  HintWindow() : QLabel(nullptr, Qt::ToolTip) {
    setObjectName(QStringLiteral("plinvor_hint"));
    setForegroundRole(QPalette::ToolTipText);
    setBackgroundRole(QPalette::ToolTipBase);
    setPalette(QToolTip::palette());
    setFont(QToolTip::font());
    setMargin(1 + style()->pixelMetric(QStyle::PM_ToolTipLabelFrameWidth, nullptr, this));
    setIndent(1);
    setWindowOpacity(style()->styleHint(QStyle::SH_ToolTipLabel_Opacity, nullptr, this) / 255.0);
  }

 protected:
  void paintEvent(QPaintEvent* e) override {
    {
      QStylePainter painter(this);
      QStyleOptionFrame panel;
      panel.initFrom(this);
      painter.drawPrimitive(QStyle::PE_PanelTipLabel, panel);
    }
    QLabel::paintEvent(e);
  }
};

// Below the pointer, kept on the pointer's screen.
QPoint HintPosition(QSize size) {
  const QPoint pointer = QCursor::pos();
  QPoint at = pointer + QPoint(0, kBelowPointer);
  if (const QScreen* screen = QGuiApplication::screenAt(pointer)) {
    const QRect area = screen->geometry();
    if (at.x() + size.width() > area.right() + 1) at.setX(area.right() + 1 - size.width());
    if (at.x() < area.left()) at.setX(area.left());
    if (at.y() + size.height() > area.bottom() + 1) at.setY(pointer.y() - size.height());
  }
  return at;
}

}  // namespace

HintController::HintController(int pauseMs, int hidePauseMs) {
  pause_.setSingleShot(true);
  pause_.setInterval(pauseMs);
  hidePause_.setSingleShot(true);
  hidePause_.setInterval(hidePauseMs);
  connect(&pause_, &QTimer::timeout, this, &HintController::Show);
  connect(&hidePause_, &QTimer::timeout, this, &HintController::Expire);
}

HintController::~HintController() = default;

QString HintController::ShownText() const {
  return window_ && window_->isVisible() ? window_->text() : QString();
}

void HintController::Follow(QWidget* control) {
  if (control == control_) return;
  if (control_) disconnect(control_, &QObject::destroyed, this, nullptr);
  control_ = control;
  state_ = State::Idle;
  // A control that goes away takes its hint with it.
  if (control_) connect(control_, &QObject::destroyed, this, [this] { Follow(nullptr); Cancel(); });
}

void HintController::Wait(QWidget* control) {
  Follow(control);
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
  if (!window_) window_ = std::make_unique<HintWindow>();
  window_->setText(control_->toolTip());
  window_->adjustSize();
  window_->move(HintPosition(window_->size()));
  window_->show();
  state_ = State::Showing;
  hidePause_.start();
}

void HintController::Expire() {
  if (window_) window_->hide();
  state_ = State::Expired;
}

void HintController::Cancel() {
  pause_.stop();
  hidePause_.stop();
  if (window_) window_->hide();
  if (state_ != State::Expired) state_ = State::Idle;
}

bool HintController::eventFilter(QObject* watched, QEvent* e) {
  switch (e->type()) {
    case QEvent::ToolTip:
      return true;  // Qt's own tooltips: ours replace them
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
        Follow(nullptr);
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
