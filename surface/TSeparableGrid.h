#pragma once
// TSeparableGrid: a polynomial evaluated in double precision on a rectangular grid of points,
// and its analytic gradient at points on the grid's lines, by separable sums.
//
// F = sum of c * x^a * y^b * z^e. Evaluated term by term at every node, a grid of n points a
// side costs terms * n^3. Summed one variable at a time instead, each sum is shared by every
// node that has that coordinate: over z for a plane z = const (terms), then over y for each
// row of it (d^2 per row, d the largest power), then over x by Horner's scheme for each node
// (d per node): about terms * n + d^2 * n^2 + d * n^3 in all.
//
// A point on a grid line has two grid coordinates and a free one. The polynomial summed over
// the two grid coordinates is a polynomial in the free variable alone, and so are its partial
// derivatives by the other two: the gradient at the point is exact, not interpolated. Points on
// lines along x and y are taken with the plane of z they lie in, whose sum over z they share
// with the plane's values; points on lines along z are taken by their coordinate of x. A
// polynomial of few terms for its powers is cheaper to sum term by term at each point.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

#include "core/TPolinom.h"

namespace TRANSSTRUCT {

class TSeparableGrid {
public:
  // The grid's coordinates along x, y and z.
  TSeparableGrid(LISTSTRUCT::TPolinom pol, std::vector<double> xs, std::vector<double> ys,
                 std::vector<double> zs);

  // The terms summed over one variable at one value, as a polynomial in the other two, A and C,
  // with the same sums of the partial derivative by the summed variable:
  // Value[e * Stride + p] for the power p of A (below Width) and e of C; the rows are padded
  // with zeros to a whole number of Lanes. Reach[e] bounds the powers of A in row e.
  static constexpr int Lanes = 8;
  struct TSlice {
    int Width = 0, Stride = 0;
    std::vector<double> Value, Derivative;
    std::vector<int> Reach;
  };
  // The plane z = zs[k]: the terms summed over z, with x as A and y as C.
  struct TPlane {
    int K = 0;
    TSlice Sum;
  };
  TPlane Plane(int k) const;
  // F at every node of the plane: out[j * xs.size() + i] = F(xs[i], ys[j], zs[k]).
  void PlaneValues(const TPlane& plane, double* out) const;

  // A point on the line along axis Axis (0 x, 1 y, 2 z) through the nodes whose other two
  // coordinates have the indexes in Node (Node[Axis] is not read); Along is its coordinate on
  // that axis.
  struct TLinePoint {
    int Axis = 0;
    int Node[3] = {0, 0, 0};
    double Along = 0.0;
  };
  // Receives the index of a point and (dF/dx, dF/dy, dF/dz) there.
  using TGradientSink = std::function<void(int index, const double gradient[3])>;
  // The gradient at the points chosen by which: on lines along x or y in the plane, or on lines
  // along z (any plane).
  void PlaneGradients(const TPlane& plane, const std::vector<TLinePoint>& points,
                      std::vector<int> which, const TGradientSink& sink) const;
  void CrossGradients(const std::vector<TLinePoint>& points, std::vector<int> which,
                      const TGradientSink& sink) const;
  // The gradient at every point.
  void Gradients(const std::vector<TLinePoint>& points, const TGradientSink& sink) const;

private:
  struct TTerm {
    double Coeff;
    int Power[3];
  };
  // The terms ordered by their place in a slice summed over axis B.
  struct TLayout {
    int A = 0, B = 0, C = 0;
    int Width = 0, Stride = 0, Height = 0;
    std::vector<std::int32_t> Offset; // e * Stride + p
    std::vector<std::size_t> RunEnd;  // the end of each run of terms with the same offset
    std::vector<int> PowerB;
    std::vector<double> Coeff, Slope; // Slope: the coefficient times the power of B
    std::vector<int> Reach;
  };
  TLayout MakeLayout(int a, int b, int c) const;
  TSlice Contract(const TLayout& layout, double w, bool derivative) const;
  // The slice summed over C at the value v: coefficients of the powers of A of the slice's value
  // (u), of its derivative by C (uc) and of its derivative by B (ub); uc and ub are both given
  // or both null.
  static void Line(const TSlice& slice, double v, double* u, double* uc, double* ub);
  static TSlice Transposed(const TSlice& slice);
  // The points of which on lines along axis a, grouped by the index of C: lines of one slice.
  void SliceGradients(const TSlice& slice, int a, int b, int c,
                      const std::vector<TLinePoint>& points, std::vector<int>& which,
                      const TGradientSink& sink) const;
  void PointGradient(const TLinePoint& point, double gradient[3]) const;
  // The gradients at the points, each from every term (the term-by-term way).
  void PointGradients(const std::vector<TLinePoint>& points, const std::vector<int>& which,
                      const TGradientSink& sink) const;

  std::vector<TTerm> Terms;
  int Largest[3] = {0, 0, 0}; // the largest power of each variable
  bool TermByTerm = false;    // gradients summed term by term at each point
  std::vector<double> Coords[3];
  TLayout OverZ; // for the planes: A x, B z, C y
  TLayout OverX; // for lines along z: A z, B x, C y
};

} // namespace TRANSSTRUCT
