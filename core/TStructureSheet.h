#pragma once
// The picture of a polynomial's ring laid out for a page: the boxes of the one-row picture
// (same sizes, links, arrows and texts) wrapped into rows that fit the page width, each row
// joined to the next by a line from its last arrow down and back to the left, and the return
// line from the last link around the left side up to the head box. Title lines, each cut to
// the page width, stand above the rows. With no page width the boxes stay in one row exactly
// where the one-row picture puts them, so the layout also tells which box is under the mouse.

#include <string>
#include <vector>

#include "core/TCanvas.h"

namespace LISTSTRUCT {

class TPolinom;

// The colours of the overview window's picture.
struct TStructureColors {
  TCanvasColor HeadCoeff{240, 230, 5}, HeadIndex{255, 175, 0}, HeadLink{245, 120, 240};
  TCanvasColor MonCoeff{0, 225, 100}, MonIndex{0, 165, 225}, MonLink{255, 135, 85};
  TCanvasColor Background{160, 250, 200};
};

// One box with its link cell; its arrow runs 20 pixels on to the right of it.
struct TStructureBox {
  int Left = 0, Top = 0;
  int TextWidth = 0; // the width of the coefficient and index cells; the link cell follows
  float Coeff = 0.0f;
  int Index = -1; // -1 for the head box
};

class TStructureSheet {
public:
  static constexpr int Margin = 10;   // left margin, where the return line runs
  static constexpr int TopMargin = 5; // above the title (or the first row)

  // Measures with the canvas's font. pageWidth <= 0 keeps one row. Walks the polynomial.
  TStructureSheet(TPolinom& pol, TCanvas& measure, int pageWidth,
                  const std::vector<std::string>& title = {});

  int GetWidth() const { return Width; }
  int GetHeight() const { return Height; }
  int GetRowCount() const { return Rows; }
  const std::vector<TStructureBox>& GetBoxes() const { return Boxes; }
  const std::vector<std::string>& GetTitle() const { return Title; }
  // The index in GetBoxes of the box (its cells) under (x, y); -1 if none.
  int BoxAt(int x, int y) const;

  // Where the pages begin when the sheet is cut into pages pageHeight high: 0, then the top of
  // each row (with the link under it) that would not end on the page before.
  std::vector<int> PageStarts(int pageHeight) const;

  // Paints the whole sheet on a canvas of at least GetWidth x GetHeight.
  void Draw(TCanvas& canvas, const TStructureColors& colors = {}) const;

  // The longest start of text that fits width with "…" after it (the text itself if it fits).
  static std::string Elided(TCanvas& canvas, const std::string& text, int width);

private:
  void DrawLinks(TCanvas& canvas) const;

  std::vector<TStructureBox> Boxes;
  std::vector<std::string> Title;
  int RowHeight = 0; // h: one row of a box; a box is 2h high, rows stand 3h apart
  int LineHeight = 0;
  int FirstRowTop = 0;
  int Width = 0, Height = 0, Rows = 1;
};

} // namespace LISTSTRUCT
