#pragma once
// TSurfaceView: how the surface picture is turned, zoomed and projected. Dragging with the
// left pointer button turns it half a degree per pixel (sideways about the vertical axis, up
// and down about the horizontal one); each tick of the animation turns it five degrees about
// the vertical axis. The angles grow without bound. The wheel zooms: each notch away from the
// user enlarges the picture by ZoomPerNotch, each notch towards the user shrinks it alike,
// between MinZoom and MaxZoom; parts of a notch (a touchpad's small steps) count in
// proportion. The projection's aspect is the drawing's width over its height, the width alone
// when the height is 0.

namespace TRANSSTRUCT {

class TSurfaceView {
public:
  static constexpr float DegreesPerPixel = 0.5f;
  static constexpr float DegreesPerTick = 5.0f;
  static constexpr int WheelNotch = 120; // the wheel's angle delta of one notch
  static constexpr float ZoomPerNotch = 1.15f;
  static constexpr float MinZoom = 0.25f;
  static constexpr float MaxZoom = 4.0f;

  // Unturned (the eye along the y axis) unless start angles are given.
  explicit TSurfaceView(float angleY = 0.0f, float angleX = 0.0f)
      : AngleY(angleY), AngleX(angleX) {}
  // The turn the picture opens with, which looks along no coordinate plane (TViewTurn.h).
  static TSurfaceView Opening();

  // A pointer button pressed or released at (x, y); only the left button drags.
  void Press(bool leftButton, int x, int y);
  void Release(bool leftButton);
  // The pointer moved to (x, y): true when that turned the picture (a drag is going on).
  bool Move(int x, int y);
  // One tick of the animation.
  void Tick();
  // The wheel turned by angleDelta (WheelNotch a notch, positive away from the user): true
  // when that changed the zoom.
  bool Wheel(int angleDelta);

  float GetAngleY() const { return AngleY; } // about the vertical axis, degrees
  float GetAngleX() const { return AngleX; } // about the horizontal axis, degrees
  float GetZoom() const { return Zoom; }     // the factor on the model's scale, 1 at start
  bool IsDragging() const { return Dragging; }

  static double Aspect(int width, int height);

private:
  float AngleY = 0.0f;
  float AngleX = 0.0f;
  float Zoom = 1.0f;
  bool Dragging = false;
  int LastX = 0;
  int LastY = 0;
};

} // namespace TRANSSTRUCT
