#include <cmath>
#include <cstdint>
#include <cstring>
#include <optional>

#include "converter/echelle_entiere.h"
#include "converter/fpu.h"
#include "converter/montant.h"
#include "converter/puissance_dix_en_ligne.h"

namespace plinvor {

EConvertError::EConvertError(const std::string& texte)
    : std::runtime_error("'" + texte + "' is not a valid floating point value") {}

namespace {

constexpr int kExposantMaximal = 500;  // exponent reading stops once this is reached

bool EstChiffre(char c) { return c >= '0' && c <= '9'; }

// Digits accumulate as acc * 10 + digit, each step rounded to extended.
// While the value stays below 2^64 every step is exact, so it is kept as an
// integer (the same value, found faster); past that the extended steps take
// over, under the x87 settings that `garde` puts in place. Once infinite the
// value stays infinite, so the remaining digits are only counted.
class Accumulateur {
 public:
  explicit Accumulateur(std::optional<GardeFpu>& garde) : garde_(garde) {}

  void Ajouter(char chiffre) {
    const unsigned d = static_cast<unsigned>(chiffre - '0');
    if (entier_actif_) {
      if (entier_ <= (UINT64_MAX - 9) / 10) {
        entier_ = entier_ * 10 + d;
        return;
      }
      if (!garde_) garde_.emplace();
      etendu_ = static_cast<Montant>(entier_);
      entier_actif_ = false;
    }
    etendu_ = etendu_ * 10 + static_cast<Montant>(d);
  }
  // Past the largest amount: further digits change nothing but their count.
  bool Infini() const { return !entier_actif_ && std::isinf(etendu_); }
  // The exact integer, while the digits read so far fit in one.
  bool EstEntier() const { return entier_actif_; }
  std::uint64_t Entier() const { return entier_; }
  Montant Etendu() const { return etendu_; }

 private:
  std::optional<GardeFpu>& garde_;
  std::uint64_t entier_ = 0;
  Montant etendu_ = 0;
  bool entier_actif_ = true;
};

class Lecteur {
 public:
  explicit Lecteur(const std::string& texte)
      : p_(texte.data()), fin_(texte.data() + texte.size()) {}

  bool AuBout() const { return p_ == fin_; }
  bool Prendre(char c) {
    if (p_ == fin_ || *p_ != c) return false;
    ++p_;
    return true;
  }
  bool Prendre(const std::string& s) {
    if (s.empty() || static_cast<std::size_t>(fin_ - p_) < s.size() ||
        std::memcmp(p_, s.data(), s.size()) != 0)
      return false;
    p_ += s.size();
    return true;
  }
  bool ChiffreSuit() const { return p_ != fin_ && EstChiffre(*p_); }
  // Reads a run of digits into acc; gives how many there were.
  long long Chiffres(Accumulateur& acc) {
    const char* const debut = p_;
    while (p_ != fin_ && EstChiffre(*p_) && !acc.Infini()) acc.Ajouter(*p_++);
    while (p_ != fin_ && EstChiffre(*p_)) ++p_;
    return p_ - debut;
  }
  char Suivant() { return *p_++; }
  void SauterEspaces() {
    while (p_ != fin_ && *p_ == ' ') ++p_;
  }

 private:
  const char* p_;
  const char* const fin_;
};

}  // namespace

Montant LireMontant(const std::string& texte) {
  // The x87 steps run only for long digit strings and large scales; the
  // guard that sets up the unit for them, and clears the flags they raise,
  // comes into being with the first of them.
  std::optional<GardeFpu> garde;
  Lecteur lecteur(texte);

  lecteur.SauterEspaces();
  bool negatif = false;
  if (lecteur.Prendre('-')) {
    negatif = true;
  } else {
    lecteur.Prendre('+');
  }

  Accumulateur acc(garde);
  bool lu = lecteur.Chiffres(acc) > 0;
  long long decimales = 0;
  if (lecteur.Prendre(SeparateurDecimal)) {
    lu = true;
    decimales = lecteur.Chiffres(acc);
  }
  if (!lu) throw EConvertError(texte);

  int exposant = 0;
  if (lecteur.Prendre('e') || lecteur.Prendre('E')) {
    bool exposant_negatif = false;
    if (lecteur.Prendre('-')) {
      exposant_negatif = true;
    } else {
      lecteur.Prendre('+');
    }
    while (exposant < kExposantMaximal && lecteur.ChiffreSuit())
      exposant = exposant * 10 + (lecteur.Suivant() - '0');
    if (exposant_negatif) exposant = -exposant;
  }

  lecteur.SauterEspaces();
  if (!lecteur.AuBout()) throw EConvertError(texte);

  const long long echelle = exposant - decimales;
  Montant montant;
  if (acc.EstEntier() && echelle >= -kEchelleEntiereMax && echelle <= kEchelleEntiereMax) {
    // Typed amounts: an exact integer and a small scale, one rounding.
    montant = EchelleEntiere(acc.Entier(), static_cast<int>(echelle));
  } else {
    if (!garde) garde.emplace();
    const Montant accumule = acc.EstEntier() ? static_cast<Montant>(acc.Entier()) : acc.Etendu();
    // Any scale at or below -5120 gives 0; clamp before it can leave int's range.
    montant = PuissanceDixEnLigne(accumule, static_cast<int>(echelle < -5120 ? -5120 : echelle));
    GardeFpu::Termine(montant);
    if (std::isinf(accumule) || std::isinf(montant)) throw EConvertError(texte);
  }
  return negatif ? -montant : montant;
}

}  // namespace plinvor
