#include "textutil/textutil.h"

#include <cstring>

namespace plinvor {

std::string SupprCar(std::string_view s, char c) {
  std::string result;
  result.reserve(s.size());
  // Copy the runs between occurrences in blocks: memchr finds each one at
  // memory speed, so the walk is linear however many occurrences there are.
  const char* p = s.data();
  const char* const end = p + s.size();
  while (p < end) {
    const void* hit = std::memchr(p, static_cast<unsigned char>(c), static_cast<std::size_t>(end - p));
    const char* stop = hit ? static_cast<const char*>(hit) : end;
    result.append(p, static_cast<std::size_t>(stop - p));
    p = stop + (hit ? 1 : 0);
  }
  return result;
}

std::string SupprEspaces(std::string_view s) { return SupprCar(s, ' '); }

}  // namespace plinvor
