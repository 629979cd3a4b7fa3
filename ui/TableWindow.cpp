#include "ui/TableWindow.h"

#include "ui/DataFolders.h"
#include "ui/ExportHelpers.h"
#include "ui/GridCells.h"
#include "ui/PolTableModel.h"
#include "ui/WidgetHelpers.h"

#include "tables/CopyTab.h"
#include "tables/TBasePTab.h"
#include "tables/TPolHashTab.h"
#include "tables/TPolScanTab.h"
#include "tables/TPolSortTab.h"

#include <QCloseEvent>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLockFile>
#include <QRadioButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>

using TABLESTRUCT::TBasePTab;

namespace {

// The number column's width at start, and its least: hash bucket numbers such as 6.1 widen it.
constexpr int NumberColumnLeast = 25;

} // namespace

TForm2::TForm2(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint) {
  setObjectName("Form2");
  setWindowTitle("STORE: таблица полиномов");
  setMinimumSize(260, 220);

  BuildOrganisationGroup();
  BuildSaveWarning();
  BuildGrid();

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(2);
  layout->addWidget(GroupBox1);
  layout->addWidget(LbSaveErr);
  layout->addWidget(LbNotice);
  layout->addWidget(SGPolTable, 1);

  setTabOrder(RBScanTab, RBSortTab);
  setTabOrder(RBSortTab, RBHashTab);
  setTabOrder(RBHashTab, CEHashTSize);
  setTabOrder(CEHashTSize, LbSaveErr);
  setTabOrder(LbSaveErr, LbNotice);
  setTabOrder(LbNotice, SGPolTable);

  // Left screen edge, 108 pixels from the top.
  const QRect screen = ScreenArea();
  move(screen.left(), screen.top() + 108);
  resize(261, 413);

  FormCreate();
}

TForm2::~TForm2() = default; // the three tables go with the window; nothing is saved

// The group "way of organising the table": the three organisations, the hash table's size and
// the window's picture at the group's right edge.
void TForm2::BuildOrganisationGroup() {
  GroupBox1 = new QGroupBox("Способ организации таблицы", this);
  GroupBox1->setObjectName("GroupBox1");
  QFont bold = GroupBox1->font();
  QFont normal = bold;
  normal.setBold(false); // set explicitly, so the children do not inherit the bold title
  bold.setBold(true);
  GroupBox1->setFont(bold);

  RBScanTab = new QRadioButton("Просмотровая таблица;", GroupBox1);
  RBScanTab->setObjectName("RBScanTab");
  RBSortTab = new QRadioButton("Упорядоченная таблица;", GroupBox1);
  RBSortTab->setObjectName("RBSortTab");
  RBHashTab = new QRadioButton("Таблица с выч. адресами", GroupBox1);
  RBHashTab->setObjectName("RBHashTab");
  RBScanTab->setChecked(true);

  Label1 = new QLabel("Кол-во полей хеш-табл.:", GroupBox1);
  Label1->setObjectName("Label1");
  CEHashTSize = new QSpinBox(GroupBox1);
  CEHashTSize->setObjectName("CEHashTSize");
  CEHashTSize->setRange(1, 100);
  CEHashTSize->setValue(10);
  CEHashTSize->setToolTip("Изменяет кол-во полей таблицы с хэшированием");
  Label1->setBuddy(CEHashTSize);
  CEHashTSize->setAccessibleName(Label1->text());

  BuildWindowPicture();

  for (QWidget* w : {static_cast<QWidget*>(RBScanTab), static_cast<QWidget*>(RBSortTab),
                     static_cast<QWidget*>(RBHashTab), static_cast<QWidget*>(Label1),
                     static_cast<QWidget*>(CEHashTSize)})
    w->setFont(normal);

  auto* groupLayout = new QGridLayout(GroupBox1);
  groupLayout->setContentsMargins(4, 4, 4, 4);
  groupLayout->setHorizontalSpacing(3);
  groupLayout->setVerticalSpacing(2);
  groupLayout->addWidget(RBScanTab, 0, 0, 1, 2);
  groupLayout->addWidget(RBSortTab, 1, 0, 1, 2);
  groupLayout->addWidget(RBHashTab, 2, 0, 1, 2);
  groupLayout->addWidget(Label1, 3, 0);
  groupLayout->addWidget(CEHashTSize, 3, 1);
  groupLayout->addWidget(Bevel1, 0, 2, 4, 1);
  groupLayout->setColumnStretch(1, 1);

  connect(RBScanTab, &QRadioButton::toggled, this, [this](bool on) {
    if (on) RBScanTabClick();
  });
  connect(RBSortTab, &QRadioButton::toggled, this, [this](bool on) {
    if (on) RBSortTabClick();
  });
  connect(RBHashTab, &QRadioButton::toggled, this, [this](bool on) {
    if (on) RBHashTabClick();
  });
  connect(CEHashTSize, &QSpinBox::valueChanged, this, &TForm2::CEHashTSizeChange);
}

