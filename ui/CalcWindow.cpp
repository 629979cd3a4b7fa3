#include "ui/CalcWindow.h"
#include "ui/CalcRun.h"
#include "ui/ExportHelpers.h"
#include "ui/GridCells.h"
#include "ui/WidgetHelpers.h"

#include "calc/TFPolTrans.h"
#include "core/TPolinom.h"
#include "tables/TBasePTab.h"
#include "tables/TRecordName.h"
#include "ui/FormulaStoreDialog.h"
#include "ui/TableDocumentAdapter.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QFrame>
#include <QGroupBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QSvgRenderer>
#include <QTableWidget>
#include <QToolButton>

#include <algorithm>
#include <limits>
#include <string>

using LISTSTRUCT::TPolinom;

namespace {

// The window's rules count the outer width of the window, borders included; the frame of a
// sizeable window adds this much to the client width.
constexpr int WindowFrameWidth = 8;

constexpr int OperationPictureSize = 25;

// The grids' number columns start at this width and widen for a longer number.
constexpr int NumberColumnLeast = 45;

// An operation picture in the tool bar's style: the symbol on the normal or the hot tile;
// the hot symbol comes forward a little.
QPixmap RenderOperationPicture(const QString& symbol, bool hot) {
  QPixmap picture(OperationPictureSize, OperationPictureSize);
  picture.fill(Qt::transparent);
  QPainter painter(&picture);
  painter.setRenderHint(QPainter::Antialiasing);
  QSvgRenderer tile(QString(hot ? ":/pictures/tile_hot.svg" : ":/pictures/tile_normal.svg"));
  tile.render(&painter, QRectF(0, 0, OperationPictureSize, OperationPictureSize));
  QRectF box(2.5, 2.5, 20, 20);
  if (hot) box.adjust(-1, -1, 1, 1);
  QSvgRenderer art(QStringLiteral(":/ops/%1.svg").arg(symbol));
  art.render(&painter, box);
  return picture;
}

QString ToQString(const std::string& text) {
  return QString::fromStdString(text);
}
std::string ToStdString(const QString& text) {
  return text.toStdString();
}

void SetGridRows(QTableWidget* grid, int rowsWithHeader) {
  grid->setRowCount(rowsWithHeader - 1);
}

void ClearRow(QTableWidget* grid, int row) {
  for (int column = 0; column < grid->columnCount(); ++column)
    SetGridCell(grid, row, column, QString());
}

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

} // namespace

// ---------------------------------------------------------------------------------------------

TOperationImage::TOperationImage(QWidget* parent) : QLabel(parent) {
  setMouseTracking(true);
  setFixedSize(OperationPictureSize, OperationPictureSize);
}

void TOperationImage::mousePressEvent(QMouseEvent* event) {
  PressedInside = event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
}

void TOperationImage::mouseReleaseEvent(QMouseEvent* event) {
  // A click is a press and a release both on the picture, like a button's.
  const bool click = PressedInside && event->button() == Qt::LeftButton &&
                     rect().contains(event->position().toPoint());
  PressedInside = false;
  if (click) emit Clicked();
}

void TOperationImage::mouseMoveEvent(QMouseEvent* event) {
  const QPoint position = event->position().toPoint();
  emit MouseMoved(position.x(), position.y());
}

// ---------------------------------------------------------------------------------------------

