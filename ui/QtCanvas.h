#pragma once
// The drawing canvas of the structure diagram: filled rectangles and ellipses, lines and texts
// painted with QPainter in the canvas font, either into a raster image that widens as the
// picture needs, or through an open painter on any paint device (an SVG generator, a printer)
// sized for the whole picture beforehand.

#include "core/TCanvas.h"

#include <QFont>
#include <QFontMetrics>
#include <QPixmap>

class QPainter;

class TQtCanvas : public LISTSTRUCT::TCanvas {
public:
  // Draws into bitmap (which SetWidth may replace by a wider or narrower one) with font.
  TQtCanvas(QPixmap& bitmap, const QFont& font);
  // Draws with painter, already begun on its device, on a picture of width x height; SetWidth
  // only records the width, so the device must be sized for the widest picture. Each shape is
  // one element (a rectangle is filled and outlined at once, a text has no box behind it), so
  // a vector device gets one rectangle per cell.
  TQtCanvas(QPainter& painter, int width, int height, const QFont& font);

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
  // Raster: keeps the picture drawn so far; a new strip on the right is white until drawn on.
  void SetWidth(int width) override;

  static QColor ToQColor(LISTSTRUCT::TCanvasColor c) { return QColor(c.R, c.G, c.B); }

private:
  QPixmap* Bitmap = nullptr;   // the raster image, or null when drawing through Painter
  QPainter* Painter = nullptr; // the open painter of a sized device
  int Width = 0, Height = 0;   // the picture's size on the painter's device
  QFont Font;

  // Runs draw with a painter on the picture in the canvas font: a fresh one on the raster
  // image (which SetWidth may have replaced), or the open one with its state kept.
  template <class Draw> void Paint(Draw draw);
  // The font measured on the device drawn on.
  QFontMetrics Metrics() const;
};
