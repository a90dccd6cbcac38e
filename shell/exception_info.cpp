#include "shell/exception_info.h"

#include <cstdlib>
#include <cxxabi.h>
#include <exception>
#include <memory>
#include <typeinfo>

namespace plinvor {

ExceptionInfo CurrentException() {
  ExceptionInfo info;
  const std::type_info* type = abi::__cxa_current_exception_type();
  if (!type) return info;
  int status = 0;
  std::unique_ptr<char, decltype(&std::free)> demangled(
      abi::__cxa_demangle(type->name(), nullptr, nullptr, &status), &std::free);
  info.type = status == 0 && demangled ? demangled.get() : type->name();
  try {
    throw;
  } catch (const std::exception& e) {
    info.message = e.what();
  } catch (...) {
    info.message = "Unknown exception";
  }
  return info;
}

}  // namespace plinvor
