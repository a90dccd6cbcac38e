// Any text: LireMontant either returns a finite amount or throws
// EConvertError quoting the text, never reads outside it, and leaves the x87
// control word as it found it and no status flag set.
#include <cfenv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "converter/montant.h"

namespace {

std::uint16_t MotDeControle() {
  std::uint16_t cw;
  asm volatile("fnstcw %0" : "=m"(cw));
  return cw;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  // The first byte picks the separators, the rest is the text.
  static const char* const kDecimaux[] = {",", ".", "", "\u066b"};
  plinvor::SeparateurDecimal = kDecimaux[data[0] % 4];
  const std::string texte(reinterpret_cast<const char*>(data) + 1, size - 1);

  const std::uint16_t avant = MotDeControle();
  std::feclearexcept(FE_ALL_EXCEPT);
  try {
    const plinvor::Montant m = plinvor::LireMontant(texte);
    if (!std::isfinite(m)) std::abort();
  } catch (const plinvor::EConvertError& e) {
    // what() is a C string: it ends at the text's first NUL byte, if any.
    const std::string attendu = "'" + texte + "' is not a valid floating point value";
    if (std::string(e.what()) != attendu.c_str()) std::abort();
  }
  if (std::fetestexcept(FE_ALL_EXCEPT) != 0 || MotDeControle() != avant) {
    std::fprintf(stderr, "flags %x, control word %x before, %x after\n", std::fetestexcept(FE_ALL_EXCEPT), avant, MotDeControle());
    std::abort();
  }
  return 0;
}
