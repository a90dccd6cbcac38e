#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "converter/montant.h"
#include "separateurs_fixture.h"

namespace plinvor {
namespace {

struct Cas {
  Montant montant;
  int decimales;
  const char* attendu;
};

void Verifier(const Cas& c) {
  EXPECT_EQ(FormaterMontant(c.montant, c.decimales), c.attendu)
      << c.montant << " with " << c.decimales << " decimals";
}

// Decimal ",", grouping space: the settings the worked examples use.
TEST(FormaterMontant, RoundsTo18DigitsThenToTheDecimals) {
  Separateurs s(",", " ");
  const Cas cas[] = {
      {1234567.891L, 2, "1 234 567,89"},
      {1234567.891L, 0, "1 234 568"},
      // The nearest extended value of 0.005 lies just below it, but its
      // 18-digit form is exactly 5 followed by zeros: a dropped 5 rounds up.
      {0.005L, 2, "0,01"},
      {2.675L, 2, "2,68"},
      {1.005L, 2, "1,01"},
      {1.015L, 2, "1,02"},
      {1.025L, 2, "1,03"},
      // A half rounds away from zero, not to even.
      {0.125L, 2, "0,13"},
      {2.5L, 0, "3"},
      {-2.5L, 0, "-3"},
      {-0.5L, 0, "-1"},
      {0.7L, 0, "1"},
      {0.4L, 0, "0"},
      {0.0001L, 2, "0,00"},
      {0.05L, 2, "0,05"},
      {1.0L / 3, 2, "0,33"},
      // The carry opens a new digit, and a new group.
      {0.996L, 2, "1,00"},
      {999.995L, 2, "1 000,00"},
      {999.0L, 2, "999,00"},
      {1000.0L, 2, "1 000,00"},
      {1234.0L, 0, "1 234"},
      {-12345.67L, 2, "-12 345,67"},
      // Only 18 significant digits: the 17-digit integer keeps one decimal.
      {12345678901234567.8L, 2, "12 345 678 901 234 567,80"},
      {123456789012345678.0L, 2, "123 456 789 012 345 678,00"},
      {1e17L, 2, "100 000 000 000 000 000,00"},
      // A half at the 18th digit rounds to even.
      {999999999999999997.5L, 2, "999 999 999 999 999 998,00"},
      {999999999999999999.5L, 2, "1E18"},
      {0.000123456789L, 18, "0,000123456789000000"},
      {1.5L, 25, "1,500000000000000000"},  // decimals above 18 count as 18
  };
  for (const Cas& c : cas) Verifier(c);
}

TEST(FormaterMontant, ZeroAndResultsThatRoundToZeroHaveNoSign) {
  Separateurs s(",", " ");
  const Cas cas[] = {
      {0.0L, 2, "0,00"},
      {-0.0L, 2, "0,00"},
      {0.0L, 0, "0"},
      {-0.0L, 0, "0"},
      {-0.004L, 2, "0,00"},
      {-0.005L, 0, "0"},
      {-0.005L, 2, "-0,01"},
      {std::numeric_limits<Montant>::denorm_min(), 2, "0,00"},
      {-std::numeric_limits<Montant>::min(), 18, "0,000000000000000000"},
      {1e-300L, 18, "0,000000000000000000"},
  };
  for (const Cas& c : cas) Verifier(c);
}

TEST(FormaterMontant, ScientificFormFrom10To18) {
  Separateurs s(",", " ");
  const Cas cas[] = {
      {1e18L, 0, "1E18"},
      {1e18L, 2, "1E18"},
      {1.5e20L, 0, "1,5E20"},
      {1.5e20L, 2, "1,5E20"},
      {1234567890123456789.0L, 0, "1,23456789012345679E18"},
      {1234567890123456789.0L, 2, "1,23456789012345679E18"},
      {-1234567890123456789.0L, 2, "-1,23456789012345679E18"},
      {1e4931L, 2, "1E4931"},
      {PuissanceDix(1, 4931), 2, "1E4931"},  // one unit in the last place below
  };
  for (const Cas& c : cas) Verifier(c);
}

TEST(FormaterMontant, LargestAmountsNeedNoWiderRange) {
  Separateurs s(",", " ");
  // Scaling the largest amount down by the table factors is itself a few
  // units in the last place off, so only the leading digits are certain.
  for (Montant m : {std::numeric_limits<Montant>::max(), -std::numeric_limits<Montant>::max()}) {
    const std::string texte = FormaterMontant(m, 2);
    EXPECT_EQ(texte.substr(0, texte.size() - 7), m < 0 ? "-1,189731495357231" : "1,189731495357231") << texte;
    EXPECT_EQ(texte.substr(texte.size() - 5), "E4932") << texte;
  }
}

TEST(FormaterMontant, FollowsTheSeparators) {
  struct CasSep {
    const char* decimal;
    const char* milliers;
    Montant montant;
    int decimales;
    const char* attendu;
  };
  const CasSep cas[] = {
      {",", "", 1234567.891L, 2, "1234567,89"},
      {".", ",", 1234567.891L, 2, "1,234,567.89"},
      {".", ",", 1e17L, 0, "100,000,000,000,000,000"},
      {".", ",", 1.5e20L, 2, "1.5E20"},
      // One character of several bytes: fr_FR's narrow no-break space.
      {",", "\u202f", 1234567.891L, 2, "1\u202f234\u202f567,89"},
      {"\u066b", "\u066c", -9876543.21L, 2, "-9\u066c876\u066c543\u066b21"},
      // No decimal separator: the fixed form simply has none, and the
      // scientific form writes its digits as one integer.
      {"", " ", 1234567.891L, 2, "1 234 56789"},
      {"", " ", 1.5e20L, 2, "15E19"},
      {"", " ", 1234567890123456789.0L, 0, "123456789012345679E1"},
      {"", " ", 1e18L, 0, "1E18"},
  };
  for (const CasSep& c : cas) {
    Separateurs s(c.decimal, c.milliers);
    EXPECT_EQ(FormaterMontant(c.montant, c.decimales), c.attendu)
        << c.montant << " under '" << c.decimal << "' '" << c.milliers << "'";
  }
}

TEST(FormaterMontant, SurvivesSeparatorsLongerThanOneCharacter) {
  // Not what LireSeparateurs ever sets, but an assignment like this must not
  // write past the formatter's buffer.
  Separateurs s("<decimal>", "<thousands separator>");
  EXPECT_EQ(FormaterMontant(-123456789012345678.0L, 18),
            "-123<thousands separator>456<thousands separator>789<thousands separator>012"
            "<thousands separator>345<thousands separator>678<decimal>000000000000000000");
}

}  // namespace
}  // namespace plinvor
