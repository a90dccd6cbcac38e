#include "converter/cycle.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "separateurs_fixture.h"

namespace plinvor {
namespace {

constexpr int VK_BACK = 8, VK_RIGHT = 39, VK_SHIFT = 16, VK_V = 'V', VK_X = 'X';

// An amount field as the cycle sees it. Records every real change in a log
// shared by the three fields; an assignment of the same text changes nothing.
class FauxChamp : public ChampMontant {
 public:
  FauxChamp(int tag, std::vector<std::string>& journal) : tag_(tag), journal_(journal) {}
  std::string Text() const override { return texte; }
  void SetText(const std::string& t) override {
    if (t == texte) return;
    texte = t;
    curseur = t.size();  // a new text leaves the caret somewhere; tests check SetCaret
    selection = false;
    journal_.push_back(std::to_string(tag_) + "=" + t);
  }
  void SetCaret(std::size_t position) override {
    curseur = position;
    selection = false;
    ++placements;
  }
  int Tag() const override { return tag_; }

  std::string texte;
  std::size_t curseur = 0;
  bool selection = false;
  int placements = 0;

 private:
  int tag_;
  std::vector<std::string>& journal_;
};

class Cycle : public ::testing::Test {
 protected:
  // One key as the edit field delivers it: key-down, the key's edit, key-up.
  void Frapper(FauxChamp& champ, int key, const std::string& apres) {
    cycle.KeyDown(champ);
    champ.texte = apres;
    champ.curseur = apres.size();
    cycle.KeyUp(champ, key);
  }
  void Taper(FauxChamp& champ, const std::string& texte) {
    for (char c : texte) Frapper(champ, c == ' ' ? VK_SPACE : static_cast<unsigned char>(c), champ.texte + c);
  }
  void Afficher(const char* cfp_texte, const char* ff_texte, const char* euro_texte) {
    cfp.texte = cfp_texte;
    ff.texte = ff_texte;
    euro.texte = euro_texte;
  }
  void Attendre(const char* cfp_texte, const char* ff_texte, const char* euro_texte) {
    EXPECT_EQ(cfp.texte, cfp_texte);
    EXPECT_EQ(ff.texte, ff_texte);
    EXPECT_EQ(euro.texte, euro_texte);
  }

