#include "ui/TableWindow.h"

#include "ui/DataFolders.h"
#include "ui/ExportHelpers.h"
#include "ui/GridCells.h"
#include "ui/PolTableModel.h"
#include "ui/TableDocumentAdapter.h"
#include "ui/TableKindLook.h"
#include "ui/WidgetHelpers.h"

#include "tables/TBasePTab.h"
#include "tables/TPolTableDocument.h"

#include <QCloseEvent>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QRadioButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>

using TABLESTRUCT::TTableKind;

namespace {

// The number column's width at start, and its least: hash bucket numbers such as 6.1 widen it.
constexpr int NumberColumnLeast = 25;

} // namespace

TForm2::TForm2(TTableDocumentAdapter* document, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      Document(document) {
  setObjectName("Form2");
  setWindowTitle(tr("STORE: таблица полиномов"));
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

  for (std::size_t k = 1; k < ChoiceButtons.size(); ++k)
    setTabOrder(ChoiceButtons[k - 1], ChoiceButtons[k]);
  setTabOrder(ChoiceButtons.back(), CEHashTSize);
  setTabOrder(CEHashTSize, LbSaveErr);
  setTabOrder(LbSaveErr, LbNotice);
  setTabOrder(LbNotice, SGPolTable);

  // Left screen edge, 108 pixels from the top.
  const QRect screen = ScreenArea();
  move(screen.left(), screen.top() + 108);
  resize(261, 413);

  FormCreate();
}

TForm2::~TForm2() = default; // the table is the document's; nothing is saved

// The group "way of organising the table": a button for each organisation of the registry, the
// hash table's size and the window's picture at the group's right edge.
void TForm2::BuildOrganisationGroup() {
  GroupBox1 = new QGroupBox(tr("Способ организации таблицы"), this);
  GroupBox1->setObjectName("GroupBox1");
  QFont bold = GroupBox1->font();
  QFont normal = bold;
  normal.setBold(false); // set explicitly, so the children do not inherit the bold title
  bold.setBold(true);
  GroupBox1->setFont(bold);
  auto* groupLayout = new QGridLayout(GroupBox1);
  groupLayout->setContentsMargins(4, 4, 4, 4);
  groupLayout->setHorizontalSpacing(3);
  groupLayout->setVerticalSpacing(2);

  int row = 0;
  for (const TABLESTRUCT::TTableKindInfo& kind : TABLESTRUCT::TableKinds()) {
    auto* button = new QRadioButton(KindText(kind.ChoiceCaption), GroupBox1);
    button->setObjectName(QStringLiteral("RB%1Tab").arg(QLatin1String(kind.ControlPart)));
    button->setFont(normal);
    groupLayout->addWidget(button, row++, 0, 1, 2);
    connect(button, &QRadioButton::toggled, this, [this, which = kind.Kind](bool on) {
      if (on) RBTabClick(which);
    });
    ChoiceButtons[static_cast<std::size_t>(kind.Kind)] = button;
  }
  ShowOrganisation();

  Label1 = new QLabel(tr("Кол-во полей хеш-табл.:"), GroupBox1);
  Label1->setObjectName("Label1");
  CEHashTSize = new QSpinBox(GroupBox1);
  CEHashTSize->setObjectName("CEHashTSize");
  CEHashTSize->setRange(1, 100);
  CEHashTSize->setValue(Document->HashSize());
  CEHashTSize->setToolTip(tr("Изменяет кол-во полей таблицы с хэшированием"));
  Label1->setBuddy(CEHashTSize);
  CEHashTSize->setAccessibleName(Label1->text());
  Label1->setFont(normal);
  CEHashTSize->setFont(normal);
  connect(CEHashTSize, &QSpinBox::valueChanged, this, &TForm2::CEHashTSizeChange);

  BuildWindowPicture();
  groupLayout->addWidget(Label1, row, 0);
  groupLayout->addWidget(CEHashTSize, row, 1);
  groupLayout->addWidget(Bevel1, 0, 2, row + 1, 1);
  groupLayout->setColumnStretch(1, 1);
}

// The window's picture in its frame, at the group's right edge.
void TForm2::BuildWindowPicture() {
  Bevel1 = new QFrame(GroupBox1);
  Bevel1->setObjectName("Bevel1");
  Bevel1->setFrameShape(QFrame::Panel);
  Bevel1->setFrameShadow(QFrame::Sunken);
  Bevel1->setToolTip(tr("Окно редактирования таблицы полиномов"));
  Image1 = new QLabel(Bevel1);
  Image1->setObjectName("Image1");
  Image1->setToolTip(tr("Окно работы с таблицей полиномов"));
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
  SGPolTable = new QTableView(this);
  SGPolTable->setObjectName("SGPolTable");
  // Hidden before the rows come, so that it never takes a part of the grid's width.
  SGPolTable->verticalHeader()->hide();
  SGPolTable->setModel(Document->Rows());
  SGPolTable->setAccessibleName(tr("Таблица полиномов"));
  SGPolTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
  SGPolTable->setSelectionBehavior(QAbstractItemView::SelectRows);
  SGPolTable->setSelectionMode(QAbstractItemView::SingleSelection);
  SGPolTable->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  SGPolTable->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  SGPolTable->setShowGrid(true);
  SGPolTable->setWordWrap(false);
  SGPolTable->verticalHeader()->setDefaultSectionSize(SGPolTable->fontMetrics().height() + 6);
  SGPolTable->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
  SGPolTable->horizontalHeader()->setHighlightSections(false);
  SGPolTable->horizontalHeader()->setMinimumSectionSize(16);
  SGPolTable->setColumnWidth(0, 25);
  SGPolTable->setColumnWidth(1, 93);
  // Column 2 holds the polynomial; the table's undo and redo head the menu.
  AddGridCopyMenu(SGPolTable, 2, {Document->UndoAction(), Document->RedoAction()});
  SGPolTable->setColumnWidth(2, 159);
  // The polynomial column takes what the number and name columns leave; a polynomial longer
  // than its cell shows its start, and its text in the tooltip.
  ShowCellTextStart(SGPolTable);
  KeepLastColumnFitted(SGPolTable);
}

void TForm2::FormCreate() {
  Document->AddUndoKeys(this); // its grid included
  connect(Document->Rows(), &QAbstractItemModel::modelAboutToBeReset, this, &TForm2::KeepGridPlace);
  connect(Document->Rows(), &QAbstractItemModel::modelReset, this, &TForm2::RestoreGridPlace);
  connect(Document, &TTableDocumentAdapter::Saved, this, &TForm2::ShowSaveState);
  // A second running copy of the program on the same data folder is told so once.
  if (Document->DataFolderShared())
    ShowNotice(tr("Папка данных открыта другой запущенной копией программы: её полиномы при "
                  "сохранении не стираются."));
  if (Document->LoadFailed()) {
    // An unreadable file started an empty table; the warning, with the reason, stays until a
    // save succeeds.
    ShowFileProblem(
        tr("Таблица не загружена: файл таблицы не читается!\n%1").arg(Document->FileError()),
        tr("Файл: %1\n%2").arg(Document->FileName(), Document->FileError()));
  } else if (const QString problem = DataFolderProblem(); !problem.isEmpty()) {
    // Nothing can be saved in the data folder (a read-only home, no IniSaves): said at once.
    ShowFileProblem(tr("Таблицу нельзя будет сохранить: %1").arg(problem),
                    tr("Файл: %1\n%2").arg(Document->FileName(), problem));
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

// After every save: the warning of a failed one, with the file and the reason in its hint,
// stays until a save succeeds. The unwritten records stay unstored, so the next save writes them.
void TForm2::ShowSaveState() {
  if (const QStringList merged = Document->MergeNotices(); !merged.isEmpty())
    ShowNotice(merged.join("\n"));
  if (!Document->SaveFailed()) {
    LbSaveErr->hide();
    return;
  }
  QString hint = tr("Файл: %1").arg(Document->FileName());
  if (!Document->FileError().isEmpty()) hint += "\n" + Document->FileError();
  hint += "\n" + tr("Несохранённые изменения будут записаны при следующем изменении таблицы.");
  ShowFileProblem(Document->SaveProblem(), hint);
}

void TForm2::RefreshGrid() {
  FitNumberColumn(SGPolTable, NumberColumnLeast);
  ShowOrganisation();
}

// The reload keeps the grid's current record, its selection and the scrolled place: the record
// with the same key wherever it now stands, or the row it stood in when it is gone (deleted or
// renamed), the last row when the table has shrunk below it.
void TForm2::KeepGridPlace() {
  const QModelIndex current = SGPolTable->currentIndex();
  const auto& rows = Document->Rows()->Rows();
  GridPlace.Valid = current.isValid();
  GridPlace.Row = current.row();
  GridPlace.Column = current.column();
  GridPlace.Key = GridPlace.Valid && GridPlace.Row < static_cast<int>(rows.size())
                      ? rows[std::size_t(GridPlace.Row)].Key
                      : QString();
  GridPlace.Selected =
      GridPlace.Valid && SGPolTable->selectionModel()->isRowSelected(GridPlace.Row, QModelIndex());
  GridPlace.Scrolled = SGPolTable->verticalScrollBar()->value();
}

void TForm2::RestoreGridPlace() {
  if (!GridPlace.Valid) return;
  TPolTableModel* model = Document->Rows();
  int now = GridPlace.Key.isEmpty() ? -1 : model->RowOfKey(GridPlace.Key);
  if (now < 0) now = std::min(GridPlace.Row, model->rowCount() - 1);
  const QModelIndex place = model->index(now, GridPlace.Column);
  SGPolTable->selectionModel()->setCurrentIndex(
      place, GridPlace.Selected ? QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows
                                : QItemSelectionModel::NoUpdate);
  SGPolTable->verticalScrollBar()->setValue(GridPlace.Scrolled);
}

void TForm2::ShowNotice(const QString& text) {
  LbNotice->setText(text);
  LbNotice->setAccessibleName(text);
  LbNotice->show();
}

void TForm2::RBTabClick(TTableKind kind) {
  if (kind == Document->Organisation()) return;
  const int count = Document->CurTab()->GetDataCount();
  if (Document->Switch(kind) != TABLESTRUCT::TabOK) {
    // The target cannot hold every record: nothing is copied or saved, and the buttons show
    // the organisation still in use.
    const TABLESTRUCT::TTableKindInfo& target = TABLESTRUCT::TableKindInfo(kind);
    ShowNotice(tr("Переключение отменено: %1 помещается не более %2 полиномов, а в таблице "
                  "их %3.")
                   .arg(KindText(target.InName))
                   .arg(target.Capacity)
                   .arg(count));
    ShowOrganisation();
    return;
  }
  LbNotice->hide();
}

// The buttons and the spin edit show the document's organisation and hash size, also after an
// undo or redo; setting them here runs no handler.
void TForm2::ShowOrganisation() {
  QRadioButton* inUse = ChoiceButtons[static_cast<std::size_t>(Document->Organisation())];
  const QSignalBlocker blocker(inUse);
  inUse->setChecked(true);
  if (!CEHashTSize) return;
  const QSignalBlocker size(CEHashTSize);
  CEHashTSize->setValue(Document->HashSize());
}

// With another organisation in use the size takes effect at the next switch to the hash table.
void TForm2::CEHashTSizeChange() {
  Document->Resize(CEHashTSize->value());
}

void TForm2::ShowCalculationRunning(bool running) {
  for (QRadioButton* button : ChoiceButtons)
    button->setEnabled(!running);
  CEHashTSize->setEnabled(!running);
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
