// The crash reporter: exceptions that escape event handlers are reported and
// shown and the program goes on; what leaves the program body, fatal signals
// and std::terminate are reported and end the process.
#include <csignal>

#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

#include "shell/application.h"
#include "shell/crash_reporter.h"
#include "tests/shell/window_fixture.h"

namespace {

// Reports go to a fresh state folder; the error message goes to a list.
class CrashReporterTest : public WindowTest {
 protected:
  void SetUp() override {
    ASSERT_TRUE(state.isValid());
    qputenv("XDG_STATE_HOME", state.path().toUtf8());
    reporter = std::make_unique<plinvor::CrashReporter>(PLINVOR_VERSION);
    app()->SetMessageBox([this](const QString& caption, const QString& text) { shown.push_back({caption, text}); });
    WindowTest::SetUp();
  }
  void TearDown() override {
    app()->SetMessageBox({});
    reporter.reset();
    qunsetenv("XDG_STATE_HOME");
  }
  static TApplication* app() { return qobject_cast<TApplication*>(qApp); }

  QStringList Reports() const {
    const QDir dir(state.path() + "/plinvor");
    QStringList texts;
    for (const QString& name : dir.entryList({"crash-*.txt"}, QDir::Files, QDir::Name)) {
      QFile f(dir.filePath(name));
      EXPECT_TRUE(f.open(QIODevice::ReadOnly));
      texts << QString::fromUtf8(f.readAll());
    }
    return texts;
  }

  QTemporaryDir state;
  std::unique_ptr<plinvor::CrashReporter> reporter;
  std::vector<std::pair<QString, QString>> shown;
};

TEST_F(CrashReporterTest, AnExceptionFromAKeyHandlerIsReportedShownAndTheProgramGoesOn) {
  bool fail = true;
  QObject::connect(form->edcfp, &TEdit::keyDown, [&](TEdit*, int, Qt::KeyboardModifiers) {
    if (fail) throw std::runtime_error("Handler failed");
  });
  testing::internal::CaptureStderr();
  Type("7");
  const std::string err = testing::internal::GetCapturedStderr();

  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].first, app()->Title());
  EXPECT_EQ(shown[0].second, "Handler failed.");
  EXPECT_EQ(form->edcfp->text(), "") << "the failed key-down ends the key's handling";

  const QStringList reports = Reports();
  ASSERT_EQ(reports.size(), 1);
  for (const QString& text : {reports[0], QString::fromStdString(err)}) {
    EXPECT_TRUE(text.contains("Program: Plinvor " PLINVOR_VERSION)) << text.toStdString();
    EXPECT_TRUE(text.contains(QRegularExpression("Time: \\d{4}-\\d\\d-\\d\\dT\\d\\d:\\d\\d:\\d\\dZ")));
    EXPECT_TRUE(text.contains("Where: an event handler"));
    EXPECT_TRUE(text.contains("Exception: std::runtime_error"));
    EXPECT_TRUE(text.contains("Message: Handler failed"));
    EXPECT_TRUE(text.contains("TEdit::")) << "the trace names the frames it went through";
  }

  fail = false;
  Type("7");
  EXPECT_EQ(form->edcfp->text(), "7");
  EXPECT_EQ(form->edff->text(), "0.38");
}

TEST_F(CrashReporterTest, AnExceptionEscapingAnyHandlerIsCaughtAndTheLoopGoesOn) {
  bool after = false;
  testing::internal::CaptureStderr();
  QTimer::singleShot(0, [] { throw std::length_error("Timer failed"); });
  QTimer::singleShot(20, [&] {
    after = true;
    QCoreApplication::exit(0);
  });
  EXPECT_EQ(QCoreApplication::exec(), 0);
  testing::internal::GetCapturedStderr();
  EXPECT_TRUE(after);
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].second, "Timer failed.");
  ASSERT_EQ(Reports().size(), 1);
  EXPECT_TRUE(Reports()[0].contains("Exception: std::length_error"));
}

TEST_F(CrashReporterTest, EAbortIsDroppedInSilence) {
  QObject::connect(form->edcfp, &TEdit::keyUp, [](TEdit*, int, Qt::KeyboardModifiers) { throw plinvor::EAbort(); });
  Type("5");
  EXPECT_TRUE(shown.empty());
  EXPECT_TRUE(Reports().isEmpty());
}

// A process that fails on purpose (crash_probe), with its own state folder.
struct ProbeRun {
  QProcess::ExitStatus status;
  int code;
  QString err;
  QStringList reports;
  qint64 pid;
};

