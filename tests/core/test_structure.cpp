// The structure diagram drawn on a recording canvas: every rectangle, dot, line and text is
// checked at its exact place. The canvas font is 7 pixels per character and 13 high, so
// w3 = 21, w8 = 56 and the row height h = 17.

#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>
#include <string>
#include <vector>

#include "core/TCanvas.h"
#include "core/TPolinom.h"
#include "core/TStructureSheet.h"

using namespace LISTSTRUCT;

namespace {

enum class Kind { Rect, Ellipse, Line, Text, SetWidth };

struct Call {
  Kind kind;
  int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
  TCanvasColor fill{}; // brush, or the text background
  TCanvasColor pen{};
  int penWidth = 0;
  std::string text;

  friend bool operator==(const Call&, const Call&) = default;
};

std::ostream& operator<<(std::ostream& os, const TCanvasColor& c) {
  return os << "rgb(" << int(c.R) << "," << int(c.G) << "," << int(c.B) << ")";
}

std::ostream& operator<<(std::ostream& os, const Call& c) {
  static const char* names[] = {"Rect", "Ellipse", "Line", "Text", "SetWidth"};
  os << names[int(c.kind)] << "(" << c.x1 << "," << c.y1 << "," << c.x2 << "," << c.y2;
  if (c.kind == Kind::Text) os << ",\"" << c.text << "\"";
  return os << ", fill " << c.fill << ", pen " << c.pen << " w" << c.penWidth << ")";
}

class RecordingCanvas : public TCanvas {
public:
  RecordingCanvas(int width, int height) : Width(width), Height(height) {}

  void Rectangle(int x1, int y1, int x2, int y2, TCanvasColor fill, TCanvasColor pen,
                 int penWidth) override {
    Calls.push_back({Kind::Rect, x1, y1, x2, y2, fill, pen, penWidth, {}});
  }
  void Ellipse(int x1, int y1, int x2, int y2, TCanvasColor fill, TCanvasColor pen,
               int penWidth) override {
    Calls.push_back({Kind::Ellipse, x1, y1, x2, y2, fill, pen, penWidth, {}});
  }
  void Line(int x1, int y1, int x2, int y2, TCanvasColor pen, int penWidth) override {
    Calls.push_back({Kind::Line, x1, y1, x2, y2, {}, pen, penWidth, {}});
  }
  void TextOut(int x, int y, const std::string& text, TCanvasColor background) override {
    Calls.push_back({Kind::Text, x, y, 0, 0, background, {}, 0, text});
  }
  int TextWidth(const std::string& text) override { return 7 * int(text.size()); }
  int TextHeight(const std::string&) override { return 13; }
  int GetWidth() const override { return Width; }
  int GetHeight() const override { return Height; }
  void SetWidth(int width) override {
    Width = width;
    Calls.push_back({Kind::SetWidth, width, 0, 0, 0, {}, {}, 0, {}});
  }

  std::vector<Call> Calls;
  int Width, Height;
};

const TCanvasColor HC{240, 230, 5}, HI{255, 175, 0}, HL{245, 120, 240};
const TCanvasColor MC{0, 225, 100}, MI{0, 165, 225}, ML{255, 135, 85};
const TCanvasColor BG{160, 250, 200};
const TCanvasColor Black{0, 0, 0}, Red{255, 0, 0};

Call R(int x1, int y1, int x2, int y2, TCanvasColor fill, TCanvasColor pen, int w = 2) {
  return {Kind::Rect, x1, y1, x2, y2, fill, pen, w, {}};
}
Call E(int x1, int y1, int x2, int y2) {
  return {Kind::Ellipse, x1, y1, x2, y2, Black, Black, 2, {}};
}
Call Ln(int x1, int y1, int x2, int y2) {
  return {Kind::Line, x1, y1, x2, y2, {}, Black, 2, {}};
}
Call T(int x, int y, const std::string& s, TCanvasColor bg) {
  return {Kind::Text, x, y, 0, 0, bg, {}, 0, s};
}
Call W(int w) {
  return {Kind::SetWidth, w, 0, 0, 0, {}, {}, 0, {}};
}

std::vector<Call> Draw(TPolinom& p, RecordingCanvas& c, int minWidth) {
  p.DrawStructure(10, 5, minWidth, c, HC, HI, HL, MC, MI, ML, BG);
  return c.Calls;
}

std::vector<Call> OfKind(const std::vector<Call>& calls, Kind k) {
  std::vector<Call> out;
  for (const Call& c : calls)
    if (c.kind == k) out.push_back(c);
  return out;
}

// The calls of one monomial box at x = left, y0 = 5, w = 56 (h = 17, L = 16).
std::vector<Call> MonomBox(int left, const std::string& coeff, const std::string& index) {
  return {R(left, 5, left + 56, 22, MC, Black),
          R(left, 22, left + 56, 39, MI, Black),
          R(left + 56, 5, left + 72, 39, ML, Black),
          E(left + 60, 18, left + 68, 26),
          Ln(left + 64, 22, left + 92, 22),
          Ln(left + 91, 22, left + 87, 26),
          Ln(left + 91, 22, left + 87, 18),
          T(left + 7, 7, coeff, MC),
          T(left + 7, 24, index, MI)};
}

// The closing line from the end of the last arrow, with y0 + 5h/2 = 5 + 85/2 = 47.
std::vector<Call> ReturnLine(int x) {
  return {Ln(x, 22, x, 47),   Ln(x, 47, 10, 47),  Ln(10, 47, 10, 22),
          Ln(10, 22, 30, 22), Ln(30, 22, 26, 26), Ln(30, 22, 26, 18)};
}

std::vector<Call> Concat(std::vector<std::vector<Call>> parts) {
  std::vector<Call> out;
  for (auto& p : parts)
    out.insert(out.end(), p.begin(), p.end());
  return out;
}

} // namespace

