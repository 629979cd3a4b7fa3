#include "ui/StructureView.h"

#include <QAction>
#include <QHelpEvent>
#include <QLabel>
#include <QScrollBar>
#include <QToolTip>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

#include "core/TPolReading.h"
#include "core/TStructureSheet.h"
#include "ui/ExportHelpers.h"
#include "ui/Language.h"
#include "ui/QtCanvas.h"
#include "ui/StructureSheetExport.h"

using LISTSTRUCT::TStructureColors;
using LISTSTRUCT::TStructureSheet;

TStructureView::TStructureView(QWidget* parent) : QScrollArea(parent) {
  setObjectName("SBForImg");
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  setWidgetResizable(false);
  setAlignment(Qt::AlignLeft | Qt::AlignTop);
  ImgStruct = new QLabel;
  ImgStruct->setObjectName("ImgStruct");
  ImgStruct->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  ImgStruct->setFont(DrawingFont());
  ImgStruct->installEventFilter(this);
  setWidget(ImgStruct);
  BuildActions();
}

TStructureView::~TStructureView() = default;

// The picture's menu: save and print the sheet, wrap the rows, zoom.
void TStructureView::BuildActions() {
  const auto paper = [this] {
    QFont font = DrawingFont();
    font.setPointSize(10); // the paper's boxes at the picture's opening size
    return TStructurePaper{Pol, StructureTitle(Name, Formula), font};
  };
  TPictureExport picture{
      "structure",
      [paper] { return StructureSheetImage(paper()); },
      [paper] { return StructureSheetSvg(paper()); },
      {},
      [paper](QPagedPaintDevice& device) { return PaintStructurePages(paper(), device); }};
  AddPictureMenu(this, picture);
  ActWrap = new QAction(tr("Переносить строки"), this);
  ActWrap->setObjectName("ActWrap");
  ActWrap->setCheckable(true);
  connect(ActWrap, &QAction::toggled, this, &TStructureView::SetWrapping);
  auto* zoomIn = new QAction(tr("Крупнее"), this);
  zoomIn->setObjectName("ActZoomIn");
  zoomIn->setShortcuts({QKeySequence::ZoomIn, QKeySequence(Qt::CTRL | Qt::Key_Equal)});
  connect(zoomIn, &QAction::triggered, this, [this] { Zoom(ZoomStep); });
  auto* zoomOut = new QAction(tr("Мельче"), this);
  zoomOut->setObjectName("ActZoomOut");
  zoomOut->setShortcut(QKeySequence::ZoomOut);
  connect(zoomOut, &QAction::triggered, this, [this] { Zoom(1 / ZoomStep); });
  for (QAction* action : {ActWrap, zoomIn, zoomOut}) {
    action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    addAction(action);
  }
}

void TStructureView::Show(const LISTSTRUCT::TPolinom& pol, const QString& name,
                          const QString& formula) {
  Pol = pol;
  Name = name;
  Formula = formula;
  Chosen = true;
  Redraw();
}

void TStructureView::Clear() {
  Pol = LISTSTRUCT::TPolinom();
  Chosen = false;
  Redraw();
}

void TStructureView::SetBaseFontSize(int pointSize) {
  BaseFontSize = pointSize;
  Redraw();
}

void TStructureView::SetWrapping(bool on) {
  Wrapping = on;
  if (ActWrap->isChecked() != on) ActWrap->setChecked(on);
  setVerticalScrollBarPolicy(on ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
  setHorizontalScrollBarPolicy(on ? Qt::ScrollBarAlwaysOff : Qt::ScrollBarAsNeeded);
  Redraw();
}

void TStructureView::Zoom(double factor) {
  const double zoom = std::clamp(ZoomFactor * factor, MinZoom, MaxZoom);
  if (zoom == ZoomFactor) return;
  ZoomFactor = zoom;
  Redraw();
}

QFont TStructureView::DrawingFont() const {
  QFont font = ImgStruct ? ImgStruct->font() : this->font();
  font.setBold(true);
  font.setPointSize(std::max(4, int(std::lround(BaseFontSize * ZoomFactor))));
  return font;
}

void TStructureView::Redraw() {
  ImgStruct->setFont(DrawingFont());
  const QSize view = maximumViewportSize().expandedTo(QSize(1, 1));
  const TStructureColors colors;
  StructBitmap = QPixmap(view);
  StructBitmap.fill(TQtCanvas::ToQColor(colors.Background));
  Sheet.reset();
  if (Chosen) {
    // The width of the box less a scroll bar that a long wrapped picture brings.
    const int pageWidth = Wrapping ? view.width() - verticalScrollBar()->sizeHint().width() : 0;
    TQtCanvas measure(StructBitmap, ImgStruct->font());
    Sheet = std::make_unique<TStructureSheet>(Pol, measure, pageWidth);
    if (Wrapping) {
      StructBitmap = QPixmap(QSize(pageWidth, Sheet->GetHeight()).expandedTo(QSize(1, 1)));
      TQtCanvas canvas(StructBitmap, ImgStruct->font());
      Sheet->Draw(canvas, colors);
    } else {
      TQtCanvas canvas(StructBitmap, ImgStruct->font());
      Pol.DrawStructure(TStructureSheet::Margin, TStructureSheet::TopMargin, view.width(), canvas,
                        colors.HeadCoeff, colors.HeadIndex, colors.HeadLink, colors.MonCoeff,
                        colors.MonIndex, colors.MonLink, colors.Background);
    }
  }
  ImgStruct->setPixmap(StructBitmap);
  ImgStruct->resize(StructBitmap.size());
}

void TStructureView::resizeEvent(QResizeEvent* event) {
  QScrollArea::resizeEvent(event);
  if (Wrapping) Redraw();
}

void TStructureView::wheelEvent(QWheelEvent* event) {
  if (!(event->modifiers() & Qt::ControlModifier)) {
    QScrollArea::wheelEvent(event);
    return;
  }
  const int notches = event->angleDelta().y() / 120;
  if (notches != 0) Zoom(std::pow(ZoomStep, notches));
  event->accept();
}

QString TStructureView::BoxTip(const QPoint& pos) const {
  if (!Sheet) return {};
  const int k = Sheet->BoxAt(pos.x(), pos.y());
  if (k < 0) return {};
  return ShowText(LISTSTRUCT::IndexMeaning(Sheet->GetBoxes()[std::size_t(k)].Index));
}

bool TStructureView::eventFilter(QObject* watched, QEvent* event) {
  if (watched == ImgStruct && event->type() == QEvent::ToolTip) {
    const auto* help = static_cast<QHelpEvent*>(event);
    const QString tip = BoxTip(help->pos());
    // Elsewhere the box's own tooltip (the polynomial's formula) shows.
    if (!tip.isEmpty()) {
      QToolTip::showText(help->globalPos(), tip, ImgStruct);
      return true;
    }
  }
  return QScrollArea::eventFilter(watched, event);
}
