#include "shell/crash_reporter.h"

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <exception>
#include <memory>
#include <sstream>
#include <stdexcept>

#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <ucontext.h>
#include <unistd.h>

#include <backward.hpp>

#include "shell/exception_info.h"

namespace plinvor {
namespace {

constexpr int kFatalSignals[] = {SIGSEGV, SIGBUS, SIGILL, SIGFPE, SIGABRT};
constexpr std::size_t kSignalCount = std::size(kFatalSignals);
constexpr std::size_t kMaxFrames = 64;
constexpr std::size_t kAltStackSize = 256 * 1024;
constexpr std::size_t kPathMax = 4096;
// How long a report may wait for a standard error that nobody reads (a full
// pipe), in all: then the rest goes to the file only.
constexpr int kStderrBudgetMs = 2000;
// How long the symboliser may take to name a fatal signal's frames.
constexpr int kSymboliserBudgetMs = 10000;
constexpr std::size_t kSymbolsMax = 64 * 1024;

// Text in a fixed buffer, built without allocating, so that the signal
// handler can use it. What does not fit is cut off.
template <std::size_t N>
class FixedText {
 public:
  FixedText& operator<<(std::string_view s) {
    for (char c : s) {
      if (len_ + 1 >= N) break;
      buf_[len_++] = c;
    }
    buf_[len_] = '\0';
    return *this;
  }
  FixedText& Number(unsigned long long value, unsigned base = 10, int width = 1) {
    char digits[32];
    int n = 0;
    do {
      digits[n++] = "0123456789abcdef"[value % base];
      value /= base;
    } while (value != 0 && n < 32);
    while (n < width && n < 32) digits[n++] = '0';
    while (n > 0) *this << std::string_view(&digits[--n], 1);
    return *this;
  }
  const char* c_str() const { return buf_; }
  std::string_view view() const { return {buf_, len_}; }

 private:
  char buf_[N] = {};
  std::size_t len_ = 0;
};

using PathText = FixedText<kPathMax + 128>;

// Milliseconds on the monotonic clock (async-signal-safe).
long long NowMs() {
  timespec ts{};
  clock_gettime(CLOCK_MONOTONIC, &ts);
  return static_cast<long long>(ts.tv_sec) * 1000 + ts.tv_nsec / 1000000;
}

// Writes all of `text`; false when a write falls short (full disk, file size
// limit, closed pipe...).
bool WriteAll(int fd, std::string_view text) {
  const char* p = text.data();
  std::size_t left = text.size();
  while (left > 0) {
    const ssize_t n = write(fd, p, left);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    p += n;
    left -= static_cast<std::size_t>(n);
  }
  return true;
}

// Writes `text` to `fd` unless the deadline (NowMs) passes first: waits
// with poll and writes in pieces that a pipe with room takes whole, so that
// no write blocks on a pipe that nobody reads. False when it gave up.
bool WriteBefore(int fd, std::string_view text, long long deadline) {
  constexpr std::size_t kPiece = 512;  // at most PIPE_BUF: never half-taken
  const char* p = text.data();
  std::size_t left = text.size();
  while (left > 0) {
    const long long wait = deadline - NowMs();
    if (wait <= 0) return false;
    pollfd pfd{fd, POLLOUT, 0};
    const int ready = poll(&pfd, 1, static_cast<int>(wait));
    if (ready < 0 && errno == EINTR) continue;
    if (ready <= 0 || (pfd.revents & (POLLERR | POLLHUP | POLLNVAL))) return false;
    const ssize_t n = write(fd, p, left < kPiece ? left : kPiece);
    if (n < 0 && (errno == EINTR || errno == EAGAIN)) continue;
    if (n <= 0) return false;
    p += n;
    left -= static_cast<std::size_t>(n);
  }
  return true;
}

// A report goes to standard error and, when one could be opened, a file.
// Standard error gets a bounded time in all; the file gets everything.
class ReportOutput {
 public:
  explicit ReportOutput(int file) : file_(file), stderrDeadline_(NowMs() + kStderrBudgetMs) {}
  ReportOutput& operator<<(std::string_view text) {
    if (stderrOpen_) stderrOpen_ = WriteBefore(STDERR_FILENO, text, stderrDeadline_);
    if (file_ >= 0 && fileComplete_) fileComplete_ = WriteAll(file_, text);
    return *this;
  }
  // To standard error only, within the same time.
  void ToStderr(std::string_view text) {
    if (stderrOpen_) stderrOpen_ = WriteBefore(STDERR_FILENO, text, stderrDeadline_);
  }
  int file() const { return file_; }
  // False once a write to the file fell short.
  bool fileComplete() const { return fileComplete_; }
  // Closes the file; false when closing reports a failed write.
  bool CloseFile() {
    if (file_ < 0) return false;
    const bool closed = close(file_) == 0;
    file_ = -1;
    fileComplete_ = fileComplete_ && closed;
    return fileComplete_;
  }

