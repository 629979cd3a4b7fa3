#include "core/TPolFunc.h"

#include <cctype>
#include <cmath>

namespace TRANSSTRUCT {

using LISTSTRUCT::TMonom;
using LISTSTRUCT::TPolinom;

namespace {

const DSTRUCT::TText MsgNotEntered{"TPolFunc", TERMIX_TEXT("TPolFunc", "Полином не введён"), {}};
const DSTRUCT::TText MsgEstablished{
    "TPolFunc", TERMIX_TEXT("TPolFunc", "Зависимость установлена"), {}};
const DSTRUCT::TText MsgNotConverted{
    "TPolFunc", TERMIX_TEXT("TPolFunc", "Выражение не преобразовано в функцию!"), {}};
const DSTRUCT::TText MsgUndefined{
    "TPolFunc", TERMIX_TEXT("TPolFunc", "Функция определена не во всей области!"), {}};

DSTRUCT::TText CannotExpress(char var) {
  const char letter = char(std::toupper(static_cast<unsigned char>(var)));
  return {"TPolFunc",
          TERMIX_TEXT("TPolFunc", "Переменная %1 не может быть выражена из полинома"),
          {std::string(1, letter)}};
}

// Power of the variable (lower case) in a packed index.
int PowerOf(char var, int index) {
  switch (var) {
  case 'x':
    return TMonom::PowX(index);
  case 'y':
    return TMonom::PowY(index);
  default:
    return TMonom::PowZ(index);
  }
}

// The index with the variable's power set to 0.
int WithoutVar(char var, int index) {
  const int px = TMonom::PowX(index);
  const int py = TMonom::PowY(index);
  const int pz = TMonom::PowZ(index);
  switch (var) {
  case 'x':
    return TMonom::MakeIndex(0, py, pz);
  case 'y':
    return TMonom::MakeIndex(px, 0, pz);
  default:
    return TMonom::MakeIndex(px, py, 0);
  }
}

} // namespace

TPolFunc::TPolFunc()
    : pPol(std::make_unique<TPolinom>()), pNum(std::make_unique<TPolinom>()),
      pDen(std::make_unique<TPolinom>()), ErrText(MsgNotEntered) {
  SetRetCode(FuncNotReady);
}

TPolFunc::~TPolFunc() = default;

bool TPolFunc::SetDependence(TPolinom pol, float c, char var) {
  SetRetCode(0);
  *pPol = std::move(pol);
  pNum = std::make_unique<TPolinom>();
  pDen = std::make_unique<TPolinom>();
  Var = var;
  const char v = char(std::tolower(static_cast<unsigned char>(var)));
  if (v != 'x' && v != 'y' && v != 'z') {
    // Only the three variables can be expressed.
    Ready = false;
    ErrText = CannotExpress(var);
    SetRetCode(FuncNoDependence);
    return false;
  }

  TPolinom::AddMonom(*pNum, TMonom(c, 0));
  int n = -1;
  for (pPol->ResetList(); !pPol->IsListEnded(); pPol->GoNextLink()) {
    const TMonom* m = pPol->GetMonom();
    const int k = PowerOf(v, m->GetIndex());
    if (k == 0) {
      TPolinom::AddMonom(*pNum, TMonom(-m->GetCoeff(), m->GetIndex()));
    } else if (n == -1 || n == k) {
      TPolinom::AddMonom(*pDen, TMonom(m->GetCoeff(), WithoutVar(v, m->GetIndex())));
      if (n == -1) n = k;
    } else {
      Ready = false;
      ErrText = CannotExpress(var);
      SetRetCode(FuncNoDependence);
      return false;
    }
  }
  if (n == -1) {
    // The variable does not occur (the zero polynomial included): there is nothing to
    // express, and a surface drawn from it would be meaningless.
    Ready = false;
    ErrText = CannotExpress(var);
    SetRetCode(FuncNoDependence);
    return false;
  }
  Ready = true;
  Power = n;
  return true;
}

float TPolFunc::GetValue(float u, float v) {
  if (!Ready) {
    SetRetCode(FuncNotReady);
    ErrText = MsgNotConverted;
    return -1.0f;
  }
  SetRetCode(0);
  float num = 0.0f;
  float den = 0.0f;
  switch (std::tolower(static_cast<unsigned char>(Var))) {
  case 'x':
    num = pNum->Value(1.0f, u, v);
    den = pDen->Value(1.0f, u, v);
    break;
  case 'y':
    num = pNum->Value(u, 1.0f, v);
    den = pDen->Value(u, 1.0f, v);
    break;
  default:
    num = pNum->Value(u, v, 1.0f);
    den = pDen->Value(u, v, 1.0f);
    break;
  }
  // The walks of Value leave their own codes on the polynomials, not here.
  pNum->GetRetCode();
  pDen->GetRetCode();
  const float r = den == 0.0f ? 100000000.0f : num / den;
  const bool even = Power % 2 == 0;
  if (r < 0.0f && even) {
    SetRetCode(FuncUndefined);
    ErrText = MsgUndefined;
    return 0.0f;
  }
  const double root = 1.0 / double(Power);
  if (r >= 0.0f) return float(std::pow(double(r), root));
  return float(-std::pow(-double(r), root));
}

std::string TPolFunc::GetMessage() const {
  return GetMessageText().Text();
}

DSTRUCT::TText TPolFunc::GetMessageText() const {
  return Ready ? MsgEstablished : ErrText;
}

} // namespace TRANSSTRUCT
