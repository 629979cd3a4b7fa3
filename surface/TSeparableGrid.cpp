#include "surface/TSeparableGrid.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstring>
#include <numeric>
#include <utility>

#include "core/TWideLoops.h"
#include "surface/TPolEvaluator.h"

namespace TRANSSTRUCT {

using LISTSTRUCT::MaxPower;
using LISTSTRUCT::TMonom;
using LISTSTRUCT::TPolinom;

namespace {

// Four doubles handled as one value, at any address of a double; the compiler keeps them in
// vector registers.
typedef double TQuad __attribute__((vector_size(4 * sizeof(double)), aligned(sizeof(double))));

const TQuad& QuadAt(const double* at) {
  return *reinterpret_cast<const TQuad*>(at);
}

TQuad& QuadAt(double* at) {
  return *reinterpret_cast<TQuad*>(at);
}

// Outputs of Line: room for every power of one variable, padded to a whole number of lanes.
using TPadded = std::array<double, (MaxPower + TSeparableGrid::Lanes) / TSeparableGrid::Lanes *
                                       TSeparableGrid::Lanes>;

int Padded(int width) {
  return (width + TSeparableGrid::Lanes - 1) / TSeparableGrid::Lanes * TSeparableGrid::Lanes;
}

// The value at t of the polynomial with the coefficients c[0 .. count - 1], by Horner's scheme.
double Horner(const double* c, int count, double t) {
  double value = 0.0;
  for (int p = count - 1; p >= 0; --p)
    value = value * t + c[p];
  return value;
}

// The same of its derivative.
double HornerSlope(const double* c, int count, double t) {
  double value = 0.0;
  for (int p = count - 1; p >= 1; --p)
    value = value * t + double(p) * c[p];
  return value;
}

} // namespace

TSeparableGrid::TSeparableGrid(TPolinom pol, std::vector<double> xs, std::vector<double> ys,
                               std::vector<double> zs)
    : Coords{std::move(xs), std::move(ys), std::move(zs)} {
  for (pol.ResetList(); !pol.IsListEnded(); pol.GoNextLink()) {
    const TMonom* m = pol.GetMonom();
    const int index = m->GetIndex();
    const TTerm term{double(m->GetCoeff()),
                     {TMonom::PowX(index), TMonom::PowY(index), TMonom::PowZ(index)}};
    for (int axis = 0; axis < 3; ++axis)
      Largest[axis] = std::max(Largest[axis], term.Power[axis]);
    Terms.push_back(term);
  }
  OverZ = MakeLayout(0, 2, 1);
  OverX = MakeLayout(2, 0, 1);
  // A gradient summed term by term costs a few products a term; on a line it costs a few a
  // power of the free variable, and the line's own sums besides.
  TermByTerm = Terms.size() <= 4 * std::size_t(1 + std::max({Largest[0], Largest[1], Largest[2]}));
}

void TSeparableGrid::PointGradient(const TLinePoint& point, double gradient[3]) const {
  TPowers powers[3];
  for (int a = 0; a < 3; ++a)
    FillPowers(a == point.Axis ? point.Along : Coords[a][size_t(point.Node[a])], Largest[a],
               powers[a]);
  gradient[0] = gradient[1] = gradient[2] = 0.0;
  for (const TTerm& t : Terms) {
    const int* p = t.Power;
    if (p[0] > 0)
      gradient[0] += t.Coeff * double(p[0]) * powers[0][size_t(p[0] - 1)] *
                     powers[1][size_t(p[1])] * powers[2][size_t(p[2])];
    if (p[1] > 0)
      gradient[1] += t.Coeff * double(p[1]) * powers[0][size_t(p[0])] *
                     powers[1][size_t(p[1] - 1)] * powers[2][size_t(p[2])];
    if (p[2] > 0)
      gradient[2] += t.Coeff * double(p[2]) * powers[0][size_t(p[0])] * powers[1][size_t(p[1])] *
                     powers[2][size_t(p[2] - 1)];
  }
}

TSeparableGrid::TLayout TSeparableGrid::MakeLayout(int a, int b, int c) const {
  TLayout layout;
  layout.A = a;
  layout.B = b;
  layout.C = c;
  layout.Width = Largest[a] + 1;
  layout.Stride = Padded(layout.Width);
  layout.Height = Largest[c] + 1;
  layout.Reach.assign(size_t(layout.Height), 0);
  const auto offset = [&](const TTerm& t) { return t.Power[c] * layout.Stride + t.Power[a]; };
  // In the order of their places, so that the sums run through the slice from start to end.
  std::vector<std::size_t> order(Terms.size());
  std::iota(order.begin(), order.end(), std::size_t{0});
  std::stable_sort(order.begin(), order.end(), [&](std::size_t p, std::size_t q) {
    return offset(Terms[p]) < offset(Terms[q]);
  });
  for (const std::size_t n : order) {
    const TTerm& t = Terms[n];
    if (!layout.Offset.empty() && layout.Offset.back() != offset(t))
      layout.RunEnd.push_back(layout.Offset.size());
    layout.Offset.push_back(offset(t));
    layout.PowerB.push_back(t.Power[b]);
    layout.Coeff.push_back(t.Coeff);
    layout.Slope.push_back(t.Coeff * double(t.Power[b]));
    int& reach = layout.Reach[size_t(t.Power[c])];
    reach = std::max(reach, t.Power[a] + 1);
  }
  if (!layout.Offset.empty()) layout.RunEnd.push_back(layout.Offset.size());
  return layout;
}

TSeparableGrid::TSlice TSeparableGrid::Contract(const TLayout& layout, double w,
                                                bool derivative) const {
  TSlice slice;
  slice.Width = layout.Width;
  slice.Stride = layout.Stride;
  slice.Reach = layout.Reach;
  const std::size_t cells = std::size_t(layout.Stride) * std::size_t(layout.Height);
  slice.Value.assign(cells, 0.0);
  if (derivative) slice.Derivative.assign(cells, 0.0);
  TPowers powers, below;
  FillPowers(w, Largest[layout.B], powers);
  below[0] = 0.0;
  for (int p = 1; p <= Largest[layout.B]; ++p)
    below[size_t(p)] = powers[size_t(p - 1)];
  // Each run of terms with one place is summed in four independent parts, so that the sums do
  // not wait for each other.
  std::size_t t = 0;
  for (const std::size_t end : layout.RunEnd) {
    const std::size_t at = size_t(layout.Offset[t]);
    double value[4] = {0.0, 0.0, 0.0, 0.0}, slope[4] = {0.0, 0.0, 0.0, 0.0};
    for (; t < end; ++t) {
      const std::size_t part = t & 3, power = size_t(layout.PowerB[t]);
      value[part] += layout.Coeff[t] * powers[power];
      slope[part] += layout.Slope[t] * below[power];
    }
    slice.Value[at] = (value[0] + value[1]) + (value[2] + value[3]);
    if (derivative) slice.Derivative[at] = (slope[0] + slope[1]) + (slope[2] + slope[3]);
  }
  return slice;
}

// Lanes powers of A at a time, each sum kept in registers while the rows of C go by.
TERMIX_WIDE_LOOPS void TSeparableGrid::Line(const TSlice& slice, double v, double* u, double* uc,
                                            double* ub) {
  const int height = int(slice.Reach.size());
  const bool slopes = uc != nullptr && ub != nullptr;
  TPowers powers, below;
  FillPowers(v, height - 1, powers);
  for (int e = 0; e < height; ++e)
    below[size_t(e)] = e > 0 ? double(e) * powers[size_t(e - 1)] : 0.0;
  for (int p = 0; p < slice.Width; p += Lanes) {
    TQuad u0 = {}, u1 = {}, c0 = {}, c1 = {}, b0 = {}, b1 = {};
    for (int e = 0; e < height; ++e) {
      if (slice.Reach[size_t(e)] <= p) continue;
      const std::size_t at = std::size_t(e) * std::size_t(slice.Stride) + std::size_t(p);
      const TQuad r0 = QuadAt(slice.Value.data() + at), r1 = QuadAt(slice.Value.data() + at + 4);
      const double power = powers[size_t(e)];
      u0 += r0 * power;
      u1 += r1 * power;
      if (!slopes) continue;
      const double slope = below[size_t(e)];
      c0 += r0 * slope;
      c1 += r1 * slope;
      const TQuad d0 = QuadAt(slice.Derivative.data() + at),
                  d1 = QuadAt(slice.Derivative.data() + at + 4);
      b0 += d0 * power;
      b1 += d1 * power;
    }
    QuadAt(u + p) = u0;
    QuadAt(u + p + 4) = u1;
    if (!slopes) continue;
    QuadAt(uc + p) = c0;
    QuadAt(uc + p + 4) = c1;
    QuadAt(ub + p) = b0;
    QuadAt(ub + p + 4) = b1;
  }
}

TSeparableGrid::TSlice TSeparableGrid::Transposed(const TSlice& slice) {
  const int height = int(slice.Reach.size());
  TSlice result;
  result.Width = height;
  result.Stride = Padded(height);
  result.Reach.assign(size_t(slice.Width), 0);
  const std::size_t cells = std::size_t(result.Stride) * std::size_t(slice.Width);
  result.Value.assign(cells, 0.0);
  result.Derivative.assign(slice.Derivative.empty() ? 0 : cells, 0.0);
  for (int e = 0; e < height; ++e)
    for (int p = 0; p < slice.Reach[size_t(e)]; ++p) {
      const std::size_t from = std::size_t(e) * std::size_t(slice.Stride) + std::size_t(p);
      const std::size_t to = std::size_t(p) * std::size_t(result.Stride) + std::size_t(e);
      result.Value[to] = slice.Value[from];
      if (!slice.Derivative.empty()) result.Derivative[to] = slice.Derivative[from];
      result.Reach[size_t(p)] = e + 1;
    }
  return result;
}

TSeparableGrid::TPlane TSeparableGrid::Plane(int k) const {
  return TPlane{k, Contract(OverZ, Coords[2][size_t(k)], true)};
}

// Horner's scheme over x for four nodes of a row at a time, the values kept in registers.
TERMIX_WIDE_LOOPS void TSeparableGrid::PlaneValues(const TPlane& plane, double* out) const {
  const std::vector<double>& xs = Coords[0];
  const std::size_t n = xs.size(), quads = n / 4 * 4;
  const int top = Largest[0];
  TPadded u;
  for (std::size_t j = 0; j < Coords[1].size(); ++j) {
    Line(plane.Sum, Coords[1][j], u.data(), nullptr, nullptr);
    double* row = out + j * n;
    for (std::size_t i = 0; i < quads; i += 4) {
      const TQuad x = QuadAt(xs.data() + i);
      TQuad value = TQuad{} + u[size_t(top)];
      for (int p = top - 1; p >= 0; --p)
        value = value * x + u[size_t(p)];
      QuadAt(row + i) = value;
    }
    for (std::size_t i = quads; i < n; ++i)
      row[i] = Horner(u.data(), top + 1, xs[i]);
  }
}

void TSeparableGrid::SliceGradients(const TSlice& slice, int a, int b, int c,
                                    const std::vector<TLinePoint>& points, std::vector<int>& which,
                                    const TGradientSink& sink) const {
  std::sort(which.begin(), which.end(),
            [&](int p, int q) { return points[size_t(p)].Node[c] < points[size_t(q)].Node[c]; });
  TPadded u, uc, ub;
  int line = -1;
  for (const int index : which) {
    const TLinePoint& point = points[size_t(index)];
    if (point.Node[c] != line) {
      line = point.Node[c];
      Line(slice, Coords[c][size_t(line)], u.data(), uc.data(), ub.data());
    }
    double gradient[3];
    gradient[a] = HornerSlope(u.data(), slice.Width, point.Along);
    gradient[b] = Horner(ub.data(), slice.Width, point.Along);
    gradient[c] = Horner(uc.data(), slice.Width, point.Along);
    sink(index, gradient);
  }
}

void TSeparableGrid::PointGradients(const std::vector<TLinePoint>& points,
                                    const std::vector<int>& which,
                                    const TGradientSink& sink) const {
  for (const int p : which) {
    double gradient[3];
    PointGradient(points[size_t(p)], gradient);
    sink(p, gradient);
  }
}

void TSeparableGrid::PlaneGradients(const TPlane& plane, const std::vector<TLinePoint>& points,
                                    std::vector<int> which, const TGradientSink& sink) const {
  if (TermByTerm) return PointGradients(points, which, sink);
  std::vector<int> alongY;
  std::erase_if(which, [&](int p) {
    if (points[size_t(p)].Axis != 1) return false;
    alongY.push_back(p);
    return true;
  });
  if (!which.empty()) SliceGradients(plane.Sum, 0, 2, 1, points, which, sink);
  if (!alongY.empty()) SliceGradients(Transposed(plane.Sum), 1, 2, 0, points, alongY, sink);
}

void TSeparableGrid::CrossGradients(const std::vector<TLinePoint>& points, std::vector<int> which,
                                    const TGradientSink& sink) const {
  if (TermByTerm) return PointGradients(points, which, sink);
  std::sort(which.begin(), which.end(),
            [&](int p, int q) { return points[size_t(p)].Node[0] < points[size_t(q)].Node[0]; });
  std::vector<int> group;
  for (std::size_t n = 0; n < which.size();) {
    const int i = points[size_t(which[n])].Node[0];
    group.clear();
    for (; n < which.size() && points[size_t(which[n])].Node[0] == i; ++n)
      group.push_back(which[n]);
    SliceGradients(Contract(OverX, Coords[0][size_t(i)], true), 2, 0, 1, points, group, sink);
  }
}

void TSeparableGrid::Gradients(const std::vector<TLinePoint>& points,
                               const TGradientSink& sink) const {
  std::vector<int> cross;
  std::vector<std::vector<int>> inPlane(Coords[2].size());
  for (std::size_t p = 0; p < points.size(); ++p) {
    if (points[p].Axis == 2)
      cross.push_back(int(p));
    else
      inPlane[size_t(points[p].Node[2])].push_back(int(p));
  }
  for (std::size_t k = 0; k < inPlane.size(); ++k)
    if (!inPlane[k].empty()) PlaneGradients(Plane(int(k)), points, std::move(inPlane[k]), sink);
  CrossGradients(points, std::move(cross), sink);
}

} // namespace TRANSSTRUCT
