// How an exception that leaves the program body ends the process.
#pragma once

#include <functional>

namespace plinvor {

// Runs `body` and gives its result. An exception that leaves it is handed to
// the crash reporter and ends the body with exit code 1.
int RunProgramBody(const std::function<int()>& body);

}  // namespace plinvor
