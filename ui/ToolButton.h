#pragma once
#include "ui/ToolPictures.h"

#include <QKeySequence>
#include <QToolButton>

// A tool-bar button that shows one picture of its tool bar's picture list, chosen by
// index, and reports every mouse move in its own coordinates.
class TToolButton : public QToolButton {
  Q_OBJECT
public:
  TToolButton(const QString& name, const QString& hint, const TImageList* images,
              QWidget* parent = nullptr);
  int ImageIndex() const { return Index; }
  // The picture list of the button's tool bar.
  const TImageList* ImageList() const { return Images; }
  void SetImageIndex(int index);

  // Picture indexes of the button: hot and normal, each with an on and an off variant
  // (equal for buttons without a second state).
  int HotOn = 0, HotOff = 0, NormalOn = 0, NormalOff = 0;
  // Whether the last mouse move found the pointer strictly inside the button.
  bool PointerOver = false;
  // The button's keyboard shortcut, and whether it acts only in the table window.
  QKeySequence Keys;
  bool TableWindowKeys = false;

signals:
  void MouseMoved(int X, int Y);
  // The keyboard focus came to the button or left it.
  void FocusMoved();

protected:
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  // Enter presses the button as Space does.
  void keyPressEvent(QKeyEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

private:
  const TImageList* Images;
  int Index = -1;
};
