#include "ui/CalcWindow.h"
#include "ui/CalcRun.h"
#include "ui/CalcWindowParts.h"
#include "ui/ExactCoefficients.h"
#include "ui/ExportHelpers.h"
#include "ui/GridCells.h"
#include "ui/Language.h"
#include "ui/ReadingLine.h"
#include "ui/TableDocumentAdapter.h"
#include "ui/WidgetHelpers.h"

#include "calc/TFPolTrans.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QFrame>
#include <QGroupBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QToolButton>

#include <algorithm>

using namespace calcwindow;

namespace {

// The window's rules count the outer width of the window, borders included; the frame of a
// sizeable window adds this much to the client width.
constexpr int WindowFrameWidth = 8;

QTableWidget* MakeGrid(QWidget* parent, const char* name, int rowsWithHeader) {
  auto* grid = new QTableWidget(rowsWithHeader - 1, 3, parent);
  grid->setObjectName(name);
  grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
  grid->setSelectionBehavior(QAbstractItemView::SelectRows);
  grid->setSelectionMode(QAbstractItemView::SingleSelection);
  grid->verticalHeader()->hide();
  grid->verticalHeader()->setDefaultSectionSize(20);
  grid->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  grid->horizontalHeader()->setHighlightSections(false);
  grid->setColumnWidth(0, NumberColumnLeast);
  grid->setColumnWidth(1, 90);
  grid->setColumnWidth(2, 375);
  grid->setWordWrap(false);
  ShowCellTextStart(grid);
  // Column 2 takes whatever width columns 0 and 1 leave, at every size of the window.
  KeepLastColumnFitted(grid);
  for (int row = 1; row < rowsWithHeader; ++row)
    ClearRow(grid, row);
  return grid;
}

} // namespace

namespace calcwindow {

QLabel* MakeLabel(QWidget* parent, const char* name, const QString& text, int x, int y) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(name);
  label->move(x, y);
  label->adjustSize();
  return label;
}

QFrame* MakeBevel(QWidget* parent, const char* name, QRect geometry) {
  auto* bevel = new QFrame(parent);
  bevel->setObjectName(name);
  bevel->setFrameShape(QFrame::Box);
  bevel->setFrameShadow(QFrame::Sunken);
  bevel->setGeometry(geometry);
  return bevel;
}

void SetGridRows(QTableWidget* grid, int rowsWithHeader) {
  grid->setRowCount(rowsWithHeader - 1);
}

void ClearRow(QTableWidget* grid, int row) {
  for (int column = 0; column < grid->columnCount(); ++column)
    SetGridCell(grid, row, column, QString());
}

} // namespace calcwindow

// ---------------------------------------------------------------------------------------------

TForm3::TForm3(TTableDocumentAdapter* document, QWidget* parent)
    : QWidget(parent), Document(document) {
  setObjectName("Form3");
  setWindowTitle(tr("POLINOM: Вычисления полиномов"));
  // Resizable, with the system menu and the close box as its only title buttons.
  setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowCloseButtonHint);
  setMinimumSize(540, 357);
  resize(660, 430);
  // At the right edge of the screen, level with the table window, so that at start it covers
  // neither the table window at the left edge nor the overview window below the tool bar.
  const QRect screen = ScreenArea();
  move(std::max(screen.left(), screen.right() + 1 - width()), screen.top() + 108);
  BuildControls();
  FormCreate();
}

TForm3::~TForm3() {
  // A calculation still running is stopped before the translator goes.
  delete ProgressDialog;
  Run.reset();
}

void TForm3::BuildControls() {
  BuildFormulaGroup();
  BuildGrids();
  BuildNamingPanel();
  ConnectControls();
  Document->AddUndoKeys(this);
}

// The operands and the result.
void TForm3::BuildGrids() {
  GroupBox2 = new QGroupBox(tr("Полиномы (Операнды и результат):"), this);
  GroupBox2->setObjectName("GroupBox2");
  GroupBox2->setGeometry(4, 146, 640, 218);
  SGOperTable = MakeGrid(GroupBox2, "SGOperTable", 2);
  SGOperTable->setGeometry(8, 17, 620, 120);
  SGOperTable->setAccessibleName(tr("Полиномы - операнды"));
  SGResTable = MakeGrid(GroupBox2, "SGResTable", 2);
  // Header and one row, with the frame: the result grid keeps this height at every size.
  SGResTable->setGeometry(8, 150, 620, 50);
  SGResTable->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  SGResTable->setAccessibleName(tr("Полином - результат"));
  AddGridCopyMenu(SGOperTable, 2);
  AddGridCopyMenu(SGResTable, 2);
}

