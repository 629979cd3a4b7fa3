#pragma once
// The working windows' start places on the screen the tool strip is on, and a window grown for
// a larger page kept on its screen. The rules are the engine's (core/TWindowPlacement.h); here
// they get the screen's free area and the windows' frames.

#include <QSize>

class QWidget;

// Places the table, calculation and overview windows, already shown, below the strip: side
// by side or the overview below, none over another, all inside the free area.
void PlaceWorkingWindows(const QWidget* strip, QWidget* table, QWidget* calc, QWidget* overview);

// Gives window at least the client size needed, as far as the free area holds it, and moves
// it left or up only as far as it must to stay inside the area. Returns the client size that
// the area grants of needed.
QSize GrowInsideScreen(QWidget* window, const QSize& needed);