TEST(StructureDiagram, ZeroPolynomialDrawsHeadBoxAndReturnLineOnly) {
  TPolinom zero;
  RecordingCanvas canvas(300, 100);
  const std::vector<Call> expected = {
      W(300),
      R(0, 0, 300, 100, BG, BG, 1),
      // head box at x0 + 20 = 30 with w3 = 21: red outline (sentinel coefficient 0)
      R(30, 5, 51, 22, HC, Red),
      R(30, 22, 51, 39, HI, Red),
      R(51, 5, 67, 39, HL, Red),
      E(55, 18, 63, 26),
      Ln(59, 22, 87, 22),
      Ln(86, 22, 82, 26),
      Ln(86, 22, 82, 18),
      T(37, 7, "0", HC), // w3 / 3 = 7
      T(37, 24, "-1", HI),
      // return line from the head's own arrow end back to its left side
      Ln(87, 22, 87, 47),
      Ln(87, 47, 10, 47),
      Ln(10, 47, 10, 22),
      Ln(10, 22, 30, 22),
      Ln(30, 22, 26, 26),
      Ln(30, 22, 26, 18),
  };
  EXPECT_EQ(Draw(zero, canvas, 300), expected);
  EXPECT_EQ(canvas.Width, 300);
}

TEST(StructureDiagram, ShortPolynomialKeepsMinWidthAndShowsSignedCoefficients) {
  TPolinom p;
  p.SetText("3*x^2*y - 0.5");
  ASSERT_EQ(p.GetRetCode(), 0);
  RecordingCanvas canvas(300, 100);
  const std::vector<Call> calls = Draw(p, canvas, 300);

  // After the head box (11 calls) come: fill, box of 3x^2y at 87, fill, box of -0.5 at 179.
  ASSERT_EQ(calls.size(), 2u + 9u + 2u * 10u + 6u);
  const std::vector<Call> monoms(calls.begin() + 11, calls.end());
  const std::vector<Call> expected = Concat({{R(87, 0, 300, 100, BG, BG, 1)},
                                             MonomBox(87, "3", "20100"),
                                             {R(179, 0, 300, 100, BG, BG, 1)},
                                             MonomBox(179, "-0.5", "0"),
                                             ReturnLine(271)});
  EXPECT_EQ(monoms, expected);
  // The last arrow ends at 271: 271 + 10 fits into 300, so the bitmap keeps its width.
  EXPECT_EQ(OfKind(calls, Kind::SetWidth), std::vector<Call>{W(300)});
  EXPECT_EQ(canvas.Width, 300);
  EXPECT_EQ(p.GetRetCode(), 0);
}