namespace {

// The eight operation images, one row each: name, hint, symbol, the numbers of its normal and
// highlighted pictures in ImageList1, and its handlers. The picture list is drawn from these rows
// and every picture an image shows is looked up in its row.
struct TOperationImageRow {
  const char* Name;
  const char* Hint;
  const char* Symbol;
  int NormalPicture;
  int HotPicture;
  TOperationImage* TForm3::*Image;
  void (TForm3::*Click)();
  void (TForm3::*MouseMove)(int, int);
};

const TOperationImageRow OperationImages[8] = {
    // The first letter of the sum's hint is a Latin "C", as the window has always shown it.
    {"ImSum", "Cложение полиномов: [Pol1] + [Pol2]", "sum", 0, 7, &TForm3::ImSum,
     &TForm3::ImSumClick, &TForm3::ImSumMouseMove},
    {"ImMin", "Вычитание полиномов: [Pol1] - [Pol2]", "min", 1, 8, &TForm3::ImMin,
     &TForm3::ImMinClick, &TForm3::ImMinMouseMove},
    {"ImMult", "Умножение полиномов: [Pol1] * [Pol2]", "mult", 2, 9, &TForm3::ImMult,
     &TForm3::ImMultClick, &TForm3::ImMultMouseMove},
    {"ImDeg", "Возведение в степень: [Pol] ^ [IntN]", "deg", 14, 15, &TForm3::ImDeg,
     &TForm3::ImDegClick, &TForm3::ImDegMouseMove},
    {"ImPro", "Частная производная от полинома: d/dp( [Pol] )", "pro", 3, 10, &TForm3::ImPro,
     &TForm3::ImProClick, &TForm3::ImProMouseMove},
    {"ImInt", "Интеграл по переменной : int-dp( [Pol] )", "int", 4, 11, &TForm3::ImInt,
     &TForm3::ImIntClick, &TForm3::ImIntMouseMove},
    {"ImBrak", "Скобки: ( ....)", "brak", 5, 12, &TForm3::ImBrak, &TForm3::ImBrakClick,
     &TForm3::ImBrakMouseMove},
    {"ImVar", "Переменная: p (Выбирите X, Y или Z)", "var", 6, 13, &TForm3::ImVar,
     &TForm3::ImVarClick, &TForm3::ImVarMouseMove},
};

const TOperationImageRow& OperationImageRow(TOperationImage* TForm3::*image) {
  for (const TOperationImageRow& entry : OperationImages)
    if (entry.Image == image) return entry;
  return OperationImages[0];
}

} // namespace

TForm3::TForm3(TTableDocumentAdapter* document, QWidget* parent)
    : QWidget(parent), Document(document) {
  setObjectName("Form3");
  setWindowTitle("POLINOM: Вычисления полиномов");
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
  ImageList1 = QList<QPixmap>(2 * std::size(OperationImages));
  for (const TOperationImageRow& entry : OperationImages) {
    ImageList1[entry.NormalPicture] = RenderOperationPicture(QLatin1String(entry.Symbol), false);
    ImageList1[entry.HotPicture] = RenderOperationPicture(QLatin1String(entry.Symbol), true);
  }

  BuildFormulaGroup();
  BuildGrids();
  BuildNamingPanel();
  ConnectControls();
  Document->AddUndoKeys(this);
}

