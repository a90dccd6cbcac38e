// Sets the two separators for one test and puts the previous ones back.
#pragma once

#include <string>
#include <utility>

#include "converter/montant.h"

namespace plinvor {

class Separateurs {
 public:
  Separateurs(std::string decimal, std::string milliers)
      : ancien_decimal_(std::exchange(SeparateurDecimal, std::move(decimal))),
        ancien_milliers_(std::exchange(SeparateurMilliers, std::move(milliers))) {}
  ~Separateurs() {
    SeparateurDecimal = ancien_decimal_;
    SeparateurMilliers = ancien_milliers_;
  }

 private:
  std::string ancien_decimal_;
  std::string ancien_milliers_;
};

}  // namespace plinvor