// The window's picture in its frame, at the group's right edge.
void TForm2::BuildWindowPicture() {
  Bevel1 = new QFrame(GroupBox1);
  Bevel1->setObjectName("Bevel1");
  Bevel1->setFrameShape(QFrame::Panel);
  Bevel1->setFrameShadow(QFrame::Sunken);
  Bevel1->setToolTip("Окно редактирования таблицы полиномов");
  Image1 = new QLabel(Bevel1);
  Image1->setObjectName("Image1");
  Image1->setToolTip("Окно работы с таблицей полиномов");
  Image1->setAccessibleName(Image1->toolTip());
  Image1->setPixmap(RenderSvgPicture(":/pictures/store.svg", QSize(30, 36), devicePixelRatioF()));
  Image1->setAlignment(Qt::AlignCenter);
  auto* frameLayout = new QVBoxLayout(Bevel1);
  frameLayout->setContentsMargins(1, 1, 1, 1);
  frameLayout->addWidget(Image1);
}

// A table file that cannot be read or written is told in the first field until a save
// succeeds; what the window refused or found at start in the second, until the next notice or
// switch.
void TForm2::BuildSaveWarning() {
  LbSaveErr = new QLabel(this);
  LbSaveErr->setObjectName("LbSaveErr");
  LbNotice = new QLabel(this);
  LbNotice->setObjectName("LbNotice");
  for (QLabel* label : {LbSaveErr, LbNotice}) {
    label->setWordWrap(true);
    // Tab reaches the text while it is shown, and a screen reader reads it.
    MakeTextReachable(label);
    StyleMessageLabel(label);
    label->setFrameShape(QFrame::Box);
    label->hide();
  }
}

// The grid: number, name and polynomial of every record of the table model.
void TForm2::BuildGrid() {
  TableModel = new TPolTableModel(this);
  SGPolTable = new QTableView(this);
  SGPolTable->setObjectName("SGPolTable");
  SGPolTable->setModel(TableModel);
  SGPolTable->setAccessibleName("Таблица полиномов");
  SGPolTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
  SGPolTable->setSelectionBehavior(QAbstractItemView::SelectRows);
  SGPolTable->setSelectionMode(QAbstractItemView::SingleSelection);
  SGPolTable->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  SGPolTable->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  SGPolTable->setShowGrid(true);
  SGPolTable->setWordWrap(false);
  SGPolTable->verticalHeader()->hide();
  SGPolTable->verticalHeader()->setDefaultSectionSize(SGPolTable->fontMetrics().height() + 6);
  SGPolTable->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
  SGPolTable->horizontalHeader()->setHighlightSections(false);
  SGPolTable->horizontalHeader()->setMinimumSectionSize(16);
  SGPolTable->setColumnWidth(0, 25);
  SGPolTable->setColumnWidth(1, 93);
  AddGridCopyMenu(SGPolTable, 2); // column 2 holds the polynomial
  SGPolTable->setColumnWidth(2, 159);
  // The polynomial column takes what the number and name columns leave; a polynomial longer
  // than its cell shows its start, and its text in the tooltip.
  ShowCellTextStart(SGPolTable);
  KeepLastColumnFitted(SGPolTable);
}

