#pragma once
// Cells of the string grids. The windows count grid rows with the header as row 0; the
// table widget keeps its header apart, so data row r is the widget's row r - 1.

#include <QString>

class QTableWidget;

// Writes a read-only, selectable cell, making it when it does not exist yet.
void SetGridCell(QTableWidget* grid, int row, int column, const QString& text);
// The text of a cell; empty when the cell was never written.
QString GridCellText(const QTableWidget* grid, int row, int column);
