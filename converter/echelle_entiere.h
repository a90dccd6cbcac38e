// Scaling by a small power of ten with integer arithmetic alone.
//
// For 0 <= |n| <= 27, 10^|n| is exact in extended, so PuissanceDix(x, n) is a
// single multiplication or division, and its result is the exact product or
// quotient rounded once to nearest-even. Because 10^n = 5^n * 2^n and
// 5^27 < 2^63, that exact value fits in 128 bits, so these functions find the
// very same results without the x87 unit: faster, and raising no status flag,
// so the reader needs no costly clearing of flags on its common path.
#pragma once

#include <cstdint>

#include "converter/montant.h"

namespace plinvor {

inline constexpr int kEchelleEntiereMax = 27;

// PuissanceDix(entier, n) for -27 <= n <= 27, with entier exact.
// Example: EchelleEntiere(5497, -2) == 54.97L (the nearest extended value).
Montant EchelleEntiere(std::uint64_t entier, int n);

// rint(PuissanceDix(x, n)) as an integer, for 0 <= n <= 27 and x positive and
// normal, when that integer is below 2^64 (both roundings, to 64 significant
// bits and then to an integer, ties to even, exactly as the x87 unit does).
// Example: EntierArrondi(54.969196600724889L, 16) == 549691966007248890.
std::uint64_t EntierArrondi(Montant x, int n);

}  // namespace plinvor
