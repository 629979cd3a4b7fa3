// Arbitrary bytes as a formula over a small table: SetFormula, then Calculate when the formula
// is ready. Besides crashes and sanitizer reports this checks the translator's promises: a
// rejected formula reports a position inside it, an accepted one evaluates to code 0 or -108,
// and no evaluated coefficient is infinite or NaN.
//
// Polynomial algebra itself can be made arbitrarily slow by a short formula such as
// "((x+y+z+1)^50)*((x+y+z+1)^49)" (hundreds of millions of term products). Such formulas are
// parsed but not evaluated here: the harness bounds the work of an evaluation from the postfix
// sequence and skips Calculate when the bound is too large.
#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "calc/TFPolTrans.h"
#include "tables/TPolScanTab.h"

using LISTSTRUCT::TMonom;
using LISTSTRUCT::TPolinom;
using TRANSSTRUCT::TFPolTrans;

namespace {

struct Setup {
  TABLESTRUCT::TPolScanTab Tab{""};
  TFPolTrans Trans{&Tab};
  Setup() {
    const char* const entries[][2] = {{"A", "2*x^2*y + 3*z - 1"},
                                      {"B", "x*z^2 - 4*y + 0.5"},
                                      {"Pol1", "x^3 - y^3 + z^3 - 1.5"},
                                      {"P", "1E30*x + 1E-30"},
                                      {"Big", "x^97 + y^98*z"}};
    for (const auto& e : entries) {
      TPolinom p;
      p.SetText(e[1]);
      Tab.InsRecord(e[0], p);
    }
  }
};

// Upper bounds of a value during evaluation: its number of terms and its powers per variable.
struct Bound {
  double Terms = 0;
  std::array<int, 3> Deg{0, 0, 0};
};

double BoxTerms(const std::array<int, 3>& d) {
  return static_cast<double>(d[0] + 1) * (d[1] + 1) * (d[2] + 1);
}

Bound Product(const Bound& a, const Bound& b, double& work) {
  work += a.Terms * b.Terms + 1;
  Bound r;
  for (int v = 0; v < 3; ++v)
    r.Deg[v] = std::min(a.Deg[v] + b.Deg[v], 99);
  r.Terms = std::min(a.Terms * b.Terms, BoxTerms(r.Deg));
  return r;
}

// The work (term products and merge steps) that evaluating the formula can take at most.
double EvaluationWork(TFPolTrans& trans) {
  std::vector<Bound> lexemes;
  for (auto l = trans.GetFirstLeks(); !trans.IsLeksEnd(); l = trans.GetNextLeks()) {
    Bound b;
    for (l.Pol.ResetList(); !l.Pol.IsListEnded(); l.Pol.GoNextLink()) {
      const int i = l.Pol.GetMonom()->GetIndex();
      b.Terms += 1;
      b.Deg = {std::max(b.Deg[0], TMonom::PowX(i)), std::max(b.Deg[1], TMonom::PowY(i)),
               std::max(b.Deg[2], TMonom::PowZ(i))};
    }
    lexemes.push_back(b);
  }
  std::vector<Bound> stack;
  std::vector<float> numbers; // the exponent value of each stack entry that is a lexeme
  double work = 0;
  for (const std::int32_t q : trans.GetPostfix()) {
    if (q >= 0) {
      stack.push_back(lexemes[static_cast<std::size_t>(q)]);
      auto l = trans.GetFirstLeks();
      for (int k = 0; k < q; ++k)
        l = trans.GetNextLeks();
      float first = 0;
      if (!l.Pol.IsEmpty()) {
        l.Pol.ResetList();
        first = l.Pol.GetMonom()->GetCoeff();
      }
      numbers.push_back(first);
      continue;
    }
    if (q >= TRANSSTRUCT::CodePower) { // + - * ^
      const Bound right = stack.back();
      const float exponent = numbers.back();
      stack.pop_back();
      numbers.pop_back();
      const Bound left = stack.back();
      stack.pop_back();
      numbers.pop_back();
      Bound r;
      if (q == TRANSSTRUCT::CodeMul) {
        r = Product(left, right, work);
      } else if (q == TRANSSTRUCT::CodePower) {
        // Up to 100 products one by one, then at most 31 squarings and 31 products.
        const double n = std::isnan(exponent) ? 0 : std::min<double>(exponent, 2147483647.0);
        r.Terms = 1;
        const double linear = std::min(n, 100.0);
        for (int k = 0; k < linear; ++k)
          r = Product(r, left, work);
        if (n > 100) {
          Bound square = left;
          for (int k = 0; k < 31; ++k) {
            r = Product(r, square, work);
            square = Product(square, square, work);
          }
        }
      } else {
        // Each term of the right operand is merged into the growing copy of the left one.
        work += right.Terms * (left.Terms + right.Terms) + 1;
        for (int v = 0; v < 3; ++v)
          r.Deg[v] = std::max(left.Deg[v], right.Deg[v]);
        r.Terms = std::min(left.Terms + right.Terms, BoxTerms(r.Deg));
      }
      stack.push_back(r);
      numbers.push_back(0);
    } else { // derivative or integral
      work += stack.back().Terms * stack.back().Terms + 1;
      if (q <= TRANSSTRUCT::CodeIntegrX) {
        const int v = TRANSSTRUCT::CodeIntegrX - q;
        stack.back().Deg[v] = std::min(stack.back().Deg[v] + 1, 99);
        stack.back().Terms = std::min(stack.back().Terms, BoxTerms(stack.back().Deg));
      }
      numbers.back() = 0;
    }
    if (work > 1e12) break;
  }
  return work;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static Setup setup;
  if (size > 4096) return 0;
  const std::string formula(reinterpret_cast<const char*>(data), size);
  TFPolTrans& trans = setup.Trans;
  trans.SetFormula(formula);
  const int code = trans.GetRetCode();
  const int pos = trans.GetErrPos();
  if (code != 0) {
    if (trans.GetIsReady() || code < -107 || code > -101) std::abort();
    if (code >= -106 && code <= -103 && (pos < 1 || pos > static_cast<int>(size) + 1)) std::abort();
    if (code == -107 && pos != -1) std::abort();
    return 0;
  }
  if (!trans.GetIsReady() || pos != 0) std::abort();
  if (EvaluationWork(trans) > 3e5) return 0;
  TPolinom r = trans.Calculate();
  const int calcCode = trans.GetRetCode();
  if (calcCode != 0 && calcCode != -108) std::abort();
  for (r.ResetList(); !r.IsListEnded(); r.GoNextLink())
    if (!std::isfinite(r.GetMonom()->GetCoeff())) std::abort();
  return 0;
}
