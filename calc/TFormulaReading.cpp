#include "calc/TFormulaReading.h"

#include <cstdint>
#include <string>
#include <vector>

#include "calc/TFPolTrans.h"

namespace TRANSSTRUCT {

using LISTSTRUCT::TReading;

namespace {

// How tightly a piece of the typeset formula binds: an operand or an operator written with
// its own brackets binds tightest.
enum TBinding { Sum = 1, Product = 2, Power = 3, Atom = 4 };

struct TPiece {
  std::string Text;
  int Binding = Atom;
  float Number = 0.0f; // the value of a number operand
  bool IsNumber = false;
};

std::string Bracketed(const TPiece& piece, bool needed) {
  return needed ? "(" + piece.Text + ")" : piece.Text;
}

TPiece Operand(const TPolLeks& leks) {
  TPiece piece;
  if (leks.IsConst) {
    LISTSTRUCT::TPolinom value(leks.Pol);
    value.ResetList();
    piece.Number = value.IsEmpty() ? 0.0f : value.GetMonom()->GetCoeff();
    piece.IsNumber = true;
    piece.Text = LISTSTRUCT::TypesetNumber(piece.Number);
  } else if (leks.Name == "x" || leks.Name == "y" || leks.Name == "z") {
    piece.Text = std::string(1, static_cast<char>(leks.Name[0] - 'a' + 'A'));
  } else {
    piece.Text = leks.Name;
  }
  return piece;
}

TPiece Binary(std::int32_t code, const TPiece& left, const TPiece& right, TReading& reading) {
  if (code == CodeAdd || code == CodeSub) {
    const char* sign = code == CodeAdd ? " + " : " \u2212 ";
    return {left.Text + sign + Bracketed(right, right.Binding <= Sum), Sum};
  }
  if (code == CodeMul)
    return {Bracketed(left, left.Binding < Product) + " × " +
                Bracketed(right, right.Binding <= Product),
            Product};
  const std::int64_t n = right.IsNumber ? TFPolTrans::PowerExponent(right.Number) : 1;
  TPiece power{Bracketed(left, left.Binding <= Power) + LISTSTRUCT::Superscript(n), Power};
  if (right.IsNumber && static_cast<double>(right.Number) != static_cast<double>(n))
    reading.Notes.push_back({"TFormulaReading",
                             TERMIX_TEXT("TFormulaReading", "показатель %1 усечён до %2"),
                             {right.Text, std::to_string(n)}});
  if (left.Binding == Power)
    reading.Notes.push_back(
        {"TFormulaReading",
         TERMIX_TEXT("TFormulaReading", "степень степени читается слева направо: %1"),
         {power.Text}});
  return power;
}

TPiece Unary(std::int32_t code, const TPiece& operand) {
  if (code >= CodeDerivZ)
    return {std::string("∂/∂") + "xyz"[CodeDerivX - code] + "(" + operand.Text + ")", Atom};
  return {"∫(" + operand.Text + ")d" + "xyz"[CodeIntegrX - code], Atom};
}

} // namespace

TReading ReadFormula(const TFPolTrans& trans) {
  TReading reading;
  if (!trans.GetIsReady()) return reading;
  std::vector<TPiece> stack;
  for (const std::int32_t code : trans.GetPostfix()) {
    if (code >= 0) {
      stack.push_back(Operand(trans.GetLeks(code)));
      continue;
    }
    const bool binary = code >= CodePower && code <= CodeAdd;
    if (stack.size() < (binary ? 2u : 1u)) return {};
    TPiece right = std::move(stack.back());
    stack.pop_back();
    if (binary) {
      TPiece left = std::move(stack.back());
      stack.back() = Binary(code, left, right, reading);
    } else {
      stack.push_back(Unary(code, right));
    }
  }
  if (stack.size() != 1) return {};
  reading.Typeset = std::move(stack.back().Text);
  return reading;
}

} // namespace TRANSSTRUCT
