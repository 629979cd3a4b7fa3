#include "ui/StructureSheetExport.h"

#include "core/TStructureSheet.h"
#include "ui/ExportHelpers.h"
#include "ui/QtCanvas.h"

#include <QCoreApplication>
#include <QDate>
#include <QGuiApplication>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPixmap>
#include <QScreen>
#include <QSvgRenderer>

#include <memory>
#include <string>
#include <vector>

using LISTSTRUCT::TCanvas;
using LISTSTRUCT::TStructureColors;
using LISTSTRUCT::TStructureSheet;

namespace {

// A canvas that hands everything on shifted up by Offset pixels: one page of a long sheet.
class TShiftedCanvas : public TCanvas {
public:
  TShiftedCanvas(TCanvas& target, int offset) : Target(target), Offset(offset) {}

  void Rectangle(int x1, int y1, int x2, int y2, LISTSTRUCT::TCanvasColor fill,
                 LISTSTRUCT::TCanvasColor pen, int penWidth) override {
    Target.Rectangle(x1, y1 - Offset, x2, y2 - Offset, fill, pen, penWidth);
  }
  void Ellipse(int x1, int y1, int x2, int y2, LISTSTRUCT::TCanvasColor fill,
               LISTSTRUCT::TCanvasColor pen, int penWidth) override {
    Target.Ellipse(x1, y1 - Offset, x2, y2 - Offset, fill, pen, penWidth);
  }
  void Line(int x1, int y1, int x2, int y2, LISTSTRUCT::TCanvasColor pen, int penWidth) override {
    Target.Line(x1, y1 - Offset, x2, y2 - Offset, pen, penWidth);
  }
  void TextOut(int x, int y, const std::string& text,
               LISTSTRUCT::TCanvasColor background) override {
    Target.TextOut(x, y - Offset, text, background);
  }
  int TextWidth(const std::string& text) override { return Target.TextWidth(text); }
  int TextHeight(const std::string& text) override { return Target.TextHeight(text); }
  int GetWidth() const override { return Target.GetWidth(); }
  int GetHeight() const override { return Target.GetHeight() + Offset; }
  void SetWidth(int width) override { Target.SetWidth(width); }

private:
  TCanvas& Target;
  int Offset;
};

std::vector<std::string> TitleLines(const QStringList& title) {
  std::vector<std::string> lines;
  for (const QString& line : title)
    lines.push_back(line.toStdString());
  return lines;
}

// The sheet laid out for width pixels, measured in the font as the screen shows it.
std::unique_ptr<TStructureSheet> LayOut(const TStructurePaper& paper, int width) {
  QPixmap measureOn(1, 1);
  TQtCanvas measure(measureOn, paper.Font);
  LISTSTRUCT::TPolinom pol(paper.Pol);
  return std::make_unique<TStructureSheet>(pol, measure, width, TitleLines(paper.Title));
}

double ScreenDpi() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  return screen ? screen->logicalDotsPerInchX() : 96.0;
}

} // namespace

QStringList StructureTitle(const QString& name, const QString& formula) {
  const QString date = QDate::currentDate().toString(Qt::ISODate);
  return {QCoreApplication::translate("TStructurePaper", "Полином %1, %2").arg(name, date),
          QCoreApplication::translate("TStructurePaper", "Формула: %1").arg(formula.trimmed())};
}

QImage StructureSheetImage(const TStructurePaper& paper, int width) {
  const auto sheet = LayOut(paper, width);
  QPixmap bitmap(sheet->GetWidth(), sheet->GetHeight());
  TQtCanvas canvas(bitmap, paper.Font);
  sheet->Draw(canvas);
  return bitmap.toImage();
}

QByteArray StructureSheetSvg(const TStructurePaper& paper, double widthMm) {
  const auto sheet = LayOut(paper, static_cast<int>(widthMm / 25.4 * ScreenDpi() + 0.5));
  return CanvasSvg(
      QSize(sheet->GetWidth(), sheet->GetHeight()), paper.Font,
      [&](TCanvas& canvas) { sheet->Draw(canvas); }, paper.Title.value(0));
}

bool PaintStructurePages(const TStructurePaper& paper, QPagedPaintDevice& device) {
  const QRectF page = device.pageLayout().paintRectPixels(device.logicalDpiX());
  // The page's width as the screen would show it, so the font keeps its size on paper.
  const double toScreen = ScreenDpi() / device.logicalDpiX();
  const int width = static_cast<int>(page.width() * toScreen);
  const int height = static_cast<int>(page.height() * toScreen);
  const auto sheet = LayOut(paper, width);
  TStructureColors colors;
  colors.Background = {255, 255, 255};
  QPainter painter;
  if (!painter.begin(&device)) return false;
  const std::vector<int> starts = sheet->PageStarts(height);
  for (size_t k = 0; k < starts.size(); ++k) {
    const int end = k + 1 < starts.size() ? starts[k + 1] : sheet->GetHeight();
    const QSize slice(width, end - starts[k]);
    // Each page goes through a vector picture drawn as on the screen, then scaled onto paper.
    QSvgRenderer renderer(CanvasSvg(slice, paper.Font, [&](TCanvas& canvas) {
      TShiftedCanvas shifted(canvas, starts[k]);
      sheet->Draw(shifted, colors);
    }));
    if (k > 0 && !device.newPage()) return false;
    const QRectF onPaper(QPointF(0, 0), QSizeF(slice) / toScreen);
    painter.setClipRect(onPaper);
    renderer.render(&painter, onPaper);
  }
  return painter.end();
}
