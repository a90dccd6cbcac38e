// TApplication: the application object of our class library.
//
// Made once, after the crash reporter and before any window. It gives the
// application its title (TitreApplication of the executable's path), its
// icon, its hint timing (500 ms before a hint shows, 2500 ms before it
// hides), handles the exceptions that escape event handlers, and reads the
// regional separators again whenever it receives a locale change.
//
// Exceptions: an exception that escapes an event handler is reported to the
// crash reporter and then shown in the standard error message (the title as
// caption, TexteMessageErreur of its message as text); EAbort is dropped in
// silence. The program goes on either way.
#pragma once

#include <functional>
#include <memory>
#include <stdexcept>
#include <utility>
#include <vector>

#include <QApplication>
#include <QString>
#include <QWidget>

#include "shell/form.h"

namespace plinvor {
class HintController;
class TerminationSignals;

// An exception that ends an action in silence: nothing is reported or shown.
class EAbort : public std::runtime_error {
 public:
  EAbort() : std::runtime_error("Operation aborted") {}
};
}  // namespace plinvor

class TApplication : public QApplication {
  Q_OBJECT

 public:
  static constexpr int HintPause = 500;
  static constexpr int HintHidePause = 2500;

  TApplication(int& argc, char** argv);
  ~TApplication() override;

  const QString& Title() const { return title_; }
  const plinvor::HintController& Hints() const { return *hints_; }

  // Makes a form of class T into `ref`, owned by the application; the first
  // form made is the main form. If making it fails, `ref` stays empty.
  template <class T>
  void CreateForm(T*& ref) {
    ref = nullptr;
    auto form = std::make_unique<T>();
    ref = form.get();
    if (!mainForm_) mainForm_ = ref;
    forms_.push_back(std::move(form));
  }
  TForm* MainForm() const { return mainForm_; }
  // Destroys every form with its components (the destructor does it too).
  void DestroyForms();

  // Shows the main form and runs the event loop until Terminate; the
  // loop's exit code.
  int Run();
  // Ends the event loop with exit code 0.
  void Terminate();

  // Runs `action`; an exception that escapes it goes to HandleException.
  // False when one did.
  template <class F>
  static bool Guard(F&& action) {
    try {
      std::forward<F>(action)();
      return true;
    } catch (...) {
      HandleException();
      return false;
    }
  }
  // For use inside a catch block: reports the exception being handled and
  // shows it (EAbort: neither). Without a TApplication, rethrows it.
  static void HandleException();
  // The standard error message for an exception's `message`.
  void ShowException(const QString& message);

  // Replaces the message box of ShowException (tests); empty restores it.
  using MessageBox = std::function<void(const QString& caption, const QString& text)>;
  void SetMessageBox(MessageBox box) { messageBox_ = std::move(box); }

  bool notify(QObject* receiver, QEvent* e) override;

 protected:
  bool event(QEvent* e) override;

 private:
  QString title_;
  std::vector<std::unique_ptr<QWidget>> forms_;
  TForm* mainForm_ = nullptr;
  std::unique_ptr<plinvor::HintController> hints_;
  std::unique_ptr<plinvor::TerminationSignals> terminationSignals_;
  MessageBox messageBox_;
};