 private:
  int file_;
  long long stderrDeadline_;
  bool stderrOpen_ = true;
  bool fileComplete_ = true;
};

struct UtcTime {
  long long year;
  unsigned month, day, hour, minute, second;
};

// Civil date from a count of seconds since 1970 (H. Hinnant's days-to-civil
// algorithm): no library call, so safe in a signal handler.
UtcTime ToUtc(std::time_t t) {
  long long days = t / 86400;
  long long secs = t % 86400;
  if (secs < 0) {
    secs += 86400;
    --days;
  }
  days += 719468;
  const long long era = (days >= 0 ? days : days - 146096) / 146097;
  const auto doe = static_cast<unsigned>(days - era * 146097);
  const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const unsigned mp = (5 * doy + 2) / 153;
  UtcTime u{};
  u.day = doy - (153 * mp + 2) / 5 + 1;
  u.month = mp < 10 ? mp + 3 : mp - 9;
  u.year = static_cast<long long>(yoe) + era * 400 + (u.month <= 2 ? 1 : 0);
  u.hour = static_cast<unsigned>(secs / 3600);
  u.minute = static_cast<unsigned>(secs / 60 % 60);
  u.second = static_cast<unsigned>(secs % 60);
  return u;
}

// "2024-06-01T12:34:56Z", or "20240601T123456Z" when `compact`.
template <std::size_t N>
void AppendTime(FixedText<N>& out, std::time_t t, bool compact) {
  const UtcTime u = ToUtc(t);
  const std::string_view dash = compact ? "" : "-";
  const std::string_view colon = compact ? "" : ":";
  out.Number(static_cast<unsigned long long>(u.year), 10, 4) << dash;
  out.Number(u.month, 10, 2) << dash;
  out.Number(u.day, 10, 2) << "T";
  out.Number(u.hour, 10, 2) << colon;
  out.Number(u.minute, 10, 2) << colon;
  out.Number(u.second, 10, 2) << "Z";
}

std::time_t Now() {
  timespec ts{};
  clock_gettime(CLOCK_REALTIME, &ts);  // async-signal-safe, unlike time()
  return ts.tv_sec;
}

// Everything the handlers need, made when the reporter is installed.
struct Installed {
  char version[64] = {};
  char folder[kPathMax] = {};  // "" when unknown
  struct sigaction previous[kSignalCount] = {};
  std::terminate_handler previousTerminate = nullptr;
  stack_t previousAltStack{};
  std::unique_ptr<char[]> altStack;
  // Room for the frames is reserved at installation: loading a trace in the
  // signal handler allocates nothing.
  backward::StackTrace signalTrace;
  // eu-addr2line's absolute path, "" when it is not installed.
  char symboliser[kPathMax] = {};
  char symbols[kSymbolsMax] = {};  // its answer, read in the signal handler
};

Installed* installed = nullptr;
std::atomic<unsigned> reportCount{0};
std::atomic_flag ending = ATOMIC_FLAG_INIT;  // a fatal report is under way

void CopyText(char* to, std::size_t size, std::string_view from) {
  const std::size_t n = from.size() < size ? from.size() : size - 1;
  std::memcpy(to, from.data(), n);
  to[n] = '\0';
}

std::string FolderFromEnvironment() {
  const char* state = std::getenv("XDG_STATE_HOME");
  if (state && state[0] == '/') return std::string(state) + "/plinvor";
  const char* home = std::getenv("HOME");
  if (home && home[0] == '/') return std::string(home) + "/.local/state/plinvor";
  return {};
}

// eu-addr2line on PATH (/usr/bin:/bin when PATH is not set), or "".
std::string FindSymboliser() {
  const char* path = std::getenv("PATH");
  std::string_view rest = path ? path : "/usr/bin:/bin";
  while (!rest.empty()) {
    const std::size_t colon = rest.find(':');
    const std::string_view dir = rest.substr(0, colon);
    rest.remove_prefix(colon == std::string_view::npos ? rest.size() : colon + 1);
    if (dir.empty() || dir[0] != '/') continue;
    const std::string path = std::string(dir) + "/eu-addr2line";
    if (path.size() < kPathMax && access(path.c_str(), X_OK) == 0) return path;
  }
  return {};
}

// mkdir -p of the report folder, private to the user.
void MakeFolder(const char* folder) {
  char path[kPathMax];
  CopyText(path, sizeof path, folder);
  for (char* p = path + 1; *p; ++p) {
    if (*p != '/') continue;
    *p = '\0';
    mkdir(path, 0700);
    *p = '/';
  }
  mkdir(path, 0700);
}

bool ReportFolderKnown() { return installed && installed->folder[0] != '\0'; }

// A new report file, or -1; `path` receives its name.
int OpenReportFile(std::time_t now, PathText& path) {
  if (!ReportFolderKnown()) return -1;
  MakeFolder(installed->folder);
  path << installed->folder << "/crash-";
  AppendTime(path, now, true);
  path << "-";
  path.Number(static_cast<unsigned long long>(getpid())) << "-";
  path.Number(reportCount.fetch_add(1) + 1) << ".txt";
  return open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
}

void WriteHeader(ReportOutput& out, std::time_t now, std::string_view where, std::string_view type,
                 std::string_view message) {
  FixedText<256> head;
  head << "=== Plinvor crash report ===\nTime: ";
  AppendTime(head, now, false);
  head << "\nProgram: Plinvor " << installed->version << ", process ";
  head.Number(static_cast<unsigned long long>(getpid())) << "\n";
  out << head.view() << "Where: " << where << "\nException: " << type << "\nMessage: " << message
      << "\n";
}

// Ends the report; true when its file holds all of it.
bool WriteFooter(ReportOutput& out, bool fileWanted, const PathText& path) {
  out << "=== end of report ===\n";
  const bool written = out.file() >= 0 && out.CloseFile();
  if (written) {
    out.ToStderr("Crash report written to ");
    out.ToStderr(path.view());
    out.ToStderr("\n");
  } else if (fileWanted) {
    out.ToStderr("The report file could not be written");
    if (!path.view().empty()) {
      out.ToStderr(": ");
      out.ToStderr(path.view());
    }
    out.ToStderr("\n");
  }
  return written;
}

std::string ExceptionTrace() {
  backward::StackTrace trace;
  trace.load_here(kMaxFrames);
  trace.skip_n_firsts(2);  // this function and the reporter's entry
  backward::Printer printer;
  printer.snippet = false;
  printer.color_mode = backward::ColorMode::never;
  printer.address = true;
  printer.object = true;
  std::ostringstream text;
  printer.print(trace, text);
  return text.str();
}

std::string_view SignalName(int sig) {
  switch (sig) {
    case SIGSEGV: return "SIGSEGV (invalid memory reference)";
    case SIGBUS: return "SIGBUS (bus error)";
    case SIGILL: return "SIGILL (illegal instruction)";
    case SIGFPE: return "SIGFPE (arithmetic exception)";
    case SIGABRT: return "SIGABRT (abort)";
    default: return "fatal signal";
  }
}

// The executable mappings of /proc/self/maps: with them, the raw addresses
// of a signal's stack trace resolve offline (addr2line -e <file> <offset>).
void WriteExecutableMappings(ReportOutput& out) {
  const int maps = open("/proc/self/maps", O_RDONLY | O_CLOEXEC);
  if (maps < 0) return;
  out << "Executable mappings (a frame's file offset is address - start + offset; "
         "addr2line -f -C -e <file> <file offset> names it):\n";
  char chunk[4096];
  char line[1024];
  std::size_t len = 0;
  ssize_t n;
  while ((n = read(maps, chunk, sizeof chunk)) != 0) {
    if (n < 0) {
      if (errno == EINTR) continue;
      break;
    }
    for (ssize_t i = 0; i < n; ++i) {
      if (len < sizeof line - 1) line[len++] = chunk[i];
      if (chunk[i] != '\n') continue;
      if (line[len - 1] != '\n') line[len++] = '\n';
      // "start-end perms offset dev inode path": perms is "r-xp" and the like.
      const char* perms = static_cast<const char*>(std::memchr(line, ' ', len));
      if (perms && perms + 4 < line + len && perms[3] == 'x') out << std::string_view(line, len);
      len = 0;
    }
  }
  close(maps);
}

void WriteSignalTrace(ReportOutput& out, siginfo_t* info, void* context) {
  backward::StackTrace& trace = installed->signalTrace;
#ifdef REG_RIP
  auto* uc = static_cast<ucontext_t*>(context);
  trace.load_from(reinterpret_cast<void*>(uc->uc_mcontext.gregs[REG_RIP]), kMaxFrames, context,
                  info->si_addr);
#else
  trace.load_here(kMaxFrames, context, info->si_addr);
#endif
  out << "Stack trace (most recent call first; raw addresses):\n";
  for (std::size_t i = 0; i < trace.size(); ++i) {
    FixedText<64> frame;
    frame << "#";
    frame.Number(i) << " 0x";
    frame.Number(reinterpret_cast<std::uintptr_t>(trace[i].addr), 16, 16) << "\n";
    out << frame.view();
  }
}

// The symboliser's answer for the frames of `trace`, read into
// installed->symbols within kSymboliserBudgetMs; its length, or -1 with
// `why` saying what went wrong. Runs in the signal handler: the child is made
// with _Fork (no fork handlers run) and does nothing but exec.
long RunSymboliser(const backward::StackTrace& trace, const char*& why) {
  if (installed->symboliser[0] == '\0') {
    why = "eu-addr2line (elfutils) is not installed";
    return -1;
  }
  // "--pid=N -f -C -i --pretty-print -a ADDR...": the symboliser reads the
  // dying process's mappings itself. A return address is looked up one byte
  // back, inside the call that it returns from.
  static char args[kMaxFrames + 1][24];
  static char* argv[kMaxFrames + 8];
  std::size_t argc = 0;
  argv[argc++] = installed->symboliser;
  FixedText<24> pid;
  pid << "--pid=";
  pid.Number(static_cast<unsigned long long>(getpid()));
  CopyText(args[0], sizeof args[0], pid.view());
  argv[argc++] = args[0];
  static char f[] = "-f", c[] = "-C", i[] = "-i", pretty[] = "--pretty-print", a[] = "-a";
  for (char* option : {f, c, i, pretty, a}) argv[argc++] = option;
  for (std::size_t k = 0; k < trace.size() && k < kMaxFrames; ++k) {
    FixedText<24> addr;
    addr << "0x";
    addr.Number(reinterpret_cast<std::uintptr_t>(trace[k].addr) - (k > 0 ? 1 : 0), 16);
    CopyText(args[k + 1], sizeof args[k + 1], addr.view());
    argv[argc++] = args[k + 1];
  }
  argv[argc] = nullptr;
  // No environment: nothing (debuginfod among others) reaches the network.
  static char* envp[] = {nullptr};

  int fds[2];
  if (pipe2(fds, O_CLOEXEC) != 0) {
    why = "no pipe to the symboliser";
    return -1;
  }
  const pid_t child = _Fork();
  if (child == 0) {
    const int null = open("/dev/null", O_RDWR);
    dup2(null, STDIN_FILENO);
    dup2(fds[1], STDOUT_FILENO);
    dup2(null, STDERR_FILENO);
    execve(argv[0], argv, envp);
    _exit(127);
  }
  close(fds[1]);
  if (child < 0) {
    close(fds[0]);
    why = "the symboliser could not be started";
    return -1;
  }
  const long long deadline = NowMs() + kSymboliserBudgetMs;
  std::size_t len = 0;
  bool timedOut = false;
  for (;;) {
    const long long wait = deadline - NowMs();
    if (wait <= 0) {
      timedOut = true;
      break;
    }
    pollfd pfd{fds[0], POLLIN, 0};
    const int ready = poll(&pfd, 1, static_cast<int>(wait));
    if (ready < 0 && errno == EINTR) continue;
    if (ready <= 0) {
      timedOut = ready == 0;
      break;
    }
    if (len == sizeof installed->symbols) break;  // the rest is cut off
    const ssize_t n = read(fds[0], installed->symbols + len, sizeof installed->symbols - len);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    len += static_cast<std::size_t>(n);
  }
  close(fds[0]);
  if (timedOut) kill(child, SIGKILL);
  int status = 0;
  while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
  }
  if (timedOut) {
    why = "the symboliser took too long (over 10 s)";
    return -1;
  }
  if (len == 0) {
    why = "the symboliser gave no answer";
    return -1;
  }
  return static_cast<long>(len);
}

// Each frame's function, file and line, after the raw part: the
// symboliser's lines, "0x...: function at file:line", numbered as the raw
// frames, with the calls inlined there indented beneath.
void WriteSymbolisedTrace(ReportOutput& out) {
  const char* why = "";
  const long len = RunSymboliser(installed->signalTrace, why);
  if (len < 0) {
    out << "Functions and lines: missing (" << why << ")\n";
    return;
  }
  out << "Functions and lines (eu-addr2line):\n";
  std::string_view rest(installed->symbols, static_cast<std::size_t>(len));
  std::size_t frame = 0;
  while (!rest.empty()) {
    const std::size_t end = rest.find('\n');
    const std::string_view line = rest.substr(0, end == std::string_view::npos ? rest.size() : end + 1);
    rest.remove_prefix(line.size());
    FixedText<32> number;
    if (line.substr(0, 2) == "0x") {
      number << "#";
      number.Number(frame++) << " ";
    } else {
      number << "   ";
    }
    out << number.view() << line;
    if (line.back() != '\n') out << "\n";
  }
}

void OnFatalSignal(int sig, siginfo_t* info, void* context) {
  if (!ending.test_and_set() && installed) {
    const std::time_t now = Now();
    PathText path;
    const int file = OpenReportFile(now, path);
    ReportOutput out(file);
    FixedText<128> message;
    message << "the program received a fatal signal";
    if (info->si_code <= 0) {
      // kill, raise, abort, sigqueue: sent, not a fault; si_addr means nothing.
      message << " sent by process ";
      message.Number(static_cast<unsigned long long>(info->si_pid));
    } else if (sig != SIGABRT) {
      message << " at address 0x";
      message.Number(reinterpret_cast<std::uintptr_t>(info->si_addr), 16);
    }
    WriteHeader(out, now, "a fatal signal (the program ends)", SignalName(sig), message.view());
    WriteSignalTrace(out, info, context);
    WriteExecutableMappings(out);
    WriteSymbolisedTrace(out);
    WriteFooter(out, ReportFolderKnown(), path);
  }
  // SA_RESETHAND has put back the default action and SA_NODEFER lets the
  // signal through at once: the process ends as the signal says.
  raise(sig);
  _exit(128 + sig);
}

[[noreturn]] void OnTerminate() {
  if (!ending.test_and_set()) {
    if (std::current_exception()) {
      CrashReporter::ReportCurrentException("std::terminate (the program ends)");
    } else {
      const std::time_t now = Now();
      PathText path;
      const int file = OpenReportFile(now, path);
      ReportOutput out(file);
      WriteHeader(out, now, "std::terminate (the program ends)", "none",
                  "terminate called without an active exception");
      out << ExceptionTrace();
      WriteFooter(out, ReportFolderKnown(), path);
    }
  }
  std::abort();  // reported already: the SIGABRT handler stays quiet
}

}  // namespace

