#include "ui/FormulaStoreDialog.h"
#include "ui/GridCells.h"
#include "ui/Language.h"
#include "ui/WidgetHelpers.h"

#include "tables/TFormulaStore.h"
#include "ui/DataFolders.h"
#include "ui/ExportHelpers.h"

#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QTableWidget>

#include <algorithm>
#include <limits>

using TABLESTRUCT::TStoreResult;

TForm8::TForm8(QWidget* parent) : QDialog(parent) {
  setObjectName("Form8");
  setWindowTitle(tr("SAVE / LOAD FORMULA: Сохранение и загрузка формул"));
  setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
  setModal(true);
  setFixedSize(669, 197);

  BuildStoreGrid();
  BuildFields();
  BuildButtons();
  connect(SGSavTab, &QTableWidget::currentCellChanged, this,
          [this](int row, int column) { SGSavTabSelectCell(row + 1, column); });
  connect(BBtnSave, &QPushButton::clicked, this, &TForm8::BBtnSaveClick);
  connect(BBtnLoad, &QPushButton::clicked, this, &TForm8::BBtnLoadClick);
  connect(BBtnDel, &QPushButton::clicked, this, &TForm8::BBtnDelClick);

  setTabOrder(SGSavTab, EdDiscript);
  setTabOrder(EdDiscript, BBtnSave);
  setTabOrder(BBtnSave, BBtnLoad);
  setTabOrder(BBtnLoad, BBtnDel);

  FormCreate();
}

// The mode picture and the grid of stored formulas.
void TForm8::BuildStoreGrid() {
  ImageList1.append(RenderSvgPicture(":/ops/store_save.svg", QSize(85, 102)));
  ImageList1.append(RenderSvgPicture(":/ops/store_load.svg", QSize(85, 102)));

  ImSavLod = new QLabel(this);
  ImSavLod->setObjectName("ImSavLod");
  ImSavLod->setGeometry(8, 8, 85, 102);
  ImSavLod->setPixmap(ImageList1.value(0));

  SGSavTab = new QTableWidget(1, 2, this);
  SGSavTab->setObjectName("SGSavTab");
  SGSavTab->setGeometry(102, 8, 559, 112);
  SGSavTab->setEditTriggers(QAbstractItemView::NoEditTriggers);
  SGSavTab->setSelectionBehavior(QAbstractItemView::SelectRows);
  SGSavTab->setSelectionMode(QAbstractItemView::SingleSelection);
  SGSavTab->verticalHeader()->hide();
  SGSavTab->verticalHeader()->setDefaultSectionSize(20);
  SGSavTab->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  SGSavTab->horizontalHeader()->setHighlightSections(false);
  SGSavTab->horizontalHeader()->setStretchLastSection(true);
  SGSavTab->setColumnWidth(0, 259);
  AddGridCopyMenu(SGSavTab);
  SGSavTab->setColumnWidth(1, 287);
  SGSavTab->setWordWrap(false);
  ShowCellTextStart(SGSavTab);
  SGSavTab->setAccessibleName(tr("Сохранённые формулы"));
}

// The formula and its description.
void TForm8::BuildFields() {
  Label1 = new QLabel(tr("Формула: "), this);
  Label1->setObjectName("Label1");
  Label1->setGeometry(102, 128, 74, 22);
  EdFormul = new QLineEdit(this);
  EdFormul->setObjectName("EdFormul");
  EdFormul->setGeometry(178, 126, 483, 24);
  EdFormul->setEnabled(false);
  EdFormul->setMaxLength(std::numeric_limits<int>::max()); // a long formula is never cut
  Label1->setBuddy(EdFormul);
  EdFormul->setAccessibleName(tr("Формула:"));

  Label2 = new QLabel(tr("Описание:"), this);
  Label2->setObjectName("Label2");
  Label2->setGeometry(102, 156, 74, 22);
  EdDiscript = new QLineEdit(this);
  EdDiscript->setObjectName("EdDiscript");
  EdDiscript->setGeometry(178, 154, 483, 24);
  EdDiscript->setMaxLength(std::numeric_limits<int>::max());
  Label2->setBuddy(EdDiscript);
  EdDiscript->setAccessibleName(tr("Описание:"));

  for (auto [edit, colour] :
       {std::pair{EdFormul, QColor(Qt::darkBlue)}, std::pair{EdDiscript, QColor(Qt::blue)}}) {
    QFont font = edit->font();
    font.setBold(true);
    edit->setFont(font);
    QPalette palette = edit->palette();
    // Navy stays navy when the edit is disabled, as the formula field always is.
    palette.setColor(QPalette::Active, QPalette::Text, colour);
    palette.setColor(QPalette::Inactive, QPalette::Text, colour);
    palette.setColor(QPalette::Disabled, QPalette::Text, colour);
    edit->setPalette(palette);
  }
}

