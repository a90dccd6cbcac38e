#include "textutil/textutil.h"

namespace plinvor {

std::string SupprCar(std::string_view s, char c) {
  // One pass, each byte looked at once: linear whatever the text holds.
  std::string result(s.size(), '\0');
  char* out = result.data();
  for (char octet : s) {
    *out = octet;
    out += octet != c;
  }
  result.resize(static_cast<std::size_t>(out - result.data()));
  return result;
}

std::string SupprEspaces(std::string_view s) { return SupprCar(s, ' '); }

}  // namespace plinvor
