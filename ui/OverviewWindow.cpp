#include "ui/OverviewWindow.h"
#include "ui/ExactCoefficients.h"
#include "ui/WidgetHelpers.h"

#include "core/TPolinom.h"
#include "tables/TBasePTab.h"
#include "ui/EfficiencyPage.h"
#include "ui/ExportHelpers.h"
#include "ui/ListStepsPage.h"
#include "ui/PolTableModel.h"
#include "ui/ShownText.h"
#include "ui/StructureView.h"
#include "ui/SurfacePage.h"
#include "ui/TableDocumentAdapter.h"
#include "ui/TableStepsPage.h"
#include "ui/TransStepsPage.h"
#include "ui/WindowPlacement.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QEvent>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProxyStyle>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <cstdlib>
#include <ctime>

namespace {

const char* const NoChoiceAtStart = QT_TRANSLATE_NOOP("TForm9", "Полином не выбран!");
const char* const NoChoice = QT_TRANSLATE_NOOP("TForm9", "Полином не выбран");
const char* const NoNumber = "???";

// Borders and caption bar of a window frame, for the window's outer size.
constexpr int FrameWidth = 8;
constexpr int FrameHeight = 30;

// The window's own least client size: 648 x 157 with the frame.
constexpr QSize OpeningMinimumSize(648 - FrameWidth, 157 - FrameHeight);

// Right of the page control: 7 pixels, the decoration's bevel (54) and 10 pixels to the edge;
// below it 3 pixels.
constexpr int RightOfPages = 7 + 54 + 10;
constexpr int LeftOfPages = 3;
constexpr int BelowPages = 3;

// Margins of the scroll box within the structure page.
constexpr int StructMargin = 3;

// The application's style with narrower tab padding.
class TCompactTabStyle : public QProxyStyle {
public:
  int pixelMetric(PixelMetric metric, const QStyleOption* option,
                  const QWidget* widget) const override {
    const int value = QProxyStyle::pixelMetric(metric, option, widget);
    return metric == PM_TabBarTabHSpace ? value / 2 : value;
  }
};

} // namespace

