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

TQtCanvas::TQtCanvas(QPixmap& bitmap, const QFont& font) : Bitmap(&bitmap), Font(font) {}

TQtCanvas::TQtCanvas(QPainter& painter, int width, int height, const QFont& font)
    : Painter(&painter), Width(width), Height(height), Font(font) {}

template <class Draw> void TQtCanvas::Paint(Draw draw) {
  if (Painter) {
    Painter->save();
    Painter->setFont(Font);
    draw(*Painter);
    Painter->restore();
    return;
  }
  if (Bitmap->isNull()) return;
  QPainter painter(Bitmap);
  painter.setFont(Font);
  draw(painter);
}

void TQtCanvas::Rectangle(int x1, int y1, int x2, int y2, TCanvasColor fill, TCanvasColor pen,
                          int penWidth) {
  Paint([&](QPainter& painter) {
    if (!Painter) painter.fillRect(QRect(QPoint(x1, y1), QPoint(x2 - 1, y2 - 1)), ToQColor(fill));
    painter.setPen(MakePen(pen, penWidth));
    painter.setBrush(Painter ? QBrush(ToQColor(fill)) : QBrush(Qt::NoBrush));
    // The outline runs on the box's edges; a 2-pixel pen takes one pixel on either side.
    painter.drawRect(QRectF(x1, y1, x2 - x1, y2 - y1));
  });
}

void TQtCanvas::Ellipse(int x1, int y1, int x2, int y2, TCanvasColor fill, TCanvasColor pen,
                        int penWidth) {
  Paint([&](QPainter& painter) {
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(MakePen(pen, penWidth));
    painter.setBrush(ToQColor(fill));
    painter.drawEllipse(QRectF(x1, y1, x2 - x1, y2 - y1));
  });
}

void TQtCanvas::Line(int x1, int y1, int x2, int y2, TCanvasColor pen, int penWidth) {
  Paint([&](QPainter& painter) {
    painter.setPen(MakePen(pen, penWidth));
    painter.drawLine(x1, y1, x2, y2);
  });
}

void TQtCanvas::TextOut(int x, int y, const std::string& text, TCanvasColor background) {
  const QString s = QString::fromStdString(text);
  Paint([&](QPainter& painter) {
    const QFontMetrics metrics = Metrics();
    // On the raster the text box is painted as the window's image control paints it; a
    // vector picture keeps the cell beneath, already in that colour, as the only shape.
    if (!Painter)
      painter.fillRect(QRect(x, y, metrics.horizontalAdvance(s), metrics.height()),
                       ToQColor(background));
    painter.setPen(Qt::black);
    painter.drawText(x, y + metrics.ascent(), s);
  });
}

QFontMetrics TQtCanvas::Metrics() const {
  return Painter ? QFontMetrics(Font, Painter->device()) : QFontMetrics(Font);
}

int TQtCanvas::TextWidth(const std::string& text) {
  return Metrics().horizontalAdvance(QString::fromStdString(text));
}

// The line height of the font, whatever the text (as a raster canvas measures it).
int TQtCanvas::TextHeight(const std::string&) {
  return Metrics().height();
}

int TQtCanvas::GetWidth() const {
  return Painter ? Width : Bitmap->width();
}

int TQtCanvas::GetHeight() const {
  return Painter ? Height : Bitmap->height();
}

void TQtCanvas::SetWidth(int width) {
  width = std::max(1, width);
  if (Painter) {
    Width = width;
    return;
  }
  if (width == Bitmap->width() && !Bitmap->isNull()) return;
  const int height = std::max(1, Bitmap->height());
  QPixmap wider(width, height);
  wider.fill(Qt::white);
  if (!Bitmap->isNull()) {
    QPainter painter(&wider);
    painter.drawPixmap(0, 0, *Bitmap);
  }
  *Bitmap = wider;
}
