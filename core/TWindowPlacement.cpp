#include "core/TWindowPlacement.h"

#include <algorithm>

namespace DSTRUCT {

namespace {

// v moved into [low, high]; low wins when the range is empty.
int Clamp(int v, int low, int high) {
  return std::max(low, std::min(v, high));
}

bool ColumnsMeet(const TRect& a, const TRect& b) {
  return a.Left < b.Right() && b.Left < a.Right();
}

// The overview below the two side windows: it takes its wished height at the area's bottom
// edge or lower than both, and the side windows above it give up height down to their least;
// only when that is not enough does the overview shrink, and at last the side windows go
// below their least sizes, so that nothing overlaps.
void PlaceBelow(const TRect& area, const TPlacementWishes& wishes, TWorkingWindows& w) {
  const TWindowWish& ov = wishes.Overview;
  TRect& o = w.Overview;
  o.Width = std::min(ov.Wanted.Width, area.Width);
  o.Left = Clamp(area.Left + wishes.OverviewLeft, area.Left, area.Right() - o.Width);
  o.Height = std::min(ov.Wanted.Height, area.Height);

  TRect* sides[2] = {&w.Table, &w.Calc};
  const TWindowWish* sideWishes[2] = {&wishes.Table, &wishes.Calc};
  int lowest = area.Top, leastBottom = area.Top;
  for (int k = 0; k < 2; ++k) {
    if (!ColumnsMeet(*sides[k], o)) continue;
    lowest = std::max(lowest, sides[k]->Bottom());
    leastBottom = std::max(leastBottom,
                           sides[k]->Top + std::min(sideWishes[k]->Least.Height, sides[k]->Height));
  }
  o.Top = std::max(area.Top + wishes.OverviewTop, lowest);
  if (o.Bottom() > area.Bottom()) {
    const int shortest = std::min(ov.Least.Height, o.Height);
    o.Top = std::max(area.Bottom() - o.Height, std::min(leastBottom, area.Bottom() - shortest));
    o.Top = std::max(o.Top, area.Top);
    o.Height = area.Bottom() - o.Top;
  }
  for (TRect* side : sides)
    if (ColumnsMeet(*side, o) && side->Bottom() > o.Top)
      side->Height = std::max(1, o.Top - side->Top);
}

} // namespace

TWorkingWindows PlaceWorkingWindows(const TRect& area, const TPlacementWishes& wishes) {
  TWorkingWindows w;
  const int top = area.Top + std::min(wishes.Top, std::max(0, area.Height / 4));
  const int below = area.Bottom() - top;

  w.Table.Width = std::min(wishes.Table.Wanted.Width, area.Width / 3);
  w.Table.Width = std::max(w.Table.Width, std::min(wishes.Table.Least.Width, area.Width / 3));
  w.Table = {area.Left, top, w.Table.Width, std::min(wishes.Table.Wanted.Height, below)};

  const int calcWidth = std::min(wishes.Calc.Wanted.Width, area.Width - w.Table.Width);
  w.Calc = {area.Right() - calcWidth, top, calcWidth, std::min(wishes.Calc.Wanted.Height, below)};

  const TWindowWish& ov = wishes.Overview;
  if (w.Calc.Left - w.Table.Right() >= ov.Wanted.Width) {
    // Between the two: its own place as far as the gap and the area allow.
    w.Overview.Width = ov.Wanted.Width;
    w.Overview.Height = std::min(ov.Wanted.Height, below);
    w.Overview.Left =
        Clamp(area.Left + wishes.OverviewLeft, w.Table.Right(), w.Calc.Left - ov.Wanted.Width);
    w.Overview.Top = Clamp(area.Top + wishes.OverviewTop, top, area.Bottom() - w.Overview.Height);
    return w;
  }
  PlaceBelow(area, wishes, w);
  return w;
}

TRect GrowInside(const TRect& window, int width, int height, const TRect& area) {
  TRect grown = window;
  grown.Width = std::min(std::max(window.Width, width), area.Width);
  grown.Height = std::min(std::max(window.Height, height), area.Height);
  grown.Left = Clamp(window.Left, area.Left, area.Right() - grown.Width);
  grown.Top = Clamp(window.Top, area.Top, area.Bottom() - grown.Height);
  return grown;
}

} // namespace DSTRUCT
