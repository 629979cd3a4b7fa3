// Meshing the sphere x^2 + y^2 + z^2 = 1 over +-1.2 at 48 and 128 cells per axis (targets:
// 20 ms and 300 ms), and the quartic tube at 48. For comparison, the sampling of the same
// 49^3 grid alone, once with the mesh's evaluator and once with TPolinom::Value per point.
// The separable sums against the term-by-term evaluation in the same run: the sphere at 48
// cells, and the 171,700 monomials of degree up to 99 at 128 cells (target: under 1 s).
#include <benchmark/benchmark.h>

#include <random>

#include "bench/core/PairedTiming.h"

#include "core/TPolinom.h"
#include "surface/TImplicitMesh.h"
#include "surface/TPolEvaluator.h"

using LISTSTRUCT::TPolinom;
using TRANSSTRUCT::TImplicitMesh;
using TRANSSTRUCT::TPolEvaluator;
using TRANSSTRUCT::TViewRegion;

namespace {

// x^2 + y^2 + z^2, its monomials in descending index order.
TPolinom Sphere() {
  return TPolinom{{1.0f, 20000}, {1.0f, 200}, {1.0f, 2}};
}

// (x^2 + y^2 + z^2 + 0.6)^2 - 2.4 (x^2 + y^2)
TPolinom Quartic() {
  TPolinom s = Sphere() + TPolinom{{0.6f, 0}};
  return s * s - TPolinom{{2.4f, 20000}, {2.4f, 200}};
}

void Mesh(benchmark::State& state, TPolinom (*surface)(), float c, float halfSize) {
  const TPolinom pol = surface();
  const TViewRegion region{0, 0, 0, halfSize, halfSize, halfSize};
  TImplicitMesh mesh;
  for (auto _ : state) {
    mesh.Build(pol, c, region, int(state.range(0)));
    benchmark::DoNotOptimize(mesh.GetIndices().data());
  }
  state.counters["triangles"] = double(mesh.GetTriangleCount());
  state.counters["vertices"] = double(mesh.GetVertices().size());
}

constexpr int GridPoints = 49;

double Coordinate(int i) {
  return -1.2 + 2.4 * double(i) / double(GridPoints - 1);
}

void SampleGridWithEvaluator(benchmark::State& state) {
  const TPolEvaluator f(Sphere());
  double xs[GridPoints], row[GridPoints];
  for (int i = 0; i < GridPoints; ++i)
    xs[i] = Coordinate(i);
  for (auto _ : state)
    for (int k = 0; k < GridPoints; ++k)
      for (int j = 0; j < GridPoints; ++j) {
        f.ValuesAlongX(Coordinate(j), Coordinate(k), xs, GridPoints, row);
        benchmark::DoNotOptimize(row[0]);
      }
}

void SampleGridWithValue(benchmark::State& state) {
  TPolinom sphere = Sphere();
  for (auto _ : state)
    for (int k = 0; k < GridPoints; ++k)
      for (int j = 0; j < GridPoints; ++j)
        for (int i = 0; i < GridPoints; ++i)
          benchmark::DoNotOptimize(
              sphere.Value(float(Coordinate(i)), float(Coordinate(j)), float(Coordinate(k))));
}

// Every monomial x^a y^b z^e with a + b + e <= 99 (171,700 of them), coefficients random in
// [-1, 1].
TPolinom Degree99() {
  std::mt19937 rng(99);
  std::uniform_real_distribution<float> coeff(-1.0f, 1.0f);
  TPolinom p;
  for (int a = 99; a >= 0; --a)
    for (int b = 99 - a; b >= 0; --b)
      for (int e = 99 - a - b; e >= 0; --e)
        p.InsLast(new LISTSTRUCT::TMonom(coeff(rng), LISTSTRUCT::TMonom::MakeIndex(a, b, e)));
  return p;
}

// One mesh with the separable sums and one term by term each iteration; the time is the
// first's, "ratio" the first's over the second's.
void MeshAgainstTermByTerm(benchmark::State& state, TPolinom (*surface)(), float c,
                           float halfSize) {
  const TPolinom pol = surface();
  const TViewRegion region{0, 0, 0, halfSize, halfSize, halfSize};
  const int cells = int(state.range(0));
  TImplicitMesh mesh, termByTerm;
  termByTerm.SetEvaluation(TImplicitMesh::TEvaluation::TermByTerm);
  benchsupport::TimeAgainstPeer(
      state, "term_by_term", [&] { mesh.Build(pol, c, region, cells); },
      [&] { termByTerm.Build(pol, c, region, cells); });
  if (mesh.GetIndices() != termByTerm.GetIndices())
    state.SkipWithError("the two evaluations made different triangles");
  state.counters["terms"] = double(pol.GetListLength());
  state.counters["triangles"] = double(mesh.GetTriangleCount());
  state.counters["vertices"] = double(mesh.GetVertices().size());
}

} // namespace

BENCHMARK_CAPTURE(MeshAgainstTermByTerm, Sphere, Sphere, 1.0f, 1.2f)
    ->Arg(48)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(MeshAgainstTermByTerm, Degree99, Degree99, 0.0f, 1.0f)
    ->Arg(128)
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Mesh, Sphere, Sphere, 1.0f, 1.2f)
    ->Arg(48)
    ->Arg(128)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Mesh, Quartic, Quartic, 0.3f, 1.6f)->Arg(48)->Unit(benchmark::kMillisecond);
BENCHMARK(SampleGridWithEvaluator)->Unit(benchmark::kMillisecond);
BENCHMARK(SampleGridWithValue)->Unit(benchmark::kMillisecond);
