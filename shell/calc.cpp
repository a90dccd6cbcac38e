#include "shell/calc.h"

#include <stdexcept>

#include "converter/conversion.h"
#include "shell/resources.h"

TForm1* Form1 = nullptr;

TForm1::TForm1(QWidget* parent) : TForm(parent) {
  plinvor::LoadResources();
  setupUi(this);
  champCfp_.emplace(*edcfp);
  champFf_.emplace(*edff);
  champEuro_.emplace(*edeuro);
  Loaded();
}

TForm1::~TForm1() = default;

void TForm1::FormCreate() {
  cycle_.emplace(*champCfp_, *champFf_, *champEuro_, plinvor::TauxDeParite);
}

plinvor::ChampEdit& TForm1::Champ(TEdit* sender) {
  for (auto* champ : {&*champCfp_, &*champFf_, &*champEuro_}) {
    if (&champ->Edit() == sender) return *champ;
  }
  throw std::invalid_argument("TForm1: key event from an unknown field");
}

void TForm1::edcfpKeyDown(TEdit* sender, int, Qt::KeyboardModifiers) {
  if (cycle_) cycle_->KeyDown(Champ(sender));
}

void TForm1::edcfpKeyUp(TEdit* sender, int key, Qt::KeyboardModifiers) {
  if (cycle_) cycle_->KeyUp(Champ(sender), key);
}

void TForm1::Effacer() {
  if (cycle_) cycle_->Effacer();
}

void TForm1::IQuitteClick(TImage*) { close(); }
