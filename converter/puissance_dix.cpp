#include "converter/puissance_dix_en_ligne.h"

namespace plinvor {

Montant PuissanceDix(Montant x, int n) { return PuissanceDixEnLigne(x, n); }

}  // namespace plinvor
