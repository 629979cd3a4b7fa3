// The table file with 4999 records: loading, a full save after an organisation switch, and a
// save after one record changed; and the load of one very long polynomial. The file lies in a
// folder of the system's temporary folder, on its disk, and every save is flushed to the disk.

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <random>
#include <string>

#include "tables/CopyTab.h"
#include "tables/TPolHashTab.h"
#include "tables/TPolScanTab.h"
#include "tables/TPolSortTab.h"

using namespace TABLESTRUCT;

namespace {

constexpr int Records = 4999;

class Folder {
public:
  Folder() {
    std::string tmpl = (std::filesystem::temp_directory_path() / "termix-bench-XXXXXX").string();
    Path = mkdtemp(tmpl.data());
    std::filesystem::create_directory(Path + "/IniSaves"); // no save makes folders
  }
  ~Folder() {
    std::error_code ec;
    std::filesystem::remove_all(Path, ec);
  }
  std::string File() const { return Path + "/IniSaves/PolTable.ini"; }
  std::string Path;
};

// A table file as the program writes it: 4999 named sections with typical formulas.
void WriteTableFile(const std::string& path) {
  std::filesystem::create_directories(std::filesystem::path(path).parent_path());
  std::ofstream out(path, std::ios::binary);
  for (int k = 0; k < Records; ++k)
    out << "[Polinom" << k << "]\nPolName=Pol" << k << "\nPolFormula=" << (k % 97 + 2)
        << "*X^2*Y + 3.5*X*Z^3 - " << k << "*Y + 1\n\n";
  out << "[Global]\nPolCount=" << Records << "\n";
}

std::unique_ptr<TBasePTab> Make(int64_t org, const std::string& path) {
  if (org == 0) return std::make_unique<TPolScanTab>(path);
  if (org == 1) return std::make_unique<TPolSortTab>(path);
  return std::make_unique<TPolHashTab>(10, path);
}

// What the table window does at start: a new table object reads the whole file.
void BM_LoadTab(benchmark::State& state) {
  Folder dir;
  WriteTableFile(dir.File());
  for (auto _ : state) {
    auto t = Make(state.range(0), dir.File());
    t->LoadTab();
    if (t->GetRetCode() != TabOK || t->GetDataCount() != Records)
      state.SkipWithError("load failed");
  }
}

// The save after switching from the scan table: every record unstored, every formula
// rewritten in its section, the file last written by the other table object.
void BM_SaveTabAll(benchmark::State& state) {
  Folder dir;
  WriteTableFile(dir.File());
  TPolScanTab loaded(dir.File());
  loaded.LoadTab();
  auto t = Make(state.range(0), dir.File());
  for (auto _ : state) {
    state.PauseTiming();
    WriteTableFile(dir.File()); // the file as another table object left it
    CopyTab(t.get(), &loaded);
    state.ResumeTiming();
    t->SaveTab();
    if (t->GetRetCode() != TabOK) state.SkipWithError("save failed");
  }
}

// The first save into a missing file: 4999 new sections.
void BM_SaveTabNewFile(benchmark::State& state) {
  Folder dir;
  WriteTableFile(dir.Path + "/source.ini");
  TPolScanTab loaded(dir.Path + "/source.ini");
  loaded.LoadTab();
  auto t = Make(state.range(0), dir.File());
  for (auto _ : state) {
    state.PauseTiming();
    std::filesystem::remove(dir.File());
    CopyTab(t.get(), &loaded);
    state.ResumeTiming();
    t->SaveTab();
    if (t->GetRetCode() != TabOK) state.SkipWithError("save failed");
  }
}

// One record changed since the last save.
void BM_SaveTabOne(benchmark::State& state) {
  Folder dir;
  WriteTableFile(dir.File());
  auto t = Make(state.range(0), dir.File());
  t->LoadTab();
  TPolinom a({{1.0f, 10000}}), b({{2.0f, 100}});
  int i = 0;
  for (auto _ : state) {
    state.PauseTiming();
    t->InsRecord("Pol2500", (++i % 2) ? a : b);
    state.ResumeTiming();
    t->SaveTab();
    if (t->GetRetCode() != TabOK) state.SkipWithError("save failed");
  }
}

// A stored result of 171,700 monomials (a formula line of about 4 MB), as the table window
// loads it at start.
void BM_LoadTabHugePolynomial(benchmark::State& state) {
  constexpr int Terms = 171700;
  Folder dir;
  std::string text;
  {
    TPolinom big;
    std::mt19937 rng(171700);
    // Distinct indexes spread over the whole range, in descending order.
    for (int i = Terms - 1; i >= 0; --i)
      big.InsLast(new LISTSTRUCT::TMonom(static_cast<float>(rng() % 9999 + 1) / 100.0f,
                                         i * 5 + int(rng() % 5)));
    text = big.GetText();
  }
  std::filesystem::create_directories(std::filesystem::path(dir.File()).parent_path());
  {
    std::ofstream out(dir.File(), std::ios::binary);
    out << "[Global]\nPolCount=2\n[Polinom0]\nPolName=Res0\nPolFormula=" << text
        << "\n[Polinom1]\nPolName=A\nPolFormula=X + 1\n";
  }
  int terms = 0;
  for (auto _ : state) {
    TPolScanTab t(dir.File());
    t.LoadTab();
    t.Reset();
    terms = t.GetPolinom(-1)->GetListLength();
    if (t.GetRetCode() != TabOK || t.GetDataCount() != 2 || terms != Terms)
      state.SkipWithError("load failed");
  }
  state.counters["terms"] = terms;
  state.counters["MB"] = static_cast<double>(text.size()) / 1e6;
}
BENCHMARK(BM_LoadTabHugePolynomial)->Unit(benchmark::kMillisecond);

void Organisations(benchmark::internal::Benchmark* b) {
  b->ArgName("org")->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);
}

} // namespace

BENCHMARK(BM_LoadTab)->Apply(Organisations);
BENCHMARK(BM_SaveTabAll)->Apply(Organisations);
BENCHMARK(BM_SaveTabNewFile)->Apply(Organisations);
BENCHMARK(BM_SaveTabOne)->Apply(Organisations);
