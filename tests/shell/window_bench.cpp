// The real window on the offscreen platform:
// - one key-up, from the release event entering the window to the two other
//   fields repainted;
// - a Ctrl+V of a huge clipboard text (100,000 characters, the most a field
//   takes, and 10 MB, refused) into the CFP field, from the V press to the
//   next key (End) processed and the window repainted; and the process's peak
//   resident memory (VmHWM) afterwards.
//
//   QT_QPA_PLATFORM=offscreen ./window_bench
#include <benchmark/benchmark.h>

#include <string>

#include <QApplication>
#include <QClipboard>
#include <QTest>
#include <QWindow>

#include "converter/montant.h"
#include "shell/application.h"
#include "shell/calc.h"
#include "shell/scaling.h"
#include "tests/shell/peak_memory.h"

Q_GUI_EXPORT void qt_handleKeyEvent(QWindow* w, QEvent::Type t, int k, Qt::KeyboardModifiers mods,
                                    const QString& text, bool autorep, ushort count);

namespace {

// Counts the paint events that a widget receives.
class PaintCounter : public QObject {
 public:
  int paints = 0;

 protected:
  bool eventFilter(QObject*, QEvent* e) override {
    if (e->type() == QEvent::Paint) ++paints;
    return false;
  }
};

// Shows the window under "." and "," separators, as a user's would show;
// its native window.
QWindow* ShowForm(TForm1& form, benchmark::State& state) {
  plinvor::SeparateurDecimal = ".";
  plinvor::SeparateurMilliers = ",";
  form.show();
  form.activateWindow();
  if (!QTest::qWaitForWindowExposed(&form)) state.SkipWithError("window not exposed");
  return form.windowHandle();
}

void BM_KeyUpConvertsAndRepaints(benchmark::State& state) {
  TForm1 form;
  QWindow* window = ShowForm(form, state);
  PaintCounter ff, euro;
  form.edff->installEventFilter(&ff);
  form.edeuro->installEventFilter(&euro);

  // Alternate between two amounts so that every key-up changes both other
  // fields; the amount is put in place outside the timing.
  const QString amounts[] = {QStringLiteral("1000"), QStringLiteral("123456.78")};
  int i = 0;
  for (auto _ : state) {
    state.PauseTiming();
    form.edcfp->setText(amounts[i++ & 1]);
    QCoreApplication::processEvents();
    state.ResumeTiming();
    qt_handleKeyEvent(window, QEvent::KeyRelease, Qt::Key_8, Qt::NoModifier, QStringLiteral("8"), false, 1);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::UpdateRequest);  // the repaint
  }
  state.counters["ff_paints_per_keyup"] = benchmark::Counter(ff.paints, benchmark::Counter::kAvgIterations);
  state.counters["euro_paints_per_keyup"] = benchmark::Counter(euro.paints, benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_KeyUpConvertsAndRepaints)->Unit(benchmark::kMicrosecond);

void Key(QWindow* window, QEvent::Type type, Qt::Key key, Qt::KeyboardModifiers mods, const QString& text) {
  qt_handleKeyEvent(window, type, key, mods, text, false, 1);
}

void BM_CtrlVToNextKey(benchmark::State& state) {
  TForm1 form;
  QWindow* window = ShowForm(form, state);
  // Zeros then 1: taken whole, the text reads as 1.
  const auto size = static_cast<qsizetype>(state.range(0));
  QGuiApplication::clipboard()->setText(QString(size - 1, u'0') + u'1');
  for (auto _ : state) {
    state.PauseTiming();
    form.edcfp->setText(QString());
    QCoreApplication::processEvents();
    state.ResumeTiming();
    Key(window, QEvent::KeyPress, Qt::Key_Control, Qt::ControlModifier, QString());
    Key(window, QEvent::KeyPress, Qt::Key_V, Qt::ControlModifier, QStringLiteral("\x16"));
    Key(window, QEvent::KeyRelease, Qt::Key_V, Qt::ControlModifier, QStringLiteral("\x16"));
    Key(window, QEvent::KeyRelease, Qt::Key_Control, Qt::NoModifier, QString());
    Key(window, QEvent::KeyPress, Qt::Key_End, Qt::NoModifier, QString());
    Key(window, QEvent::KeyRelease, Qt::Key_End, Qt::NoModifier, QString());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::UpdateRequest);  // the repaint
  }
  const bool taken = form.edcfp->text().size() == size;
  if (taken != (size <= TEdit::MaxTextLength)) state.SkipWithError("the paste was not handled as it should");
  state.counters["taken"] = taken;
  state.counters["peak_rss_MB"] = PeakRssMb();
}
BENCHMARK(BM_CtrlVToNextKey)->Arg(100'000)->Arg(10'000'000)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  plinvor::PinPixelScale();
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  TApplication application(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
