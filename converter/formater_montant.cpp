#include <cmath>
#include <cstdint>
#include <cstring>
#include <memory>

#include "converter/fpu.h"
#include "converter/montant.h"
#include "converter/puissance_dix_en_ligne.h"

namespace plinvor {
namespace {

constexpr int kChiffresSignificatifs = 18;
constexpr Montant kDixPuissance18 = 1e18L;  // exact in extended

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

// The sign bit and the 15-bit biased exponent of an x87 extended number, read
// from its bytes: cheaper than asking the unit (fxam) for the sign.
struct SigneExposant {
  explicit SigneExposant(Montant v) {
    std::uint16_t mot;
    std::memcpy(&mot, reinterpret_cast<const unsigned char*>(&v) + 8, 2);
    negatif = mot >> 15;
    exposant = mot & 0x7FFF;  // 0 for zero and subnormals, 0x7FFF for infinities and NaN
  }
  bool negatif;
  int exposant;
};

// Rounds v to 18 significant digits, ties to even.
FormeDecimale DixHuitChiffres(Montant v, SigneExposant bits) {
  FormeDecimale forme;
  if (bits.exposant == 0) return forme;  // zero, -0 and subnormals
  forme.negatif = bits.negatif;
  const int e = bits.exposant - 16383;
  // 19728 / 65536 lies just below log10(2): the estimate is right or one too
  // small (and, below 10^-200, sometimes one too large: a leading 0 digit).
  int x = ((e * 19728) >> 16) + 1;
  // When the estimate is one too small, t lies in [10^18, 2 * 10^18): one
  // digit too many, and t / 10 is then well below 10^18 again.
  Montant t = std::rint(PuissanceDixEnLigne(std::fabs(v), kChiffresSignificatifs - x));
  if (t >= kDixPuissance18) {
    t = std::rint(t / 10);
    ++x;
  }
  Ecrire18Chiffres(EntierExact(t), forme.chiffres);
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
  const SigneExposant bits(montant);
  if (bits.exposant == 0x7FFF) return std::isnan(montant) ? "NAN" : bits.negatif ? "-INF" : "INF";
  if (decimales > kChiffresSignificatifs) decimales = kChiffresSignificatifs;
  if (decimales < 0) decimales = 0;

  FormeDecimale forme = DixHuitChiffres(montant, bits);
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
