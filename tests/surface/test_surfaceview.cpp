// The turn of the surface picture by the pointer and the animation, and its projection's
// aspect.

#include <gtest/gtest.h>

#include "surface/TSurfaceView.h"

using TRANSSTRUCT::TSurfaceView;

TEST(SurfaceView, LeftDragTurnsHalfADegreePerPixelTicksFiveDegreesAndAspectKeepsTheWidth) {
  TSurfaceView view;
  // Only the left button drags; a move without a drag turns nothing.
  view.Press(false, 50, 50);
  EXPECT_FALSE(view.Move(70, 50));
  view.Release(false);
  view.Press(true, 50, 50);
  EXPECT_TRUE(view.IsDragging());
  EXPECT_TRUE(view.Move(60, 50)); // 10 pixels to the right: 5 degrees about the vertical axis
  EXPECT_EQ(view.GetAngleY(), 5.0f);
  EXPECT_EQ(view.GetAngleX(), 0.0f);
  view.Move(60, 70);
  EXPECT_EQ(view.GetAngleX(), 10.0f);
  view.Move(40, 66); // each move counts from the last position
  EXPECT_EQ(view.GetAngleY(), -5.0f);
  EXPECT_EQ(view.GetAngleX(), 8.0f);
  view.Release(false); // another button's release keeps the drag
  EXPECT_TRUE(view.IsDragging());
  view.Release(true);
  EXPECT_FALSE(view.Move(140, 166));
  EXPECT_EQ(view.GetAngleY(), -5.0f);

  // 20 ticks (one second of animation) turn it 100 degrees; the angle grows past 360.
  for (int tick = 0; tick < 20; ++tick)
    view.Tick();
  EXPECT_EQ(view.GetAngleY(), 95.0f);
  for (int tick = 0; tick < 60; ++tick)
    view.Tick();
  EXPECT_EQ(view.GetAngleY(), 395.0f);

  EXPECT_EQ(TSurfaceView::Aspect(300, 150), 2.0);
  EXPECT_EQ(TSurfaceView::Aspect(300, 0), 300.0);
}

TEST(SurfaceView, WheelZoomsByNotchesWithinItsBoundsAndThePictureOpensTurned) {
  TSurfaceView view;
  EXPECT_EQ(view.GetZoom(), 1.0f);
  EXPECT_TRUE(view.Wheel(2 * TSurfaceView::WheelNotch));
  EXPECT_NEAR(view.GetZoom(), 1.15f * 1.15f, 1e-5f);
  // Small steps of a touchpad add up to the notches they make.
  for (int step = 0; step < 8; ++step)
    view.Wheel(-TSurfaceView::WheelNotch / 4);
  EXPECT_NEAR(view.GetZoom(), 1.0f, 1e-5f);
  for (int notch = 0; notch < 40; ++notch)
    view.Wheel(TSurfaceView::WheelNotch);
  EXPECT_EQ(view.GetZoom(), TSurfaceView::MaxZoom);
  EXPECT_FALSE(view.Wheel(TSurfaceView::WheelNotch)); // held at the bound
  for (int notch = 0; notch < 60; ++notch)
    view.Wheel(-TSurfaceView::WheelNotch);
  EXPECT_EQ(view.GetZoom(), TSurfaceView::MinZoom);
  EXPECT_EQ(view.GetAngleY(), 0.0f); // zooming turns nothing

  // The opening turn is a start, not a rule: a drag turns on from it.
  TSurfaceView opening = TSurfaceView::Opening();
  EXPECT_NE(opening.GetAngleX(), 0.0f);
  EXPECT_NE(opening.GetAngleY(), 0.0f);
  const float y = opening.GetAngleY();
  opening.Press(true, 0, 0);
  opening.Move(10, 0);
  EXPECT_EQ(opening.GetAngleY(), y + 5.0f);
}
