#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>
#include <optional>
#include <string>

#include "converter/montant.h"
#include "converter/separateurs.h"
#include "separateurs_fixture.h"

namespace plinvor {
namespace {

// Runs LireSeparateurs under the given environment and puts it back.
class Environnement {
 public:
  Environnement(const char* lc_all, const char* lc_numeric, const char* lang) {
    for (const char* nom : kNoms) {
      const char* v = std::getenv(nom);
      anciens_[Index(nom)] = v ? std::optional<std::string>(v) : std::nullopt;
    }
    Poser("LC_ALL", lc_all);
    Poser("LC_NUMERIC", lc_numeric);
    Poser("LANG", lang);
  }
  ~Environnement() {
    for (const char* nom : kNoms) {
      const auto& v = anciens_[Index(nom)];
      Poser(nom, v ? v->c_str() : nullptr);
    }
  }

 private:
  static constexpr const char* kNoms[] = {"LC_ALL", "LC_NUMERIC", "LANG"};
  static int Index(const char* nom) {
    for (int i = 0; i < 3; ++i)
      if (std::string(kNoms[i]) == nom) return i;
    return 0;
  }
  static void Poser(const char* nom, const char* valeur) {
    if (valeur)
      setenv(nom, valeur, 1);
    else
      unsetenv(nom);
  }
  std::optional<std::string> anciens_[3];
};

bool LocaleInstallee(const char* nom) {
  locale_t l = newlocale(LC_ALL_MASK, nom, nullptr);
  if (l) freelocale(l);
  return l != nullptr;
}

TEST(LireSeparateurs, FollowsTheUsersNumericLocale) {
  struct Cas {
    const char* lc_all;
    const char* lc_numeric;
    const char* lang;
    const char* decimal;
    const char* milliers;
  };
  const Cas cas[] = {
      {"en_US.UTF-8", nullptr, nullptr, ".", ","},
      // fr_FR groups with U+202F, one character of three bytes.
      {"fr_FR.UTF-8", nullptr, nullptr, ",", "\u202f"},
      {"de_DE.UTF-8", nullptr, nullptr, ",", "."},
      // LC_ALL wins over LC_NUMERIC, which wins over LANG; empty counts as unset.
      {"", "fr_FR.UTF-8", "en_US.UTF-8", ",", "\u202f"},
      {nullptr, nullptr, "de_DE.UTF-8", ",", "."},
      {"en_US.UTF-8", "fr_FR.UTF-8", "de_DE.UTF-8", ".", ","},
      // The C locale has no grouping character.
      {"C", nullptr, nullptr, ".", ""},
      {nullptr, nullptr, nullptr, ".", ""},
      // A locale that is not installed: the defaults.
      {"xx_YY.UTF-8", nullptr, nullptr, ".", ","},
  };
  for (const char* nom : {"en_US.UTF-8", "fr_FR.UTF-8", "de_DE.UTF-8"})
    ASSERT_TRUE(LocaleInstallee(nom)) << nom << " is not installed (scripts/install-deps makes it)";
  Separateurs remis(".", ",");
  for (const Cas& c : cas) {
    Environnement env(c.lc_all, c.lc_numeric, c.lang);
    SeparateurDecimal = "?";
    SeparateurMilliers = "?";
    LireSeparateurs();
    EXPECT_EQ(SeparateurDecimal, c.decimal) << (c.lc_all ? c.lc_all : "-") << (c.lang ? c.lang : "-");
    EXPECT_EQ(SeparateurMilliers, c.milliers) << (c.lc_all ? c.lc_all : "-") << (c.lang ? c.lang : "-");
  }
}

TEST(LireSeparateurs, LeavesTheProcessLocaleAlone) {
  Separateurs remis(".", ",");
  const std::string avant = std::setlocale(LC_ALL, nullptr);
  Environnement env("fr_FR.UTF-8", nullptr, nullptr);
  LireSeparateurs();
  EXPECT_EQ(std::setlocale(LC_ALL, nullptr), avant);
}

TEST(SeparateurUtf8, KeepsOneCharacterInUtf8) {
  struct Cas {
    const char* valeur;
    const char* codeset;
    std::optional<std::string> attendu;
  };
  const Cas cas[] = {
      {",", "UTF-8", ","},
      {"", "UTF-8", ""},
      {"\u202f", "UTF-8", "\u202f"},
      {"\xf0\x9f\x92\xb6", "UTF-8", "\xf0\x9f\x92\xb6"},  // four bytes, one character
      {",.", "UTF-8", std::nullopt},                       // two characters
      {"\u202f\u202f", "UTF-8", std::nullopt},
      {"\xe2\x80", "UTF-8", std::nullopt},  // cut short
      {"\xa0", "UTF-8", std::nullopt},      // not UTF-8
      // A legacy charset: its no-break space becomes U+00A0.
      {"\xa0", "ISO-8859-1", "\u00a0"},
      {"'", "ANSI_X3.4-1968", "'"},
      {"\xa0", "NO-SUCH-CHARSET", std::nullopt},
  };
  for (const Cas& c : cas) EXPECT_EQ(SeparateurUtf8(c.valeur, c.codeset), c.attendu) << c.codeset;
}

}  // namespace
}  // namespace plinvor