  Separateurs separateurs{".", ","};
  std::vector<std::string> journal;
  FauxChamp cfp{TagCfp, journal}, ff{TagFf, journal}, euro{TagEuro, journal};
  CycleEdition cycle{cfp, ff, euro};
};

TEST_F(Cycle, EachKeyUpConvertsTheTextSoFar) {
  struct Etape {
    char touche;
    const char* ff;
    const char* euro;
  };
  const Etape etapes[] = {{'1', "0.05", "0.01"}, {'0', "0.55", "0.08"}, {'0', "5.50", "0.84"},
                          {'0', "54.97", "8.38"}};
  for (const Etape& e : etapes) {
    Frapper(cfp, e.touche, cfp.texte + e.touche);
    Attendre(cfp.texte.c_str(), e.ff, e.euro);
  }
  EXPECT_EQ(cfp.texte, "1000");  // the field typed into is never rewritten
  EXPECT_EQ(journal, (std::vector<std::string>{"1=0.05", "2=0.01", "1=0.55", "2=0.08", "1=5.50",
                                               "2=0.84", "1=54.97", "2=8.38"}));
}

TEST_F(Cycle, EmptyingAFieldEmptiesAllThreeInOrder) {
  Taper(euro, "10");
  journal.clear();
  Frapper(euro, VK_BACK, "1");
  Frapper(euro, VK_BACK, "");
  Attendre("", "", "");
  EXPECT_EQ(journal, (std::vector<std::string>{"0=119", "1=6.56", "1=", "0="}));
  // A Tab key-up in an empty field (emptied from the context menu) clears too.
  Taper(cfp, "5");
  ff.texte = "";
  cycle.KeyUp(ff, VK_TAB);
  Attendre("", "", "");
}

TEST_F(Cycle, TheSpaceBarDoesNothingAndSpacesAreNotPartOfTheAmount) {
  Taper(cfp, "1");
  journal.clear();
  Frapper(cfp, VK_SPACE, "1 ");
  EXPECT_TRUE(journal.empty());
  Taper(cfp, "000");  // "1 000" converts as 1000
  Attendre("1 000", "54.97", "8.38");
  Afficher(" 12 ", "", "");
  Frapper(cfp, VK_RIGHT, " 12 ");
  Attendre(" 12 ", "0.66", "0.10");
}

TEST_F(Cycle, UnreadableTextRollsBackWithTheCaretAtTheEnd) {
  struct Cas {
    const char* avant;
    int touche;
    const char* apres;
    const char* restaure;
  };
  const Cas cas[] = {
      {"12", VK_X, "12x", "12"},
      {"", '-', "-", ""},     // a sign alone does not read
      {"12", VK_V, "12abc", "12"},  // Ctrl+V of an unreadable text
      {"1000", VK_BACK, "1000 000.0.", "1000"},
  };
  for (const Cas& c : cas) {
    Afficher(c.avant, "7", "7");
    cfp.placements = 0;
    Frapper(cfp, c.touche, c.apres);
    EXPECT_EQ(cfp.texte, c.restaure) << c.apres;
    EXPECT_EQ(cfp.curseur, cfp.texte.size()) << c.apres;
    EXPECT_FALSE(cfp.selection);
    EXPECT_EQ(cfp.placements, 1);
    EXPECT_EQ(ff.texte, "7");  // the others keep what they showed
    EXPECT_EQ(euro.texte, "7");
  }
}

TEST_F(Cycle, AutoRepeatRollsBackOneRepeatOnly) {
  Taper(cfp, "12");
  for (const char* texte : {"12x", "12xx", "12xxx"}) {  // one key-down per repeat
    cycle.KeyDown(cfp);
    cfp.texte = texte;
  }
  cycle.KeyUp(cfp, VK_X);
  Attendre("12xx", "0.66", "0.10");
  EXPECT_EQ(cfp.curseur, 4u);
}

TEST_F(Cycle, OnlySpacesNeverClears) {
  Taper(cfp, "12");
  Frapper(cfp, VK_SPACE, " ");  // whole text selected, space typed
  Attendre(" ", "0.66", "0.10");
  Frapper(cfp, VK_SHIFT, " ");  // any other key-up rolls back to the same space
  Attendre(" ", "0.66", "0.10");
  EXPECT_EQ(cfp.curseur, 1u);
}

TEST_F(Cycle, KeysThatChangeNothingConvertAgainFromTheFieldKeyedIn) {
  Taper(cfp, "1000");
  // Clicking into edff and pressing Right converts from 54.97 FF.
  Frapper(ff, VK_RIGHT, ff.texte);
  Attendre("1,000", "54.97", "8.38");
}

TEST_F(Cycle, DecimalSeparatorAloneReadsAsZero) {
  Taper(ff, ".");
  Attendre("0", ".", "0.00");
}

TEST_F(Cycle, OverflowRollsBackAndKeepsTheOtherResults) {
  Taper(euro, "1E493");
  const std::string cfp_1e493 = cfp.texte, ff_1e493 = ff.texte;
  EXPECT_EQ(ff_1e493.substr(ff_1e493.size() - 4), "E493");
  journal.clear();
  Taper(euro, "1");  // 1E4931 euros: the CFP result overflows
  Attendre(cfp_1e493.c_str(), ff_1e493.c_str(), "1E493");
  EXPECT_EQ(euro.curseur, 5u);
  EXPECT_EQ(journal, std::vector<std::string>{"2=1E493"});
}

// After Tab the key-up arrives in the field entered, whose text the last
// key-down did not record. The snapshot belongs to the field left.
TEST_F(Cycle, TabKeyUpInTheFieldEnteredConvertsOrLeavesItAlone) {
  Taper(cfp, "100000");
  Attendre("100000", "5,496.92", "838.00");
  cycle.KeyUp(ff, VK_TAB);  // "5,496.92" does not read under "." and ","
  Attendre("100000", "5,496.92", "838.00");
  EXPECT_EQ(ff.placements, 0);

  // Under a space grouping the same Tab converts from the amount shown.
  Separateurs espace(".", " ");
  Afficher("", "", "");
  Taper(cfp, "100000");
  cycle.KeyUp(ff, VK_TAB);
  Attendre("100 000", "5 496.92", "838.00");
}

TEST_F(Cycle, KeyUpWithoutAnyKeyDownLeavesAnUnreadableFieldAlone) {
  Afficher("1000", "abc", "8.38");
  cycle.KeyUp(ff, 'A');
  Attendre("1000", "abc", "8.38");
  EXPECT_EQ(ff.placements, 0);
  EXPECT_TRUE(journal.empty());
}

TEST_F(Cycle, ContextMenuPasteConvertsNothingUntilTheNextKeyUp) {
  Taper(cfp, "12");
  cfp.texte = "pasted";  // no key events
  Attendre("pasted", "0.66", "0.10");
  Frapper(cfp, VK_RIGHT, "pasted");  // rolls back to its own key-down's text
  Attendre("pasted", "0.66", "0.10");
  EXPECT_EQ(cfp.curseur, 6u);
}

TEST_F(Cycle, RollbackAfterAFailedWriteToo) {
  // A field whose assignment throws: the cycle still rolls the sender back.
  class ChampFragile : public FauxChamp {
   public:
    using FauxChamp::FauxChamp;
    void SetText(const std::string& t) override {
      if (!t.empty()) throw std::runtime_error("cannot show it");
      FauxChamp::SetText(t);
    }
  };
  std::vector<std::string> j;
  FauxChamp a{TagCfp, j}, c{TagEuro, j};
  ChampFragile b{TagFf, j};
  CycleEdition cy{a, b, c};
  cy.KeyDown(a);
  a.texte = "5";
  cy.KeyUp(a, '5');
  EXPECT_EQ(a.texte, "");
  EXPECT_EQ(cy.ancientexte(), "");
}

}  // namespace
}  // namespace plinvor
