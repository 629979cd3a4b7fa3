// The start places of the working windows on the usual screens, and a window grown for a
// larger page staying inside the screen.

#include <gtest/gtest.h>

#include "core/TWindowPlacement.h"

using namespace DSTRUCT;

namespace {

std::string Show(const TRect& r) {
  return std::to_string(r.Left) + "," + std::to_string(r.Top) + " " + std::to_string(r.Width) +
         "x" + std::to_string(r.Height);
}

TEST(WindowPlacement, WorkingWindowsFitTheScreenWithoutOverlapInTheirArrangement) {
  const TPlacementWishes wishes;
  // Whole screens, and free areas that a panel at the bottom or the left takes from.
  const TRect areas[] = {{0, 0, 1280, 720},  {0, 0, 1366, 768},   {0, 0, 1920, 1080},
                         {0, 0, 2560, 1440}, {0, 0, 1366, 728},   {0, 32, 1280, 688},
                         {64, 0, 1302, 768}, {1920, 0, 1280, 720}};
  for (const TRect& area : areas) {
    const TWorkingWindows w = PlaceWorkingWindows(area, wishes);
    SCOPED_TRACE(Show(area) + ": table " + Show(w.Table) + ", calc " + Show(w.Calc) +
                 ", overview " + Show(w.Overview));
    for (const TRect* r : {&w.Table, &w.Calc, &w.Overview})
      EXPECT_TRUE(r->Inside(area));
    EXPECT_FALSE(w.Table.Overlaps(w.Calc));
    EXPECT_FALSE(w.Table.Overlaps(w.Overview));
    EXPECT_FALSE(w.Calc.Overlaps(w.Overview));
    // Table at the left edge, calculation at the right edge, level below the tool strip;
    // widths as wished, heights no less than their least.
    EXPECT_EQ(w.Table.Left, area.Left);
    EXPECT_EQ(w.Calc.Right(), area.Right());
    EXPECT_EQ(w.Table.Top, area.Top + 108);
    EXPECT_EQ(w.Calc.Top, w.Table.Top);
    EXPECT_EQ(w.Table.Width, 261);
    EXPECT_EQ(w.Calc.Width, 660);
    EXPECT_GE(w.Table.Height, 220);
    EXPECT_GE(w.Calc.Height, 357);
    EXPECT_EQ(w.Overview.Width, 648);
    EXPECT_GE(w.Overview.Height, 157);
    const bool between = w.Overview.Left >= w.Table.Right() && w.Overview.Right() <= w.Calc.Left;
    const bool below = w.Overview.Top >= w.Table.Bottom() && w.Overview.Top >= w.Calc.Bottom();
    EXPECT_TRUE(between || below);
    EXPECT_EQ(between, area.Width >= 1920);
    // Where the screen holds the wished sizes, they are kept.
    if (area.Height >= 768) {
      EXPECT_EQ(w.Table.Height, 413);
      EXPECT_EQ(w.Calc.Height, 430);
      EXPECT_EQ(w.Overview.Height, 192);
    }
  }
  // A screen too low even for the least heights still gets no overlap.
  const TRect low{0, 0, 1280, 560};
  const TWorkingWindows w = PlaceWorkingWindows(low, wishes);
  EXPECT_FALSE(w.Table.Overlaps(w.Overview) || w.Calc.Overlaps(w.Overview));
  EXPECT_TRUE(w.Overview.Inside(low) && w.Table.Inside(low) && w.Calc.Inside(low));
}

TEST(WindowPlacement, AGrownWindowMovesOnlyAsFarAsItMustToStayInside) {
  const TRect area{0, 0, 1366, 768};
  EXPECT_EQ(GrowInside({146, 538, 648, 192}, 900, 600, area), (TRect{146, 168, 900, 600}));
  EXPECT_EQ(GrowInside({900, 538, 648, 192}, 900, 600, area), (TRect{466, 168, 900, 600}));
  EXPECT_EQ(GrowInside({10, 10, 648, 192}, 700, 300, area), (TRect{10, 10, 700, 300}));
  // Never larger than the area, never smaller than it was.
  EXPECT_EQ(GrowInside({100, 100, 648, 192}, 2000, 100, area), (TRect{0, 100, 1366, 192}));
}

} // namespace
