// The editing cycle of the three amount fields.
//
// Each key-down in a field records that field's text; each key-up looks at the
// text after the key acted and either empties all three fields, or converts
// from that field into the two others, or, when the text does not read as an
// amount or the conversion overflows, puts the field back as it was before
// the key with the caret at its end. The window binds its edit fields to
// ChampMontant and forwards their key events here; tests use plain fakes.
#pragma once

#include <array>
#include <cstddef>
#include <string>

#include "converter/conversion.h"

namespace plinvor {

// What the cycle needs of an amount field.
class ChampMontant {
 public:
  virtual ~ChampMontant() = default;
  virtual std::string Text() const = 0;
  // Shows `texte`. Does nothing at all (caret, selection and undo history
  // included) when the field already shows exactly this text.
  virtual void SetText(const std::string& texte) = 0;
  // Puts the caret at byte offset `position` of Text() (a character boundary)
  // with nothing selected.
  virtual void SetCaret(std::size_t position) = 0;
  // The field's currency (Devise).
  virtual int Tag() const = 0;
};

// Virtual-key numbers that the cycle looks at.
inline constexpr int VK_TAB = 9;
inline constexpr int VK_SPACE = 32;

class CycleEdition {
 public:
  // The three fields, by tag 0, 1, 2. They must outlive the cycle.
  CycleEdition(ChampMontant& edcfp, ChampMontant& edff, ChampMontant& edeuro,
               const Taux& taux = TauxDeParite);

  // Key-down in `sender`, whatever the key: ancientexte := sender's text.
  void KeyDown(ChampMontant& sender);

  // Key-up in `sender` with virtual-key code `key`:
  //  - the space bar (32) does nothing;
  //  - an empty field empties all three (Effacer);
  //  - otherwise the text without its spaces is read and converted into the
  //    two other fields; the sender's own text is never rewritten;
  //  - if reading or converting fails, and the latest key-down was in this
  //    same field, the field gets ancientexte back with the caret at its end;
  //    after a key-down in another field (Tab brings the key-up into the field
  //    entered), or before any key-down, the field is left exactly as it is.
  //    Either way the two other fields keep what they showed.
  void KeyUp(ChampMontant& sender, int key);

  // Empties edff, then edcfp, then edeuro.
  void Effacer();

  // The text recorded by the latest key-down (empty before any).
  const std::string& ancientexte() const { return ancientexte_; }

 private:
  ChampMontant& Champ(int tag) const { return *champs_[static_cast<std::size_t>(tag)]; }

  std::array<ChampMontant*, 3> champs_;
  Taux taux_;
  std::string ancientexte_;
  // The field whose key-down took the snapshot, or nullptr before any.
  const ChampMontant* champ_ancientexte_ = nullptr;
};

}  // namespace plinvor