void TForm2::FormCreate() {
  SaveMode = false;
  const std::string tableFile = DataFilePath(PolTableFileName).toStdString();
  ScanTab = std::make_unique<TABLESTRUCT::TPolScanTab>(tableFile);
  SortTab = std::make_unique<TABLESTRUCT::TPolSortTab>(tableFile);
  HashTab = std::make_unique<TABLESTRUCT::TPolHashTab>(CEHashTSize->value(), tableFile);
  CurTab = ScanTab.get();
  // A second running copy of the program on the same data folder is told so once. Each copy
  // erases only what it loaded or wrote itself, so neither loses the other's polynomials.
  DataLock = std::make_unique<QLockFile>(DataFilePath("IniSaves/termix.lock"));
  DataLock->setStaleLockTime(0);
  if (!DataLock->tryLock(0) && DataLock->error() == QLockFile::LockFailedError)
    ShowNotice("Папка данных открыта другой запущенной копией программы: её полиномы при "
               "сохранении не стираются.");
  CurTab->LoadTab();
  if (CurTab->GetRetCode() == TABLESTRUCT::TabFileErr) {
    // An unreadable file starts an empty table; the warning, with the reason, stays until a
    // save succeeds.
    ShowFileProblem("Таблица не загружена: файл таблицы не читается!\n" +
                        QString::fromStdString(CurTab->GetFileError()),
                    "Файл: " + QString::fromStdString(CurTab->GetFileName()) + "\n" +
                        QString::fromStdString(CurTab->GetFileError()));
  }
  RefreshGrid();
}

void TForm2::ShowFileProblem(const QString& text, const QString& hint) {
  LbSaveErr->setText(text);
  LbSaveErr->setToolTip(hint);
  LbSaveErr->setAccessibleName(text);
  LbSaveErr->setAccessibleDescription(hint);
  LbSaveErr->show();
}

void TForm2::SaveCurTab() {
  CurTab->GetRetCode(); // a stale code of an earlier operation must not read as a failed save
  CurTab->SaveTab();
  const int code = CurTab->GetRetCode();
  // Iteration codes may remain after a good save; only these three mean the file is behind.
  SaveFailedFlag = code == TABLESTRUCT::TabFull || code == TABLESTRUCT::TabFileErr ||
                   code == TABLESTRUCT::TabBadName;
  if (!SaveFailedFlag) {
    LbSaveErr->hide();
    return;
  }
  // The unwritten records stay unstored, so the next refresh writes them.
  QString hint = "Файл: " + QString::fromStdString(CurTab->GetFileName());
  const std::string reason = CurTab->GetFileError();
  if (!reason.empty()) hint += "\n" + QString::fromStdString(reason);
  hint += "\nНесохранённые изменения будут записаны при следующем изменении таблицы.";
  ShowFileProblem(
      code == TABLESTRUCT::TabFull ? "Таблица не сохранена: в файле таблицы нет свободных разделов!"
      : code == TABLESTRUCT::TabBadName
          ? "Таблица сохранена не полностью: названия некоторых полиномов нельзя записать в "
            "файл!"
          : "Таблица не сохранена: файл таблицы недоступен для записи!",
      hint);
}

void TForm2::RefreshGrid() {
  ReloadGridKeepingPlace();
  FitNumberColumn(SGPolTable, NumberColumnLeast);
  if (SaveMode) SaveCurTab();
  emit TableChanged();
}

