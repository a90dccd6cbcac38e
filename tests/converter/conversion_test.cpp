#include "converter/conversion.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>

#include "separateurs_fixture.h"

namespace plinvor {
namespace {

TEST(TauxDeParite, AreTheNearestDoublesOfTheThreeRates) {
  EXPECT_EQ(std::bit_cast<std::uint64_t>(TauxDeParite.ffpareuro), 0x401A3CFFEB074A77u);
  EXPECT_EQ(std::bit_cast<std::uint64_t>(TauxDeParite.cfpparff), 0x403231275C0F7569u);
  EXPECT_EQ(std::bit_cast<std::uint64_t>(TauxDeParite.europarcfp), 0x3F8129888F861A61u);
}

struct Cas {
  int tag;
  Montant montant;
  int premier;
  const char* texte1;
  int second;
  const char* texte2;
};

TEST(Convertir, WritesTheTwoOtherFieldsInCycleOrder) {
  Separateurs s(".", ",");
  const Cas cas[] = {
      {TagCfp, 1000, TagFf, "54.97", TagEuro, "8.38"},
      {TagCfp, 1000000, TagFf, "54,969.20", TagEuro, "8,380.00"},
      {TagFf, 100, TagEuro, "15.24", TagCfp, "1,819"},
      {TagFf, -5, TagEuro, "-0.76", TagCfp, "-91"},
      {TagEuro, 1, TagCfp, "119", TagFf, "6.56"},
      {TagEuro, 1000, TagCfp, "119,332", TagFf, "6,559.57"},
      {TagCfp, 0, TagFf, "0.00", TagEuro, "0.00"},
      {TagFf, 0, TagEuro, "0.00", TagCfp, "0"},
      {TagEuro, -0.0L, TagCfp, "0", TagFf, "0.00"},
      // A negative result that rounds to zero shows no minus sign.
      {TagFf, -0.001L, TagEuro, "0.00", TagCfp, "0"},
      // Display texts do not always lead back: 1 FF is 0.15 euro, 0.15 euro is 0.98 FF.
      {TagFf, 1, TagEuro, "0.15", TagCfp, "18"},
      {TagEuro, 0.15L, TagCfp, "18", TagFf, "0.98"},
      {TagFf, 54.97L, TagEuro, "8.38", TagCfp, "1,000"},
      // From CFP francs nothing overflows; the results go scientific, where
      // all 18 digits show: the double nearest 0.00838 is 0.0083800000000000000254...
      {TagCfp, 1e4931L, TagFf, "5.49691966007248898E4929", TagEuro, "8.3800000000000003E4928"},
  };
  for (const Cas& c : cas) {
    const auto ecritures = Convertir(TauxDeParite, c.tag, c.montant);
    ASSERT_EQ(ecritures.size(), 2u);
    EXPECT_EQ(ecritures[0].tag, c.premier);
    EXPECT_EQ(ecritures[0].texte, c.texte1) << c.montant << " from " << c.tag;
    EXPECT_EQ(ecritures[1].tag, c.second);
    EXPECT_EQ(ecritures[1].texte, c.texte2) << c.montant << " from " << c.tag;
  }
}

TEST(Convertir, EachResultIsOneRoundedStepFromTheAmount) {
  // 1000 / 18.19200683 and 1000 * 0.00838 in extended, not via the other result.
  const Montant m = 123456.789L;
  const Montant ff = m / static_cast<Montant>(TauxDeParite.cfpparff);
  const Montant euro = m * static_cast<Montant>(TauxDeParite.europarcfp);
  Separateurs s(".", ",");
  const auto ecritures = Convertir(TauxDeParite, TagCfp, m);
  EXPECT_EQ(ecritures[0].texte, FormaterMontant(ff, 2));
  EXPECT_EQ(ecritures[1].texte, FormaterMontant(euro, 2));
  EXPECT_NE(FormaterMontant(ff / static_cast<Montant>(TauxDeParite.ffpareuro), 18),
            FormaterMontant(euro, 18));
}

TEST(Convertir, OtherTagsWriteNothing) {
  for (int tag : {3, -1, 42}) EXPECT_TRUE(Convertir(TauxDeParite, tag, 1000).empty()) << tag;
}

TEST(Convertir, OverflowFailsBeforeAnythingIsFormatted) {
  struct Debord {
    int tag;
    Montant montant;
    bool deborde;
  };
  const Debord cas[] = {
      {TagEuro, 1e4931L, true},    // CFP result: 1e4931 / 0.00838
      {TagEuro, -1e4930L, true},   // beyond about 9.97e4929
      {TagEuro, 9.9e4929L, false},
      {TagFf, 6.6e4930L, true},    // CFP result beyond about 6.54e4930
      {TagFf, 6.5e4930L, false},
      {TagCfp, std::numeric_limits<Montant>::max(), false},
  };
  for (const Debord& c : cas) {
    if (c.deborde)
      EXPECT_THROW(Convertir(TauxDeParite, c.tag, c.montant), EOverflow) << c.montant;
    else
      EXPECT_NO_THROW(Convertir(TauxDeParite, c.tag, c.montant)) << c.montant;
  }
}

}  // namespace
}  // namespace plinvor