TEST(StructureDiagram, LongPolynomialWidensTheBitmapToLastArrowPlusTen) {
  TPolinom p;
  p.SetText("x^5 + x^4 + x^3 + x^2 + x");
  RecordingCanvas canvas(300, 80);
  const std::vector<Call> calls = Draw(p, canvas, 300);

  // Arrow ends after each box: 179, 271, 363, 455, 547; the third passes 300 - 10.
  EXPECT_EQ(OfKind(calls, Kind::SetWidth), (std::vector<Call>{W(300), W(373), W(465), W(557)}));
  EXPECT_EQ(canvas.Width, 557);

  // Each background fill runs to the width the bitmap has at that moment.
  std::vector<Call> fills;
  for (const Call& c : OfKind(calls, Kind::Rect))
    if (c.fill == BG) fills.push_back(c);
  EXPECT_EQ(fills,
            (std::vector<Call>{R(0, 0, 300, 80, BG, BG, 1), R(87, 0, 300, 80, BG, BG, 1),
                               R(179, 0, 300, 80, BG, BG, 1), R(271, 0, 373, 80, BG, BG, 1),
                               R(363, 0, 465, 80, BG, BG, 1), R(455, 0, 557, 80, BG, BG, 1)}));

  // Boxes in list order (descending index), the return line from the last arrow's end.
  std::vector<std::string> indexTexts;
  for (const Call& c : OfKind(calls, Kind::Text))
    if (c.y1 == 24) indexTexts.push_back(c.text);
  EXPECT_EQ(indexTexts,
            (std::vector<std::string>{"-1", "50000", "40000", "30000", "20000", "10000"}));
  const std::vector<Call> tail(calls.end() - 6, calls.end());
  EXPECT_EQ(tail, ReturnLine(547));
}

TEST(StructureDiagram, WideningStartsExactlyWhenArrowEndPlusTenPassesMinWidth) {
  TPolinom p;
  p.SetText("x + 1");
  RecordingCanvas fits(281, 60), passes(280, 60);
  // The second arrow ends at 271.
  EXPECT_EQ(OfKind(Draw(p, fits, 281), Kind::SetWidth), std::vector<Call>{W(281)});
  EXPECT_EQ(OfKind(Draw(p, passes, 280), Kind::SetWidth), (std::vector<Call>{W(280), W(281)}));
}

TEST(StructureDiagram, CoefficientTextsFollowThePolynomialNumberFormat) {
  TPolinom p;
  TPolinom::AddMonom(p, TMonom(12346.0f, 300));
  TPolinom::AddMonom(p, TMonom(-1.0f, 200));
  TPolinom::AddMonom(p, TMonom(1234.56f, 100));
  TPolinom::AddMonom(p, TMonom(-0.05f, 1));
  TPolinom::AddMonom(p, TMonom(1.0f, 0));
  RecordingCanvas canvas(2000, 80);
  std::vector<std::string> coeffTexts;
  for (const Call& c : OfKind(Draw(p, canvas, 2000), Kind::Text))
    if (c.y1 == 7) coeffTexts.push_back(c.text);
  EXPECT_EQ(coeffTexts, (std::vector<std::string>{"0", "1.235E4", "-1", "1235", "-0.05", "1"}));
}

TEST(StructureDiagram, DrawingLeavesThePolynomialUnchangedAndCanRepeat) {
  TPolinom p;
  p.SetText("2*x*y*z - y + 7");
  const std::string before = p.GetText();
  RecordingCanvas first(200, 50), second(200, 50);
  const std::vector<Call> a = Draw(p, first, 200);
  EXPECT_TRUE(p.IsListEnded());
  const std::vector<Call> b = Draw(p, second, 200);
  EXPECT_EQ(a, b);
  EXPECT_EQ(p.GetText(), before);
}

// Boxes, dots, lines and texts of a drawing, without the background fills and width changes
// of the one-row picture (a sheet is drawn on a canvas of its final size).
std::vector<Call> Figures(const std::vector<Call>& calls) {
  std::vector<Call> out;
  for (const Call& c : calls)
    if (c.kind != Kind::SetWidth && !(c.kind == Kind::Rect && c.penWidth == 1)) out.push_back(c);
  return out;
}

TEST(StructureSheet, OneRowSheetIsTheOneRowPictureAndFindsItsBoxes) {
  TPolinom p;
  p.SetText("3*x^2*y - 0.5 + z");
  RecordingCanvas picture(2000, 60), sheetCanvas(2000, 60);
  const std::vector<Call> specified = Draw(p, picture, 2000);
  const TStructureSheet sheet(p, sheetCanvas, 0);
  sheet.Draw(sheetCanvas);
  EXPECT_EQ(Figures(sheetCanvas.Calls), Figures(specified));
  EXPECT_EQ(sheet.GetRowCount(), 1);
  EXPECT_EQ(sheet.GetWidth(), 363 + 10); // the last arrow's end and the margin
  // The head box at 30, monomial boxes at 87, 179, 271; arrows between them hit nothing.
  EXPECT_EQ(sheet.BoxAt(40, 10), 0);
  EXPECT_EQ(sheet.BoxAt(87 + 70, 38), 1);
  EXPECT_EQ(sheet.BoxAt(271, 5), 3);
  EXPECT_EQ(sheet.BoxAt(165, 22), -1);
  EXPECT_EQ(sheet.BoxAt(100, 45), -1);
  EXPECT_EQ(sheet.GetBoxes()[1].Index, 20100);
}

