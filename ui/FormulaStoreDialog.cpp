#include "ui/FormulaStoreDialog.h"
#include "ui/GridCells.h"

#include "tables/TIniFile.h"
#include "ui/CalcWindow.h"
#include "ui/DataFolders.h"
#include "ui/Forms.h"

#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QShowEvent>
#include <QSvgRenderer>
#include <QTableWidget>

#include <algorithm>

namespace {

// Readers stop at this section number; a new formula never gets one as large.
constexpr int SectionLimit = 5000;

const char* const GlobalSection = "Global";
const char* const CountKey = "ForCount";
const char* const DescriptionKey = "FDiscript";
const char* const FormulaKey = "FormExpr";
// The default of both keys: a section whose description reads so holds no formula.
const char* const Missing = "!";

std::string formulaSection(int number) {
  return "Formula" + std::to_string(number);
}

QPixmap renderSvg(const QString& path, QSize size) {
  QPixmap picture(size);
  picture.fill(Qt::transparent);
  QSvgRenderer renderer(path);
  QPainter painter(&picture);
  renderer.render(&painter);
  return picture;
}

} // namespace

TForm8::TForm8(QWidget* parent) : QDialog(parent) {
  setObjectName("Form8");
  setWindowTitle("SAVE / LOAD FORMULA: Сохранение и загрузка формул");
  setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
  setModal(true);
  setFixedSize(669, 197);

  ImageList1.append(renderSvg(":/ops/store_save.svg", QSize(85, 102)));
  ImageList1.append(renderSvg(":/ops/store_load.svg", QSize(85, 102)));

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
  SGSavTab->setColumnWidth(1, 287);
  SGSavTab->setWordWrap(false);
  SGSavTab->setAccessibleName("Сохранённые формулы");

  Label1 = new QLabel("Формула: ", this);
  Label1->setObjectName("Label1");
  Label1->setGeometry(102, 128, 74, 22);
  EdFormul = new QLineEdit(this);
  EdFormul->setObjectName("EdFormul");
  EdFormul->setGeometry(178, 126, 483, 24);
  EdFormul->setEnabled(false);
  Label1->setBuddy(EdFormul);
  EdFormul->setAccessibleName("Формула:");

  Label2 = new QLabel("Описание:", this);
  Label2->setObjectName("Label2");
  Label2->setGeometry(102, 156, 74, 22);
  EdDiscript = new QLineEdit(this);
  EdDiscript->setObjectName("EdDiscript");
  EdDiscript->setGeometry(178, 154, 483, 24);
  Label2->setBuddy(EdDiscript);
  EdDiscript->setAccessibleName("Описание:");

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

  BBtnSave = new QPushButton("Сохранить", this);
  BBtnSave->setObjectName("BBtnSave");
  BBtnLoad = new QPushButton("Загрузить", this);
  BBtnLoad->setObjectName("BBtnLoad");
  BBtnDel = new QPushButton("Удалить", this);
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
  {
    QPalette palette = LabelWriteError->palette();
    palette.setColor(QPalette::WindowText, Qt::red);
    LabelWriteError->setPalette(palette);
    QFont font = LabelWriteError->font();
    font.setBold(true);
    LabelWriteError->setFont(font);
  }

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

// Closing the store file is the file object's destruction.
TForm8::~TForm8() = default;

void TForm8::FormCreate() {
  const std::string path = DataFilePath("IniSaves/PolForms.ini").toStdString();
  IniFile = std::make_unique<TABLESTRUCT::TIniFile>(path);
  SGSavTab->setHorizontalHeaderLabels({"Формула:", "Описание формулы:"});
}

void TForm8::prepareSaveMode(const QString& formula) {
  ImSavLod->setPixmap(ImageList1.value(0));
  BBtnSave->setEnabled(true);
  BBtnLoad->setEnabled(false);
  BBtnDel->setEnabled(false);
  EdDiscript->setEnabled(true);
  EdFormul->setText(formula);
  EdDiscript->clear();
  LabelWriteError->clear();
}

void TForm8::prepareLoadMode() {
  ImSavLod->setPixmap(ImageList1.value(1));
  BBtnSave->setEnabled(false);
  BBtnLoad->setEnabled(true);
  BBtnDel->setEnabled(true);
  EdDiscript->setEnabled(false);
  EdFormul->clear();
  EdDiscript->clear();
  LabelWriteError->clear();
}

void TForm8::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (!event->spontaneous()) FormShow();
}

