#include "converter/echelle_entiere.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <random>

namespace plinvor {
namespace {

// The x87 unit's own answer, for comparison.
Montant ParLeFpu(std::uint64_t entier, int n) { return PuissanceDix(static_cast<Montant>(entier), n); }

TEST(EchelleEntiere, MatchesTheExtendedStepBitForBit) {
  std::mt19937_64 alea(20261211);
  const std::uint64_t bords[] = {1, 9, 10, 5497, 1ull << 63, (1ull << 63) + 1, UINT64_MAX,
                                 UINT64_MAX - 1, 999999999999999999ull, 1844674407370955161ull};
  for (int n = -kEchelleEntiereMax; n <= kEchelleEntiereMax; ++n) {
    for (std::uint64_t e : bords) EXPECT_EQ(EchelleEntiere(e, n), ParLeFpu(e, n)) << e << "e" << n;
    for (int i = 0; i < 20000; ++i) {
      const std::uint64_t e = alea() >> (alea() % 64);
      ASSERT_EQ(EchelleEntiere(e, n), ParLeFpu(e, n)) << e << "e" << n;
    }
  }
  EXPECT_EQ(EchelleEntiere(0, -5), 0.0L);
  EXPECT_FALSE(std::signbit(EchelleEntiere(0, 5)));
}

TEST(EchelleEntiere, RoundsExactHalvesToEven) {
  // x * 10 = x * 5 * 2; for x >= 2^66 / 5, x * 5 has 67 bits and loses 3.
  // With x = 4 mod 8 those 3 bits are 100: an exact half, which goes to the
  // even neighbour. (A quotient by 5^k is never a half: it is either exact
  // or has no end in binary.)
  for (std::uint64_t x : {0xF000000000000004ull, 0xF00000000000000Cull, 0xFFFFFFFFFFFFFFF4ull}) {
    const Montant attendu = ParLeFpu(x, 1);
    EXPECT_EQ(EchelleEntiere(x, 1), attendu) << x;
  }
}

TEST(EntierArrondi, MatchesRoundingTheExtendedProductToAnInteger) {
  std::mt19937_64 alea(42);
  std::uniform_real_distribution<double> mantisse(1.0, 10.0);
  for (int n = 0; n <= kEchelleEntiereMax; ++n) {
    for (int i = 0; i < 20000; ++i) {
      // x * 10^n lands in [10^16, 10^19): where the formatter uses it.
      const int puissance = 16 - n + static_cast<int>(alea() % 3);
      Montant x = static_cast<Montant>(mantisse(alea)) * PuissanceDix(1, puissance);
      x = std::nextafter(x, x + static_cast<Montant>(alea() % 3) - 1);
      const Montant attendu = std::rint(PuissanceDix(x, n));
      ASSERT_EQ(static_cast<Montant>(EntierArrondi(x, n)), attendu) << x << "e" << n;
    }
  }
  // Halves at the integer rounding go to even.
  EXPECT_EQ(EntierArrondi(2.5L, 0), 2u);
  EXPECT_EQ(EntierArrondi(3.5L, 0), 4u);
  EXPECT_EQ(EntierArrondi(0.25L, 1), 2u);
  EXPECT_EQ(EntierArrondi(999999999999999997.5L, 0), 999999999999999998u);
}

}  // namespace
}  // namespace plinvor
