#include "ui/WindowPlacement.h"

#include "core/TWindowPlacement.h"
#include "ui/WidgetHelpers.h"

#include <QWidget>
#include <algorithm>

namespace {

// The frame's share of a window's outer size: its own once the window system has framed it,
// else that of a framed window beside it (a window not yet mapped has no frame of its own).
QSize FrameOf(const QWidget* window, const QWidget* framed) {
  const QSize own = window->frameGeometry().size() - window->geometry().size();
  if (!own.isEmpty() || framed == nullptr) return own;
  return framed->frameGeometry().size() - framed->geometry().size();
}

DSTRUCT::TRect ToRect(const QRect& r) {
  return {r.x(), r.y(), r.width(), r.height()};
}

DSTRUCT::TWindowWish WishOf(const QWidget* window, const QSize& frame) {
  const QSize outer = window->size() + frame;
  const QSize least = window->minimumSize().expandedTo(QSize(1, 1)) + frame;
  return {{outer.width(), outer.height()}, {least.width(), least.height()}};
}

// Puts the window's frame at the rectangle's place and size.
void SetOuterGeometry(QWidget* window, const DSTRUCT::TRect& outer, const QSize& frame) {
  window->resize(std::max(1, outer.Width - frame.width()),
                 std::max(1, outer.Height - frame.height()));
  window->move(outer.Left, outer.Top);
}

} // namespace

void PlaceWorkingWindows(const QWidget* strip, QWidget* table, QWidget* calc, QWidget* overview) {
  const QRect area = ScreenArea(strip);
  const QSize tableFrame = FrameOf(table, strip), calcFrame = FrameOf(calc, strip),
              overviewFrame = FrameOf(overview, strip);
  DSTRUCT::TPlacementWishes wishes;
  // Level below the strip: the stated 108 pixels, or lower where the strip's frame reaches.
  if (strip != nullptr && strip->isVisible())
    wishes.Top = std::max(wishes.Top, strip->frameGeometry().bottom() + 1 - area.top());
  wishes.Table = WishOf(table, tableFrame);
  wishes.Calc = WishOf(calc, calcFrame);
  wishes.Overview = WishOf(overview, overviewFrame);
  const DSTRUCT::TWorkingWindows places = DSTRUCT::PlaceWorkingWindows(ToRect(area), wishes);
  SetOuterGeometry(table, places.Table, tableFrame);
  SetOuterGeometry(calc, places.Calc, calcFrame);
  SetOuterGeometry(overview, places.Overview, overviewFrame);
}

QSize GrowInsideScreen(QWidget* window, const QSize& needed) {
  const QRect area = ScreenArea(window);
  const QSize frame = window->frameGeometry().size() - window->geometry().size();
  const QSize outerNeeded = (needed + frame).boundedTo(area.size());
  const DSTRUCT::TRect grown = DSTRUCT::GrowInside(
      ToRect(window->frameGeometry()), outerNeeded.width(), outerNeeded.height(), ToRect(area));
  SetOuterGeometry(window, grown, frame);
  return outerNeeded - frame;
}