QStringList ReportsIn(const QString& state) {
  QStringList reports;
  const QDir dir(state + "/plinvor");
  for (const QString& name : dir.entryList({"crash-*.txt"}, QDir::Files)) {
    QFile f(dir.filePath(name));
    if (f.open(QIODevice::ReadOnly)) reports << QString::fromUtf8(f.readAll());
  }
  return reports;
}

ProbeRun RunProbe(const QString& mode, const QString& path = QString()) {
  QTemporaryDir state;
  QProcess probe;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert("XDG_STATE_HOME", state.path());
  if (!path.isNull()) env.insert("PATH", path);
  probe.setProcessEnvironment(env);
  probe.start(QStringLiteral(CRASH_PROBE), {mode});
  const qint64 pid = probe.processId();
  EXPECT_TRUE(probe.waitForFinished(30000));
  return {probe.exitStatus(), probe.exitCode(), QString::fromUtf8(probe.readAllStandardError()),
          ReportsIn(state.path()), pid};
}

TEST(CrashProbe, AnExceptionLeavingTheProgramBodyIsReportedAndEndsWithOne) {
  const ProbeRun run = RunProbe("throw");
  EXPECT_EQ(run.status, QProcess::NormalExit);
  EXPECT_EQ(run.code, 1);
  ASSERT_EQ(run.reports.size(), 1);
  EXPECT_TRUE(run.reports[0].contains("Where: the program body"));
  EXPECT_TRUE(run.reports[0].contains("Message: probe: left the program body"));
  EXPECT_TRUE(run.err.contains("Message: probe: left the program body"));
}

TEST(CrashProbe, NothingIsReportedWhenNothingFails) {
  const ProbeRun run = RunProbe("none");
  EXPECT_EQ(run.code, 0);
  EXPECT_TRUE(run.reports.isEmpty());
  EXPECT_TRUE(run.err.isEmpty());
}

struct SignalCase {
  const char* mode;
  const char* name;
};

class FatalSignalTest : public testing::TestWithParam<SignalCase> {};

TEST_P(FatalSignalTest, IsReportedWithATraceThenTakesItsDefaultAction) {
  const ProbeRun run = RunProbe(GetParam().mode);
  EXPECT_EQ(run.status, QProcess::CrashExit) << "the signal ends the process";
  ASSERT_EQ(run.reports.size(), 1) << run.err.toStdString();
  const QString& report = run.reports[0];
  EXPECT_TRUE(report.contains(QString("Exception: ") + GetParam().name)) << report.toStdString();
  EXPECT_TRUE(report.contains("Program: Plinvor " PLINVOR_VERSION));
  // Raw frames, and the mapping of the probe itself to resolve them.
  EXPECT_GE(report.count(QRegularExpression("\n#\\d+ 0x[0-9a-f]{16}\n")), 3) << report.toStdString();
  EXPECT_TRUE(report.contains("Executable mappings"));
  EXPECT_TRUE(report.contains("crash_probe\n"));
  EXPECT_TRUE(run.err.contains(QString("Exception: ") + GetParam().name));
}

TEST(CrashProbe, ASegvReportNamesTheFaultingFunctionAfterItsRawPart) {
  const ProbeRun run = RunProbe("segv");
  ASSERT_EQ(run.reports.size(), 1) << run.err.toStdString();
  const QString& report = run.reports[0];
  EXPECT_TRUE(report.contains("Message: the program received a fatal signal at address 0x0\n"))
      << report.toStdString();
  const qsizetype raw = report.indexOf("Stack trace (most recent call first; raw addresses):");
  const qsizetype named = report.indexOf("Functions and lines (eu-addr2line):");
  ASSERT_GE(raw, 0);
  ASSERT_GT(named, raw) << report.toStdString();
  // The fault happened in the probe's WriteThrough, called from its main.
  EXPECT_TRUE(report.mid(named).contains(
      QRegularExpression("\n#0 0x[0-9a-f]+: WriteThrough at [^\n]*crash_probe\\.cpp:\\d+")))
      << report.toStdString();
  EXPECT_TRUE(report.mid(named).contains(QRegularExpression("\n#\\d+ 0x[0-9a-f]+: main at ")));
  EXPECT_TRUE(report.endsWith("=== end of report ===\n"));
}

