#pragma once
// The user's table as the windows see it: the engine's table document, the undo stack of its
// edits with the undo and redo actions, the rows every window shows, the data folder's lock, and
// the news that the table changed. Every change goes one way: the edit (or its undo or redo),
// the rows reloaded (the grid shows them), the save in save mode, then TableChanged once.

#include <QObject>
#include <QString>
#include <QStringList>

#include <memory>
#include <string>

class QAction;
class QUndoStack;
class QWidget;
class TPolTableModel;

namespace LISTSTRUCT {
class TPolinom;
}
namespace TABLESTRUCT {
class TBasePTab;
class TInstanceLock;
class TPolTableDocument;
enum class TTableKind;
struct TEditOutcome;
} // namespace TABLESTRUCT

// Name of the table file, relative to the data folder (see DataFolders.h).
inline constexpr const char* PolTableFileName = "IniSaves/PolTable.ini";
// The hash table's number of buckets at start.
inline constexpr int HashSizeAtStart = 10;

class TTableDocumentAdapter : public QObject {
  Q_OBJECT
public:
  // The table file of the data folder, the hash table at hashSize buckets; takes the data
  // folder's lock and loads the table into the scan table.
  explicit TTableDocumentAdapter(int hashSize, QObject* parent = nullptr);
  ~TTableDocumentAdapter() override;

  // The table in use, for a look-up at the moment a window needs it.
  TABLESTRUCT::TBasePTab* CurTab() const;
  TABLESTRUCT::TTableKind Organisation() const;
  int HashSize() const;
  bool SaveMode() const;
  // The rows of the table in use: the grid's model, and what the windows' lists show.
  TPolTableModel* Rows() const { return RowsModel; }
  // The table's history: «Отменить …» (Ctrl+Z) and «Повторить …» (Ctrl+Shift+Z, Ctrl+Y), named
  // after the edit, for the windows' keys and menus.
  QUndoStack* UndoStack() const { return Stack; }
  QAction* UndoAction() const { return UndoEdit; }
  QAction* RedoAction() const { return RedoEdit; }
  // The undo and redo keys act in window while it is the active window (a text field keeps
  // them for its own text).
  void AddUndoKeys(QWidget* window) const;

  // The load found the file unreadable: the table started empty.
  bool LoadFailed() const { return LoadFailedFlag; }
  // Another running copy of the program uses the data folder.
  bool DataFolderShared() const { return DataFolderSharedFlag; }
  // The last save failed: what the user is told, and the file and reason for the hint.
  bool SaveFailed() const;
  QString SaveProblem() const;
  QString FileName() const;
  QString FileError() const { return LastFileError; }
  // What the last save found another running copy to have done, one notice per kind, naming the
  // records (those it deleted or renamed have left this table); empty when nothing.
  QStringList MergeNotices() const { return LastMergeNotices; }
  // The table's names and polynomials differ from what the file was last brought in line with
  // (undo and redo taken into account).
  bool IsModified() const;

  // The edits of the windows. Each is made, put on the undo stack, settled and announced once;
  // a refusal changes nothing and returns its code (see TPolTableDocument). Insertions return
  // the record's position.
  int Insert(const std::string& key, const LISTSTRUCT::TPolinom& pol);
  int StoreResult(const std::string& key, const LISTSTRUCT::TPolinom& pol);
  int Copy(const std::string& source, const std::string& key, const LISTSTRUCT::TPolinom& pol);
  int Delete(const std::string& key);
  int Change(const std::string& oldKey, const std::string& newKey, const LISTSTRUCT::TPolinom& pol);
  int Switch(TABLESTRUCT::TTableKind target);
  int Resize(int size);

public slots:
  void Undo();
  void Redo();
  // Save mode is no edit and is not undone. On: the table is saved at once and announced.
  void SetSaveMode(bool on);
  // Writes the table in use whatever the save mode; true when the file holds it now.
  bool Save();
  // While a calculation runs nothing may change the table: undo and redo are off.
  void SetLocked(bool locked);

signals:
  // The table changed: once per edit, undo or redo, after the rows were reloaded and, in save
  // mode, the file written.
  void TableChanged();
  // Save mode went on or off.
  void SaveModeChanged(bool on);
  // A save ended, well or not (SaveFailed tells).
  void Saved();

private:
  class TEditCommand;

  int Perform(TABLESTRUCT::TEditOutcome outcome, bool position);
  void Settle();
  int WriteFile();
  void BuildActions();
  void ShowUndoState();

  std::unique_ptr<TABLESTRUCT::TPolTableDocument> Document;
  TPolTableModel* RowsModel = nullptr;
  QUndoStack* Stack = nullptr;
  QAction* UndoEdit = nullptr;
  QAction* RedoEdit = nullptr;
  // Held while the program runs: tells a second running copy that the data folder is in use.
  std::unique_ptr<TABLESTRUCT::TInstanceLock> DataLock;
  bool LoadFailedFlag = false;
  bool DataFolderSharedFlag = false;
  bool Locked = false;
  int SaveCode = 0;
  QString LastFileError;
  QStringList LastMergeNotices;
};
