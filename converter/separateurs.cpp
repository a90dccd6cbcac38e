#include "converter/separateurs.h"

#include <iconv.h>
#include <langinfo.h>
#include <locale.h>

#include <cstdlib>
#include <cstring>

#include "converter/montant.h"

namespace plinvor {

std::string SeparateurDecimal = ".";
std::string SeparateurMilliers = ",";

namespace {

// Number of code points in valid UTF-8, or nothing for invalid UTF-8.
std::optional<std::size_t> CaracteresUtf8(std::string_view s) {
  std::size_t n = 0;
  for (std::size_t i = 0; i < s.size(); ++n) {
    const auto octet = static_cast<unsigned char>(s[i]);
    const std::size_t longueur = octet < 0x80 ? 1 : (octet >> 5) == 0x6 ? 2 : (octet >> 4) == 0xE ? 3
                                 : (octet >> 3) == 0x1E ? 4 : 0;
    if (longueur == 0 || i + longueur > s.size()) return std::nullopt;
    for (std::size_t k = 1; k < longueur; ++k)
      if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) return std::nullopt;
    i += longueur;
  }
  return n;
}

bool EstAscii(std::string_view s) {
  for (char c : s)
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  return true;
}

std::optional<std::string> VersUtf8(std::string_view valeur, const char* codeset) {
  iconv_t cd = iconv_open("UTF-8", codeset);
  if (cd == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
  std::string entree(valeur);
  char sortie[32];
  char* in = entree.data();
  std::size_t in_reste = entree.size();
  char* out = sortie;
  std::size_t out_reste = sizeof sortie;
  const std::size_t r = iconv(cd, &in, &in_reste, &out, &out_reste);
  iconv_close(cd);
  if (r == static_cast<std::size_t>(-1) || in_reste != 0) return std::nullopt;
  return std::string(sortie, static_cast<std::size_t>(out - sortie));
}

// The locale that numbers follow: LC_ALL, then LC_NUMERIC, then LANG, as the
// C library resolves them (an empty variable counts as unset).
const char* NomLocaleNumerique() {
  for (const char* variable : {"LC_ALL", "LC_NUMERIC", "LANG"}) {
    const char* valeur = std::getenv(variable);
    if (valeur && *valeur) return valeur;
  }
  return "C";
}

std::optional<std::string> Lire(locale_t locale, nl_item item, const char* codeset) {
  const char* valeur = nl_langinfo_l(item, locale);
  if (!valeur) return std::nullopt;
  return SeparateurUtf8(valeur, codeset);
}

}  // namespace

std::optional<std::string> SeparateurUtf8(std::string_view valeur, const char* codeset) {
  std::optional<std::string> utf8;
  if (EstAscii(valeur)) {
    utf8 = std::string(valeur);
  } else if (std::strcmp(codeset, "UTF-8") == 0) {
    utf8 = std::string(valeur);
  } else {
    utf8 = VersUtf8(valeur, codeset);
  }
  if (!utf8) return std::nullopt;
  const auto n = CaracteresUtf8(*utf8);
  if (!n || *n > 1) return std::nullopt;
  return utf8;
}

void LireSeparateurs() {
  // A locale object of our own: the process's C locale stays as it is.
  // LC_CTYPE comes along so that CODESET names the charset of the values.
  locale_t locale = newlocale(LC_NUMERIC_MASK | LC_CTYPE_MASK, NomLocaleNumerique(), nullptr);
  if (locale == nullptr) {
    SeparateurMilliers = ",";
    SeparateurDecimal = ".";
    return;
  }
  const char* codeset = nl_langinfo_l(CODESET, locale);
  SeparateurMilliers = Lire(locale, THOUSEP, codeset).value_or(",");
  SeparateurDecimal = Lire(locale, RADIXCHAR, codeset).value_or(".");
  freelocale(locale);
}

}  // namespace plinvor