TEST(CrashProbe, ASignalReportSaysWhenItsFunctionsAreMissing) {
  const ProbeRun run = RunProbe("segv", "/nonexistent");  // no symboliser on PATH
  EXPECT_EQ(run.status, QProcess::CrashExit);
  ASSERT_EQ(run.reports.size(), 1) << run.err.toStdString();
  EXPECT_TRUE(run.reports[0].contains("Functions and lines: missing (eu-addr2line (elfutils) is not installed)\n"))
      << run.reports[0].toStdString();
  EXPECT_GE(run.reports[0].count(QRegularExpression("\n#\\d+ 0x[0-9a-f]{16}\n")), 3) << "the raw part stays";
}

TEST(CrashProbe, ASignalSentByAProcessNamesTheSenderNotAnAddress) {
  const ProbeRun run = RunProbe("kill");
  EXPECT_EQ(run.status, QProcess::CrashExit);
  ASSERT_EQ(run.reports.size(), 1) << run.err.toStdString();
  EXPECT_TRUE(run.reports[0].contains(
      QString("Message: the program received a fatal signal sent by process %1\n").arg(run.pid)))
      << run.reports[0].toStdString();
  EXPECT_FALSE(run.reports[0].contains("at address"));
}

TEST(CrashProbe, AReportFileCutShortIsAnnouncedAsNotWritten) {
  const ProbeRun run = RunProbe("segv-small-files");
  EXPECT_EQ(run.status, QProcess::CrashExit);
  EXPECT_TRUE(run.err.contains("=== end of report ===")) << "standard error has the whole report";
  EXPECT_TRUE(run.err.contains("The report file could not be written: ")) << run.err.toStdString();
  EXPECT_FALSE(run.err.contains("Crash report written to"));
}

// Standard error is a pipe that is full and that nobody reads.
TEST(CrashProbe, AFullStandardErrorPipeDoesNotKeepTheProcessAlive) {
  QTemporaryDir state;
  int fds[2];
  ASSERT_EQ(pipe(fds), 0);
  fcntl(fds[1], F_SETFL, O_NONBLOCK);
  const std::string block(4096, 'x');
  while (write(fds[1], block.data(), block.size()) > 0) {
  }
  fcntl(fds[1], F_SETFL, 0);  // the probe's writes would block

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, fds[1], STDERR_FILENO);
  posix_spawn_file_actions_addclose(&actions, fds[0]);
  const std::string stateVar = "XDG_STATE_HOME=" + state.path().toStdString();
  const std::string pathVar = std::string("PATH=") + (getenv("PATH") ? getenv("PATH") : "/usr/bin:/bin");
  char* envp[] = {const_cast<char*>(stateVar.c_str()), const_cast<char*>(pathVar.c_str()), nullptr};
  char mode[] = "segv";
  char probe[] = CRASH_PROBE;
  char* argv[] = {probe, mode, nullptr};
  pid_t pid = 0;
  ASSERT_EQ(posix_spawn(&pid, probe, &actions, nullptr, argv, envp), 0);
  posix_spawn_file_actions_destroy(&actions);
  close(fds[1]);

  int status = 0;
  pid_t ended = 0;
  for (int i = 0; i < 300 && ended == 0; ++i) {  // up to 30 s
    ended = waitpid(pid, &status, WNOHANG);
    if (ended == 0) usleep(100000);
  }
  if (ended == 0) {
    kill(pid, SIGKILL);
    waitpid(pid, &status, 0);
  }
  close(fds[0]);
  ASSERT_NE(ended, 0) << "the probe still ran after 30 s";
  EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGSEGV);
  const QStringList reports = ReportsIn(state.path());
  ASSERT_EQ(reports.size(), 1);
  EXPECT_TRUE(reports[0].endsWith("=== end of report ===\n")) << "the file has all of it";
}

INSTANTIATE_TEST_SUITE_P(Signals, FatalSignalTest,
                         testing::Values(SignalCase{"segv", "SIGSEGV"}, SignalCase{"abort", "SIGABRT"},
                                         SignalCase{"fpe", "SIGFPE"}));

TEST(CrashProbe, TerminateIsReportedOnceWithTheException) {
  const ProbeRun run = RunProbe("terminate");
  EXPECT_EQ(run.status, QProcess::CrashExit);
  ASSERT_EQ(run.reports.size(), 1) << "abort() after the report is not reported again";
  EXPECT_TRUE(run.reports[0].contains("Where: std::terminate"));
  EXPECT_TRUE(run.reports[0].contains("Exception: std::logic_error"));
}

}  // namespace
