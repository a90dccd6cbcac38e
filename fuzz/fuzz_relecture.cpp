// Any finite amount, any number of decimals, any of several separator
// settings: the formatted text is at most 43 characters besides its
// separators, and once its spaces are removed it reads back as an amount that
// formats to the very same text (wherever the grouping is the space or none).
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "converter/montant.h"
#include "textutil/textutil.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 12) return 0;
  plinvor::Montant m;
  std::memset(&m, 0, sizeof m);
  std::memcpy(&m, data, 10);
  // Only the x87 unit's own kinds of number: finite, with the integer bit
  // matching the exponent (no pseudo-denormals or unnormals).
  std::uint64_t significande;
  std::uint16_t signe_exposant;
  std::memcpy(&significande, data, 8);
  std::memcpy(&signe_exposant, data + 8, 2);
  const bool bit_entier = significande >> 63;
  if (!std::isfinite(m) || bit_entier != ((signe_exposant & 0x7FFF) != 0)) return 0;

  const int decimales = data[10] % 20;
  struct Reglage {
    const char* decimal;
    const char* milliers;
  };
  static const Reglage kReglages[] = {{",", " "}, {".", " "}, {",", ""}, {"\u066b", ""}, {"", " "}};
  const Reglage& r = kReglages[data[11] % 5];
  plinvor::SeparateurDecimal = r.decimal;
  plinvor::SeparateurMilliers = r.milliers;

  const std::string texte = plinvor::FormaterMontant(m, decimales);
  // Without a decimal separator a fixed form with decimals shows, and reads
  // as, its digits as one integer: another amount, by design.
  const bool autre_montant = *r.decimal == '\0' && decimales > 0 && texte.find('E') == std::string::npos;
  const plinvor::Montant relu = plinvor::LireMontant(plinvor::SupprEspaces(texte));
  if (!autre_montant && plinvor::FormaterMontant(relu, decimales) != texte) std::abort();
  return 0;
}
