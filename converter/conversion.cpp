#include "converter/conversion.h"

#include <cmath>

namespace plinvor {

EOverflow::EOverflow() : std::runtime_error("Floating point overflow") {}

namespace {

int Decimales(int tag) { return tag == TagCfp ? 0 : 2; }

}  // namespace

std::vector<Ecriture> Convertir(const Taux& taux, int tag, Montant montant) {
  const Montant ffpareuro = taux.ffpareuro;
  const Montant cfpparff = taux.cfpparff;
  const Montant europarcfp = taux.europarcfp;

  int premier, second;
  Montant r1, r2;
  switch (tag) {
    case TagCfp:
      premier = TagFf, r1 = montant / cfpparff;
      second = TagEuro, r2 = montant * europarcfp;
      break;
    case TagFf:
      premier = TagEuro, r1 = montant / ffpareuro;
      second = TagCfp, r2 = montant * cfpparff;
      break;
    case TagEuro:
      premier = TagCfp, r1 = montant / europarcfp;
      second = TagFf, r2 = montant * ffpareuro;
      break;
    default:
      return {};
  }
  if (std::isinf(r1) || std::isinf(r2)) throw EOverflow();
  std::vector<Ecriture> ecritures;
  ecritures.reserve(2);
  ecritures.push_back({premier, FormaterMontant(r1, Decimales(premier))});
  ecritures.push_back({second, FormaterMontant(r2, Decimales(second))});
  return ecritures;
}

}  // namespace plinvor
