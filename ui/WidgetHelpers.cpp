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

void SetBold(QWidget* widget) {
  QFont font = widget->font();
  font.setBold(true);
  widget->setFont(font);
}

} // namespace

void StyleMessageField(QLineEdit* field) {
  field->setReadOnly(true);
  QPalette palette = field->palette();
  const QColor background = palette.color(QPalette::ToolTipBase);
  palette.setColor(QPalette::Base, background);
  palette.setColor(QPalette::Disabled, QPalette::Base, background);
  palette.setColor(QPalette::Text, Qt::red);
  field->setPalette(palette);
  SetBold(field);
  ShowTextStart(field);
}

void StyleMessageLabel(QLabel* label) {
  label->setAutoFillBackground(true);
  QPalette palette = label->palette();
  palette.setColor(QPalette::Window, palette.color(QPalette::ToolTipBase));
  palette.setColor(QPalette::WindowText, Qt::red);
  label->setPalette(palette);
  SetBold(label);
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
