#pragma once
// Where the three working windows open on the screen. The table window keeps to the left
// edge, the calculation window to the right edge, both level below the tool strip; the
// overview window goes between them when the gap holds it, otherwise below them. Each keeps
// its wished size where the screen's free area holds it, and gives up height (never below its
// least size while that still fits) before any two windows overlap or one leaves the area.
// All sizes are outer sizes, frame included.

namespace DSTRUCT {

struct TRect {
  int Left = 0, Top = 0, Width = 0, Height = 0;

  int Right() const { return Left + Width; } // one past the last column
  int Bottom() const { return Top + Height; }
  bool Overlaps(const TRect& r) const {
    return Left < r.Right() && r.Left < Right() && Top < r.Bottom() && r.Top < Bottom();
  }
  bool Inside(const TRect& area) const {
    return Left >= area.Left && Top >= area.Top && Right() <= area.Right() &&
           Bottom() <= area.Bottom();
  }
  friend bool operator==(const TRect&, const TRect&) = default;
};

struct TSize {
  int Width = 0, Height = 0;
};

struct TWindowWish {
  TSize Wanted, Least;
};

struct TPlacementWishes {
  int Top = 108; // below the tool strip, from the area's top
  TWindowWish Table{{261, 413}, {260, 220}};
  TWindowWish Calc{{660, 430}, {540, 357}};
  TWindowWish Overview{{648, 192}, {648, 157}};
  int OverviewLeft = 146, OverviewTop = 394; // its own place, from the area's left and top
};

struct TWorkingWindows {
  TRect Table, Calc, Overview;
};

TWorkingWindows PlaceWorkingWindows(const TRect& area, const TPlacementWishes& wishes = {});

// A window that must grow to width x height (each at most the area's) stays where it is as
// far as the area lets it, and moves left or up only as far as it must to stay inside.
TRect GrowInside(const TRect& window, int width, int height, const TRect& area);

} // namespace DSTRUCT