void TForm8::FormShow() {
  // Every showing reads the file afresh; a file that cannot be read lists as empty.
  IniFile->Reload();
  const int count = IniFile->ReadInteger(GlobalSection, CountKey, 0);

  // Refilling the grid must not count as the user choosing a row.
  const QSignalBlocker blocker(SGSavTab);
  SGSavTab->clearContents();
  // No more than SectionLimit formulas can be present, whatever a damaged count claims.
  SGSavTab->setRowCount(count > 0 ? std::min(count, SectionLimit) : 1);
  for (int row = 1; row <= SGSavTab->rowCount(); ++row) {
    SetGridCell(SGSavTab, row, 0, QString());
    SetGridCell(SGSavTab, row, 1, QString());
  }
  SGSavTab->setCurrentCell(-1, -1);
  SelRow = 0;

  int filled = 0;
  for (int number = 0; filled < count && number < SectionLimit; ++number) {
    const std::string section = formulaSection(number);
    const std::string description = IniFile->ReadString(section, DescriptionKey, Missing);
    if (description == Missing) continue;
    std::string formula = IniFile->ReadString(section, FormulaKey, Missing);
    if (formula == Missing) formula = "Ini-file reading error!";
    ++filled;
    SetGridCell(SGSavTab, filled, 0, QString::fromStdString(formula));
    SetGridCell(SGSavTab, filled, 1, QString::fromStdString(description));
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

int TForm8::freeSectionNumber(int count) {
  // A store in which nothing was deleted holds exactly the sections 0 .. count - 1, so the
  // search starts at count; after deletions it walks past the sections still in use.
  const int start = std::clamp(count, 0, SectionLimit);
  for (int step = 0; step < SectionLimit; ++step) {
    const int number = (start + step) % SectionLimit;
    if (!IniFile->SectionExists(formulaSection(number))) return number;
  }
  return -1;
}

void TForm8::reportWriteError(const QString& text) {
  LabelWriteError->setText(text);
}

void TForm8::BBtnSaveClick() {
  if (!IniFile->Reload()) {
    // Writing now would replace a file whose content was never seen.
    reportWriteError("Ошибка чтения файла формул! Формула не сохранена.");
    return;
  }
  const int count = IniFile->ReadInteger(GlobalSection, CountKey, 0);
  const int number = freeSectionNumber(count);
  if (number < 0) {
    reportWriteError("Нет свободного места в файле формул! Формула не сохранена.");
    return;
  }
  const std::string section = formulaSection(number);
  IniFile->WriteString(section, DescriptionKey, EdDiscript->text().toStdString());
  IniFile->WriteString(section, FormulaKey, EdFormul->text().toStdString());
  IniFile->WriteInteger(GlobalSection, CountKey, count + 1);
  if (!IniFile->UpdateFile()) {
    // The file on disk is untouched; the dialog stays open with the formula and the
    // description, so nothing typed is lost and the save can be tried again.
    IniFile->Reload();
    reportWriteError("Ошибка записи файла формул! Формула не сохранена.");
    return;
  }
  accept();
}

void TForm8::BBtnLoadClick() {
  if (SelRow > 0 && Form3) Form3->EdFormul->setText(EdFormul->text());
  accept();
}

int TForm8::sectionOfRow(int row) {
  int found = 0;
  for (int number = 0; number < SectionLimit; ++number) {
    if (IniFile->ReadString(formulaSection(number), DescriptionKey, Missing) == Missing) continue;
    if (++found == row) return number;
  }
  return -1;
}

void TForm8::BBtnDelClick() {
  if (!IniFile->Reload()) {
    reportWriteError("Ошибка чтения файла формул! Формула не удалена.");
    return;
  }
  const int count = IniFile->ReadInteger(GlobalSection, CountKey, 0);
  if (SelRow > 0 && count != 0) {
    // Only the chosen row's own section goes; an empty row has none and deletes nothing.
    const int number = sectionOfRow(SelRow);
    if (number >= 0) {
      IniFile->EraseSection(formulaSection(number));
      IniFile->WriteInteger(GlobalSection, CountKey, count - 1);
      if (!IniFile->UpdateFile()) {
        IniFile->Reload();
        reportWriteError("Ошибка записи файла формул! Формула не удалена.");
        return;
      }
    }
  }
  reject();
}
