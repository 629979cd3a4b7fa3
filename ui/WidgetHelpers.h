#pragma once
// Small helpers the windows share: pictures drawn from the program's vector artwork, the look of
// a message field, and the place of a window on the screen.

#include <QtGlobal>

class QLabel;
class QLineEdit;
class QPixmap;
class QRect;
class QSize;
class QString;
class QWidget;

// The SVG picture at path (a resource such as ":/pictures/store.svg") drawn into a transparent
// pixmap of the given size in device-independent pixels, at the device pixel ratio; a picture
// that cannot be read leaves the pixmap transparent.
QPixmap RenderSvgPicture(const QString& path, const QSize& size, qreal devicePixelRatio = 1.0);

// A message field: read-only, red bold text on the tool-tip colour (also while disabled), showing
// the start of its text.
void StyleMessageField(QLineEdit* field);
// The same colours and bold text for a label that carries a message.
void StyleMessageLabel(QLabel* label);
// Shows text in the field or label: a failure in the message colours and bold, a plain notice
// (or an empty text) in the window's own colours.
void ShowMessage(QLineEdit* field, const QString& text, bool failure);
void ShowMessage(QLabel* label, const QString& text, bool failure);
// A read-only line of text that Tab reaches, so that the keyboard and a screen reader find it;
// its text can be selected and copied.
void MakeTextReachable(QLabel* label);

// The free area of the screen the window is on, or of the primary screen for none; 1024 x 768
// at the origin when there is no screen at all.
QRect ScreenArea(const QWidget* window = nullptr);
// Moves the window, frame included, to the middle of its screen's free area.
void CenterOnScreen(QWidget* window);
