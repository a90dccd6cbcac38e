#include <gtest/gtest.h>

#include <cfenv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

#include "converter/montant.h"
#include "separateurs_fixture.h"
#include "textutil/textutil.h"

namespace plinvor {
namespace {

struct Lu {
  const char* texte;
  Montant attendu;
};

TEST(LireMontant, ReadsSignDigitsSeparatorAndExponent) {
  Separateurs s(",", " ");
  const Lu cas[] = {
      {"1e3", 1000},
      {"1E-2", 0.01L},
      {"1,5e-3", 0.0015L},
      {" 12 ", 12},
      {"12,5", 12.5L},
      {",", 0},
      {"12,", 12},
      {",5", 0.5L},
      {"+,5", 0.5L},
      {"-12,25", -12.25L},
      {"1e", 1},  // an exponent without digits is 0
      {"1e+", 1},
      {"1E-", 1},
      {"007", 7},
      {"1e-4999", 0},
      // Scaled by the table factor 10^30, which is not exact.
      {"0,000000000000000000000000000001", 1 / PuissanceDix(1, 30)},
      {"18446744073709551615", 18446744073709551615.0L},  // 2^64 - 1, still exact
      // Past 2^64 every step rounds: this one ends one unit in the last place
      // below the nearest extended value of its 22 digits (6258517812865707049984).
      {"6258517812865707049996", 6258517812865707049472.0L},
      {"1e4931", std::nextafter(1e4931L, 0.0L)},  // the table route, one ulp low
  };
  for (const Lu& c : cas) EXPECT_EQ(LireMontant(c.texte), c.attendu) << '"' << c.texte << '"';
  EXPECT_TRUE(std::signbit(LireMontant("-0")));
}

TEST(LireMontant, RefusesWhatIsNotAnAmount) {
  Separateurs s(",", " ");
  for (const char* texte :
       {"", " ", "-", "+", "e5", "--1", "5-", "0x10", "1,2,3", "12.5", "1 000", "1e5000",
        "12e4931", "1,2e4932", "\t1", "1\u00a0000", "+-1", "e", "1e1,5", "inf", "nan"}) {
    EXPECT_THROW(LireMontant(texte), EConvertError) << '"' << texte << '"';
  }
}

TEST(LireMontant, TakesOnlyTheCurrentDecimalSeparator) {
  struct Cas {
    const char* decimal;
    const char* texte;
    bool lit;
  };
  const Cas cas[] = {
      {".", "12.5", true},  {".", "12,5", false},
      {",", "12,5", true},  {",", "12.5", false},
      {"\u066b", "12\u066b5", true}, {"\u066b", "12\xd9", false},  // a separator cut short
      // No decimal separator at all: digits only, and the reader stays within
      // the text.
      {"", "125", true},  {"", "12.5", false}, {"", "12,5", false},
  };
  for (const Cas& c : cas) {
    Separateurs s(c.decimal, "");
    if (c.lit) {
      const Montant attendu = std::string(c.decimal).empty() ? 125 : 12.5L;
      EXPECT_EQ(LireMontant(c.texte), attendu) << c.texte;
    } else {
      EXPECT_THROW(LireMontant(c.texte), EConvertError) << c.texte;
    }
  }
}

TEST(LireMontant, FailureMessageQuotesTheTextAsPassed) {
  Separateurs s(",", " ");
  try {
    LireMontant("12.5");
    FAIL() << "12.5 read";
  } catch (const EConvertError& e) {
    EXPECT_STREQ(e.what(), "'12.5' is not a valid floating point value");
  }
  try {
    LireMontant(" x ");
    FAIL() << "x read";
  } catch (const EConvertError& e) {
    EXPECT_STREQ(e.what(), "' x ' is not a valid floating point value");
  }
}

TEST(LireMontant, OverflowAnywhereFailsEvenIfTheScaleWouldBringItBack) {
  Separateurs s(",", " ");
  // 5000 fraction digits: the accumulator overflows although the amount,
  // scaled by 10^-5000, would be below 1.
  EXPECT_THROW(LireMontant("," + std::string(5000, '9')), EConvertError);
  // 6000 fraction digits: the scale is below -5119, which alone gives 0,
  // but the accumulator overflowed on the way.
  EXPECT_THROW(LireMontant("," + std::string(6000, '1')), EConvertError);
  // Leading zeros never overflow.
  EXPECT_EQ(LireMontant("," + std::string(6000, '0') + "1"), 0);
  EXPECT_EQ(LireMontant(std::string(6000, '0') + "1"), 1);
}

// The caller's x87 control word and the status flags as LireMontant leaves them.
std::uint16_t MotDeControle() {
  std::uint16_t cw;
  asm volatile("fnstcw %0" : "=m"(cw));
  return cw;
}

TEST(LireMontant, LeavesNoStatusFlagAndTheControlWordAsItWas) {
  Separateurs s(",", " ");
  const std::uint16_t avant = MotDeControle();
  for (const std::string& texte : {std::string("1,5"), std::string("1e4931"), std::string("12e4931"),
                                   std::string("1e-4950"), std::string("x"), std::string(6000, '9')}) {
    std::feclearexcept(FE_ALL_EXCEPT);
    try {
      LireMontant(texte);
    } catch (const EConvertError&) {
    }
    EXPECT_EQ(std::fetestexcept(FE_ALL_EXCEPT), 0) << texte.substr(0, 20);
    EXPECT_EQ(MotDeControle(), avant) << texte.substr(0, 20);
  }
}

TEST(LireMontant, ReadsWithItsOwnSettingsWhateverTheCallersAre) {
  Separateurs s(",", " ");
  // A caller that unmasked overflow and set double precision and rounding
  // upwards: reading must neither trap nor round differently, and the
  // caller's settings must be back afterwards.
  const std::uint16_t normal = MotDeControle();
  const std::uint16_t appelant = static_cast<std::uint16_t>((normal & ~0x0F08) | 0x0200 | 0x0800);
  asm volatile("fldcw %0" : : "m"(appelant));
  Montant lu = 0;
  bool refuse = false;
  try {
    lu = LireMontant("1,1");
    LireMontant("12e4931");
  } catch (const EConvertError&) {
    refuse = true;
  }
  const std::uint16_t apres = MotDeControle();
  asm volatile("fnclex\n\tfldcw %0" : : "m"(normal));
  EXPECT_TRUE(refuse);
  EXPECT_EQ(apres, appelant);
  EXPECT_EQ(lu, 11 / 10.0L);
}

TEST(LireMontant, ReadsTenMegabytesInOnePass) {
  Separateurs s(",", " ");
  const std::string chiffres(10'000'000, '7');
  EXPECT_THROW(LireMontant(chiffres), EConvertError);  // overflows
  EXPECT_EQ(LireMontant("0," + std::string(10'000'000, '0')), 0);
  std::string garni(10'000'000, ' ');
  garni[5'000'000] = '5';
  EXPECT_EQ(LireMontant(garni), 5);
}

// Every formatted text, once its spaces are removed, reads back as an amount
// that formats to the same text. Without a decimal separator that holds for
// whole amounts and the scientific form; a fixed form with decimals then
// shows, and reads as, its digits as one integer.
TEST(LireMontant, ReadsBackEveryFormattedText) {
  const Montant montants[] = {0, -0.0L, 0.004L, 0.005L, 1, -5, 54.96919660L, 1234567.891L, 999.995L,
                              12345678901234567.8L, 999999999999999997.5L, 1e18L, 1.5e20L,
                              -1234567890123456789.0L, 1e4931L, 1e-30L, 6.55957e300L};
  struct Reglage {
    const char* decimal;
    const char* milliers;
  };
  for (const Reglage& r : {Reglage{",", " "}, Reglage{".", " "}, Reglage{",", ""}, Reglage{"", " "},
                           Reglage{"", ""}}) {
    Separateurs s(r.decimal, r.milliers);
    for (Montant m : montants) {
      for (int decimales : {0, 2, 18}) {
        if (std::string(r.decimal).empty() && decimales > 0 && std::fabs(m) < 1e18L) continue;
        const std::string texte = FormaterMontant(m, decimales);
        EXPECT_EQ(FormaterMontant(LireMontant(SupprEspaces(texte)), decimales), texte)
            << "'" << r.decimal << "' '" << r.milliers << "'";
      }
    }
  }
}

TEST(LireMontant, WithoutDecimalSeparatorAFixedTextReadsAsItsDigits) {
  Separateurs s("", " ");
  EXPECT_EQ(FormaterMontant(1234567.891L, 2), "1 234 56789");
  EXPECT_EQ(LireMontant(SupprEspaces(FormaterMontant(1234567.891L, 2))), 123456789);
  EXPECT_EQ(LireMontant("15E19"), 1.5e20L);
}

TEST(LireMontant, GroupingOtherThanTheSpaceDoesNotReadBack) {
  Separateurs s(".", ",");
  EXPECT_THROW(LireMontant(SupprEspaces(FormaterMontant(5496.92L, 2))), EConvertError);
  EXPECT_EQ(LireMontant(SupprEspaces(FormaterMontant(549.69L, 2))), 549.69L);
  EXPECT_EQ(LireMontant(SupprEspaces(FormaterMontant(1.5e20L, 2))), 1.5e20L);
}

}  // namespace
}  // namespace plinvor