TForm9::TForm9(TTableDocumentAdapter* document, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      Document(document) {
  // The efficiency test draws its random keys from the standard generator.
  std::srand(static_cast<unsigned>(std::time(nullptr)));

  setObjectName("Form9");
  setWindowTitle(tr("OVERVIEW: Демонстрационные возможности"));

  Bevel1 = new QFrame(this);
  Bevel1->setObjectName("Bevel1");
  Bevel1->setFrameShape(QFrame::Box);
  Bevel1->setFrameShadow(QFrame::Sunken);
  Image1 = new QLabel(this);
  Image1->setObjectName("Image1");
  Image1->setPixmap(RenderSvgPicture(":/pictures/view.svg", QSize(44, 50)));
  Image1->setAccessibleName(windowTitle());

  BuildPageControl();
  BuildPageContents();
  BuildChoicePage();
  BuildStructurePage();

  TShExpr->installEventFilter(this);
  TShStruct->installEventFilter(this);
  Document->AddUndoKeys(this);

  // The window measures 648 x 192 with its frame (at least 648 x 157); the client area is
  // that less a usual frame of borders and caption bar.
  setMinimumSize(OpeningMinimumSize);
  resize(648 - FrameWidth, 192 - FrameHeight);
  move(146, 394);
  connect(PCViewTab, &QTabWidget::currentChanged, this, &TForm9::PCViewTabChange);
  connect(&TExactCoefficients::Switch(), &TExactCoefficients::Toggled, this, &TForm9::ShowFormulas);

  FillPolLists(); // also draws the (empty) structure
}

// The page control with its sheets, in the order the main window's page buttons count them.
void TForm9::BuildPageControl() {
  PCViewTab = new QTabWidget(this);
  PCViewTab->setObjectName("PCViewTab");
  TShExpr = new QWidget;
  TShExpr->setObjectName("TShExpr");
  TShStruct = new QWidget;
  TShStruct->setObjectName("TShStruct");
  TShSurf = new QWidget;
  TShSurf->setObjectName("TShSurf");
  TShEffic = new QWidget;
  TShEffic->setObjectName("TShEffic");
  // A compact tab font, so that the four first captions fit the window's least width (the
  // tab bar scrolls to the fifth).
  QFont tabFont = PCViewTab->tabBar()->font();
  tabFont.setPointSize(std::min(tabFont.pointSize(), 8));
  PCViewTab->tabBar()->setFont(tabFont);
  auto* tabStyle = new TCompactTabStyle;
  tabStyle->setParent(PCViewTab->tabBar());
  PCViewTab->tabBar()->setStyle(tabStyle);
  PCViewTab->addTab(TShExpr, tr("Выбор полнома"));
  PCViewTab->addTab(TShStruct, tr("Просмотр структуры"));
  PCViewTab->addTab(TShSurf, tr("Построение поверхности"));
  PCViewTab->addTab(TShEffic, tr("Эффективность таблиц"));
}

// The surface and efficiency pages, each filling its sheet.
void TForm9::BuildPageContents() {
  auto fill = [](QWidget* sheet, QWidget* content) {
    auto* layout = new QVBoxLayout(sheet);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(content);
  };
  SurfPage = new TSurfacePage;
  SurfPage->setObjectName("SurfPage");
  SurfPage->SetPolinomLookup([this](const std::string& key, LISTSTRUCT::TPolinom& out) {
    return Document->CurTab()->FindRecord(key, out) >= 0;
  });
  fill(TShSurf, SurfPage);
  EfficPage = new TEfficiencyPage;
  EfficPage->setObjectName("EfficPage");
  fill(TShEffic, EfficPage);
  BuildStepPages();
}

// The three choice lists kept in step and the chosen formula.
void TForm9::BuildChoicePage() {
  // The lists are pick-only: a typed text could select no item.
  auto makeBox = [this](const char* name, const QString& accessible) {
    auto* box = new QComboBox(TShExpr);
    box->setObjectName(name);
    box->setEditable(false);
    box->setAccessibleName(accessible);
    box->setMaxVisibleItems(12);
    return box;
  };
  CBNum = makeBox("CBNum", "№");
  CBName = makeBox("CBName", tr("Название"));
  CBFormula = makeBox("CBFormula", tr("Полином"));
  CBNum->setPlaceholderText(NoNumber);
  CBName->setPlaceholderText(tr(NoChoiceAtStart));
  CBFormula->setPlaceholderText(NoNumber);
  for (QComboBox* box : {CBNum, CBName, CBFormula})
    ShowTextStart(box);
  connect(CBNum, &QComboBox::activated, this, &TForm9::CBNumChange);
  connect(CBName, &QComboBox::activated, this, &TForm9::CBNameChange);
  connect(CBFormula, &QComboBox::activated, this, &TForm9::CBFormulaChange);
  FollowExactSwitch(CBFormula, *Document->Rows());

  MemExpr = new QPlainTextEdit(TShExpr);
  MemExpr->setObjectName("MemExpr");
  MemExpr->setReadOnly(true);
  MemExpr->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  MemExpr->setToolTip(tr("Математическое выражение полинома"));
  MemExpr->setAccessibleName(MemExpr->toolTip());
}

// The structure picture in its box (TStructureView).
void TForm9::BuildStructurePage() {
  SBForImg = new TStructureView(TShStruct);
  ImgStruct = SBForImg->Picture();
  AddLatexCopyMenu(MemExpr, [this] { return MemExpr->toPlainText(); });
}

TForm9::~TForm9() = default;

int TForm9::StructFontSize(int imageHeight) {
  if (imageHeight <= 120) return 10;
  if (imageHeight <= 150) return 18;
  if (imageHeight <= 180) return 26;
  if (imageHeight <= 240) return 36;
  return 52;
}

void TForm9::ShowPage(int page) {
  PCViewTab->setCurrentIndex(page);
}

void TForm9::FillPolLists() {
  CBName->setPlaceholderText(tr(NoChoice));
  CBNum->setPlaceholderText(NoNumber);
  CBFormula->setPlaceholderText(NoNumber);
  MemExpr->clear();
  SelIndex = -1;

  FillRecordLists(*Document->Rows(), CBNum, CBName, CBFormula);
  for (QComboBox* box : {CBNum, CBName, CBFormula}) {
    box->setCurrentIndex(-1);
    RefreshShownText(box); // the placeholders may have changed
  }
  SurfPage->SetChoice(-1, QString());

  DrawPolStruct();
}

void TForm9::CBNumChange() {
  ChoiceChange(CBNum);
}
void TForm9::CBNameChange() {
  ChoiceChange(CBName);
}
void TForm9::CBFormulaChange() {
  ChoiceChange(CBFormula);
}

void TForm9::ChoiceChange(QComboBox* source) {
  const int i = source->currentIndex();
  // A change that leaves no item selected chooses nothing and keeps the choice in all three
  // lists; every list must hold item i.
  if (i < 0 || i >= CBNum->count() || i >= CBName->count() || i >= CBFormula->count()) {
    source->setCurrentIndex(SelIndex);
    return;
  }
  for (QComboBox* box : {CBNum, CBName, CBFormula})
    if (box != source) box->setCurrentIndex(i);
  SelIndex = i;
  MemExpr->clear();
  MemExpr->appendPlainText(CBFormula->currentText());
  SurfPage->SetChoice(i, CBName->currentText()); // the surface panel's hint
  DrawPolStruct();
}

// The chosen polynomial's text as the switch asks for it, read from the rows themselves, so that
// it does not matter whether the list has been rewritten yet.
void TForm9::ShowFormulas() {
  const auto& rows = Document->Rows()->Rows();
  if (SelIndex < 0 || SelIndex >= int(rows.size())) return;
  const QString& formula = rows[std::size_t(SelIndex)].Shown();
  MemExpr->setPlainText(formula);
  SBForImg->setToolTip(TooltipText(tr("Полином: %1").arg(formula)));
}

void TForm9::DrawPolStruct() {
  if (SelIndex < 0) {
    SBForImg->setToolTip(tr(NoChoice));
    SBForImg->Clear();
  } else {
    SBForImg->setToolTip(TooltipText(tr("Полином: %1").arg(CBFormula->currentText())));
    LISTSTRUCT::TPolinom pol;
    Document->CurTab()->FindRecord(CBName->currentText().toStdString(), pol);
    SBForImg->Show(pol, CBName->currentText(), CBFormula->currentText());
  }
  ImgStruct->setAccessibleName(SBForImg->toolTip());
  StructBitmap = SBForImg->Bitmap();
}

void TForm9::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  FormResize();
}

