#pragma once
// What the units of the calculation window share: the small controls of its design and the rows
// of its two grids.

#include <QRect>
#include <QString>

#include <string>

class QFrame;
class QLabel;
class QTableWidget;
class QWidget;

namespace calcwindow {

// The grids' number columns start at this width and widen for a longer number.
inline constexpr int NumberColumnLeast = 45;

inline QString ToQString(const std::string& text) {
  return QString::fromStdString(text);
}
inline std::string ToStdString(const QString& text) {
  return text.toStdString();
}

// A label at (x, y) as wide as its text.
QLabel* MakeLabel(QWidget* parent, const char* name, const QString& text, int x, int y);
// A sunken box around a group of controls.
QFrame* MakeBevel(QWidget* parent, const char* name, QRect geometry);
// The grid's rows, counted as the window's design counts them: the header row included.
void SetGridRows(QTableWidget* grid, int rowsWithHeader);
void ClearRow(QTableWidget* grid, int row);

} // namespace calcwindow
