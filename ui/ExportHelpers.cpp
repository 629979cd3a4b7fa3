#include "ui/ExportHelpers.h"
#include "ui/ExactCoefficients.h"
#include "ui/Language.h"
#include "ui/QtCanvas.h"

#include "core/TPolinom.h"
#include "surface/TMeshFile.h"
#include "tables/AtomicFile.h"
#include "teach/ChartCsv.h"

#include <QAbstractItemView>
#include <QAction>
#include <QBuffer>
#include <QChart>
#include <QChartView>
#include <QClipboard>
#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGraphicsView>
#include <QGuiApplication>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QMenu>
#include <QMessageBox>
#include <QPainter>
#include <QPdfWriter>
#include <QPlainTextEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QScreen>
#include <QSvgGenerator>
#include <QSvgRenderer>
#include <QXYSeries>

#include <set>

namespace {

// The context in which the translation finds this unit's texts.
class ExportHelpers {
  Q_DECLARE_TR_FUNCTIONS(ExportHelpers)
};

int ScreenDpi() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  return screen ? qRound(screen->logicalDotsPerInchY()) : 96;
}

// Paints into an SVG document of size pixels; empty when the generator cannot start.
QByteArray PaintSvg(QSize size, const QString& title, const std::function<void(QPainter&)>& paint) {
  QBuffer buffer;
  buffer.open(QIODevice::WriteOnly);
  QSvgGenerator svg;
  svg.setOutputDevice(&buffer);
  svg.setResolution(ScreenDpi());
  svg.setSize(size);
  svg.setViewBox(QRect(QPoint(0, 0), size));
  if (!title.isEmpty()) svg.setTitle(title);
  QPainter painter;
  if (!painter.begin(&svg)) return {};
  paint(painter);
  painter.end();
  return buffer.data();
}

// The folder the last picture or table was saved in; the current directory at first.
QString& ExportFolder() {
  static QString folder = QDir::currentPath();
  return folder;
}

void ReportFailedSave(QWidget* parent, const QString& path, const QString& error) {
  QMessageBox::warning(parent, QStringLiteral("TERMIX"),
                       ExportHelpers::tr("Файл не записан: %1\n%2").arg(path, error));
}

// Asks for the file to save in; an empty name when the user gives none. A name without a
// suffix gets the one of the chosen filter.
QString AskSaveFileName(QWidget* parent, const QString& caption, const QString& baseName,
                        const QStringList& filters) {
  QString chosenFilter = filters.value(0);
  QString path = QFileDialog::getSaveFileName(
      parent, caption, QDir(ExportFolder()).filePath(baseName), filters.join(";;"), &chosenFilter);
  if (path.isEmpty()) return path;
  if (QFileInfo(path).suffix().isEmpty()) {
    const int star = chosenFilter.indexOf("*.");
    if (star >= 0) path += chosenFilter.mid(star + 1, chosenFilter.indexOf(')', star) - star - 1);
  }
  ExportFolder() = QFileInfo(path).absolutePath();
  return path;
}

// A cell of tab-separated text, quoted when its own characters would end it.
QString TabField(const QString& text) {
  if (!text.contains('\t') && !text.contains('\n') && !text.contains('\r') && !text.contains('"'))
    return text;
  QString quoted = text;
  quoted.replace('"', QStringLiteral("\"\""));
  return '"' + quoted + '"';
}

QString WholeCellText(const QModelIndex& index) {
  const QVariant exact = index.data(ExactTextRole);
  if (exact.isValid()) return exact.toString();
  const QVariant edit = index.data(Qt::EditRole);
  return edit.isValid() ? edit.toString() : index.data(Qt::DisplayRole).toString();
}

void CopyToClipboard(const QString& text) {
  if (QClipboard* clipboard = QGuiApplication::clipboard()) clipboard->setText(text);
}

} // namespace

QByteArray CanvasSvg(QSize size, const QFont& font, const TCanvasDrawing& draw,
                     const QString& title) {
  return PaintSvg(size, title, [&](QPainter& painter) {
    TQtCanvas canvas(painter, size.width(), size.height(), font);
    draw(canvas);
  });
}

