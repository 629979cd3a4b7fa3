#include "ui/ToolButton.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>

#include <cmath>

TToolButton::TToolButton(const QString& name, const QString& hint, const TImageList* images,
                         QWidget* parent)
    : QToolButton(parent), Images(images) {
  setObjectName(name);
  setToolTip(hint);
  setAccessibleName(hint);
  setAutoRaise(true);
  // Reached with the tab key in tool-bar order; a click leaves the focus where it was.
  setFocusPolicy(Qt::TabFocus);
  setMouseTracking(true);
  setFixedSize(57, 66);
  setIconSize(QSize(ToolPictureWidth, ToolPictureHeight));
}

void TToolButton::SetImageIndex(int index) {
  if (index == Index) return;
  Index = index;
  setIcon(QIcon(Images ? Images->Get(index) : QPixmap()));
}

void TToolButton::mouseMoveEvent(QMouseEvent* event) {
  const QPointF at = event->position();
  emit MouseMoved(static_cast<int>(std::floor(at.x())), static_cast<int>(std::floor(at.y())));
  QToolButton::mouseMoveEvent(event);
}

void TToolButton::mouseReleaseEvent(QMouseEvent* event) {
  // The click may open a modal window; the mouse must be free for it.
  if (mouseGrabber() == this) releaseMouse();
  QToolButton::mouseReleaseEvent(event);
}

void TToolButton::keyPressEvent(QKeyEvent* event) {
  if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
      event->modifiers() == Qt::NoModifier) {
    event->accept();
    click();
    return;
  }
  QToolButton::keyPressEvent(event);
}

void TToolButton::focusInEvent(QFocusEvent* event) {
  QToolButton::focusInEvent(event);
  emit FocusMoved();
}

void TToolButton::focusOutEvent(QFocusEvent* event) {
  QToolButton::focusOutEvent(event);
  emit FocusMoved();
}
