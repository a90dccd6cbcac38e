#include "converter/cycle.h"

#include "textutil/textutil.h"

namespace plinvor {

CycleEdition::CycleEdition(ChampMontant& edcfp, ChampMontant& edff, ChampMontant& edeuro,
                           const Taux& taux)
    : champs_{&edcfp, &edff, &edeuro}, taux_(taux) {}

void CycleEdition::KeyDown(ChampMontant& sender) {
  ancientexte_ = sender.Text();
  champ_ancientexte_ = &sender;
}

void CycleEdition::KeyUp(ChampMontant& sender, int key) {
  if (key == VK_SPACE) return;
  if (sender.Text().empty()) {
    Effacer();
    return;
  }
  const std::string texte = SupprEspaces(sender.Text());
  try {
    for (const Ecriture& e : Convertir(taux_, sender.Tag(), LireMontant(texte)))
      Champ(e.tag).SetText(e.texte);
  } catch (...) {
    // The snapshot is the text of the field that took the latest key-down;
    // it belongs in no other field.
    if (champ_ancientexte_ != &sender) return;
    sender.SetText(ancientexte_);
    sender.SetCaret(sender.Text().size());
  }
}

void CycleEdition::Effacer() {
  Champ(TagFf).SetText("");
  Champ(TagCfp).SetText("");
  Champ(TagEuro).SetText("");
}

}  // namespace plinvor
