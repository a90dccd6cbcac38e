#include "shell/program_body.h"

#include "shell/crash_reporter.h"

namespace plinvor {

int RunProgramBody(const std::function<int()>& body) {
  try {
    return body();
  } catch (...) {
    CrashReporter::ReportCurrentException("the program body (the program ends)");
    return 1;
  }
}

}  // namespace plinvor
