#pragma once
// A canvas for the step pictures' tests: text 7 pixels per byte and 13 high; it keeps every
// text with its place and every line with its colour, and counts what falls outside it.

#include <algorithm>
#include <string>
#include <vector>

#include "core/TCanvas.h"

namespace teachtest {

// True when the shape from (x1, y1) to (x2, y2) lies on a canvas of width x height.
inline bool Inside(int x1, int y1, int x2, int y2, int width, int height) {
  return std::min(x1, x2) >= 0 && std::min(y1, y2) >= 0 && std::max(x1, x2) <= width &&
         std::max(y1, y2) <= height;
}

struct TPlacedText {
  int X = 0;
  int Y = 0;
  std::string Text;
};

struct TColouredLine {
  int X1 = 0, Y1 = 0, X2 = 0, Y2 = 0;
  LISTSTRUCT::TCanvasColor Pen;
};

class CallCanvas : public LISTSTRUCT::TCanvas {
public:
  CallCanvas(int width, int height) : Width(width), Height(height) {}

  void Rectangle(int x1, int y1, int x2, int y2, LISTSTRUCT::TCanvasColor, LISTSTRUCT::TCanvasColor,
                 int) override {
    Inside(x1, y1, x2, y2);
  }
  void Ellipse(int x1, int y1, int x2, int y2, LISTSTRUCT::TCanvasColor, LISTSTRUCT::TCanvasColor,
               int) override {
    Inside(x1, y1, x2, y2);
  }
  void Line(int x1, int y1, int x2, int y2, LISTSTRUCT::TCanvasColor pen, int) override {
    Inside(x1, y1, x2, y2);
    Lines.push_back({x1, y1, x2, y2, pen});
  }
  void TextOut(int x, int y, const std::string& text, LISTSTRUCT::TCanvasColor) override {
    Inside(x, y, x + TextWidth(text), y + 13);
    Texts.push_back({x, y, text});
  }
  int TextWidth(const std::string& text) override { return 7 * static_cast<int>(text.size()); }
  int TextHeight(const std::string&) override { return 13; }
  int GetWidth() const override { return Width; }
  int GetHeight() const override { return Height; }
  void SetWidth(int width) override { Width = width; }

  // The texts drawn with their tops from y1 to y2, left to right.
  std::vector<std::string> TextsBetween(int y1, int y2) const {
    std::vector<TPlacedText> row;
    for (const TPlacedText& t : Texts)
      if (t.Y >= y1 && t.Y <= y2) row.push_back(t);
    std::stable_sort(row.begin(), row.end(),
                     [](const TPlacedText& a, const TPlacedText& b) { return a.X < b.X; });
    std::vector<std::string> texts;
    for (const TPlacedText& t : row)
      texts.push_back(t.Text);
    return texts;
  }

  std::vector<TPlacedText> Texts;
  std::vector<TColouredLine> Lines;
  int Outside = 0;

private:
  int Width, Height;
  void Inside(int x1, int y1, int x2, int y2) {
    if (!teachtest::Inside(x1, y1, x2, y2, Width, Height)) ++Outside;
  }
};

} // namespace teachtest