// The formula input group: the operation images with the variable they use, the window's picture,
// the formula and its errors, and the formula store's buttons.
void TForm3::BuildFormulaGroup() {
  GroupBox1 = new QGroupBox("Ввод формулы вычисления", this);
  GroupBox1->setObjectName("GroupBox1");
  GroupBox1->setGeometry(4, 2, 640, 118);

  Label2 = MakeLabel(GroupBox1, "Label2", "Помощь по", 8, 20);
  Label1 = MakeLabel(GroupBox1, "Label1", "Операциям:", 8, 34);
  BuildOperationImages();

  Bevel4 = MakeBevel(GroupBox1, "Bevel4", QRect(318, 18, 120, 29));
  RBVarX = new QRadioButton("X;", GroupBox1);
  RBVarY = new QRadioButton("Y;", GroupBox1);
  RBVarZ = new QRadioButton("Z;", GroupBox1);
  int variableLeft = 322;
  for (QRadioButton* button : {RBVarX, RBVarY, RBVarZ}) {
    button->setObjectName(QStringLiteral("RBVar") + button->text().left(1));
    button->setGeometry(variableLeft, 22, 36, 21);
    variableLeft += 38;
  }
  RBVarX->setChecked(true);

  Bevel1 = MakeBevel(GroupBox1, "Bevel1", QRect(548, 14, 84, 98));
  Image1 = new QLabel(GroupBox1);
  Image1->setObjectName("Image1");
  Image1->setToolTip("Окно для вычислений над полиномами");
  Image1->setAccessibleName(Image1->toolTip());
  Image1->setGeometry(0, 20, 72, 86);
  Image1->setPixmap(RenderSvgPicture(":/ops/calc_window.svg", Image1->size()));

  Label3 = MakeLabel(GroupBox1, "Label3", "Формула:", 8, 60);
  EdFormul = new QLineEdit(GroupBox1);
  EdFormul->setObjectName("EdFormul");
  EdFormul->setMaxLength(std::numeric_limits<int>::max()); // a pasted formula is never cut
  EdFormul->setToolTip("Введите формулу вычисления полинома");
  EdFormul->setGeometry(70, 56, 400, 24);
  Label3->setBuddy(EdFormul);
  EdFormul->setAccessibleName("Формула:");

  Label4 = MakeLabel(GroupBox1, "Label4", "Ошибки:", 8, 90);
  EdErrors = new QLineEdit(GroupBox1);
  EdErrors->setObjectName("EdErrors");
  EdErrors->setToolTip("Синтаксические ошибки в записи формулы");
  EdErrors->setGeometry(70, 86, 400, 24);
  StyleMessageField(EdErrors);
  Label4->setBuddy(EdErrors);
  EdErrors->setAccessibleName("Ошибки:");

  Bevel3 = MakeBevel(GroupBox1, "Bevel3", QRect(480, 52, 63, 60));
  SBtnSaveF = new QToolButton(GroupBox1);
  SBtnSaveF->setObjectName("SBtnSaveF");
  SBtnSaveF->setToolTip("Сохранить  введённую формулу в файле");
  SBtnSaveF->setIcon(QIcon(RenderSvgPicture(":/pictures/savef.svg", QSize(22, 25))));
  SBtnLoadF = new QToolButton(GroupBox1);
  SBtnLoadF->setObjectName("SBtnLoadF");
  SBtnLoadF->setToolTip("Загрузить формулу из файла");
  SBtnLoadF->setIcon(QIcon(RenderSvgPicture(":/pictures/loadf.svg", QSize(22, 25))));
  for (QToolButton* button : {SBtnSaveF, SBtnLoadF}) {
    button->setAutoRaise(true);
    button->setIconSize(QSize(22, 25));
    button->setAccessibleName(button->toolTip());
    button->setGeometry(0, 66, 27, 30);
  }
}

// The operands and the result.
void TForm3::BuildGrids() {
  GroupBox2 = new QGroupBox("Полиномы (Операнды и результат):", this);
  GroupBox2->setObjectName("GroupBox2");
  GroupBox2->setGeometry(4, 124, 640, 240);
  SGOperTable = MakeGrid(GroupBox2, "SGOperTable", 2);
  SGOperTable->setGeometry(8, 17, 620, 120);
  SGOperTable->setAccessibleName("Полиномы - операнды");
  SGResTable = MakeGrid(GroupBox2, "SGResTable", 2);
  // Header and one row, with the frame: the result grid keeps this height at every size.
  SGResTable->setGeometry(8, 150, 620, 50);
  SGResTable->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  SGResTable->setAccessibleName("Полином - результат");
  AddGridCopyMenu(SGOperTable, 2);
  AddGridCopyMenu(SGResTable, 2);
}