void TForm3::ConnectControls() {
  connect(EdFormul, &QLineEdit::textChanged, this, &TForm3::EdFormulChange);
  connect(EdName, &QLineEdit::textChanged, this, &TForm3::EdNameChange);
  connect(BBtnCalc, &QPushButton::clicked, this, &TForm3::BBtnCalcClick);
  connect(CBPolToTab, &QCheckBox::toggled, this, &TForm3::CBPolToTabClick);
  connect(RBStdName, &QRadioButton::toggled, this, &TForm3::RBStdNameClick);
  connect(RBUserName, &QRadioButton::toggled, this, &TForm3::RBUserNameClick);
  connect(SBtnSaveF, &QToolButton::clicked, this, &TForm3::SBtnSaveFClick);
  connect(SBtnLoadF, &QToolButton::clicked, this, &TForm3::SBtnLoadFClick);

  // Tab order follows the layout: variable, formula, store buttons, grids, naming panel.
  QWidget* order[] = {RBVarX,     RBVarY,    RBVarZ,      EdFormul,   EdErrors,
                      SBtnSaveF,  SBtnLoadF, SGOperTable, SGResTable, BBtnCalc,
                      CBPolToTab, RBStdName, RBUserName,  EdName};
  for (std::size_t i = 1; i < std::size(order); ++i)
    setTabOrder(order[i - 1], order[i]);
}

// ---------------------------------------------------------------------------------------------
// Creation, closing, layout

void TForm3::FormCreate() {
  SGOperTable->setHorizontalHeaderLabels({"№", tr("Название"), tr("Полиномы - операнды")});
  SGResTable->setHorizontalHeaderLabels({"№", tr("Название"), tr("Полином - результат")});

  NameInvalid = false;
  BracketOpen = false;
  UserName = EdName->text();
  EdName->setEnabled(false);
  StdNameMode = true;

  Trans = std::make_unique<TRANSSTRUCT::TFPolTrans>(CurrentTable());
  EdErrors->setText(ShowText(Trans->GetMessageText()));
  connect(&TExactCoefficients::Switch(), &TExactCoefficients::Toggled, this,
          &TForm3::ShowExactCoefficients);
}

void TForm3::closeEvent(QCloseEvent* event) {
  event->ignore();
  FormClose();
}

// The close box goes through the main window's toggle (connected where the windows are made),
// so its button and flag follow; the window itself stays as it is, only hidden.
void TForm3::FormClose() {
  emit Closed();
  if (isVisible()) hide();
}

void TForm3::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  FormResize();
}

void TForm3::FormResize() {
  const int windowWidth = width() + WindowFrameWidth;

  GroupBox1->resize(windowWidth - 2 * GroupBox1->x() - 8, GroupBox1->height());
  Bevel1->move(GroupBox1->width() - Bevel1->width() - 5, Bevel1->y());
  Image1->move(Bevel1->x() + (Bevel1->width() - Image1->width()) / 2,
               Bevel1->y() + (Bevel1->height() - Image1->height()) / 2);
  Bevel4->resize(Bevel1->x() - Bevel4->x() - 2, Bevel4->height());
  Bevel3->move(Bevel1->x() - Bevel3->width() - 2, Bevel3->y());
  SBtnSaveF->move(Bevel3->x() + 4, SBtnSaveF->y());
  SBtnLoadF->move(SBtnSaveF->x() + SBtnSaveF->width() + 1, SBtnLoadF->y());
  EdFormul->resize(Bevel3->x() - EdFormul->x() - 4, EdFormul->height());
  EdErrors->resize(EdFormul->width(), EdErrors->height());
  EdFormulReading->resize(EdFormul->width(), EdFormulReading->height());

  Panel1->setGeometry(Panel1->x(), height() - Panel1->height(), windowWidth - Panel1->x() - 9,
                      Panel1->height());
  BBtnCalc->move(BBtnCalc->x(), (Panel1->height() - BBtnCalc->height()) / 2);
  EdName->resize(Panel1->width() - EdName->x() - 6, EdName->height());

  GroupBox2->resize(windowWidth - 2 * GroupBox2->x() - 7, Panel1->y() - GroupBox2->y() - 4);
  SGResTable->move(SGResTable->x(), GroupBox2->height() - SGResTable->height() - 6);
  const int gridWidth = GroupBox2->width() - 2 * SGOperTable->x();
  SGResTable->resize(gridWidth, SGResTable->height());
  SGOperTable->resize(gridWidth, GroupBox2->height() - SGResTable->height() - 25);
}

// ---------------------------------------------------------------------------------------------
// The formula

TABLESTRUCT::TBasePTab* TForm3::CurrentTable() const {
  return Document ? Document->CurTab() : nullptr;
}