QByteArray WidgetSvg(QWidget* widget, const QString& title) {
  return PaintSvg(widget->size(), title, [&](QPainter& painter) {
    // A graphics view hands its scene's items to the painter one by one, so a chart stays
    // lines and texts; another widget paints itself.
    if (auto* view = qobject_cast<QGraphicsView*>(widget))
      view->render(&painter, QRectF(QPointF(0, 0), widget->size()), view->viewport()->rect());
    else
      widget->render(&painter);
  });
}

bool SaveFileAtomically(const QString& path, const QByteArray& bytes, QString* error) {
  DSTRUCT::TText reason;
  if (TABLESTRUCT::atomicWriteFile(QFile::encodeName(path).toStdString(),
                                   std::string_view(bytes.constData(), size_t(bytes.size())),
                                   &reason))
    return true;
  if (error) *error = ShowText(reason);
  return false;
}

TPictureExport ChartPictureExport(QChartView* view, const QString& fileBaseName) {
  TPictureExport picture;
  picture.FileBaseName = fileBaseName;
  picture.Raster = [view] { return view->grab().toImage(); };
  picture.Svg = [view] { return WidgetSvg(view, view->chart()->title()); };
  picture.Csv = [view] {
    std::array<std::vector<TABLESTRUCT::TChartPoint>, TABLESTRUCT::TableKindCount> lines;
    const QList<QAbstractSeries*> series = view->chart()->series();
    for (qsizetype k = 0; k < series.size() && k < TABLESTRUCT::TableKindCount; ++k)
      if (const auto* line = qobject_cast<const QXYSeries*>(series[k]))
        for (const QPointF& p : line->points())
          lines[static_cast<std::size_t>(k)].push_back({p.x(), p.y()});
    return QByteArray::fromStdString(TABLESTRUCT::ChartPointsCsv(lines));
  };
  return picture;
}

bool SavePictureFile(const TPictureExport& picture, const QString& path, QString* error) {
  if (QFileInfo(path).suffix().compare("svg", Qt::CaseInsensitive) == 0)
    return SaveFileAtomically(path, picture.Svg(), error);
  QByteArray png;
  QBuffer buffer(&png);
  buffer.open(QIODevice::WriteOnly);
  if (!picture.Raster().save(&buffer, "PNG")) {
    if (error) *error = ExportHelpers::tr("PNG не составлен");
    return false;
  }
  return SaveFileAtomically(path, png, error);
}

bool SaveCsvFile(const TPictureExport& picture, const QString& path, QString* error) {
  return SaveFileAtomically(path, picture.Csv(), error);
}

namespace {
// Draws the vector picture on device's page, as large as fits with its proportions kept.
bool RenderOnPage(const TPictureExport& picture, QPagedPaintDevice& device, int resolution) {
  if (picture.Pages) return picture.Pages(device);
  QSvgRenderer renderer(picture.Svg());
  if (!renderer.isValid()) return false;
  QPainter painter;
  if (!painter.begin(&device)) return false;
  const QRectF page = device.pageLayout().paintRectPixels(resolution);
  QSizeF size = renderer.defaultSize();
  size.scale(page.size(), Qt::KeepAspectRatio);
  renderer.render(&painter, QRectF(QPointF(0, 0), size));
  return painter.end();
}

// The picture as a PDF document on a page of layout.
QByteArray PictureOnPdfPage(const TPictureExport& picture, const QPageLayout& layout) {
  QByteArray pdf;
  QBuffer buffer(&pdf);
  buffer.open(QIODevice::WriteOnly);
  QPdfWriter writer(&buffer);
  writer.setPageLayout(layout);
  if (!RenderOnPage(picture, writer, writer.resolution())) return {};
  return pdf;
}
} // namespace