CrashReporter::CrashReporter(std::string_view programVersion) {
  if (installed) throw std::logic_error("CrashReporter: installed twice");
  auto state = std::make_unique<Installed>();
  CopyText(state->version, sizeof state->version, programVersion);
  const std::string folder = FolderFromEnvironment();
  if (folder.size() < sizeof state->folder) CopyText(state->folder, sizeof state->folder, folder);
  // Reserves the frames and has the unwinder load what it loads lazily.
  state->signalTrace.load_here(kMaxFrames + 8);
  CopyText(state->symboliser, sizeof state->symboliser, FindSymboliser());

  state->altStack = std::make_unique<char[]>(kAltStackSize);
  stack_t stack{};
  stack.ss_sp = state->altStack.get();
  stack.ss_size = kAltStackSize;
  // A stack overflow is reported from a stack of its own.
  sigaltstack(&stack, &state->previousAltStack);

  installed = state.release();
  struct sigaction action {};
  action.sa_sigaction = OnFatalSignal;
  action.sa_flags = SA_SIGINFO | SA_ONSTACK | SA_NODEFER | SA_RESETHAND;
  sigfillset(&action.sa_mask);
  for (int sig : kFatalSignals) sigdelset(&action.sa_mask, sig);
  for (std::size_t i = 0; i < kSignalCount; ++i) {
    sigaction(kFatalSignals[i], &action, &installed->previous[i]);
  }
  installed->previousTerminate = std::set_terminate(OnTerminate);
}

CrashReporter::~CrashReporter() {
  std::set_terminate(installed->previousTerminate);
  for (std::size_t i = 0; i < kSignalCount; ++i) {
    sigaction(kFatalSignals[i], &installed->previous[i], nullptr);
  }
  if (installed->previousAltStack.ss_sp == nullptr) installed->previousAltStack.ss_flags = SS_DISABLE;
  sigaltstack(&installed->previousAltStack, nullptr);
  delete installed;
  installed = nullptr;
}

bool CrashReporter::Active() { return installed != nullptr; }

std::string CrashReporter::ReportFolder() { return installed ? installed->folder : ""; }

std::string CrashReporter::ReportCurrentException(std::string_view where) {
  if (!installed) return {};
  const ExceptionInfo info = CurrentException();
  const std::time_t now = Now();
  PathText path;
  const int file = OpenReportFile(now, path);
  ReportOutput out(file);
  WriteHeader(out, now, where, info.type, info.message);
  out << ExceptionTrace();
  return WriteFooter(out, ReportFolderKnown(), path) ? std::string(path.view()) : std::string();
}

}  // namespace plinvor
