#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <vector>

#include "converter/montant.h"

namespace plinvor {
namespace {

// Unsigned integers of any size, just enough to check 10^4608 exactly.
class Grand {
 public:
  explicit Grand(std::uint64_t v) {
    for (; v; v >>= 32) mots_.push_back(static_cast<std::uint32_t>(v));
  }
  static Grand DixPuissance(int k) {
    Grand g(1);
    for (int i = 0; i < k; ++i) g.Multiplier(10);
    return g;
  }
  void Multiplier(std::uint32_t f) {
    std::uint64_t retenue = 0;
    for (auto& m : mots_) {
      const std::uint64_t p = std::uint64_t{m} * f + retenue;
      m = static_cast<std::uint32_t>(p);
      retenue = p >> 32;
    }
    if (retenue) mots_.push_back(static_cast<std::uint32_t>(retenue));
  }
  void Doubler(int fois) {
    for (; fois >= 32; fois -= 32) mots_.insert(mots_.begin(), 0);
    if (fois) Multiplier(1u << fois);
  }
  // |a - b|
  friend Grand Ecart(const Grand& a, const Grand& b) {
    const Grand& grand = Comparer(a, b) >= 0 ? a : b;
    const Grand& petit = &grand == &a ? b : a;
    Grand r = grand;
    std::int64_t emprunt = 0;
    for (std::size_t i = 0; i < r.mots_.size(); ++i) {
      std::int64_t d = std::int64_t{r.mots_[i]} - emprunt - (i < petit.mots_.size() ? petit.mots_[i] : 0);
      emprunt = d < 0;
      r.mots_[i] = static_cast<std::uint32_t>(d + (emprunt << 32));
    }
    while (!r.mots_.empty() && r.mots_.back() == 0) r.mots_.pop_back();
    return r;
  }
  friend int Comparer(const Grand& a, const Grand& b) {
    if (a.mots_.size() != b.mots_.size()) return a.mots_.size() < b.mots_.size() ? -1 : 1;
    for (std::size_t i = a.mots_.size(); i-- > 0;)
      if (a.mots_[i] != b.mots_[i]) return a.mots_[i] < b.mots_[i] ? -1 : 1;
    return 0;
  }

 private:
  std::vector<std::uint32_t> mots_;
};

// Is v the extended value nearest to 10^k, ties to even? With v = m * 2^e:
// |2 * 10^k - 2m * 2^e| must be below 2^e, or equal with m even.
::testing::AssertionResult EstLePlusProche(Montant v, int k) {
  std::uint64_t m;
  std::uint16_t signe_exposant;
  std::memcpy(&m, &v, 8);
  std::memcpy(&signe_exposant, reinterpret_cast<const char*>(&v) + 8, 2);
  int e = (signe_exposant & 0x7FFF) - 16383 - 63;
  for (; e < 0; ++e) {  // small powers: make the significand an integer
    if (m & 1) return ::testing::AssertionFailure() << "10^" << k << " is not an integer";
    m >>= 1;
  }
  Grand deux_dix = Grand::DixPuissance(k);
  deux_dix.Doubler(1);
  Grand deux_v(m);
  deux_v.Doubler(e + 1);
  Grand demi_ulp_fois_deux(1);
  demi_ulp_fois_deux.Doubler(e);
  const int c = Comparer(Ecart(deux_dix, deux_v), demi_ulp_fois_deux);
  if (c < 0 || (c == 0 && (m & 1) == 0)) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "factor for 10^" << k << " is not the nearest extended value";
}

TEST(PuissanceDix, EveryTableFactorIsTheNearestExtendedValue) {
  // x = 1 exposes each factor alone: for these n only one factor is not 1.
  std::vector<int> puissances;
  for (int k = 0; k < 32; ++k) puissances.push_back(k);
  for (int k = 32; k <= 480; k += 32) puissances.push_back(k);
  for (int k = 512; k <= 4608; k += 512) puissances.push_back(k);
  for (int k : puissances) EXPECT_TRUE(EstLePlusProche(PuissanceDix(1, k), k));
}

TEST(PuissanceDix, AppliesTheThreeFactorsInOrderEachRounded) {
  struct Cas {
    Montant x;
    int n;
    Montant attendu;
  };
  const Montant e3 = PuissanceDix(1, 3), e320 = PuissanceDix(1, 320), e4608 = PuissanceDix(1, 4608);
  const Cas cas[] = {
      {15, -1, 15 / 10.0L},
      {1, 4931, 1 * e3 * e320 * e4608},  // 4931 = 3 + 32*10 + 512*9
      {7, -4931, 7 / e3 / e320 / e4608},
      {3, 35, 3 * PuissanceDix(1, 3) * PuissanceDix(1, 32)},
      {-2.5L, 0, -2.5L},
  };
  for (const Cas& c : cas) EXPECT_EQ(PuissanceDix(c.x, c.n), c.attendu) << c.x << "e" << c.n;
  // The table route is not correctly rounded: 10^4931 comes out one unit in
  // the last place below the nearest extended value.
  EXPECT_EQ(PuissanceDix(1, 4931), std::nextafter(1e4931L, 0.0L));
}

TEST(PuissanceDix, ScalesBelowMinus5119GiveZeroAndHugeScalesOverflow) {
  EXPECT_EQ(PuissanceDix(1e4000L, -5120), 0.0L);
  EXPECT_EQ(PuissanceDix(1e4000L, -2147483647 - 1), 0.0L);
  EXPECT_GT(PuissanceDix(1e-4000L, -5119 + 5000), 0.0L);
  EXPECT_TRUE(std::isinf(PuissanceDix(1, 5120)));
  EXPECT_TRUE(std::isinf(PuissanceDix(-1, 2147483647)));
  EXPECT_EQ(PuissanceDix(0, 2147483647), 0.0L);
  // The smallest subnormal times 10^5200 is still finite: scales past the
  // table keep multiplying instead of giving up.
  EXPECT_TRUE(std::isfinite(PuissanceDix(std::numeric_limits<Montant>::denorm_min(), 5200)));
}

}  // namespace
}  // namespace plinvor