bool SavePdfFile(const TPictureExport& picture, const QString& path, QString* error,
                 const QPageLayout& layout) {
  const QByteArray pdf = PictureOnPdfPage(picture, layout);
  if (pdf.isEmpty()) {
    if (error) *error = ExportHelpers::tr("PDF не составлен");
    return false;
  }
  return SaveFileAtomically(path, pdf, error);
}

bool PrintPicture(const TPictureExport& picture, QPrinter& printer, QString* error) {
  // Printing to a PDF file writes it as every other file is written.
  if (printer.outputFormat() == QPrinter::PdfFormat && !printer.outputFileName().isEmpty())
    return SavePdfFile(picture, printer.outputFileName(), error, printer.pageLayout());
  return RenderOnPage(picture, printer, printer.resolution());
}

bool SaveMeshFile(const TRANSSTRUCT::TImplicitMesh& mesh, const TRANSSTRUCT::TViewRegion& region,
                  const QString& title, const QString& path, QString* error) {
  const std::string name = title.toStdString();
  const std::string bytes = QFileInfo(path).suffix().compare("stl", Qt::CaseInsensitive) == 0
                                ? TRANSSTRUCT::MeshStlBytes(mesh, region, name)
                                : TRANSSTRUCT::MeshObjText(mesh, region, name);
  return SaveFileAtomically(path, QByteArray::fromStdString(bytes), error);
}

void AddPictureMenu(QWidget* target, const TPictureExport& picture) {
  auto* save = new QAction(ExportHelpers::tr("Сохранить изображение…"), target);
  save->setShortcut(QKeySequence::Save);
  QObject::connect(save, &QAction::triggered, target, [target, picture] {
    const QString path =
        AskSaveFileName(target, ExportHelpers::tr("Сохранить изображение"), picture.FileBaseName,
                        {ExportHelpers::tr("Изображение PNG (*.png)"),
                         ExportHelpers::tr("Векторный рисунок SVG (*.svg)")});
    QString error;
    if (!path.isEmpty() && !SavePictureFile(picture, path, &error))
      ReportFailedSave(target, path, error);
  });
  QList<QAction*> actions{save};
  if (picture.Csv) {
    auto* csv = new QAction(ExportHelpers::tr("Сохранить точки (CSV)…"), target);
    QObject::connect(csv, &QAction::triggered, target, [target, picture] {
      const QString path =
          AskSaveFileName(target, ExportHelpers::tr("Сохранить точки графика"),
                          picture.FileBaseName, {ExportHelpers::tr("Таблица CSV (*.csv)")});
      QString error;
      if (!path.isEmpty() && !SaveCsvFile(picture, path, &error))
        ReportFailedSave(target, path, error);
    });
    actions << csv;
  }
  auto* print = new QAction(ExportHelpers::tr("Печать…"), target);
  print->setShortcut(QKeySequence::Print);
  QObject::connect(print, &QAction::triggered, target, [target, picture] {
    QPrinter printer(QPrinter::HighResolution);
    QPrintDialog dialog(&printer, target);
    QString error;
    if (dialog.exec() != QDialog::Accepted || PrintPicture(picture, printer, &error)) return;
    if (printer.outputFormat() == QPrinter::PdfFormat && !printer.outputFileName().isEmpty())
      ReportFailedSave(target, printer.outputFileName(), error);
    else
      QMessageBox::warning(target, QStringLiteral("TERMIX"),
                           ExportHelpers::tr("Печать не удалась"));
  });
  actions << print;
  for (QAction* action : actions) {
    action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    target->addAction(action);
  }
  target->setContextMenuPolicy(Qt::ActionsContextMenu);
}

QString SelectedRowsText(const QAbstractItemView* view) {
  const QAbstractItemModel* model = view->model();
  const QItemSelectionModel* selection = view->selectionModel();
  if (!model || !selection) return {};
  std::set<int> rows;
  for (const QModelIndex& index : selection->selectedIndexes())
    rows.insert(index.row());
  QStringList lines;
  for (int row : rows) {
    QStringList fields;
    for (int column = 0; column < model->columnCount(); ++column)
      fields << TabField(WholeCellText(model->index(row, column)));
    lines << fields.join('\t');
  }
  return lines.join('\n');
}

