// The application's hints: the tooltip of a control (its toolTip text) shows
// once the pointer has been on the control for the hint pause and the
// program is the active application, below the pointer. It hides after the
// hide pause, when the pointer leaves the control, or on any key or mouse
// button. A hint that has hidden by time-out does not show again until the
// pointer has left the control and come back; one cancelled by a key or a
// button shows again after a new pause once the pointer moves.
//
// Installed as an event filter on the application; Qt's own tooltips are
// switched off while it is (their timing differs, and they hide with a delay).
#pragma once

#include <memory>

#include <QLabel>
#include <QObject>
#include <QPointer>
#include <QTimer>
#include <QWidget>

namespace plinvor {

class HintController : public QObject {
  Q_OBJECT

 public:
  HintController(int pauseMs, int hidePauseMs);
  ~HintController() override;

  // The text of the hint on screen, or "" when none shows.
  QString ShownText() const;

 protected:
  bool eventFilter(QObject* watched, QEvent* e) override;

 private:
  enum class State { Idle, Waiting, Showing, Expired };

  // Makes `control` the control under the pointer, in state Idle.
  void Follow(QWidget* control);
  void Wait(QWidget* control);
  void Show();
  void Expire();
  void Cancel();

  QPointer<QWidget> control_;  // the control under the pointer that has a hint
  State state_ = State::Idle;
  QTimer pause_;
  QTimer hidePause_;
  std::unique_ptr<QLabel> window_;  // the hint window, made when first needed
};

}  // namespace plinvor