// The reload keeps the grid's current record, its selection and the scrolled place: the record
// with the same key wherever it now stands, or the row it stood in when it is gone (deleted or
// renamed), the last row when the table has shrunk below it.
void TForm2::ReloadGridKeepingPlace() {
  const QModelIndex current = SGPolTable->currentIndex();
  const int row = current.row();
  const auto& rows = TableModel->Rows();
  const QString key = current.isValid() && row < static_cast<int>(rows.size())
                          ? rows[std::size_t(row)].Key
                          : QString();
  const bool selected =
      current.isValid() && SGPolTable->selectionModel()->isRowSelected(row, QModelIndex());
  const int scrolled = SGPolTable->verticalScrollBar()->value();
  TableModel->Reload(CurTab);
  if (!current.isValid()) return;
  int now = key.isEmpty() ? -1 : TableModel->RowOfKey(key);
  if (now < 0) now = std::min(row, TableModel->rowCount() - 1);
  const QModelIndex place = TableModel->index(now, current.column());
  SGPolTable->selectionModel()->setCurrentIndex(
      place, selected ? QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows
                      : QItemSelectionModel::NoUpdate);
  SGPolTable->verticalScrollBar()->setValue(scrolled);
}

void TForm2::SwitchSaveModeOn() {
  SaveMode = true;
  RefreshGrid(); // writes the table at once
}

void TForm2::ShowNotice(const QString& text) {
  LbNotice->setText(text);
  LbNotice->setAccessibleName(text);
  LbNotice->show();
}

void TForm2::SwitchTo(TBasePTab* target) {
  if (target == CurTab) return;
  if (TABLESTRUCT::CopyTab(target, CurTab) != TABLESTRUCT::TabOK) {
    // The target cannot hold every record: nothing is copied or saved, and the buttons show
    // the organisation still in use.
    ShowNotice(QString("Переключение отменено: упорядоченная таблица вмещает не более %1 "
                       "полиномов, а в таблице их %2.")
                   .arg(target->GetCapacity())
                   .arg(CurTab->GetDataCount()));
    const QSignalBlocker scan(RBScanTab), sort(RBSortTab), hash(RBHashTab);
    (CurTab == ScanTab.get()   ? RBScanTab
     : CurTab == SortTab.get() ? RBSortTab
                               : RBHashTab)
        ->setChecked(true);
    return;
  }
  LbNotice->hide();
  if (target == HashTab.get()) HashTab->SetTabSize(CEHashTSize->value());
  target->GetRetCode();
  CurTab = target;
  RefreshGrid();
}

void TForm2::RBScanTabClick() {
  if (RBScanTab->isChecked()) SwitchTo(ScanTab.get());
}

void TForm2::RBSortTabClick() {
  if (RBSortTab->isChecked()) SwitchTo(SortTab.get());
}

void TForm2::RBHashTabClick() {
  if (RBHashTab->isChecked()) SwitchTo(HashTab.get());
}

void TForm2::CEHashTSizeChange() {
  if (!RBHashTab->isChecked()) return; // takes effect at the next switch to the hash table
  HashTab->SetTabSize(CEHashTSize->value());
  HashTab->GetRetCode();
  RefreshGrid();
}

void TForm2::ShowCalculationRunning(bool running) {
  for (QWidget* control : {static_cast<QWidget*>(RBScanTab), static_cast<QWidget*>(RBSortTab),
                           static_cast<QWidget*>(RBHashTab), static_cast<QWidget*>(CEHashTSize)})
    control->setEnabled(!running);
}

// Closing goes through the main window's toggle (connected where the windows are made), so its
// button and flag follow.
void TForm2::FormClose() {
  emit Closed();
}

void TForm2::closeEvent(QCloseEvent* event) {
  FormClose();
  event->accept();
}

void TForm2::FormResize() {
  // The layouts keep the group box and the grid at the window's width and the picture frame at
  // the group's right edge; the polynomial column takes what the other two leave (the grid
  // also refits it when only its scroll bar comes or goes).
  FitLastColumn(SGPolTable);
}

void TForm2::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  FormResize();
}
