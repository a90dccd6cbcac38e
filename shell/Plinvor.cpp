// The program body: the crash reporter first, the application object, the
// regional separators, the one window, the event loop; then everything is
// taken down in the reverse order and the process ends with the loop's exit
// code (0), or with 1 if an exception left the body.
#include <cstdio>
#include <memory>

#include <unistd.h>

#include "converter/montant.h"
#include "shell/application.h"
#include "shell/calc.h"
#include "shell/crash_reporter.h"
#include "shell/display_connection.h"
#include "shell/program_body.h"
#include "shell/scaling.h"
#include "shell/startup_preload.h"
#include "shell/termination_signals.h"

namespace {

// Qt's Wayland platform (qtwayland 6.4) can hang for good while the
// application object is destroyed: ~QWaylandDisplay waits for Qt's Wayland
// event thread, which waits in wl_display_read_events for a read that another
// of Qt's readers prepared and never completes. It shows in a few closes in
// ten when the program shares a busy CPU; nothing of ours is involved by then
// (the window is gone, no thread or timer of ours runs). So on Wayland the
// process ends once our own side is taken down, without the platform's
// teardown: that teardown only frees memory and closes the connection, which
// the end of the process does as well, and the program keeps no state that
// could be lost.
bool SkipsPlatformTeardown(const TApplication& application) {
  return application.platformName() == QLatin1String("wayland");
}

}  // namespace

int main(int argc, char** argv) {
  bool endNow = false;
  int code = 0;
  {
    plinvor::CrashReporter reporter(PLINVOR_VERSION);
    code = plinvor::RunProgramBody([&] {
      plinvor::TerminationSignals::Install();
      plinvor::PinPixelScale();
      plinvor::LireSeparateurs();
      plinvor::StartupPreload preload;
      std::unique_ptr<TApplication> application;
      {
        plinvor::DisplayConnection connection;
        application = std::make_unique<TApplication>(argc, argv);
      }
      application->CreateForm(Form1);
      const int loopCode = application->Run();
      Form1 = nullptr;
      application->DestroyForms();
      if (SkipsPlatformTeardown(*application)) {
        endNow = true;
        (void)application.release();  // left to the end of the process
      }
      return loopCode;
    });
  }  // the crash reporter is removed last
  if (endNow) {
    std::fflush(nullptr);
    _exit(code);
  }
  return code;
}
