// The program body: the crash reporter first, the application object, the
// regional separators, the one window, the event loop; then everything is
// taken down in the reverse order and the process ends with the loop's exit
// code (0), or with 1 if an exception left the body.
#include "converter/montant.h"
#include "shell/application.h"
#include "shell/calc.h"
#include "shell/crash_reporter.h"
#include "shell/program_body.h"
#include "shell/scaling.h"
#include "shell/startup_preload.h"
#include "shell/termination_signals.h"

int main(int argc, char** argv) {
  plinvor::CrashReporter reporter(PLINVOR_VERSION);
  return plinvor::RunProgramBody([&] {
    plinvor::TerminationSignals::Install();
    plinvor::PinPixelScale();
    plinvor::LireSeparateurs();
    plinvor::StartupPreload preload;
    TApplication application(argc, argv);
    application.CreateForm(Form1);
    const int code = application.Run();
    Form1 = nullptr;  // the application object destroys the window
    return code;
  });
}
