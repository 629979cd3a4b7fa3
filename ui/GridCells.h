#pragma once
// Cells and columns of the string grids. The windows count grid rows with the header as
// row 0; the table widget keeps its header apart, so data row r is the widget's row r - 1.

#include <QString>

class QAbstractItemView;
class QTableView;
class QTableWidget;

// Writes a read-only, selectable cell, making it when it does not exist yet.
void SetGridCell(QTableWidget* grid, int row, int column, const QString& text);
// The text of a cell; empty when the cell was never written.
QString GridCellText(const QTableWidget* grid, int row, int column);

// The grid's last column takes the width that the viewport leaves after the other columns,
// at least `least` pixels.
void FitLastColumn(QTableView* grid, int least = 20);

// From now on the grid's last column takes the width that the viewport leaves after the other
// columns: at every size of the window, when the vertical scroll bar comes or goes, and when
// another column changes its width. It keeps at least `least` pixels.
void KeepLastColumnFitted(QTableView* grid, int least = 20);

// Widens the number column (column 0) to its widest text, header included, never below
// `least` pixels; a column wider than needed narrows back to `least` or its widest text.
void FitNumberColumn(QTableView* grid, int least);

// From now on every cell of the view paints only the start of its text (ShownTextStart), elided
// at the right within its own row, however long the text; the cell's tooltip, or for a cell
// without one the whole text when it does not fit, shows capped (TooltipText). The model keeps
// the whole texts, so that a copy takes them whole.
void ShowCellTextStart(QAbstractItemView* view);
