// The window unit: the converter's one window, TForm1, and its global
// reference Form1.
//
// The window is described by data, calc.ui: its components with every value,
// the tab order, and the handlers bound by name (FormCreate to created,
// edcfpKeyDown and edcfpKeyUp to keyDown and keyUp of the three amount
// fields, IQuitteClick to clicked of the close hotspot). The editing cycle
// itself is the converter's CycleEdition; the handlers only forward to it.
#pragma once

#include <memory>
#include <optional>

#include "converter/cycle.h"
#include "shell/champ_edit.h"
#include "shell/form.h"
#include "ui_calc.h"

class TForm1 : public TForm, public Ui::TForm1 {
  Q_OBJECT

 public:
  explicit TForm1(QWidget* parent = nullptr);
  ~TForm1() override;

  // Empties the three amount fields (the cycle's Effacer).
  void Effacer();

 public slots:
  void FormCreate();
  void edcfpKeyDown(TEdit* sender, int key, Qt::KeyboardModifiers shift);
  void edcfpKeyUp(TEdit* sender, int key, Qt::KeyboardModifiers shift);
  void IQuitteClick(TImage* sender);

 private:
  plinvor::ChampEdit& Champ(TEdit* sender);

  std::optional<plinvor::ChampEdit> champCfp_, champFf_, champEuro_;
  // Made by FormCreate, which loads the rates.
  std::optional<plinvor::CycleEdition> cycle_;
};

extern TForm1* Form1;
