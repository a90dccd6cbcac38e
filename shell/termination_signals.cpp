#include "shell/termination_signals.h"

#include <cerrno>
#include <csignal>
#include <initializer_list>
#include <system_error>

#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QSocketNotifier>

namespace plinvor {
namespace {

// [0] is read in the event loop, [1] written by the handler. Both stay open
// for the life of the process, so a late signal never writes to a closed
// descriptor.
int sockets[2] = {-1, -1};

void OnSignal(int) {
  const int saved = errno;
  const char byte = 1;
  // Non-blocking: if the buffer is full, enough bytes are waiting already.
  [[maybe_unused]] ssize_t n = write(sockets[1], &byte, 1);
  errno = saved;
}

[[noreturn]] void Fail(const char* what) { throw std::system_error(errno, std::generic_category(), what); }

}  // namespace

void TerminationSignals::Install() {
  if (sockets[0] >= 0) return;
  int pair[2];
  if (socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, pair) != 0) {
    Fail("socketpair for SIGTERM and SIGHUP");
  }
  sockets[0] = pair[0];
  sockets[1] = pair[1];
  struct sigaction action {};
  action.sa_handler = OnSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  for (int sig : {SIGTERM, SIGHUP}) {
    if (sigaction(sig, &action, nullptr) != 0) Fail("sigaction for SIGTERM and SIGHUP");
  }
}

TerminationSignals::TerminationSignals(std::function<void()> terminate)
    : terminate_(std::move(terminate)) {
  if (sockets[0] < 0) return;
  notifier_ = std::make_unique<QSocketNotifier>(sockets[0], QSocketNotifier::Read);
  connect(notifier_.get(), &QSocketNotifier::activated, this, &TerminationSignals::Read);
}

TerminationSignals::~TerminationSignals() = default;

void TerminationSignals::Read() {
  char bytes[64];
  bool received = false;
  while (read(sockets[0], bytes, sizeof bytes) > 0) received = true;
  if (received) terminate_();
}

}  // namespace plinvor
