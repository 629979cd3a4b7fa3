#pragma once
// The drawing canvas of the structure diagram on a raster image: filled rectangles and
// ellipses, lines and texts painted with QPainter into a pixmap, in the canvas font.

#include "core/TCanvas.h"

#include <QFont>
#include <QPixmap>

class TQtCanvas : public LISTSTRUCT::TCanvas {
public:
  // Draws into bitmap (which SetWidth may replace by a wider or narrower one) with font.
  TQtCanvas(QPixmap& bitmap, const QFont& font);

  void Rectangle(int x1, int y1, int x2, int y2, LISTSTRUCT::TCanvasColor fill,
                 LISTSTRUCT::TCanvasColor pen, int penWidth) override;
  void Ellipse(int x1, int y1, int x2, int y2, LISTSTRUCT::TCanvasColor fill,
               LISTSTRUCT::TCanvasColor pen, int penWidth) override;
  void Line(int x1, int y1, int x2, int y2, LISTSTRUCT::TCanvasColor pen, int penWidth) override;
  void TextOut(int x, int y, const std::string& text, LISTSTRUCT::TCanvasColor background) override;
  int TextWidth(const std::string& text) override;
  int TextHeight(const std::string& text) override;
  int GetWidth() const override;
  int GetHeight() const override;
  // Keeps the picture drawn so far; a new strip on the right is white until drawn on.
  void SetWidth(int width) override;

  static QColor ToQColor(LISTSTRUCT::TCanvasColor c) { return QColor(c.R, c.G, c.B); }

private:
  QPixmap& Bitmap;
  QFont Font;
};