void TForm9::PCViewTabChange(int page) {
  if (page < 2) {
    setMinimumSize(OpeningMinimumSize);
    return;
  }
  QSize pages = PCViewTab->minimumSizeHint();
  // A step page stays out of the other pages' least size and brings its own.
  if (page >= 4 && PCViewTab->currentWidget()) {
    const QSize chrome = PCViewTab->size() - PCViewTab->currentWidget()->size();
    const QWidget* steps[] = {StepsPage, ListStepsPage, TransStepsPage};
    pages = pages.expandedTo(steps[std::min(page, 6) - 4]->minimumSizeHint() + chrome);
  }
  QSize needed(LeftOfPages + pages.width() + RightOfPages, pages.height() + BelowPages);
  // Never more than the screen's free area holds, frame included.
  const QSize frame = frameGeometry().size() - geometry().size();
  const QScreen* where = screen() ? screen() : QGuiApplication::primaryScreen();
  const QRect area = where ? where->availableGeometry() : QRect();
  if (area.isValid()) needed = needed.boundedTo(area.size() - frame);
  setMinimumSize(needed.expandedTo(OpeningMinimumSize));
  if (!area.isValid()) return;
  // The grown window stays on the screen: moved left or up as far as it must.
  const QRect outer = frameGeometry();
  const int dx = std::max(0, outer.right() - area.right());
  const int dy = std::max(0, outer.bottom() - area.bottom());
  if (dx > 0 || dy > 0)
    move(std::max(area.left(), outer.left() - dx), std::max(area.top(), outer.top() - dy));
}

void TForm9::FormResize() {
  const int cw = width(), ch = height();
  Bevel1->setGeometry(cw - 10 - 54, 3, 54, 60);
  Image1->setGeometry(cw - 15 - 44, 8, 44, 50);
  PCViewTab->setGeometry(3, 0, std::max(1, Bevel1->x() - 7 - 3), std::max(1, ch - 3));
}

// The pages are laid out when they get their size: the page control sizes only the page
// on show, so a page turned to later is laid out then.
bool TForm9::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::Resize) {
    if (watched == TShExpr)
      LayoutChoicePage();
    else if (watched == TShStruct)
      LayoutStructPage();
  }
  return QWidget::eventFilter(watched, event);
}

void TForm9::LayoutChoicePage() {
  const int w = TShExpr->width(), h = TShExpr->height();
  const int boxHeight = CBName->sizeHint().height();
  const int top = 3;
  int left = 3;
  CBNum->setGeometry(left, top, w / 8, boxHeight);
  left += CBNum->width() + 3;
  CBName->setGeometry(left, top, 3 * w / 8, boxHeight);
  left += CBName->width() + 3;
  // The formula list keeps the right margin of the memo below it.
  CBFormula->setGeometry(left, top, std::max(1, std::min(4 * w / 8 - 5, w - 3 - left)), boxHeight);
  const int memoTop = top + boxHeight + 3;
  MemExpr->setGeometry(3, memoTop, std::max(1, w - 6), std::max(1, h - memoTop - 5));
}

void TForm9::LayoutStructPage() {
  const int w = TShStruct->width(), h = TShStruct->height();
  SBForImg->setGeometry(StructMargin, StructMargin, std::max(1, w - 2 * StructMargin),
                        std::max(1, h - 2 * StructMargin));
  SBForImg->SetBaseFontSize(StructFontSize(SBForImg->maximumViewportSize().height()));
  DrawPolStruct();
}

void TForm9::closeEvent(QCloseEvent* event) {
  FormClose();
  event->accept();
}

// Closing goes through the main window's toggle (connected where the windows are made), so its
// button and flag follow the window.
void TForm9::FormClose() {
  emit Closed();
}
