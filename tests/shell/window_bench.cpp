// One key-up in the real window on the offscreen platform: from the release
// event entering the window to the two other fields repainted.
//
//   QT_QPA_PLATFORM=offscreen ./window_bench
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTest>
#include <QWindow>

#include "converter/montant.h"
#include "shell/application.h"
#include "shell/calc.h"
#include "shell/scaling.h"

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

void BM_KeyUpConvertsAndRepaints(benchmark::State& state) {
  plinvor::SeparateurDecimal = ".";
  plinvor::SeparateurMilliers = ",";
  TForm1 form;
  form.show();
  form.activateWindow();
  if (!QTest::qWaitForWindowExposed(&form)) state.SkipWithError("window not exposed");
  QWindow* window = form.windowHandle();
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
