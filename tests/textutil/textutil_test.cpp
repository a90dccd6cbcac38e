#include "textutil/textutil.h"

#include <gtest/gtest.h>

#include <string>

namespace plinvor {
namespace {

struct Cas {
  std::string entree;
  std::string attendu;
};

TEST(SupprEspaces, RemovesEverySpaceAndNothingElse) {
  const Cas cas[] = {
      {"", ""},
      {"   ", ""},
      {" ", ""},
      {"5", "5"},
      {"1234", "1234"},
      {"  1  2  ", "12"},
      {"1 234 567,89", "1234567,89"},
      // Tab, no-break space (U+00A0) and narrow no-break space (U+202F) stay.
      {"1\t2", "1\t2"},
      {"1\u00a0234", "1\u00a0234"},
      {"1\u202f234 ,5", "1\u202f234,5"},
  };
  for (const Cas& c : cas) EXPECT_EQ(SupprEspaces(c.entree), c.attendu) << '"' << c.entree << '"';
}

TEST(SupprCar, RemovesRunsAndEndsOfTheGivenByte) {
  EXPECT_EQ(SupprCar("a,b,,c", ','), "abc");
  EXPECT_EQ(SupprCar(",,a,,", ','), "a");
  EXPECT_EQ(SupprCar("abc", 'x'), "abc");
  EXPECT_EQ(SupprCar(std::string("a\0b\0", 4), '\0'), "ab");
}

TEST(SupprCar, LeavesItsArgumentAlone) {
  const std::string original = " 1 2 ";
  std::string partage = original;  // shares nothing we could see, but must stay as it was
  const std::string resultat = SupprEspaces(partage);
  EXPECT_EQ(partage, original);
  EXPECT_EQ(resultat, "12");
}

TEST(SupprEspaces, HandlesTenMegabytesOfAlternatingSpaces) {
  std::string grand;
  for (int i = 0; i < 5'000'000; ++i) grand += "1 ";
  const std::string resultat = SupprEspaces(grand);
  ASSERT_EQ(resultat.size(), 5'000'000u);
  EXPECT_EQ(resultat.find_first_not_of('1'), std::string::npos);
}

}  // namespace
}  // namespace plinvor
