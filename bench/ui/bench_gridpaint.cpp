// Painting a grid row that holds a polynomial of about 157 000 characters: with the program's
// cell delegate (only the text's start is laid out) and, for comparison, with the toolkit's
// plain delegate.
//   GridPaint/<delegate>: one paint of the grid's visible rows into a picture.
#include "core/TPolinom.h"
#include "ui/GridCells.h"

#include <QApplication>
#include <QPixmap>
#include <QTableWidget>
#include <benchmark/benchmark.h>

#include <string>

namespace {

QString LongPolynomialText() {
  std::string text;
  for (int i = 0; i < 8000; ++i)
    text += (i % 2 ? " - 1.234*x^" : " + 5.678*x^") + std::to_string(i / 100 % 100) + "*y^" +
            std::to_string(i % 100) + "*z";
  LISTSTRUCT::TPolinom polynomial;
  polynomial.SetText(text);
  return QString::fromStdString(polynomial.GetText());
}

// A grid as the windows make it: number, name and polynomial, a short row above the long one.
struct TGrid {
  QTableWidget Grid{2, 3};
  explicit TGrid(bool programDelegate) {
    Grid.setWordWrap(false);
    Grid.resize(640, 120);
    Grid.setColumnWidth(2, 460);
    if (programDelegate) ShowCellTextStart(&Grid);
    const QString texts[2][3] = {{"1", "Small", "2*X - 1"}, {"2", "Big", LongPolynomialText()}};
    for (int row = 0; row < 2; ++row)
      for (int column = 0; column < 3; ++column)
        Grid.setItem(row, column, new QTableWidgetItem(texts[row][column]));
    Grid.show();
    QCoreApplication::processEvents();
  }
};

void GridPaint(benchmark::State& state, bool programDelegate) {
  TGrid grid(programDelegate);
  QPixmap picture(grid.Grid.viewport()->size());
  for (auto _ : state) {
    grid.Grid.viewport()->render(&picture);
    benchmark::DoNotOptimize(picture);
  }
}

} // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  for (bool programDelegate : {true, false}) {
    const std::string kind = programDelegate ? "program" : "plain";
    benchmark::RegisterBenchmark(("GridPaint/" + kind).c_str(), GridPaint, programDelegate)
        ->Unit(benchmark::kMillisecond);
  }
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
