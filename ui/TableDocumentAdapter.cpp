#include "ui/TableDocumentAdapter.h"

#include "ui/DataFolders.h"
#include "ui/Language.h"
#include "ui/PolTableModel.h"

#include "tables/FileLock.h"
#include "tables/TPolTableDocument.h"

#include <QAction>
#include <QFile>
#include <QUndoStack>
#include <QWidget>

#include <algorithm>

using TABLESTRUCT::TEditOutcome;
using TABLESTRUCT::TTableEdit;

// An edit of the document on the undo stack. The edit is made before it is pushed, so the
// push's redo does nothing; the adapter settles after every push, undo and redo.
class TTableDocumentAdapter::TEditCommand : public QUndoCommand {
public:
  TEditCommand(TABLESTRUCT::TPolTableDocument& document, std::unique_ptr<TTableEdit> edit)
      : Document(document), Edit(std::move(edit)) {
    setText(ShowText(Edit->Name()));
  }
  void undo() override { Edit->Undo(Document); }
  void redo() override {
    if (Made) {
      Made = false;
      return;
    }
    Edit->Redo(Document);
  }
  bool ChangesContent() const { return Edit->ChangesContent(); }

private:
  TABLESTRUCT::TPolTableDocument& Document;
  std::unique_ptr<TTableEdit> Edit;
  bool Made = true;
};

TTableDocumentAdapter::TTableDocumentAdapter(int hashSize, QObject* parent)
    : QObject(parent), Document(std::make_unique<TABLESTRUCT::TPolTableDocument>(
                           DataFilePath(PolTableFileName).toStdString(), hashSize)),
      RowsModel(new TPolTableModel(this)), Stack(new QUndoStack(this)) {
  BuildActions();
  // A second running copy of the program on the same data folder is told so once. Each copy
  // erases only what it loaded or wrote itself, so neither loses the other's polynomials. A
  // lock file that a crash or a power cut left behind holds nothing.
  DataLock = std::make_unique<TABLESTRUCT::TInstanceLock>(
      QFile::encodeName(DataFilePath("IniSaves/termix.lock")).toStdString());
  DataFolderSharedFlag = DataLock->GetState() == TABLESTRUCT::TInstanceLock::TState::HeldByOther;
  // An unreadable file starts an empty table.
  LoadFailedFlag = Document->Load() == TABLESTRUCT::TabFileErr;
  if (LoadFailedFlag) LastFileError = ShowText(Document->FileError());
  RowsModel->Reload(&Document->CurTab());
}

TTableDocumentAdapter::~TTableDocumentAdapter() {
  Stack->clear(); // the commands hold edits of the document, which goes first otherwise
}

