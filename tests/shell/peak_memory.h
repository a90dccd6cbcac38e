// Peak resident memory of this process so far (VmHWM), in MB; -1 when the
// kernel does not say.
#pragma once

#include <fstream>
#include <string>

inline double PeakRssMb() {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind("VmHWM:", 0) == 0) return std::stod(line.substr(6)) / 1024;
  }
  return -1;
}
