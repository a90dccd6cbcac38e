// The three currencies, their fixed parity rates and the conversion between
// them.
#pragma once

#include <stdexcept>
#include <string>
#include <vector>

#include "converter/montant.h"

namespace plinvor {

// The tag of an amount field names its currency.
enum Devise : int { TagCfp = 0, TagFf = 1, TagEuro = 2 };

// Rates as doubles, widened exactly to extended when used. They are three
// independent constants: no rate is derived from the others.
struct Taux {
  double ffpareuro = 0;   // French francs per euro
  double cfpparff = 0;    // CFP francs per French franc
  double europarcfp = 0;  // euros per CFP franc
};
inline constexpr Taux TauxDeParite{6.55957, 18.19200683, 0.00838};

// One text to write into the field whose tag is `tag`.
struct Ecriture {
  int tag;
  std::string texte;
};

// Thrown by Convertir when a result is beyond the largest finite amount.
class EOverflow : public std::runtime_error {
 public:
  EOverflow();
};

// The two texts that an amount typed into the field `tag` gives the two other
// fields, in the order they are written: first the field after the source in
// the cycle CFP -> FF -> euro -> CFP, then the other one. Each result is one
// multiplication or division of `montant` by one rate, rounded once; CFP
// francs are shown with 0 decimals, the others with 2.
//   tag 0: FF = m / cfpparff,  euro = m * europarcfp
//   tag 1: euro = m / ffpareuro, CFP = m * cfpparff
//   tag 2: CFP = m / europarcfp, FF = m * ffpareuro
// Empty for any other tag. Throws EOverflow, before formatting anything, when
// either result overflows.
// Example (".", ","): Convertir(TauxDeParite, 0, 1000) == {{1, "54.97"}, {2, "8.38"}}.
std::vector<Ecriture> Convertir(const Taux& taux, int tag, Montant montant);

}  // namespace plinvor