// Save, load and delete, and the line that tells why the file was not written.
void TForm8::BuildButtons() {
  BBtnSave = new QPushButton(tr("Сохранить"), this);
  BBtnSave->setObjectName("BBtnSave");
  BBtnLoad = new QPushButton(tr("Загрузить"), this);
  BBtnLoad->setObjectName("BBtnLoad");
  BBtnDel = new QPushButton(tr("Удалить"), this);
  BBtnDel->setObjectName("BBtnDel");
  int buttonTop = 114;
  for (QPushButton* button : {BBtnSave, BBtnLoad, BBtnDel}) {
    button->setGeometry(8, buttonTop, 85, 24);
    button->setAutoDefault(false);
    buttonTop += 27;
  }

  LabelWriteError = new QLabel(this);
  LabelWriteError->setObjectName("LabelWriteError");
  LabelWriteError->setGeometry(102, 178, 559, 18);
  QPalette palette = LabelWriteError->palette();
  palette.setColor(QPalette::WindowText, Qt::red);
  LabelWriteError->setPalette(palette);
  QFont font = LabelWriteError->font();
  font.setBold(true);
  LabelWriteError->setFont(font);
}

// Closing the store file is the file object's destruction.
TForm8::~TForm8() = default;

void TForm8::FormCreate() {
  const std::string path = DataFilePath("IniSaves/PolForms.ini").toStdString();
  Store = std::make_unique<TABLESTRUCT::TFormulaStore>(path);
  SGSavTab->setHorizontalHeaderLabels({tr("Формула:"), tr("Описание формулы:")});
}

void TForm8::PrepareSaveMode(const QString& formula) {
  ShowMode(true);
  EdFormul->setText(formula);
}

void TForm8::PrepareLoadMode() {
  ShowMode(false);
  EdFormul->clear();
}

void TForm8::ShowMode(bool saving) {
  ImSavLod->setPixmap(ImageList1.value(saving ? 0 : 1));
  BBtnSave->setEnabled(saving);
  BBtnLoad->setEnabled(!saving);
  BBtnDel->setEnabled(!saving);
  EdDiscript->setEnabled(saving);
  EdDiscript->clear();
  LabelWriteError->clear();
}

void TForm8::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (!event->spontaneous()) FormShow();
}

void TForm8::FormShow() {
  // Every showing reads the file afresh; a file that cannot be read lists as empty and says so.
  if (!Store->Read()) ReportWriteError(tr("Файл формул не читается!"));

  // Refilling the grid must not count as the user choosing a row.
  const QSignalBlocker blocker(SGSavTab);
  SGSavTab->clearContents();
  SGSavTab->setRowCount(std::max(1, Store->GetRowCount()));
  for (int row = 1; row <= SGSavTab->rowCount(); ++row) {
    SetGridCell(SGSavTab, row, 0, QString());
    SetGridCell(SGSavTab, row, 1, QString());
  }
  SGSavTab->setCurrentCell(-1, -1);
  SelRow = 0;

  int row = 0;
  for (const TABLESTRUCT::TStoredFormula& stored : Store->GetFormulas()) {
    ++row;
    SetGridCell(SGSavTab, row, 0, QString::fromStdString(stored.Formula));
    SetGridCell(SGSavTab, row, 1, QString::fromStdString(stored.Description));
  }
}

void TForm8::SGSavTabSelectCell(int row, int /*column*/) {
  if (!BBtnLoad->isEnabled() || row < 1) {
    SelRow = 0;
    return;
  }
  SelRow = row;
  EdFormul->setText(GridCellText(SGSavTab, row, 0));
  EdDiscript->setText(GridCellText(SGSavTab, row, 1));
}

void TForm8::ReportWriteError(const QString& text) {
  LabelWriteError->setText(text);
  const QString reason = ShowText(Store->GetReason());
  LabelWriteError->setToolTip(QString::fromStdString(Store->GetFileName()) +
                              (reason.isEmpty() ? QString() : "\n" + reason));
}

void TForm8::BBtnSaveClick() {
  switch (Store->Save(EdFormul->text().toStdString(), EdDiscript->text().toStdString())) {
  case TStoreResult::Done:
    accept();
    return;
  case TStoreResult::ReservedDescription:
    ReportWriteError(tr("Описание «!» скрыло бы формулу! Измените описание."));
    return;
  case TStoreResult::NoRoom:
    ReportWriteError(tr("Нет свободного места в файле формул! Формула не сохранена."));
    return;
  case TStoreResult::Unreadable:
    // Writing now would replace a file whose content was never seen.
    ReportWriteError(tr("Ошибка чтения файла формул! Формула не сохранена."));
    return;
  default:
    // The file on disk is untouched; the dialog stays open with the formula and the
    // description, so nothing typed is lost and the save can be tried again.
    ReportWriteError(tr("Ошибка записи файла формул! Формула не сохранена."));
    return;
  }
}

void TForm8::BBtnLoadClick() {
  if (SelRow > 0) emit FormulaChosen(EdFormul->text());
  accept();
}

void TForm8::BBtnDelClick() {
  switch (SelRow > 0 ? Store->Delete(SelRow) : TStoreResult::NoFormula) {
  case TStoreResult::Done:
  case TStoreResult::NoFormula: // an empty row has no section and deletes nothing
    reject();
    return;
  case TStoreResult::Changed:
    FormShow();
    ReportWriteError(tr("Файл формул изменён другой программой! Список обновлён."));
    return;
  case TStoreResult::Unreadable:
    ReportWriteError(tr("Ошибка чтения файла формул! Формула не удалена."));
    return;
  default:
    ReportWriteError(tr("Ошибка записи файла формул! Формула не удалена."));
    return;
  }
}
