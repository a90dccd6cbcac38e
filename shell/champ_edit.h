// An edit field seen by the editing cycle as an amount field: texts as
// UTF-8, the caret by byte offset.
#pragma once

#include "converter/cycle.h"
#include "shell/edit.h"

namespace plinvor {

class ChampEdit final : public ChampMontant {
 public:
  explicit ChampEdit(TEdit& edit) : edit_(edit) {}

  TEdit& Edit() const { return edit_; }

  std::string Text() const override;
  void SetText(const std::string& texte) override;
  // `position` is a byte offset of Text(); the caret goes to the character
  // that starts there.
  void SetCaret(std::size_t position) override;
  int Tag() const override { return edit_.Tag(); }

 private:
  TEdit& edit_;
};

}  // namespace plinvor
