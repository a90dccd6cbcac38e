// Scaling an integer by a small power of ten with integer arithmetic alone.
//
// For |n| <= 27, 10^|n| is exact in extended, so PuissanceDix(entier, n) is a
// single multiplication or division, and its result is the exact product or
// quotient rounded once to nearest-even. Because 10^n = 5^n * 2^n and
// 5^27 < 2^63, that exact value fits in 128 bits, so this finds the very same
// result without the x87 unit. It raises no status flag, so the reader needs
// no clearing of flags on its common path (clearing them after an inexact
// x87 division costs more than the whole reading).
#pragma once

#include <cstdint>

#include "converter/montant.h"

namespace plinvor {

inline constexpr int kEchelleEntiereMax = 27;

// PuissanceDix(entier, n) for -27 <= n <= 27, with entier exact.
// Example: EchelleEntiere(5497, -2) == 54.97L (the nearest extended value).
Montant EchelleEntiere(std::uint64_t entier, int n);

}  // namespace plinvor
