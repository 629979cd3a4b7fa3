#pragma once
// Taking pictures and data out of the windows: vector pictures drawn through the canvas
// interface, atomic file writes, and the context menus that the windows give their grids,
// pictures and charts («Копировать», «Копировать как LaTeX», «Сохранить изображение…»,
// «Сохранить точки (CSV)…», «Печать…»).

#include <QByteArray>
#include <QFont>
#include <QImage>
#include <QList>
#include <QPageLayout>
#include <QSize>
#include <QString>
#include <functional>

class QAbstractItemView;
class QAction;
class QChartView;
class QPagedPaintDevice;
class QPlainTextEdit;
class QPrinter;
class QWidget;

namespace LISTSTRUCT {
class TCanvas;
}
namespace TRANSSTRUCT {
class TImplicitMesh;
struct TViewRegion;
} // namespace TRANSSTRUCT

// The role under which a grid cell holding a polynomial gives its exact text (every coefficient
// as it reads back); «Копировать» and «Копировать как LaTeX» take it before the shown text.
inline constexpr int ExactTextRole = Qt::UserRole + 40;

// What draws a picture through the canvas interface (e.g. a polynomial's DrawStructure).
using TCanvasDrawing = std::function<void(LISTSTRUCT::TCanvas&)>;

// The picture as an SVG document of size pixels, drawn in font: its rectangles, ellipses,
// lines and texts become SVG elements. The document's resolution is the screen's, so the
// texts measure as they do in the window.
QByteArray CanvasSvg(QSize size, const QFont& font, const TCanvasDrawing& draw,
                     const QString& title = QString());
// What a widget paints (e.g. a chart view), as an SVG document of the widget's size.
QByteArray WidgetSvg(QWidget* widget, const QString& title = QString());

// Writes bytes to path with the engine's one writer (atomicWriteFile): a regular file only, the
// file's permission bits honoured, the old file intact after any failure, no folder made;
// false with the reason in error otherwise.
bool SaveFileAtomically(const QString& path, const QByteArray& bytes, QString* error);

// A picture that can leave its window: as PNG, as SVG (also what is printed) and, for a
// chart, its points as CSV.
struct TPictureExport {
  QString FileBaseName;            // the suggested file name, without suffix
  std::function<QImage()> Raster;  // the picture as shown
  std::function<QByteArray()> Svg; // the picture as vector drawing
  std::function<QByteArray()> Csv; // the points; empty when the picture has none
  // Paints the picture on as many pages of the device as it needs; when empty, printing and PDF
  // put the vector drawing on one page.
  std::function<bool(QPagedPaintDevice&)> Pages;
};

// A line chart as picture, with the points of its first three series (scan, sorted, hash)
// as CSV.
TPictureExport ChartPictureExport(QChartView* view, const QString& fileBaseName);

// Saves the picture to path: SVG when the name ends in ".svg", otherwise PNG.
bool SavePictureFile(const TPictureExport& picture, const QString& path, QString* error);
// Saves the picture's points to path.
bool SaveCsvFile(const TPictureExport& picture, const QString& path, QString* error);
// Saves the vector picture as a PDF document of one page of layout, as large as fits.
bool SavePdfFile(const TPictureExport& picture, const QString& path, QString* error,
                 const QPageLayout& layout = QPageLayout(QPageSize(QPageSize::A4),
                                                         QPageLayout::Landscape, QMarginsF()));
// Draws the vector picture on printer's page, as large as fits with its proportions kept; a
// printer that prints to a PDF file has the file saved by SavePdfFile (error tells why not).
bool PrintPicture(const TPictureExport& picture, QPrinter& printer, QString* error = nullptr);
// Saves the mesh as binary STL when the name ends in ".stl", otherwise as OBJ text.
bool SaveMeshFile(const TRANSSTRUCT::TImplicitMesh& mesh, const TRANSSTRUCT::TViewRegion& region,
                  const QString& title, const QString& path, QString* error);
// Gives target a context menu «Сохранить изображение…» (Ctrl+S), «Сохранить точки (CSV)…»
// when the picture has points, and «Печать…» (Ctrl+P), each through the desktop's file or
// print dialog. The shortcuts work while target or a child of it has the focus.
void AddPictureMenu(QWidget* target, const TPictureExport& picture);

// The selected rows of view as tab-separated text, one line per row in row order, every
// column, each cell whole: the cell's exact text (ExactTextRole) or its edit value where it has
// one (a grid may show less than it holds), else the shown text. A cell holding a tab, a line break
// or a quote is quoted as spreadsheets do.
QString SelectedRowsText(const QAbstractItemView* view);
// The polynomial text as a LaTeX formula; empty when the text is not a polynomial.
QString PolynomialLatex(const QString& text);
// Gives view a context menu «Копировать» (Ctrl+C: the selected rows to the clipboard) and,
// when polynomialColumn is not negative, «Копировать как LaTeX» for the polynomial in that
// column of the row under the pointer; the leading actions (the window's own) come first.
void AddGridCopyMenu(QAbstractItemView* view, int polynomialColumn = -1,
                     const QList<QAction*>& leading = {});
// Adds «Копировать как LaTeX» to the standard context menu of edit, for the polynomial whose
// text polynomialText gives.
void AddLatexCopyMenu(QPlainTextEdit* edit, std::function<QString()> polynomialText);
