#include "surface/TSurfaceView.h"

#include <algorithm>
#include <cmath>

#include "surface/TViewTurn.h"

namespace TRANSSTRUCT {

void TSurfaceView::Press(bool leftButton, int x, int y) {
  if (!leftButton) return;
  Dragging = true;
  LastX = x;
  LastY = y;
}

void TSurfaceView::Release(bool leftButton) {
  if (leftButton) Dragging = false;
}

bool TSurfaceView::Move(int x, int y) {
  if (!Dragging) return false;
  AngleY += DegreesPerPixel * float(x - LastX);
  AngleX += DegreesPerPixel * float(y - LastY);
  LastX = x;
  LastY = y;
  return true;
}

void TSurfaceView::Tick() {
  AngleY += DegreesPerTick;
}

TSurfaceView TSurfaceView::Opening() {
  return TSurfaceView(OpeningTurnY, OpeningTurnX);
}

bool TSurfaceView::Wheel(int angleDelta) {
  const float notches = float(angleDelta) / float(WheelNotch);
  const float zoom = std::clamp(Zoom * std::pow(ZoomPerNotch, notches), MinZoom, MaxZoom);
  if (zoom == Zoom) return false;
  Zoom = zoom;
  return true;
}

double TSurfaceView::Aspect(int width, int height) {
  return height == 0 ? double(width) : double(width) / double(height);
}

} // namespace TRANSSTRUCT
