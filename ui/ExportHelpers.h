#pragma once
// Taking pictures and data out of the windows: vector pictures drawn through the canvas
// interface, atomic file writes, and the context menus that the windows give their grids,
// pictures and charts («Копировать», «Копировать как LaTeX», «Сохранить изображение…»,
// «Сохранить точки (CSV)…», «Печать…»).

#include <QByteArray>
#include <QFont>
#include <QImage>
#include <QSize>
#include <QString>
#include <functional>

class QAbstractItemView;
class QChartView;
class QPlainTextEdit;
class QPrinter;
class QWidget;

namespace LISTSTRUCT {
class TCanvas;
}

// What draws a picture through the canvas interface (e.g. a polynomial's DrawStructure).
using TCanvasDrawing = std::function<void(LISTSTRUCT::TCanvas&)>;

// The picture as an SVG document of size pixels, drawn in font: its rectangles, ellipses,
// lines and texts become SVG elements. The document's resolution is the screen's, so the
// texts measure as they do in the window.
QByteArray CanvasSvg(QSize size, const QFont& font, const TCanvasDrawing& draw,
                     const QString& title = QString());
// What a widget paints (e.g. a chart view), as an SVG document of the widget's size.
QByteArray WidgetSvg(QWidget* widget, const QString& title = QString());

// Writes bytes to path through a temporary file in the same folder that replaces the file
// only when all is written; false with the reason in error otherwise.
bool SaveFileAtomically(const QString& path, const QByteArray& bytes, QString* error);

// A picture that can leave its window: as PNG, as SVG (also what is printed) and, for a
// chart, its points as CSV.
struct TPictureExport {
  QString FileBaseName;            // the suggested file name, without suffix
  std::function<QImage()> Raster;  // the picture as shown
  std::function<QByteArray()> Svg; // the picture as vector drawing
  std::function<QByteArray()> Csv; // the points; empty when the picture has none
};

// A line chart as picture, with the points of its first three series (scan, sorted, hash)
// as CSV.
TPictureExport ChartPictureExport(QChartView* view, const QString& fileBaseName);

// Saves the picture to path: SVG when the name ends in ".svg", otherwise PNG.
bool SavePictureFile(const TPictureExport& picture, const QString& path, QString* error);
// Saves the picture's points to path.
bool SaveCsvFile(const TPictureExport& picture, const QString& path, QString* error);
// Draws the vector picture on printer's page, as large as fits with its proportions kept.
bool PrintPicture(const TPictureExport& picture, QPrinter& printer);
// Gives target a context menu «Сохранить изображение…» (Ctrl+S), «Сохранить точки (CSV)…»
// when the picture has points, and «Печать…» (Ctrl+P), each through the desktop's file or
// print dialog. The shortcuts work while target or a child of it has the focus.
void AddPictureMenu(QWidget* target, const TPictureExport& picture);

// The selected rows of view as tab-separated text, one line per row in row order, every
// column, each cell whole: the model's edit value where it has one (a grid may show less
// than it holds), else the shown text. A cell holding a tab, a line break or a quote is
// quoted as spreadsheets do.
QString SelectedRowsText(const QAbstractItemView* view);
// The polynomial text as a LaTeX formula; empty when the text is not a polynomial.
QString PolynomialLatex(const QString& text);
// Gives view a context menu «Копировать» (Ctrl+C: the selected rows to the clipboard) and,
// when polynomialColumn is not negative, «Копировать как LaTeX» for the polynomial in that
// column of the row under the pointer.
void AddGridCopyMenu(QAbstractItemView* view, int polynomialColumn = -1);
// Adds «Копировать как LaTeX» to the standard context menu of edit, for the polynomial whose
// text polynomialText gives.
void AddLatexCopyMenu(QPlainTextEdit* edit, std::function<QString()> polynomialText);