// The evaluate button and the naming of the result.
void TForm3::BuildNamingPanel() {
  Panel1 = new QFrame(this);
  Panel1->setObjectName("Panel1");
  Panel1->setFrameShape(QFrame::Panel);
  Panel1->setFrameShadow(QFrame::Raised);
  Panel1->setGeometry(4, 370, 640, 62);
  BBtnCalc = new QPushButton("Вычислить", Panel1);
  BBtnCalc->setObjectName("BBtnCalc");
  BBtnCalc->setToolTip("Ввычисление полинома по введённой формуле");
  BBtnCalc->setGeometry(8, 16, 104, 30);
  CBPolToTab = new QCheckBox("Заносить результат в таблицу полиномов;", Panel1);
  CBPolToTab->setObjectName("CBPolToTab");
  CBPolToTab->setChecked(true);
  CBPolToTab->setGeometry(122, 2, 330, 19);
  RBStdName = new QRadioButton("Назначать стандартное имя полиному (Res№);", Panel1);
  RBStdName->setObjectName("RBStdName");
  RBStdName->setChecked(true);
  RBStdName->setGeometry(122, 21, 330, 19);
  RBUserName = new QRadioButton("Имя полинома определённое пользователем:", Panel1);
  RBUserName->setObjectName("RBUserName");
  RBUserName->move(122, 40);
  // Wide enough for its text beside the indicator.
  RBUserName->resize(RBUserName->fontMetrics().horizontalAdvance(RBUserName->text()) + 30, 19);
  EdName = new QLineEdit("PolResult", Panel1);
  EdName->setObjectName("EdName");
  EdName->setToolTip("Название полинома введено.");
  EdName->setAccessibleName("Имя полинома определённое пользователем:");
  // The name field starts right after its radio button's text and reaches to the panel's end.
  EdName->setGeometry(RBUserName->x() + RBUserName->width() + 4, 37, 200, 22);
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

void TForm3::BuildOperationImages() {
  int left = 92;
  for (const TOperationImageRow& entry : OperationImages) {
    auto* image = new TOperationImage(GroupBox1);
    image->setObjectName(entry.Name);
    image->setToolTip(QString::fromUtf8(entry.Hint));
    image->setAccessibleName(image->toolTip());
    image->setPixmap(ImageList1.value(entry.NormalPicture));
    image->move(left, 20);
    left += 28;
    this->*entry.Image = image;
    connect(image, &TOperationImage::Clicked, this, entry.Click);
    connect(image, &TOperationImage::MouseMoved, this, entry.MouseMove);
  }
}

// ---------------------------------------------------------------------------------------------
// Creation, closing, layout

void TForm3::FormCreate() {
  SGOperTable->setHorizontalHeaderLabels({"№", "Название", "Полиномы - операнды"});
  SGResTable->setHorizontalHeaderLabels({"№", "Название", "Полином - результат"});

  NameInvalid = false;
  BracketOpen = false;
  UserName = EdName->text();
  EdName->setEnabled(false);
  StdNameMode = true;

  Trans = std::make_unique<TRANSSTRUCT::TFPolTrans>(CurrentTable());
  EdErrors->setText(ToQString(Trans->GetMessage()));
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

void TForm3::EdFormulChange() {
  if (Run) {
    // The translator is busy on the working thread; the check follows when it has finished.
    FormulaCheckPending = true;
    return;
  }
  TABLESTRUCT::TBasePTab* table = CurrentTable();
  // Names are looked up in the table that is current right now, the same one that the
  // operand grid and the result insertion use.
  Trans->SetTable(table);
  Trans->SetFormula(ToStdString(EdFormul->text()));
  FormulaOK = Trans->GetRetCode() >= 0;
  EdErrors->setText(ToQString(Trans->GetMessage()));

  const int lexemeCount = Trans->GetLeksCount();
  if (lexemeCount > 0) {
    SetGridRows(SGOperTable, lexemeCount + 1);
  } else {
    SetGridRows(SGOperTable, 2);
    ClearRow(SGOperTable, 1);
  }

  int row = 1;
  for (TRANSSTRUCT::TPolLeks lexeme = Trans->GetFirstLeks(); !Trans->IsLeksEnd();
       lexeme = Trans->GetNextLeks()) {
    if (lexeme.IsConst) continue;
    TPolinom found;
    const int position = table ? table->FindRecord(lexeme.Name, found) : -1;
    SetGridCell(SGOperTable, row, 0, position >= 0 ? QString::number(position + 1) : "--");
    SetGridCell(SGOperTable, row, 1, ToQString(lexeme.Name));
    SetGridCell(SGOperTable, row, 2, ToQString(lexeme.Pol.GetText()));
    ++row;
  }

  SGOperTable->setHorizontalHeaderItem(
      2, new QTableWidgetItem(
             QStringLiteral("Полиномы - операнды (кол-во операнд = %1)").arg(row - 1)));

  if (lexemeCount > 0 && row - 1 < lexemeCount) {
    if (row > 1) {
      SetGridRows(SGOperTable, row);
    } else {
      SetGridRows(SGOperTable, 2);
      ClearRow(SGOperTable, 1);
    }
  }
  FitNumberColumn(SGOperTable, NumberColumnLeast);
}

void TForm3::AppendToFormula(const QString& text) {
  EdFormul->setText(EdFormul->text() + text);
}

QChar TForm3::CheckedVariableLetter() const {
  if (RBVarY->isChecked()) return 'y';
  if (RBVarZ->isChecked()) return 'z';
  return 'x';
}

void TForm3::ImSumClick() {
  AppendToFormula(" +");
}
void TForm3::ImMinClick() {
  AppendToFormula(" -");
}
void TForm3::ImMultClick() {
  AppendToFormula(" *");
}
void TForm3::ImDegClick() {
  AppendToFormula("^2");
}

void TForm3::ImProClick() {
  AppendToFormula(QStringLiteral(" d/d%1(").arg(CheckedVariableLetter()));
  BracketOpen = true;
}

void TForm3::ImIntClick() {
  AppendToFormula(QStringLiteral(" int~d%1(").arg(CheckedVariableLetter()));
  BracketOpen = true;
}

void TForm3::ImBrakClick() {
  // The flag flips before the text goes in: the formula check runs inside the append.
  const bool closing = BracketOpen;
  BracketOpen = !closing;
  AppendToFormula(closing ? ")" : "(");
}

void TForm3::ImVarClick() {
  AppendToFormula(QStringLiteral(" %1").arg(CheckedVariableLetter().toUpper()));
}

// The image shows its highlighted picture while the pointer is strictly inside it and holds
// the mouse meanwhile, so that the move that leaves it arrives here as well.
void TForm3::HighlightOnHover(TOperationImage* TForm3::*member, int x, int y) {
  const TOperationImageRow& entry = OperationImageRow(member);
  TOperationImage* image = this->*member;
  const bool inside = x > 0 && x < image->width() && y > 0 && y < image->height();
  image->setPixmap(ImageList1.value(inside ? entry.HotPicture : entry.NormalPicture));
  if (inside) {
    if (QWidget::mouseGrabber() != image && image->isVisible()) image->grabMouse();
  } else if (QWidget::mouseGrabber() == image) {
    image->releaseMouse();
  }
}

void TForm3::ImSumMouseMove(int X, int Y) {
  HighlightOnHover(&TForm3::ImSum, X, Y);
}
void TForm3::ImMinMouseMove(int X, int Y) {
  HighlightOnHover(&TForm3::ImMin, X, Y);
}
void TForm3::ImMultMouseMove(int X, int Y) {
  HighlightOnHover(&TForm3::ImMult, X, Y);
}
void TForm3::ImProMouseMove(int X, int Y) {
  HighlightOnHover(&TForm3::ImPro, X, Y);
}
void TForm3::ImIntMouseMove(int X, int Y) {
  HighlightOnHover(&TForm3::ImInt, X, Y);
}
void TForm3::ImBrakMouseMove(int X, int Y) {
  HighlightOnHover(&TForm3::ImBrak, X, Y);
}
void TForm3::ImVarMouseMove(int X, int Y) {
  HighlightOnHover(&TForm3::ImVar, X, Y);
}
void TForm3::ImDegMouseMove(int X, int Y) {
  HighlightOnHover(&TForm3::ImDeg, X, Y);
}

// ---------------------------------------------------------------------------------------------
// Evaluation and the result's name

void TForm3::ShowResultRow(const QString& number, const QString& name, const QString& polynomial) {
  SetGridCell(SGResTable, 1, 0, number);
  SetGridCell(SGResTable, 1, 1, name);
  SetGridCell(SGResTable, 1, 2, polynomial);
  FitNumberColumn(SGResTable, NumberColumnLeast);
}

void TForm3::BBtnCalcClick() {
  if (!FormulaOK || Run) return;
  Run = std::make_unique<TCalcRun>(*Trans);
  // The run is the context: once it is gone, a late report of its end is dropped with it.
  connect(Run.get(), &TCalcRun::Finished, Run.get(), [this] { FinishCalculation(); });
  Run->Start();
  if (Run->WaitFor(ProgressDelay)) {
    FinishCalculation();
    return;
  }
  ShowCalculationRunning(true);
  ProgressDialog = new TCalcProgressDialog(*Run, this);
  ProgressDialog->show();
}

void TForm3::ShowCalculationRunning(bool running) {
  if (running) FormulaHadFocus = EdFormul->hasFocus();
  QWidget* inputs[] = {EdFormul, BBtnCalc, SBtnSaveF, SBtnLoadF, ImSum,  ImMin,
                       ImMult,   ImDeg,    ImPro,     ImInt,     ImBrak, ImVar};
  for (QWidget* input : inputs)
    input->setEnabled(!running);
  if (!running && FormulaHadFocus) EdFormul->setFocus();
  emit CalculationRunning(running);
}

void TForm3::FinishCalculation() {
  if (!Run) return;
  const std::unique_ptr<TCalcRun> run = std::move(Run);
  if (ProgressDialog) {
    delete ProgressDialog;
    ProgressDialog = nullptr;
    ShowCalculationRunning(false);
  }
  if (FormulaCheckPending) {
    FormulaCheckPending = false;
    EdFormulChange();
  }
  // A stopped calculation stores nothing and shows nothing of its result, even if its work
  // had just ended.
  if (run->CancelRequested()) {
    EdErrors->setText(QString::fromUtf8(TRANSSTRUCT::TransCancelledText));
    return;
  }
  if (run->Code < 0) {
    EdErrors->setText(ToQString(run->Message));
    ShowResultRow("--", "----------", "!!!--------Ошибки при вычислении--------!!!");
    return;
  }
  ShowAndStoreResult(run->Result, ToQString(run->ResultText));
}

void TForm3::ShowAndStoreResult(const TPolinom& result, const QString& resultText) {
  ShowResultRow("--", "----------", resultText);

  TABLESTRUCT::TBasePTab* table = CurrentTable();
  if (!CBPolToTab->isChecked() || !table) return;

  QString name;
  if (StdNameMode) {
    name = ToQString(TABLESTRUCT::FreeStandardName(*table));
    NameInvalid = false;
  } else {
    // The name is checked once more against the table as it is now, so that a result can
    // never replace a polynomial that already carries the name.
    EdNameChange();
    name = UserName;
  }
  if (NameInvalid) return;

  const int position = Document->StoreResult(ToStdString(name), result);
  if (position < 0) {
    // A full sorted table refuses the record: the row says so and the table stays as it was.
    ShowResultRow("--", name,
                  QStringLiteral("!!!--Таблица заполнена: результат не занесён--!!! ") +
                      resultText);
    return;
  }
  ShowResultRow(QString::number(position + 1), name, resultText);
}

void TForm3::EdNameChange() {
  NameInvalid = false;
  QPalette palette = EdName->palette();
  palette.setColor(QPalette::Base, QApplication::palette(EdName).color(QPalette::Base));
  EdName->setToolTip("Название полинома введено.");

  const QString text = EdName->text();
  const TABLESTRUCT::TNameVerdict verdict =
      TABLESTRUCT::CheckRecordName(ToStdString(text), CurrentTable());
  if (verdict.IsUsable()) {
    UserName = text;
  } else {
    NameInvalid = true;
    EdName->setToolTip(ToQString(verdict.GetMessage()));
  }
  if (NameInvalid) palette.setColor(QPalette::Base, Qt::red);
  EdName->setPalette(palette);
}

void TForm3::CBPolToTabClick() {
  const bool store = CBPolToTab->isChecked();
  RBStdName->setEnabled(store);
  RBUserName->setEnabled(store);
  EdName->setEnabled(store && !StdNameMode);
}

void TForm3::RBStdNameClick() {
  if (!RBStdName->isChecked()) return;
  EdName->setEnabled(false);
  StdNameMode = true;
}

void TForm3::RBUserNameClick() {
  if (!RBUserName->isChecked()) return;
  EdName->setEnabled(true);
  StdNameMode = false;
}

// ---------------------------------------------------------------------------------------------
// The formula store

void TForm3::SBtnSaveFClick() {
  if (!FormulaOK || !FormulaStore) return;
  FormulaStore->PrepareSaveMode(EdFormul->text());
  FormulaStore->exec();
}

void TForm3::SBtnLoadFClick() {
  if (!FormulaStore) return;
  FormulaStore->PrepareLoadMode();
  FormulaStore->exec();
}
