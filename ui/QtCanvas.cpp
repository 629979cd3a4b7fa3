#include "ui/QtCanvas.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>

using LISTSTRUCT::TCanvasColor;

namespace {

QPen MakePen(TCanvasColor color, int width) {
  QPen pen(TQtCanvas::ToQColor(color));
  pen.setWidth(std::max(1, width));
  pen.setJoinStyle(Qt::MiterJoin);
  pen.setCapStyle(Qt::SquareCap);
  return pen;
}

} // namespace

TQtCanvas::TQtCanvas(QPixmap& bitmap, const QFont& font) : Bitmap(bitmap), Font(font) {}

void TQtCanvas::Rectangle(int x1, int y1, int x2, int y2, TCanvasColor fill, TCanvasColor pen,
                          int penWidth) {
  if (Bitmap.isNull()) return;
  QPainter painter(&Bitmap);
  painter.fillRect(QRect(QPoint(x1, y1), QPoint(x2 - 1, y2 - 1)), ToQColor(fill));
  painter.setPen(MakePen(pen, penWidth));
  painter.setBrush(Qt::NoBrush);
  // The outline runs on the box's edges; a 2-pixel pen takes one pixel on either side.
  painter.drawRect(QRectF(x1, y1, x2 - x1, y2 - y1));
}

void TQtCanvas::Ellipse(int x1, int y1, int x2, int y2, TCanvasColor fill, TCanvasColor pen,
                        int penWidth) {
  if (Bitmap.isNull()) return;
  QPainter painter(&Bitmap);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(MakePen(pen, penWidth));
  painter.setBrush(ToQColor(fill));
  painter.drawEllipse(QRectF(x1, y1, x2 - x1, y2 - y1));
}

void TQtCanvas::Line(int x1, int y1, int x2, int y2, TCanvasColor pen, int penWidth) {
  if (Bitmap.isNull()) return;
  QPainter painter(&Bitmap);
  painter.setPen(MakePen(pen, penWidth));
  painter.drawLine(x1, y1, x2, y2);
}

void TQtCanvas::TextOut(int x, int y, const std::string& text, TCanvasColor background) {
  if (Bitmap.isNull()) return;
  const QString s = QString::fromStdString(text);
  QPainter painter(&Bitmap);
  painter.setFont(Font);
  const QFontMetrics metrics(Font);
  painter.fillRect(QRect(x, y, metrics.horizontalAdvance(s), metrics.height()),
                   ToQColor(background));
  painter.setPen(Qt::black);
  painter.drawText(x, y + metrics.ascent(), s);
}

int TQtCanvas::TextWidth(const std::string& text) {
  return QFontMetrics(Font).horizontalAdvance(QString::fromStdString(text));
}

// The line height of the font, whatever the text (as a raster canvas measures it).
int TQtCanvas::TextHeight(const std::string&) {
  return QFontMetrics(Font).height();
}

int TQtCanvas::GetWidth() const {
  return Bitmap.width();
}

int TQtCanvas::GetHeight() const {
  return Bitmap.height();
}

void TQtCanvas::SetWidth(int width) {
  width = std::max(1, width);
  if (width == Bitmap.width() && !Bitmap.isNull()) return;
  const int height = std::max(1, Bitmap.height());
  QPixmap wider(width, height);
  wider.fill(Qt::white);
  if (!Bitmap.isNull()) {
    QPainter painter(&wider);
    painter.drawPixmap(0, 0, Bitmap);
  }
  Bitmap = wider;
}
