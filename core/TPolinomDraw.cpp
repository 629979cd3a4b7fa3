// The picture of a polynomial's ring: the head box, one box per monomial, arrows from link to
// link and the line that closes the ring from the last link back to the head.

#include <cmath>
#include <string>

#include "core/TPolinom.h"

namespace LISTSTRUCT {

namespace {

constexpr int LinkWidth = 16;   // width of a box's link cell
constexpr int ArrowLength = 20; // arrow beyond the link cell, the gap to the next box
constexpr int PenWidth = 2;

} // namespace

// A constant term always writes its coefficient, so the text of |c| is taken from the printer.
std::string TPolinom::SignedCoeffText(float c) {
  TPolinom constant{{std::fabs(c), 0}};
  const std::string text = constant.GetText();
  return c < 0.0f ? "-" + text : text;
}

void TPolinom::DrawStructure(int x0, int y0, int minWidth, TCanvas& canvas, TCanvasColor headCoeff,
                             TCanvasColor headIndex, TCanvasColor headLink, TCanvasColor monCoeff,
                             TCanvasColor monIndex, TCanvasColor monLink, TCanvasColor background) {
  const int w3 = canvas.TextWidth("000");
  const int w8 = canvas.TextWidth("00000000");
  const int h = canvas.TextHeight("00000000") + 4;
  const int L = LinkWidth;
  int x = x0 + ArrowLength;
  SetRetCode(DataOK);

  canvas.SetWidth(minWidth);
  canvas.Rectangle(0, 0, canvas.GetWidth(), canvas.GetHeight(), background, background, 1);

  // The head link holds the sentinel monomial (0, -1).
  const TMonom* sentinel = static_cast<const TMonom*>(pHead->GetDatValue());
  DrawMonomBox(*sentinel, x, y0, w3, h, L, canvas, headCoeff, headIndex, headLink);
  x += w3 + L + ArrowLength;

  int right = x;
  for (ResetList(); !IsListEnded(); GoNextLink()) {
    right += w8 + L + ArrowLength;
    if (right + 10 > minWidth) canvas.SetWidth(right + 10);
    canvas.Rectangle(x, 0, canvas.GetWidth(), canvas.GetHeight(), background, background, 1);
    DrawMonomBox(*GetMonom(), x, y0, w8, h, L, canvas, monCoeff, monIndex, monLink);
    x += w8 + L + ArrowLength;
  }

  DrawReturnLine(canvas, x0, y0, h, x);
}

void TPolinom::DrawReturnLine(TCanvas& canvas, int x0, int y0, int h, int x) {
  const int bottom = y0 + 5 * h / 2;
  canvas.Line(x, y0 + h, x, bottom, CanvasBlack, PenWidth);
  canvas.Line(x, bottom, x0, bottom, CanvasBlack, PenWidth);
  canvas.Line(x0, bottom, x0, y0 + h, CanvasBlack, PenWidth);
  canvas.Line(x0, y0 + h, x0 + 20, y0 + h, CanvasBlack, PenWidth);
  canvas.Line(x0 + 20, y0 + h, x0 + 16, y0 + h + 4, CanvasBlack, PenWidth);
  canvas.Line(x0 + 20, y0 + h, x0 + 16, y0 + h - 4, CanvasBlack, PenWidth);
}

void TPolinom::DrawMonomBox(const TMonom& m, int left, int top, int w, int h, int L,
                            TCanvas& canvas, TCanvasColor coeffColor, TCanvasColor indexColor,
                            TCanvasColor linkColor) {
  // Only the head's sentinel has coefficient 0; its box is outlined in red.
  const TCanvasColor outline = m.GetCoeff() == 0.0f ? CanvasRed : CanvasBlack;
  canvas.Rectangle(left, top, left + w, top + h, coeffColor, outline, PenWidth);
  canvas.Rectangle(left, top + h, left + w, top + 2 * h, indexColor, outline, PenWidth);
  canvas.Rectangle(left + w, top, left + w + L, top + 2 * h, linkColor, outline, PenWidth);

  // The link dot on the link cell's middle line, and the arrow to the next box.
  canvas.Ellipse(left + w + L / 4, top + h - L / 4, left + w + 3 * L / 4, top + h + L / 4,
                 CanvasBlack, CanvasBlack, PenWidth);
  const int tip = left + w + L + ArrowLength;
  canvas.Line(left + w + L / 2, top + h, tip, top + h, CanvasBlack, PenWidth);
  canvas.Line(tip - 1, top + h, tip - 5, top + h + 4, CanvasBlack, PenWidth);
  canvas.Line(tip - 1, top + h, tip - 5, top + h - 4, CanvasBlack, PenWidth);

  if (m.GetCoeff() == 0.0f)
    canvas.TextOut(left + w / 3, top + 2, "0", coeffColor);
  else
    canvas.TextOut(left + w / 8, top + 2, SignedCoeffText(m.GetCoeff()), coeffColor);

  if (m.GetIndex() == -1)
    canvas.TextOut(left + w / 3, top + h + 2, "-1", indexColor);
  else
    canvas.TextOut(left + w / 8, top + h + 2, std::to_string(m.GetIndex()), indexColor);
}

} // namespace LISTSTRUCT
