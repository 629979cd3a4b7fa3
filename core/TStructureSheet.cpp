#include "core/TStructureSheet.h"

#include "core/TPolinom.h"

namespace LISTSTRUCT {

namespace {

constexpr int LinkWidth = 16;
constexpr int ArrowLength = 20;
constexpr int PenWidth = 2;

// The arrow head at (x, y) pointing right, as the boxes' arrows and the return line draw it.
void ArrowHead(TCanvas& canvas, int x, int y) {
  canvas.Line(x, y, x - 4, y + 4, CanvasBlack, PenWidth);
  canvas.Line(x, y, x - 4, y - 4, CanvasBlack, PenWidth);
}

int ArrowEnd(const TStructureBox& box) {
  return box.Left + box.TextWidth + LinkWidth + ArrowLength;
}

} // namespace

TStructureSheet::TStructureSheet(TPolinom& pol, TCanvas& measure, int pageWidth,
                                 const std::vector<std::string>& title) {
  const int w3 = measure.TextWidth("000");
  const int w8 = measure.TextWidth("00000000");
  RowHeight = measure.TextHeight("00000000") + 4;
  LineHeight = RowHeight;
  const int textWidth = pageWidth > 0 ? pageWidth - 2 * Margin : 0;
  for (const std::string& line : title)
    Title.push_back(pageWidth > 0 ? Elided(measure, line, textWidth) : line);
  FirstRowTop =
      TopMargin + static_cast<int>(Title.size()) * LineHeight + (Title.empty() ? 0 : RowHeight / 2);

  const int rowLeft = Margin + ArrowLength;
  int x = rowLeft, top = FirstRowTop;
  const auto place = [&](float coeff, int index, int w) {
    // A box goes on to the next row when its arrow and the right margin pass the page.
    if (pageWidth > 0 && x > rowLeft && x + w + LinkWidth + ArrowLength + Margin > pageWidth) {
      x = rowLeft;
      top += 3 * RowHeight;
      ++Rows;
    }
    Boxes.push_back({x, top, w, coeff, index});
    x += w + LinkWidth + ArrowLength;
  };
  place(0.0f, -1, w3);
  for (pol.ResetList(); !pol.IsListEnded(); pol.GoNextLink())
    place(pol.GetMonom()->GetCoeff(), pol.GetMonom()->GetIndex(), w8);

  Width = pageWidth > 0 ? pageWidth : ArrowEnd(Boxes.back()) + Margin;
  Height = top + 5 * RowHeight / 2 + PenWidth + TopMargin;
}

int TStructureSheet::BoxAt(int x, int y) const {
  for (size_t k = 0; k < Boxes.size(); ++k) {
    const TStructureBox& b = Boxes[k];
    if (x >= b.Left && x <= b.Left + b.TextWidth + LinkWidth && y >= b.Top &&
        y <= b.Top + 2 * RowHeight)
      return static_cast<int>(k);
  }
  return -1;
}

std::vector<int> TStructureSheet::PageStarts(int pageHeight) const {
  std::vector<int> starts{0};
  for (size_t k = 0; k < Boxes.size(); ++k) {
    if (k > 0 && Boxes[k].Top == Boxes[k - 1].Top) continue; // not the first box of a row
    const int top = Boxes[k].Top - TopMargin;
    const int end = Boxes.back().Top == Boxes[k].Top ? Height : Boxes[k].Top + 3 * RowHeight;
    if (end > starts.back() + pageHeight && top > starts.back()) starts.push_back(top);
  }
  return starts;
}

void TStructureSheet::Draw(TCanvas& canvas, const TStructureColors& colors) const {
  canvas.Rectangle(0, 0, canvas.GetWidth(), canvas.GetHeight(), colors.Background,
                   colors.Background, 1);
  for (size_t k = 0; k < Title.size(); ++k)
    canvas.TextOut(Margin, TopMargin + static_cast<int>(k) * LineHeight, Title[k],
                   colors.Background);
  TPolinom painter; // the box drawing of the one-row picture, which uses nothing of its own
  for (const TStructureBox& b : Boxes) {
    const bool head = b.Index == -1;
    painter.DrawMonomBox(TMonom(b.Coeff, b.Index), b.Left, b.Top, b.TextWidth, RowHeight, LinkWidth,
                         canvas, head ? colors.HeadCoeff : colors.MonCoeff,
                         head ? colors.HeadIndex : colors.MonIndex,
                         head ? colors.HeadLink : colors.MonLink);
  }
  DrawLinks(canvas);
}

// From the last arrow of each row down under the row, back to the left and into the first box
// of the next row; from the last arrow of all down, left to the margin, up and into the head.
void TStructureSheet::DrawLinks(TCanvas& canvas) const {
  const int h = RowHeight;
  const int entry = Margin + ArrowLength;
  for (size_t k = 0; k + 1 < Boxes.size(); ++k) {
    const TStructureBox &b = Boxes[k], &next = Boxes[k + 1];
    if (next.Top == b.Top) continue;
    const int x = ArrowEnd(b), under = b.Top + 2 * h + h / 2, lane = Margin + ArrowLength / 2;
    canvas.Line(x, b.Top + h, x, under, CanvasBlack, PenWidth);
    canvas.Line(x, under, lane, under, CanvasBlack, PenWidth);
    canvas.Line(lane, under, lane, next.Top + h, CanvasBlack, PenWidth);
    canvas.Line(lane, next.Top + h, entry, next.Top + h, CanvasBlack, PenWidth);
    ArrowHead(canvas, entry, next.Top + h);
  }
  const TStructureBox &last = Boxes.back(), &head = Boxes.front();
  const int x = ArrowEnd(last), bottom = last.Top + 5 * h / 2;
  canvas.Line(x, last.Top + h, x, bottom, CanvasBlack, PenWidth);
  canvas.Line(x, bottom, Margin, bottom, CanvasBlack, PenWidth);
  canvas.Line(Margin, bottom, Margin, head.Top + h, CanvasBlack, PenWidth);
  canvas.Line(Margin, head.Top + h, entry, head.Top + h, CanvasBlack, PenWidth);
  ArrowHead(canvas, entry, head.Top + h);
}

std::string TStructureSheet::Elided(TCanvas& canvas, const std::string& text, int width) {
  if (canvas.TextWidth(text) <= width) return text;
  const std::string ellipsis = "…";
  // Cut points are character starts; the longest fitting start is found by halving.
  std::vector<size_t> cuts;
  for (size_t i = 0; i <= text.size(); ++i)
    if (i == text.size() || (static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) cuts.push_back(i);
  size_t low = 0, high = cuts.size() - 1;
  while (low < high) {
    const size_t mid = (low + high + 1) / 2;
    if (canvas.TextWidth(text.substr(0, cuts[mid]) + ellipsis) <= width)
      low = mid;
    else
      high = mid - 1;
  }
  return text.substr(0, cuts[low]) + ellipsis;
}

} // namespace LISTSTRUCT
