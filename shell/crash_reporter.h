// The crash reporter: reports what nothing else catches.
//
// One CrashReporter object, made first in main() before anything of the
// window system and destroyed last, installs it for its lifetime:
// - fatal signals (SIGSEGV, SIGBUS, SIGILL, SIGFPE, SIGABRT): a report made
//   with async-signal-safe calls only (raw return addresses, and the
//   executable mappings to resolve them with addr2line), then the signal's
//   default action (the process ends, with a core dump where enabled);
// - std::terminate: a report, then abort();
// - ReportCurrentException: what the application object and the program
//   body hand it (see there).
//
// A report goes to standard error and to a new file in ReportFolder(), and
// holds the time (UTC), the program's version, the exception's type and
// message (or the signal), and a stack trace of the reporting thread.
#pragma once

#include <string>
#include <string_view>

namespace plinvor {

class CrashReporter {
 public:
  explicit CrashReporter(std::string_view programVersion);
  ~CrashReporter();
  CrashReporter(const CrashReporter&) = delete;
  CrashReporter& operator=(const CrashReporter&) = delete;

  static bool Active();

  // Reports the exception being handled; call inside a catch block. `where`
  // says what it escaped from. Returns the report file's path, or "" when
  // no file could be written or no reporter is installed (then nothing is
  // reported).
  static std::string ReportCurrentException(std::string_view where);

  // $XDG_STATE_HOME/plinvor when XDG_STATE_HOME is an absolute path, else
  // $HOME/.local/state/plinvor; "" when neither is known. Read when the
  // reporter is installed.
  static std::string ReportFolder();
};

}  // namespace plinvor
