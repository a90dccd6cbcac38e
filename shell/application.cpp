#include "shell/application.h"

#include <QFont>
#include <QIcon>
#include <QMessageBox>

#include "converter/montant.h"
#include "shell/application_texts.h"
#include "shell/crash_reporter.h"
#include "shell/exception_info.h"
#include "shell/hints.h"
#include "shell/startup_preload.h"
#include "shell/termination_signals.h"

namespace {

// Every size of the icon compiled in: window managers and taskbars pick.
QIcon ApplicationIcon() {
  QIcon icon;
  for (const QImage& image : plinvor::StartupPreload::IconImages()) icon.addPixmap(QPixmap::fromImage(image));
  return icon;
}

}  // namespace

TApplication::TApplication(int& argc, char** argv) : QApplication(argc, argv) {
  title_ = plinvor::TitreApplication(applicationFilePath());
  // The X11 window class: "Plinvor" whatever the file is called.
  setApplicationName(QStringLiteral("Plinvor"));
  setApplicationDisplayName(title_);
  setWindowIcon(ApplicationIcon());
  setQuitOnLastWindowClosed(false);  // the main form's close ends the loop
  // The form descriptions name the type faces of the original design; these
  // are the close Debian faces.
  QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"),
                             {QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
  hints_ = std::make_unique<plinvor::HintController>(HintPause, HintHidePause);
  installEventFilter(hints_.get());
  terminationSignals_ = std::make_unique<plinvor::TerminationSignals>([this] { Terminate(); });
}

TApplication::~TApplication() {
  // Windows go before the application object that they need.
  DestroyForms();
  removeEventFilter(hints_.get());
}

void TApplication::DestroyForms() {
  mainForm_ = nullptr;
  forms_.clear();
}

int TApplication::Run() {
  if (mainForm_) {
    mainForm_->show();
    mainForm_->activateWindow();
  }
  return exec();
}

void TApplication::Terminate() { exit(0); }

void TApplication::HandleException() {
  auto* app = qobject_cast<TApplication*>(qApp);
  if (!app) throw;
  try {
    throw;
  } catch (const plinvor::EAbort&) {
    return;
  } catch (...) {
  }
  plinvor::CrashReporter::ReportCurrentException("an event handler (the program goes on)");
  app->ShowException(QString::fromStdString(plinvor::CurrentException().message));
}

void TApplication::ShowException(const QString& message) {
  const QString text = plinvor::TexteMessageErreur(message);
  if (messageBox_) {
    messageBox_(title_, text);
    return;
  }
  QMessageBox box(QMessageBox::Critical, title_, text, QMessageBox::Ok, activeWindow());
  box.exec();
}

bool TApplication::notify(QObject* receiver, QEvent* e) {
  // The last line: handlers of our own classes catch their failures where
  // they raise their events; this catches what other handlers let escape.
  try {
    return QApplication::notify(receiver, e);
  } catch (...) {
    HandleException();
    return false;
  }
}

bool TApplication::event(QEvent* e) {
  if (e->type() == QEvent::LocaleChange) plinvor::LireSeparateurs();
  return QApplication::event(e);
}