QString PolynomialLatex(const QString& text) {
  LISTSTRUCT::TPolinom pol;
  pol.SetText(text.toStdString());
  if (pol.GetRetCode() != 0) return {};
  return QString::fromStdString(pol.GetLatex());
}

namespace {
// Ctrl+C on a grid copies its selected rows; the view itself would copy only the current
// cell's shown text, and it takes the key before any shortcut sees it.
class TGridCopyKey : public QObject {
public:
  explicit TGridCopyKey(QAbstractItemView* view) : QObject(view), View(view) {}

protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched == View &&
        (event->type() == QEvent::KeyPress || event->type() == QEvent::ShortcutOverride) &&
        static_cast<QKeyEvent*>(event)->matches(QKeySequence::Copy)) {
      event->accept();
      if (event->type() == QEvent::KeyPress) CopyToClipboard(SelectedRowsText(View));
      return true;
    }
    return QObject::eventFilter(watched, event);
  }

private:
  QAbstractItemView* View;
};
} // namespace

void AddGridCopyMenu(QAbstractItemView* view, int polynomialColumn,
                     const QList<QAction*>& leading) {
  auto* copy = new QAction(ExportHelpers::tr("Копировать"), view);
  copy->setShortcut(QKeySequence::Copy); // shown in the menu; the key itself is filtered
  QObject::connect(copy, &QAction::triggered, view,
                   [view] { CopyToClipboard(SelectedRowsText(view)); });
  view->installEventFilter(new TGridCopyKey(view));
  view->setContextMenuPolicy(Qt::CustomContextMenu);
  QObject::connect(view, &QWidget::customContextMenuRequested, view,
                   [view, copy, polynomialColumn, leading](const QPoint& pos) {
                     QMenu menu(view);
                     if (!leading.isEmpty()) {
                       menu.addActions(leading);
                       menu.addSeparator();
                     }
                     menu.addAction(copy);
                     copy->setEnabled(view->selectionModel() &&
                                      view->selectionModel()->hasSelection());
                     QModelIndex cell = view->indexAt(pos);
                     if (!cell.isValid()) cell = view->currentIndex();
                     if (polynomialColumn >= 0) {
                       const QModelIndex pol = cell.siblingAtColumn(polynomialColumn);
                       QAction* latex = menu.addAction(ExportHelpers::tr("Копировать как LaTeX"));
                       latex->setEnabled(pol.isValid() && !WholeCellText(pol).isEmpty());
                       menu.addAction(TExactCoefficients::Switch().Action());
                       QObject::connect(latex, &QAction::triggered, view, [pol] {
                         const QString formula = PolynomialLatex(WholeCellText(pol));
                         if (!formula.isEmpty()) CopyToClipboard(formula);
                       });
                     }
                     menu.exec(view->viewport()->mapToGlobal(pos));
                     copy->setEnabled(true);
                   });
}

void AddLatexCopyMenu(QPlainTextEdit* edit, std::function<QString()> polynomialText) {
  edit->setContextMenuPolicy(Qt::CustomContextMenu);
  QObject::connect(edit, &QWidget::customContextMenuRequested, edit,
                   [edit, polynomialText](const QPoint& pos) {
                     QMenu* menu = edit->createStandardContextMenu(pos);
                     menu->addSeparator();
                     QAction* latex = menu->addAction(ExportHelpers::tr("Копировать как LaTeX"));
                     latex->setEnabled(!polynomialText().isEmpty());
                     QObject::connect(latex, &QAction::triggered, edit, [polynomialText] {
                       const QString formula = PolynomialLatex(polynomialText());
                       if (!formula.isEmpty()) CopyToClipboard(formula);
                     });
                     menu->addAction(TExactCoefficients::Switch().Action());
                     menu->exec(edit->viewport()->mapToGlobal(pos));
                     delete menu;
                   });
}
