// Meshing the sphere x^2 + y^2 + z^2 = 1 over +-1.2 at 48 and 128 cells per axis (targets:
// 20 ms and 300 ms), and the quartic tube at 48. For comparison, the sampling of the same
// 49^3 grid alone, once with the mesh's evaluator and once with TPolinom::Value per point.
#include <benchmark/benchmark.h>

#include "core/TImplicitMesh.h"
#include "core/TPolEvaluator.h"
#include "core/TPolinom.h"

using LISTSTRUCT::TMonom;
using LISTSTRUCT::TPolinom;
using TRANSSTRUCT::TImplicitMesh;
using TRANSSTRUCT::TPolEvaluator;
using TRANSSTRUCT::TViewRegion;

namespace {

TPolinom Monom(float coeff, int px, int py, int pz) {
  TPolinom p;
  TPolinom::AddMonom(p, TMonom(coeff, TMonom::MakeIndex(px, py, pz)));
  return p;
}

TPolinom Sphere() {
  return Monom(1, 2, 0, 0) + Monom(1, 0, 2, 0) + Monom(1, 0, 0, 2);
}

void MeshSphere(benchmark::State& state) {
  const TPolinom sphere = Sphere();
  const TViewRegion region{0, 0, 0, 1.2f, 1.2f, 1.2f};
  TImplicitMesh mesh;
  for (auto _ : state) {
    mesh.Build(sphere, 1.0f, region, int(state.range(0)));
    benchmark::DoNotOptimize(mesh.GetIndices().data());
  }
  state.counters["triangles"] = double(mesh.GetTriangleCount());
  state.counters["vertices"] = double(mesh.GetVertices().size());
}

void MeshQuartic(benchmark::State& state) {
  TPolinom s = Sphere() + Monom(0.6f, 0, 0, 0);
  const TPolinom quartic = s * s - (Monom(2.4f, 2, 0, 0) + Monom(2.4f, 0, 2, 0));
  const TViewRegion region{0, 0, 0, 1.6f, 1.6f, 1.6f};
  TImplicitMesh mesh;
  for (auto _ : state) {
    mesh.Build(quartic, 0.3f, region, int(state.range(0)));
    benchmark::DoNotOptimize(mesh.GetIndices().data());
  }
  state.counters["triangles"] = double(mesh.GetTriangleCount());
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

} // namespace

BENCHMARK(MeshSphere)->Arg(48)->Arg(128)->Unit(benchmark::kMillisecond);
BENCHMARK(MeshQuartic)->Arg(48)->Unit(benchmark::kMillisecond);
BENCHMARK(SampleGridWithEvaluator)->Unit(benchmark::kMillisecond);
BENCHMARK(SampleGridWithValue)->Unit(benchmark::kMillisecond);
