#include <cmath>
#include <cstdint>
#include <cstring>
#include <memory>

#include "converter/echelle_entiere.h"
#include "converter/fpu.h"
#include "converter/montant.h"
#include "converter/puissance_dix_en_ligne.h"

namespace plinvor {
namespace {

constexpr int kChiffresSignificatifs = 18;
constexpr Montant kDixPuissance18 = 1e18L;  // exact in extended
constexpr std::uint64_t kDixPuissance18Entier = 1000000000000000000ull;

// The decimal form of an amount: magnitude 0.chiffres x 10^exposant.
struct FormeDecimale {
  char chiffres[kChiffresSignificatifs];
  int nombre = 0;  // digits in use; 0 for zero
  int exposant = 0;
  bool negatif = false;
};

constexpr char kPaires[] =
    "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
    "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
    "8081828384858687888990919293949596979899";

// v (below 10^9) as exactly 9 digits.
void Ecrire9Chiffres(std::uint32_t v, char* sortie) {
  sortie[8] = static_cast<char>('0' + v % 10);
  v /= 10;
  for (int i = 6; i >= 0; i -= 2) {
    std::memcpy(sortie + i, kPaires + 2 * (v % 100), 2);
    v /= 100;
  }
}

// t (below 10^18) as exactly 18 digits, in two independent halves.
void Ecrire18Chiffres(std::uint64_t t, char* sortie) {
  Ecrire9Chiffres(static_cast<std::uint32_t>(t / 1000000000), sortie);
  Ecrire9Chiffres(static_cast<std::uint32_t>(t % 1000000000), sortie + 9);
}

// Biased exponent field of an x87 extended number (0 for zero and subnormals).
int ChampExposant(Montant v) {
  std::uint16_t signe_exposant;
  std::memcpy(&signe_exposant, reinterpret_cast<const unsigned char*>(&v) + 8, 2);
  return signe_exposant & 0x7FFF;
}

// Rounds v to 18 significant digits, ties to even.
FormeDecimale DixHuitChiffres(Montant v) {
  FormeDecimale forme;
  if (v == 0 || ChampExposant(v) == 0) return forme;  // zero, -0 and subnormals
  forme.negatif = std::signbit(v);
  const int e = ChampExposant(v) - 16383;
  // 19728 / 65536 lies just below log10(2): the estimate is right or one too
  // small (and, below 10^-200, sometimes one too large: a leading 0 digit).
  int x = ((e * 19728) >> 16) + 1;
  const int echelle = kChiffresSignificatifs - x;
  std::uint64_t t;
  if (echelle >= 0 && echelle <= kEchelleEntiereMax) {
    // Amounts from about 10^-9 to 10^18: the same roundings, in integers.
    t = EntierArrondi(std::fabs(v), echelle);
    if (t >= kDixPuissance18Entier) {
      // rint(t / 10): t / 10 keeps at least four fraction bits in extended,
      // so only an exact half is a tie.
      const std::uint64_t q = t / 10, r = t % 10;
      t = q + (r > 5 || (r == 5 && (q & 1)) ? 1 : 0);
      ++x;
    }
  } else {
    Montant tl = std::rint(PuissanceDixEnLigne(std::fabs(v), echelle));
    if (tl >= kDixPuissance18) {
      tl = std::rint(tl / 10);
      ++x;
    }
    t = EntierExact(tl);
  }
  // 9999999999999999995 / 10 rounds (to even) up to 10^18 itself: that is
  // the digit 1 one place further up, not a 19th digit.
  if (t >= kDixPuissance18Entier) {
    t /= 10;
    ++x;
  }
  Ecrire18Chiffres(t, forme.chiffres);
  forme.nombre = kChiffresSignificatifs;
  forme.exposant = x;
  return forme;
}

void MettreAZero(FormeDecimale& forme) {
  forme.nombre = 0;
  forme.exposant = 0;
  forme.negatif = false;
}

void SupprimerZerosFinaux(FormeDecimale& forme) {
  while (forme.nombre > 0 && forme.chiffres[forme.nombre - 1] == '0') --forme.nombre;
  if (forme.nombre == 0) MettreAZero(forme);
}

// Keeps the digits in front of the 10^-decimales place; a first dropped digit
// of 5 or more rounds the magnitude up.
void ArrondirAuxDecimales(FormeDecimale& forme, int decimales) {
  if (forme.nombre == 0) return;
  const int p = forme.exposant + decimales;
  if (p < 0) {
    MettreAZero(forme);
    return;
  }
  if (p < kChiffresSignificatifs && forme.chiffres[p] >= '5') {
    int i = p - 1;
    while (i >= 0 && forme.chiffres[i] == '9') --i;  // a 9 that becomes 10 is dropped
    if (i < 0) {  // the carry passed the first digit (or p == 0)
      forme.chiffres[0] = '1';
      forme.nombre = 1;
      ++forme.exposant;
      return;
    }
    ++forme.chiffres[i];
    forme.nombre = i + 1;
    return;
  }
  if (p < kChiffresSignificatifs) forme.nombre = p;
  SupprimerZerosFinaux(forme);
}

char* Ajouter(char* sortie, const std::string& s) {
  std::memcpy(sortie, s.data(), s.size());
  return sortie + s.size();
}

char* AjouterEntier(char* sortie, int n) {
  char tampon[12];
  int i = 0;
  do {
    tampon[i++] = static_cast<char>('0' + n % 10);
    n /= 10;
  } while (n != 0);
  while (i > 0) *sortie++ = tampon[--i];
  return sortie;
}

char Chiffre(const FormeDecimale& forme, int position) {
  return position >= 0 && position < forme.nombre ? forme.chiffres[position] : '0';
}

char* EcrireFormeFixe(char* s, const FormeDecimale& forme, int decimales) {
  const int x = forme.exposant;
  if (x <= 0) {
    *s++ = '0';
  } else {
    for (int i = 0; i < x; ++i) {
      if (i > 0 && (x - i) % 3 == 0) s = Ajouter(s, SeparateurMilliers);
      *s++ = Chiffre(forme, i);
    }
  }
  if (decimales > 0) {
    s = Ajouter(s, SeparateurDecimal);
    for (int j = 0; j < decimales; ++j) *s++ = Chiffre(forme, x + j);
  }
  return s;
}

char* EcrireFormeScientifique(char* s, const FormeDecimale& forme) {
  *s++ = forme.chiffres[0];
  int exposant = forme.exposant - 1;
  if (forme.nombre > 1) {
    if (SeparateurDecimal.empty()) {
      // No separator to put after the first digit: write all the digits as one
      // integer and lower the exponent to match, so the text reads back.
      exposant -= forme.nombre - 1;
    } else {
      s = Ajouter(s, SeparateurDecimal);
    }
    std::memcpy(s, forme.chiffres + 1, static_cast<std::size_t>(forme.nombre - 1));
    s += forme.nombre - 1;
  }
  *s++ = 'E';
  return AjouterEntier(s, exposant);
}

}  // namespace

std::string FormaterMontant(Montant montant, int decimales) {
  if (!std::isfinite(montant)) return std::isnan(montant) ? "NAN" : montant < 0 ? "-INF" : "INF";
  if (decimales > kChiffresSignificatifs) decimales = kChiffresSignificatifs;
  if (decimales < 0) decimales = 0;

  FormeDecimale forme = DixHuitChiffres(montant);
  ArrondirAuxDecimales(forme, decimales);

  // Longest text: sign, 18 digits, 5 group separators, the decimal separator
  // and 18 decimals; the scientific form is shorter. Separators are one
  // character (at most 4 bytes), but a caller may have assigned longer ones.
  const std::size_t taille =
      64 + 5 * SeparateurMilliers.size() + SeparateurDecimal.size();
  char pile[96];
  std::unique_ptr<char[]> tas;
  char* tampon = pile;
  if (taille > sizeof pile) {
    tas = std::make_unique<char[]>(taille);
    tampon = tas.get();
  }
  char* s = tampon;
  if (forme.negatif) *s++ = '-';
  if (forme.exposant > kChiffresSignificatifs) {
    s = EcrireFormeScientifique(s, forme);
  } else {
    s = EcrireFormeFixe(s, forme, decimales);
  }
  return std::string(tampon, static_cast<std::size_t>(s - tampon));
}

}  // namespace plinvor
