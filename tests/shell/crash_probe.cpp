// Fails on purpose, with the crash reporter installed as the program installs
// it: "segv", "abort", "fpe" raise fatal signals, "kill" sends itself
// SIGSEGV, "segv-small-files" faults where no file may grow beyond 300 bytes
// (as on a full disk), "throw" throws out of the program body, "terminate"
// throws through a noexcept function, "none" ends normally.
#include <csignal>
#include <cstring>
#include <stdexcept>

#include <sys/resource.h>
#include <unistd.h>

#include "shell/crash_reporter.h"
#include "shell/program_body.h"

namespace {

[[gnu::noinline]] void WriteThrough(volatile int* p) { *p = 1; }

[[gnu::noinline]] void Throw() { throw std::logic_error("probe: thrown through noexcept"); }

[[gnu::noinline]] void ThrowInNoexcept() noexcept { Throw(); }

}  // namespace

int main(int argc, char** argv) {
  plinvor::CrashReporter reporter(PLINVOR_VERSION);
  const char* mode = argc > 1 ? argv[1] : "none";
  return plinvor::RunProgramBody([&] {
    if (!std::strcmp(mode, "segv")) WriteThrough(nullptr);
    if (!std::strcmp(mode, "abort")) std::abort();
    if (!std::strcmp(mode, "fpe")) std::raise(SIGFPE);
    if (!std::strcmp(mode, "kill")) kill(getpid(), SIGSEGV);
    if (!std::strcmp(mode, "segv-small-files")) {
      const rlimit small{300, 300};
      setrlimit(RLIMIT_FSIZE, &small);
      std::signal(SIGXFSZ, SIG_IGN);  // a write beyond the limit then falls short
      WriteThrough(nullptr);
    }
    if (!std::strcmp(mode, "throw")) throw std::runtime_error("probe: left the program body");
    if (!std::strcmp(mode, "terminate")) ThrowInNoexcept();
    return 0;
  });
}