TEST(StructureSheet, LongRingWrapsIntoFullRowsLinkedDownAndBackToTheHead) {
  std::string text = "1";
  for (int k = 1; k < 35; ++k)
    text += " + x^" + std::to_string(k);
  TPolinom p;
  p.SetText(text);
  const int page = 600;
  const std::vector<std::string> title = {"Полином P35, 01.02.2025", "Формула: " + text};
  RecordingCanvas canvas(page, 1000);
  const TStructureSheet sheet(p, canvas, page, title);
  canvas.Calls.clear();
  sheet.Draw(canvas);

  // Title lines cut to the page at a whole character, the long one with an ellipsis.
  const std::vector<Call> texts = OfKind(canvas.Calls, Kind::Text);
  ASSERT_GE(texts.size(), 2u);
  EXPECT_EQ(texts[0].text, title[0]);
  EXPECT_EQ(texts[1].text.substr(texts[1].text.size() - 3), "…");
  const std::string kept = texts[1].text.substr(0, texts[1].text.size() - 3);
  EXPECT_EQ(title[1].substr(0, kept.size()), kept);
  EXPECT_LE(canvas.TextWidth(texts[1].text), page - 20);
  EXPECT_GT(canvas.TextWidth(title[1].substr(0, kept.size() + 1) + "…"), page - 20);

  // Head box 57 wide with its arrow, monomial boxes 92: five after the head, then six a row.
  const auto& boxes = sheet.GetBoxes();
  ASSERT_EQ(boxes.size(), 36u);
  EXPECT_EQ(sheet.GetRowCount(), 6);
  for (size_t k = 1; k <= boxes.size(); ++k) {
    if (k < boxes.size() && boxes[k].Top == boxes[k - 1].Top) continue;
    // A full row: the next box would pass the page; every arrow stays on it.
    const TStructureBox& last = boxes[k - 1];
    EXPECT_LE(last.Left + last.TextWidth + 16 + 20 + 10, page);
    if (k < boxes.size()) {
      EXPECT_GT(last.Left + last.TextWidth + 36 + 92 + 10, page);
      EXPECT_EQ(boxes[k].Left, 30);
      EXPECT_EQ(boxes[k].Top, last.Top + 51);
      // From the last arrow down under the row, left to the lane and into the next row.
      const int x = last.Left + last.TextWidth + 36, under = last.Top + 42;
      const std::vector<Call> link = {Ln(x, last.Top + 17, x, under), Ln(x, under, 20, under),
                                      Ln(20, under, 20, boxes[k].Top + 17),
                                      Ln(20, boxes[k].Top + 17, 30, boxes[k].Top + 17)};
      EXPECT_NE(std::search(canvas.Calls.begin(), canvas.Calls.end(), link.begin(), link.end()),
                canvas.Calls.end())
          << "row link after box " << k - 1;
    }
  }
  // Boxes in list order; the return line closes the ring from the last arrow to the head.
  EXPECT_EQ(boxes[1].Index, 340000);
  EXPECT_EQ(boxes[35].Index, 0);
  const int head = boxes[0].Top + 17, end = boxes[35].Left + 56 + 36;
  const int bottom = boxes[35].Top + 42;
  const std::vector<Call> back = {Ln(end, boxes[35].Top + 17, end, bottom),
                                  Ln(end, bottom, 10, bottom),
                                  Ln(10, bottom, 10, head),
                                  Ln(10, head, 30, head),
                                  Ln(30, head, 26, head + 4),
                                  Ln(30, head, 26, head - 4)};
  const std::vector<Call> tail(canvas.Calls.end() - 6, canvas.Calls.end());
  EXPECT_EQ(tail, back);
  EXPECT_GE(sheet.GetHeight(), bottom + 2);
  EXPECT_EQ(sheet.GetWidth(), page);

  // Cut into pages two and a half rows high: every row with its link under it on one page.
  const int pageHeight = 51 * 5 / 2;
  const std::vector<int> starts = sheet.PageStarts(pageHeight);
  ASSERT_GE(starts.size(), 3u);
  EXPECT_EQ(starts[0], 0);
  for (size_t k = 0; k < boxes.size(); ++k) {
    const int end = k == 35 ? sheet.GetHeight() : boxes[k].Top + 51;
    const auto page = std::upper_bound(starts.begin(), starts.end(), boxes[k].Top) - 1;
    EXPECT_LE(end, *page + pageHeight) << "box " << k;
  }
}
