#include "ui/PolTableModel.h"

#include "core/TPolinom.h"
#include "tables/TBasePTab.h"
#include "ui/ExactCoefficients.h"

#include <QComboBox>
#include <QMenu>

#include <algorithm>

namespace {
enum TColumn { NumberColumn, NameColumn, FormulaColumn, ColumnCount };
} // namespace

const QString& TPolTableRow::Shown() const {
  return TExactCoefficients::Choose(Formula, ExactFormula);
}

// Made before the windows, the model hears the switch before any window refills its lists.
TPolTableModel::TPolTableModel(QObject* parent) : QAbstractTableModel(parent) {
  connect(&TExactCoefficients::Switch(), &TExactCoefficients::Toggled, this, [this](bool on) {
    if (on) WriteExactTexts();
    emit dataChanged(index(0, FormulaColumn), index(rowCount() - 1, FormulaColumn));
  });
}

void TPolTableModel::WriteExactTexts() {
  if (ExactWritten || !Table) return;
  auto row = TableRows.begin();
  for (Table->Reset(); !Table->IsTabEnded() && row != TableRows.end(); Table->GoNext(), ++row)
    row->ExactFormula = QString::fromStdString(Table->GetPolinom(-1)->GetExactText());
  Table->GetRetCode(); // the end of the iteration leaves a code of its own
  ExactWritten = true;
}

void TPolTableModel::Reload(TABLESTRUCT::TBasePTab* table) {
  beginResetModel();
  TableRows.clear();
  Table = table;
  ExactWritten = false;
  if (table) {
    TableRows.reserve(static_cast<std::size_t>(std::max(0, table->GetDataCount())));
    for (int pos = table->Reset(); !table->IsTabEnded(); pos = table->GoNext()) {
      TPolTableRow row;
      row.Position = pos;
      row.Key = QString::fromStdString(table->GetKey(-1));
      row.Formula = QString::fromStdString(table->GetPolinom(-1)->GetText());
      if (const int chain = table->GetChainPos(); chain != 0) {
        row.Number = QString::number(pos + 1) + "." + QString::number(chain);
        row.Name = "-> " + row.Key;
      } else {
        row.Number = QString::number(pos + 1);
        row.Name = row.Key;
      }
      TableRows.push_back(std::move(row));
    }
    table->GetRetCode(); // the end of the iteration leaves a code of its own
    if (TExactCoefficients::Switch().IsOn()) WriteExactTexts();
  }
  endResetModel();
}

int TPolTableModel::RowOfKey(const QString& key) const {
  const auto found = std::find_if(TableRows.begin(), TableRows.end(),
                                  [&key](const TPolTableRow& row) { return row.Key == key; });
  return found == TableRows.end() ? -1 : static_cast<int>(found - TableRows.begin());
}

int TPolTableModel::rowCount(const QModelIndex& parent) const {
  if (parent.isValid()) return 0;
  return std::max<int>(1, static_cast<int>(TableRows.size()));
}

int TPolTableModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : ColumnCount;
}

QVariant TPolTableModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= static_cast<int>(TableRows.size())) {
    // The empty row under the header of an empty table.
    return role == Qt::DisplayRole ? QVariant(QString()) : QVariant();
  }
  const TPolTableRow& row = TableRows[static_cast<std::size_t>(index.row())];
  switch (role) {
  case Qt::DisplayRole:
    switch (index.column()) {
    case NumberColumn:
      return row.Number;
    case NameColumn:
      return row.Name;
    case FormulaColumn:
      return row.Shown();
    }
    break;
  case Qt::ToolTipRole:
    // A polynomial longer than its cell shows its start; the tooltip holds the text (the grid
    // caps a huge one).
    if (index.column() == FormulaColumn) return row.Shown();
    break;
  }
  return QVariant();
}

QVariant TPolTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
    return QAbstractTableModel::headerData(section, orientation, role);
  switch (section) {
  case NumberColumn:
    return QStringLiteral("№");
  case NameColumn:
    return tr("Название");
  case FormulaColumn:
    return tr("Полином");
  }
  return QVariant();
}

void FillRecordLists(const TPolTableModel& model, QComboBox* numbers, QComboBox* names,
                     QComboBox* formulas) {
  for (QComboBox* list : {numbers, names, formulas})
    if (list) list->clear();
  for (const TPolTableRow& row : model.Rows()) {
    if (numbers) numbers->addItem(QString::number(row.Position + 1));
    if (names) names->addItem(row.Key);
    if (formulas) formulas->addItem(row.Shown());
  }
}

void FollowExactSwitch(QComboBox* formulas, const TPolTableModel& model) {
  formulas->setContextMenuPolicy(Qt::CustomContextMenu);
  QObject::connect(formulas, &QWidget::customContextMenuRequested, formulas,
                   [formulas](const QPoint& pos) {
                     QMenu menu(formulas);
                     menu.addAction(TExactCoefficients::Switch().Action());
                     menu.exec(formulas->mapToGlobal(pos));
                   });
  QObject::connect(&TExactCoefficients::Switch(), &TExactCoefficients::Toggled, formulas,
                   [formulas, &model] {
                     const std::vector<TPolTableRow>& rows = model.Rows();
                     for (int i = 0; i < formulas->count() && i < int(rows.size()); ++i)
                       formulas->setItemText(i, rows[std::size_t(i)].Shown());
                   });
}
