#include "ui/GridCells.h"

#include "ui/ShownText.h"

#include <QEvent>
#include <QHeaderView>
#include <QHelpEvent>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QToolTip>

#include <algorithm>

void SetGridCell(QTableWidget* grid, int row, int column, const QString& text) {
  QTableWidgetItem* item = grid->item(row - 1, column);
  if (!item) {
    item = new QTableWidgetItem;
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    grid->setItem(row - 1, column, item);
  }
  item->setText(text);
}

QString GridCellText(const QTableWidget* grid, int row, int column) {
  const QTableWidgetItem* item = grid->item(row - 1, column);
  return item ? item->text() : QString();
}

void FitLastColumn(QTableView* grid, int least) {
  const int last = grid->horizontalHeader()->count() - 1;
  if (last < 0) return;
  const QHeaderView* header = grid->horizontalHeader();
  int rest = grid->viewport()->width();
  for (int column = 0; column < last; ++column)
    rest -= header->sectionSize(column);
  grid->setColumnWidth(last, std::max(least, rest));
}

namespace {

// Watches the viewport's size; the header reports the columns' widths by itself.
class TLastColumnFitter : public QObject {
public:
  TLastColumnFitter(QTableView* grid, int least) : QObject(grid), Grid(grid), Least(least) {
    grid->horizontalHeader()->setStretchLastSection(false);
    grid->viewport()->installEventFilter(this);
    connect(grid->horizontalHeader(), &QHeaderView::sectionResized, this, [this](int column) {
      if (column != Grid->horizontalHeader()->count() - 1) FitLastColumn(Grid, Least);
    });
    FitLastColumn(grid, least);
  }
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Resize) FitLastColumn(Grid, Least);
    return QObject::eventFilter(watched, event);
  }

private:
  QTableView* Grid;
  int Least;
};

} // namespace

void KeepLastColumnFitted(QTableView* grid, int least) {
  new TLastColumnFitter(grid, least);
}

void FitNumberColumn(QTableView* grid, int least) {
  // Every row counts, not only those in sight: a long table scrolls.
  grid->verticalHeader()->setResizeContentsPrecision(-1);
  const QAbstractItemView* view = grid; // the view's public face measures the cells
  const int widest =
      std::max(view->sizeHintForColumn(0), grid->horizontalHeader()->sectionSizeHint(0));
  grid->setColumnWidth(0, std::max(least, widest));
}

namespace {

class TCellTextStartDelegate : public QStyledItemDelegate {
public:
  using QStyledItemDelegate::QStyledItemDelegate;

  bool helpEvent(QHelpEvent* event, QAbstractItemView* view, const QStyleOptionViewItem& option,
                 const QModelIndex& index) override {
    if (event->type() != QEvent::ToolTip)
      return QStyledItemDelegate::helpEvent(event, view, option, index);
    QString tip = index.data(Qt::ToolTipRole).toString();
    if (tip.isEmpty()) {
      QStyleOptionViewItem shown = option;
      initStyleOption(&shown, index);
      const QWidget* widget = shown.widget ? shown.widget : view;
      const QRect textArea =
          widget->style()->subElementRect(QStyle::SE_ItemViewItemText, &shown, widget);
      if (shown.fontMetrics.horizontalAdvance(shown.text) > textArea.width())
        tip = index.data(Qt::DisplayRole).toString();
    }
    if (tip.isEmpty()) {
      QToolTip::hideText();
      event->ignore();
      return false;
    }
    QToolTip::showText(event->globalPos(), TooltipText(tip), view, option.rect);
    return true;
  }

protected:
  void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override {
    QStyledItemDelegate::initStyleOption(option, index);
    option->text = ShownTextStart(option->text);
  }
};

} // namespace

void ShowCellTextStart(QAbstractItemView* view) {
  view->setTextElideMode(Qt::ElideRight);
  view->setItemDelegate(new TCellTextStartDelegate(view));
}
