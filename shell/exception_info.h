// What can be said of the exception being handled: its type, demangled, and
// its message (what() of a std::exception). For use inside a catch block.
#pragma once

#include <string>

namespace plinvor {

struct ExceptionInfo {
  std::string type;     // e.g. "plinvor::EConvertError"; "" outside a catch block
  std::string message;  // what(); "Unknown exception" for other types
};

ExceptionInfo CurrentException();

}  // namespace plinvor
