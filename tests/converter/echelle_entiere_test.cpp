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

}  // namespace
}  // namespace plinvor
