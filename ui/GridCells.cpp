#include "ui/GridCells.h"

#include <QTableWidget>

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
