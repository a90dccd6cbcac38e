// The crash reporter: reports what nothing else catches.
//
// One CrashReporter object, made first in main() before anything of the
// window system and destroyed last, installs it for its lifetime:
// - fatal signals (SIGSEGV, SIGBUS, SIGILL, SIGFPE, SIGABRT): a report made
//   with async-signal-safe calls only (the faulting address, or for a signal
//   that another process or the program itself sent, "sent by process N";
//   raw return addresses, and the executable mappings to resolve them), then
//   each frame's function, file and line from eu-addr2line, run in a child
//   process for at most 10 s ("Functions and lines: missing (why)" when
//   there are none); then the signal's default action (the process ends,
//   with a core dump where enabled);
// - std::terminate: a report, then abort();
// - ReportCurrentException: what the application object and the program
//   body hand it (see there).
//
// A report goes to standard error and to a new file in ReportFolder(), and
// holds the time (UTC), the program's version, the exception's type and
// message (or the signal), and a stack trace of the reporting thread.
// Standard error ends with "Crash report written to PATH", or with "The
// report file could not be written: PATH" when a write to it fell short.
// A standard error that takes nothing (a full pipe nobody reads) gets 2 s in
// all; the report then goes on in the file only, and the process ends.
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
