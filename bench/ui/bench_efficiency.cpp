// A whole efficiency run (3 tables x 3000 operations) with the page visible, as the user
// starts it with the test button: the runs, then the charts and gauges filled.

#include <QApplication>
#include <QPushButton>
#include <QRadioButton>
#include <benchmark/benchmark.h>

#include "ui/EfficiencyPage.h"

static void EfficiencyRun(benchmark::State& state) {
  TEfficiencyPage page;
  page.resize(900, 300);
  page.show();
  QApplication::processEvents();
  const char* operations[] = {"RBESearch", "RBEInsert", "RBEDelete"};
  page.findChild<QRadioButton*>(operations[state.range(0) - 1])->setChecked(true);
  auto* test = page.findChild<QPushButton*>("SBtnTest");
  for (auto _ : state) {
    test->click();
    QApplication::processEvents(); // the charts repaint
  }
  state.SetLabel(state.range(0) == 1 ? "search" : state.range(0) == 2 ? "insertion" : "deletion");
}
BENCHMARK(EfficiencyRun)->DenseRange(1, 3)->Unit(benchmark::kMillisecond)->Iterations(5);

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
