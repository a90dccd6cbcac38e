// SIGTERM and SIGHUP (the session ending, a `kill`) end the program the way
// closing its window does: the event loop ends and the program shuts down
// normally, with exit code 0.
//
// Install() sets the signal handlers, as early as possible; a signal that
// arrives before a TerminationSignals object watches is kept and acted on as
// soon as one does. The handler only writes a byte to a socket; the object
// reads it in the event loop, where anything may be done.
#pragma once

#include <functional>
#include <memory>

#include <QObject>

class QSocketNotifier;

namespace plinvor {

class TerminationSignals : public QObject {
  Q_OBJECT

 public:
  // Once per process; later calls do nothing. Throws std::system_error when
  // the socket pair or a handler cannot be set up.
  static void Install();

  // Calls `terminate` in the event loop for each signal received (also for
  // one that came earlier). Without Install(), it never calls it.
  explicit TerminationSignals(std::function<void()> terminate);
  ~TerminationSignals() override;

 private:
  void Read();

  std::function<void()> terminate_;
  std::unique_ptr<QSocketNotifier> notifier_;
};

}  // namespace plinvor
