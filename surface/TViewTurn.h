#pragma once
// The turn of the surface picture: the paint turns the scene by TurnY degrees about the
// vertical axis, then by TurnX degrees about the horizontal axis, then by -90 degrees about
// the x axis so that z points up. Unturned, the eye looks along the y axis, in the planes
// x = 0 and z = 0, which then show edge-on as lines; the page opens turned so that the eye
// looks along none of the coordinate planes, a little from above.

namespace TRANSSTRUCT {

inline constexpr float OpeningTurnX = 25.0f;
inline constexpr float OpeningTurnY = -35.0f;

// The unit direction the eye looks along, in drawing coordinates (z up).
void ViewDirection(float turnX, float turnY, float direction[3]);

} // namespace TRANSSTRUCT
