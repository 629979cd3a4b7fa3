#include "ui/WidgetHelpers.h"

#include "ui/ShownText.h"

#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPixmap>
#include <QScreen>
#include <QSvgRenderer>

QPixmap RenderSvgPicture(const QString& path, const QSize& size, qreal devicePixelRatio) {
  QPixmap picture(size * devicePixelRatio);
  picture.setDevicePixelRatio(devicePixelRatio);
  picture.fill(Qt::transparent);
  QSvgRenderer renderer(path);
  if (renderer.isValid()) {
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(size)));
  }
  return picture;
}

namespace {

void SetBold(QWidget* widget, bool bold) {
  QFont font = widget->font();
  font.setBold(bold);
  widget->setFont(font);
}

// A failure reads as red bold text on the tool-tip colour, also while disabled; anything else
// has the window's own colours again, inherited from the parent, and normal text.
void SetMessageLook(QWidget* widget, bool failure, QPalette::ColorRole background,
                    QPalette::ColorRole text) {
  QPalette palette;
  if (failure) {
    palette = widget->palette();
    const QColor pale = palette.color(QPalette::ToolTipBase);
    palette.setColor(background, pale);
    palette.setColor(QPalette::Disabled, background, pale);
    palette.setColor(text, Qt::red);
  }
  widget->setPalette(palette);
  SetBold(widget, failure);
}

} // namespace

void StyleMessageField(QLineEdit* field) {
  field->setReadOnly(true);
  SetMessageLook(field, true, QPalette::Base, QPalette::Text);
  ShowTextStart(field);
}

void StyleMessageLabel(QLabel* label) {
  label->setAutoFillBackground(true);
  SetMessageLook(label, true, QPalette::Window, QPalette::WindowText);
}

void ShowMessage(QLineEdit* field, const QString& text, bool failure) {
  field->setReadOnly(true);
  SetMessageLook(field, failure, QPalette::Base, QPalette::Text);
  field->setText(text);
  field->setCursorPosition(0);
}

void ShowMessage(QLabel* label, const QString& text, bool failure) {
  label->setAutoFillBackground(failure);
  SetMessageLook(label, failure, QPalette::Window, QPalette::WindowText);
  label->setText(text);
}

void MakeTextReachable(QLabel* label) {
  label->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  label->setFocusPolicy(Qt::StrongFocus);
}

QRect ScreenArea(const QWidget* window) {
  const QScreen* screen =
      window && window->screen() ? window->screen() : QGuiApplication::primaryScreen();
  return screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
}

void CenterOnScreen(QWidget* window) {
  const QRect area = ScreenArea(window);
  const QRect frame = window->frameGeometry();
  window->move(area.center() - QPoint(frame.width() / 2, frame.height() / 2));
}