void TTableDocumentAdapter::BuildActions() {
  UndoEdit = new QAction(this);
  UndoEdit->setObjectName("UndoEdit");
  UndoEdit->setShortcut(QKeySequence::Undo);
  RedoEdit = new QAction(this);
  RedoEdit->setObjectName("RedoEdit");
  RedoEdit->setShortcuts(
      {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
  for (QAction* action : {UndoEdit, RedoEdit})
    action->setShortcutContext(Qt::WindowShortcut);
  connect(UndoEdit, &QAction::triggered, this, &TTableDocumentAdapter::Undo);
  connect(RedoEdit, &QAction::triggered, this, &TTableDocumentAdapter::Redo);
  connect(Stack, &QUndoStack::indexChanged, this, &TTableDocumentAdapter::ShowUndoState);
  connect(Stack, &QUndoStack::cleanChanged, this, &TTableDocumentAdapter::ShowUndoState);
  ShowUndoState();
}

void TTableDocumentAdapter::ShowUndoState() {
  UndoEdit->setEnabled(!Locked && Stack->canUndo());
  RedoEdit->setEnabled(!Locked && Stack->canRedo());
  UndoEdit->setText(Stack->canUndo() ? tr("Отменить %1").arg(Stack->undoText()) : tr("Отменить"));
  RedoEdit->setText(Stack->canRedo() ? tr("Повторить %1").arg(Stack->redoText()) : tr("Повторить"));
}

void TTableDocumentAdapter::AddUndoKeys(QWidget* window) const {
  window->addAction(UndoEdit);
  window->addAction(RedoEdit);
}

TABLESTRUCT::TBasePTab* TTableDocumentAdapter::CurTab() const {
  return &Document->CurTab();
}

TABLESTRUCT::TTableKind TTableDocumentAdapter::Organisation() const {
  return Document->Organisation();
}

int TTableDocumentAdapter::HashSize() const {
  return Document->HashSize();
}

bool TTableDocumentAdapter::SaveMode() const {
  return Document->SaveMode();
}

QString TTableDocumentAdapter::FileName() const {
  return QString::fromStdString(Document->FileName());
}

bool TTableDocumentAdapter::SaveFailed() const {
  return SaveCode != TABLESTRUCT::TabOK;
}

QString TTableDocumentAdapter::SaveProblem() const {
  switch (SaveCode) {
  case TABLESTRUCT::TabOK:
    return QString();
  case TABLESTRUCT::TabFull:
    return tr("Таблица не сохранена: в файле таблицы нет свободных разделов!");
  case TABLESTRUCT::TabBadName:
    return tr("Таблица сохранена не полностью: названия некоторых полиномов нельзя записать в "
              "файл!");
  }
  return tr("Таблица не сохранена: файл таблицы недоступен для записи!");
}

bool TTableDocumentAdapter::IsModified() const {
  const int clean = Stack->cleanIndex();
  if (clean < 0) return true; // the file matches no state of the history
  for (int i = std::min(clean, Stack->index()); i < std::max(clean, Stack->index()); ++i)
    if (static_cast<const TEditCommand*>(Stack->command(i))->ChangesContent()) return true;
  return false;
}

int TTableDocumentAdapter::Perform(TEditOutcome outcome, bool position) {
  if (!outcome.Edit) return outcome.Code;
  Stack->push(new TEditCommand(*Document, std::move(outcome.Edit)));
  Settle();
  return position ? outcome.Position : outcome.Code;
}

int TTableDocumentAdapter::Insert(const std::string& key, const LISTSTRUCT::TPolinom& pol) {
  return Perform(Document->Insert(key, pol), true);
}

int TTableDocumentAdapter::StoreResult(const std::string& key, const LISTSTRUCT::TPolinom& pol) {
  return Perform(Document->StoreResult(key, pol), true);
}

int TTableDocumentAdapter::Copy(const std::string& source, const std::string& key,
                                const LISTSTRUCT::TPolinom& pol) {
  return Perform(Document->Copy(source, key, pol), true);
}

int TTableDocumentAdapter::Delete(const std::string& key) {
  return Perform(Document->Delete(key), false);
}

int TTableDocumentAdapter::Change(const std::string& oldKey, const std::string& newKey,
                                  const LISTSTRUCT::TPolinom& pol) {
  return Perform(Document->Change(oldKey, newKey, pol), false);
}

int TTableDocumentAdapter::Switch(TABLESTRUCT::TTableKind target) {
  return Perform(Document->Switch(target), false);
}

int TTableDocumentAdapter::Resize(int size) {
  return Perform(Document->Resize(size), false);
}

void TTableDocumentAdapter::Undo() {
  if (Locked || !Stack->canUndo()) return;
  Stack->undo();
  Settle();
}

void TTableDocumentAdapter::Redo() {
  if (Locked || !Stack->canRedo()) return;
  Stack->redo();
  Settle();
}

void TTableDocumentAdapter::SetSaveMode(bool on) {
  if (on == Document->SaveMode()) return;
  Document->SetSaveMode(on);
  emit SaveModeChanged(on);
  if (on) Settle(); // the table is written at once
}

bool TTableDocumentAdapter::Save() {
  const bool written = WriteFile() == TABLESTRUCT::TabOK;
  emit Saved();
  return written;
}

void TTableDocumentAdapter::SetLocked(bool locked) {
  Locked = locked;
  ShowUndoState();
}

// The one road of every change: the rows (the grid shows them at once), the save in save mode,
// then the news.
void TTableDocumentAdapter::Settle() {
  RowsModel->Reload(&Document->CurTab());
  if (Document->SaveMode()) {
    WriteFile();
    emit Saved();
  }
  emit TableChanged();
}

int TTableDocumentAdapter::WriteFile() {
  SaveCode = Document->Save();
  LastFileError = ShowText(Document->FileError());
  // Records that another copy deleted or renamed have left the table: the rows follow.
  const TABLESTRUCT::TFileMerge& merge = Document->CurTab().GetLastMerge();
  LastMergeNotices.clear();
  for (const DSTRUCT::TText& notice : merge.Notices())
    LastMergeNotices << ShowText(notice);
  if (!merge.LeftTable.empty()) RowsModel->Reload(&Document->CurTab());
  // The file holds the table now; after a failed save it may hold part of it, which matches no
  // state of the history.
  if (SaveCode == TABLESTRUCT::TabOK)
    Stack->setClean();
  else
    Stack->resetClean();
  return SaveCode;
}
