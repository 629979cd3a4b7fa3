#pragma once
// Helpers of the table window and dialog tests: a clean IniSaves folder in the test's working
// directory, writing and reading the table file, and reading the grid.

#include <QDir>
#include <QFile>
#include <QMap>
#include <QString>
#include <QStringList>
#include <QAbstractItemModel>
#include <QAbstractItemView>
#include <QTextStream>

namespace TableTest {

inline const QString IniPath = QStringLiteral("IniSaves/PolTable.ini");

// Empties IniSaves (or creates it) so every test starts from its own file.
inline void ResetIniFolder() {
  QDir("IniSaves").removeRecursively();
  QDir().mkpath("IniSaves");
}

inline void WriteIni(const QString& text) {
  QFile file(IniPath);
  file.open(QIODevice::WriteOnly | QIODevice::Truncate);
  file.write(text.toUtf8());
}

inline QByteArray ReadIniBytes() {
  QFile file(IniPath);
  if (!file.open(QIODevice::ReadOnly)) return {};
  return file.readAll();
}

// The table file as section -> key -> value (spaces around "=" trimmed).
using TIni = QMap<QString, QMap<QString, QString>>;
inline TIni ReadIni() {
  TIni ini;
  QString section;
  const QStringList lines = QString::fromUtf8(ReadIniBytes()).split('\n');
  for (QString line : lines) {
    line = line.trimmed();
    if (line.isEmpty() || line.startsWith(';') || line.startsWith('#')) continue;
    if (line.startsWith('[') && line.endsWith(']')) {
      section = line.mid(1, line.size() - 2);
      ini[section];
      continue;
    }
    const int eq = line.indexOf('=');
    if (eq > 0) ini[section][line.left(eq).trimmed()] = line.mid(eq + 1).trimmed();
  }
  return ini;
}

// A table file holding the given names and formulas in sections Polinom0, Polinom1, ...
inline QString IniWith(const QList<QPair<QString, QString>>& records) {
  QString text = QString("[Global]\nPolCount=%1\n").arg(records.size());
  for (int i = 0; i < records.size(); ++i)
    text += QString("[Polinom%1]\nPolName=%2\nPolFormula=%3\n")
                .arg(i)
                .arg(records[i].first, records[i].second);
  return text;
}

// Names stored in the file, in section order.
inline QStringList NamesInIni(const TIni& ini) {
  QStringList names;
  for (int k = 0; k < 5000; ++k) {
    const QString section = QString("Polinom%1").arg(k);
    if (ini.contains(section) && ini[section].contains("PolName")) names << ini[section]["PolName"];
  }
  return names;
}

// A grid's rows, cells, header and hints, read through its model (row 0 is the first row under
// the header).
inline int RowCount(const QAbstractItemView* grid) {
  return grid->model()->rowCount();
}

inline QString Cell(const QAbstractItemView* grid, int row, int column) {
  return grid->model()->index(row, column).data(Qt::DisplayRole).toString();
}

inline QString CellToolTip(const QAbstractItemView* grid, int row, int column) {
  return grid->model()->index(row, column).data(Qt::ToolTipRole).toString();
}

inline QString HeaderText(const QAbstractItemView* grid, int column) {
  return grid->model()->headerData(column, Qt::Horizontal, Qt::DisplayRole).toString();
}

inline QStringList Column(const QAbstractItemView* grid, int column) {
  QStringList texts;
  for (int r = 0; r < RowCount(grid); ++r)
    texts << Cell(grid, r, column);
  return texts;
}

} // namespace TableTest
