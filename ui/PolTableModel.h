#pragma once
// The rows of the table in use, as every window shows them: the table window's grid is a view of
// this model, and the overview window and the delete and change dialogs fill their lists from its
// rows. The table document owns it and reloads it after every change of the table.

#include <QAbstractTableModel>
#include <QString>

#include <vector>

namespace TABLESTRUCT {
class TBasePTab;
}

// One record of the table, in the table's iteration order.
struct TPolTableRow {
  // What Reset or GoNext returned: the record index, or the bucket index in the hash table.
  int Position = 0;
  // The grid's number: Position + 1, and for a later record of a hash bucket b.c (c counted
  // from 1 after the bucket's first record).
  QString Number;
  QString Key;
  // The grid's name: the key, with "-> " before a later record of a hash bucket.
  QString Name;
  // The polynomial in its text form, and with its coefficients exact (written only while
  // «Точные коэффициенты» is on: a stored result of a few megabytes takes a while to write).
  QString Formula;
  QString ExactFormula;
  // The form that «Точные коэффициенты» asks for.
  const QString& Shown() const;
};

class TPolTableModel : public QAbstractTableModel {
  Q_OBJECT
public:
  explicit TPolTableModel(QObject* parent = nullptr);

  // Walks the table once and keeps its rows. The table stays this model's until the next
  // Reload: the exact texts are written from it when the switch is turned on.
  void Reload(TABLESTRUCT::TBasePTab* table);

  // The records, without the grid's empty row of an empty table.
  const std::vector<TPolTableRow>& Rows() const { return TableRows; }
  // The row of the record with the key, -1 when the table holds none.
  int RowOfKey(const QString& key) const;

  // Columns: number, name, polynomial. An empty table shows one empty row.
  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation,
                      int role = Qt::DisplayRole) const override;

private:
  void WriteExactTexts();

  std::vector<TPolTableRow> TableRows;
  TABLESTRUCT::TBasePTab* Table = nullptr;
  bool ExactWritten = false;
};

class QComboBox;

// Empties the lists and fills them with the model's records: item i of each list is row i,
// numbers being Position + 1 (bucket numbers repeat in the hash table); the formulas as
// «Точные коэффициенты» asks. A null list is left out.
void FillRecordLists(const TPolTableModel& model, QComboBox* numbers, QComboBox* names,
                     QComboBox* formulas);

// Gives a list of the model's formulas (filled by FillRecordLists) a context menu with
// «Точные коэффициенты», and rewrites its items in the form the switch asks for whenever it is
// turned, the choice kept.
void FollowExactSwitch(QComboBox* formulas, const TPolTableModel& model);
