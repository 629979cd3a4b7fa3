#pragma once
// TSurfaceView: how the surface picture is turned and projected. Dragging with the left
// pointer button turns it half a degree per pixel (sideways about the vertical axis, up and
// down about the horizontal one); each tick of the animation turns it five degrees about the
// vertical axis. The angles grow without bound. The projection's aspect is the drawing's width
// over its height, the width alone when the height is 0.

namespace TRANSSTRUCT {

class TSurfaceView {
public:
  static constexpr float DegreesPerPixel = 0.5f;
  static constexpr float DegreesPerTick = 5.0f;

  // A pointer button pressed or released at (x, y); only the left button drags.
  void Press(bool leftButton, int x, int y);
  void Release(bool leftButton);
  // The pointer moved to (x, y): true when that turned the picture (a drag is going on).
  bool Move(int x, int y);
  // One tick of the animation.
  void Tick();

  float GetAngleY() const { return AngleY; } // about the vertical axis, degrees
  float GetAngleX() const { return AngleX; } // about the horizontal axis, degrees
  bool IsDragging() const { return Dragging; }

  static double Aspect(int width, int height);

private:
  float AngleY = 0.0f;
  float AngleX = 0.0f;
  bool Dragging = false;
  int LastX = 0;
  int LastY = 0;
};

} // namespace TRANSSTRUCT
