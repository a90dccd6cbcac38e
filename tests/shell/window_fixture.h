// A fresh TForm1, shown and active, with "." and "," as separators; keys go
// in through the window, as the window system delivers them: to the focused
// field, releases included.
#pragma once

#include <array>
#include <memory>

#include <QTest>
#include <QWindow>
#include <gtest/gtest.h>

#include "converter/montant.h"
#include "shell/calc.h"

Q_GUI_EXPORT void qt_handleKeyEvent(QWindow* w, QEvent::Type t, int k, Qt::KeyboardModifiers mods,
                                    const QString& text, bool autorep, ushort count);

class WindowTest : public testing::Test {
 protected:
  void SetUp() override {
    plinvor::SeparateurDecimal = ".";
    plinvor::SeparateurMilliers = ",";
    form = std::make_unique<TForm1>();
    form->show();
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    window = form->windowHandle();
  }

  // Each character pressed and released in turn.
  void Type(const char* keys) {
    for (const char* c = keys; *c; ++c) QTest::keyClick(window, *c);
  }
  void Click(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::keyClick(window, key, modifiers);
  }
  // One raw key event, as X11 sends them (auto-repeat: release and press
  // pairs flagged as repeats).
  void Send(QEvent::Type type, Qt::Key key, const QString& text, bool autoRepeat = false) {
    qt_handleKeyEvent(window, type, key, Qt::NoModifier, text, autoRepeat, 1);
    QCoreApplication::processEvents();
  }

  // The three fields' texts, in tag order.
  std::array<QString, 3> Fields() const {
    return {form->edcfp->text(), form->edff->text(), form->edeuro->text()};
  }

  std::unique_ptr<TForm1> form;
  QWindow* window = nullptr;
};
