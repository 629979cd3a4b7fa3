// The main window's cool bar: four tool bars of buttons drawn from one table, and the
// buttons' keyboard shortcuts.

#include "ui/MainWindow.h"

#include "ui/TableDocumentAdapter.h"
#include "ui/TableWindow.h"

#include <QApplication>
#include <QFrame>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QShortcut>
#include <QToolBar>

#include <vector>

// One row a tool button, in tool-bar order: its pictures (tool bar, symbol, and the indexes hot-on,
// hot-off, normal-on, normal-off of its bar's picture list), name, hint, handler, member and
// keyboard shortcut. The picture lists are drawn from these rows, and every picture a button
// shows is looked up in its row.
struct TForm1::TButtonRow {
  TToolPictureRow Pictures;
  const char* Name;
  const char* Hint;
  void (TForm1::*Handler)();
  TToolButton* TForm1::*Member;
  const char* Keys;
};

const TForm1::TButtonRow TForm1::Buttons[19] = {
    {{0, "store", 0, 1, 7, 8},
     "TBStore",
     QT_TRANSLATE_NOOP("TForm1", "Вкл./Выкл. окно таблиц полиномов"),
     &TForm1::TBStoreClick,
     &TForm1::TBStore,
     "F2"},
    {{0, "new", 2, 2, 9, 9},
     "TBNew",
     QT_TRANSLATE_NOOP("TForm1", "Добавить в таблицу новый полином"),
     &TForm1::TBNewClick,
     &TForm1::TBNew,
     "Ctrl+N"},
    {{0, "delete", 4, 4, 11, 11},
     "TBDelete",
     QT_TRANSLATE_NOOP("TForm1", "Удалить полином из таблицы"),
     &TForm1::TBDeleteClick,
     &TForm1::TBDelete,
     "Del"},
    {{0, "change", 3, 3, 10, 10},
     "TBChange",
     QT_TRANSLATE_NOOP("TForm1", "Изменить/Скопировать полином  в таблице"),
     &TForm1::TBChangeClick,
     &TForm1::TBChange,
     "Ctrl+E"},
    {{0, "savlod", 5, 6, 12, 13},
     "TBSavLod",
     QT_TRANSLATE_NOOP("TForm1", "Вкл./Выкл. Сохранение таблицы"),
     &TForm1::TBSavLodClick,
     &TForm1::TBSavLod,
     "Ctrl+Shift+S"},
    {{1, "pols", 0, 1, 5, 6},
     "TBPols",
     QT_TRANSLATE_NOOP("TForm1", "Вкл./Выкл. окно вычислений полиномов"),
     &TForm1::TBPolsClick,
     &TForm1::TBPols,
     "F3"},
    {{1, "calc", 2, 2, 7, 7},
     "TBCalc",
     QT_TRANSLATE_NOOP("TForm1", "Вычисление значения введённого выражения"),
     &TForm1::TBCalcClick,
     &TForm1::TBCalc,
     "F9"},
    {{1, "loadf", 3, 3, 8, 8},
     "TBLoadF",
     QT_TRANSLATE_NOOP("TForm1", "Загрузка сохранённого выражения"),
     &TForm1::TBLoadFClick,
     &TForm1::TBLoadF,
     "Ctrl+O"},
    {{1, "savef", 4, 4, 9, 9},
     "TBSaveF",
     QT_TRANSLATE_NOOP("TForm1", "Запись введённого выражения"),
     &TForm1::TBSaveFClick,
     &TForm1::TBSaveF,
     "Ctrl+S"},
    {{2, "view", 0, 1, 2, 3},
     "TBView",
     QT_TRANSLATE_NOOP("TForm1", "Вкл./Выкл. окно демонстрации полиномов"),
     &TForm1::TBViewClick,
     &TForm1::TBView,
     "F4"},
    {{2, "formula", 4, 4, 8, 8},
     "TBFormula",
     QT_TRANSLATE_NOOP("TForm1", "Страница выбора и просмотра формулы полинома "),
     &TForm1::TBFormulaClick,
     &TForm1::TBFormula,
     "Alt+1"},
    {{2, "struct", 5, 5, 9, 9},
     "TBStruct",
     QT_TRANSLATE_NOOP("TForm1", "Страница просмотра изображения структуры полинома"),
     &TForm1::TBStructClick,
     &TForm1::TBStruct,
     "Alt+2"},
    {{2, "surface", 6, 6, 10, 10},
     "TBSurface",
     QT_TRANSLATE_NOOP("TForm1", "Страница просмотра поверхности полинома"),
     &TForm1::TBSurfaceClick,
     &TForm1::TBSurface,
     "Alt+3"},
    {{2, "efficiency", 7, 7, 11, 11},
     "TBEfficiency",
     QT_TRANSLATE_NOOP("TForm1", "Страница просмотра эффективности таблиц"),
     &TForm1::TBEfficiencyClick,
     &TForm1::TBEfficiency,
     "Alt+4"},
    {{2, "tablesteps", 12, 12, 15, 15},
     "TBTableSteps",
     QT_TRANSLATE_NOOP("TForm1", "Страница пошаговой работы таблиц"),
     &TForm1::TBTableStepsClick,
     &TForm1::TBTableSteps,
     "Alt+5"},
    {{2, "liststeps", 13, 13, 16, 16},
     "TBListSteps",
     QT_TRANSLATE_NOOP("TForm1", "Страница пошаговой работы списка"),
     &TForm1::TBListStepsClick,
     &TForm1::TBListSteps,
     "Alt+6"},
    {{2, "transsteps", 14, 14, 17, 17},
     "TBTransSteps",
     QT_TRANSLATE_NOOP("TForm1", "Страница пошаговой работы транслятора"),
     &TForm1::TBTransStepsClick,
     &TForm1::TBTransSteps,
     "Alt+7"},
    {{3, "help", 0, 0, 2, 2},
     "TBHelp",
     QT_TRANSLATE_NOOP("TForm1", "Система помощи по программе"),
     &TForm1::TBHelpClick,
     &TForm1::TBHelp,
     "F1"},
    {{3, "about", 1, 1, 3, 3},
     "TBAbout",
     QT_TRANSLATE_NOOP("TForm1", "О программе"),
     &TForm1::TBAboutClick,
     &TForm1::TBAbout,
     "Shift+F1"},
};

// The cool bar: four tool bars side by side, divided by lines.
void TForm1::BuildCoolBar() {
  CoolBar1 = new QFrame(this);
  CoolBar1->setObjectName("CoolBar1");
  CoolBar1->setFrameShape(QFrame::StyledPanel);
  CoolBar1->setFrameShadow(QFrame::Raised);
  auto* bands = new QHBoxLayout(CoolBar1);
  bands->setContentsMargins(2, 2, 2, 2);
  bands->setSpacing(0);
  int number = 0;
  for (QToolBar** bar : {&ToolBar1, &ToolBar2, &ToolBar3, &ToolBar4}) {
    if (number++ > 0) {
      auto* line = new QFrame(CoolBar1);
      line->setFrameShape(QFrame::VLine);
      line->setFrameShadow(QFrame::Sunken);
      bands->addWidget(line);
    }
    *bar = new QToolBar(CoolBar1);
    (*bar)->setObjectName(QStringLiteral("ToolBar%1").arg(number));
    (*bar)->setMovable(false);
    (*bar)->setFloatable(false);
    (*bar)->setIconSize(QSize(ToolPictureWidth, ToolPictureHeight));
    (*bar)->setContentsMargins(4, 0, 4, 0);
    bands->addWidget(*bar);
  }
  bands->addStretch(1);
}

// The buttons and their picture lists, from the table of buttons.
void TForm1::BuildButtons() {
  std::vector<TToolPictureRow> pictures;
  for (const TButtonRow& row : Buttons)
    pictures.push_back(row.Pictures);
  FillToolPictureLists(pictures, {&ImageList1, &ImageList2, &ImageList3, &ImageList4},
                       devicePixelRatioF());
  QToolBar* const bars[] = {ToolBar1, ToolBar2, ToolBar3, ToolBar4};
  const TImageList* const lists[] = {&ImageList1, &ImageList2, &ImageList3, &ImageList4};
  for (const TButtonRow& row : Buttons) {
    const int bar = row.Pictures.Bar;
    TToolButton* b = AddButton(bars[bar], lists[bar], row.Name, tr(row.Hint), row.Handler);
    b->HotOn = row.Pictures.HotOn;
    b->HotOff = row.Pictures.HotOff;
    b->NormalOn = row.Pictures.NormalOn;
    b->NormalOff = row.Pictures.NormalOff;
    // Every button starts with its normal picture; the save mode is off at start.
    b->SetImageIndex(row.Member == &TForm1::TBSavLod ? b->NormalOff : b->NormalOn);
    b->Keys = QKeySequence(QString::fromLatin1(row.Keys), QKeySequence::PortableText);
    b->TableWindowKeys = row.Member == &TForm1::TBDelete;
    // The hint stays as it is; the description tells the shortcut.
    const QString keys = b->Keys.toString(QKeySequence::PortableText);
    b->setAccessibleDescription(b->TableWindowKeys
                                    ? tr("Быстрая клавиша: %1 (в окне таблицы полиномов)").arg(keys)
                                    : tr("Быстрая клавиша: %1").arg(keys));
    this->*row.Member = b;
  }
}

TToolButton* TForm1::AddButton(QToolBar* bar, const TImageList* images, const char* name,
                               const QString& hint, void (TForm1::*handler)()) {
  auto* button = new TToolButton(name, hint, images, bar);
  bar->addWidget(button);
  connect(button, &QToolButton::clicked, this, handler);
  connect(button, &TToolButton::MouseMoved, this,
          [this, button](int X, int Y) { ButtonMouseMove(button, X, Y); });
  connect(button, &TToolButton::FocusMoved, this, [this, button] {
    if (!button->PointerOver) ShowRestingPicture(button);
  });
  return button;
}

void TForm1::InstallShortcuts() {
  for (TToolButton* button : findChildren<TToolButton*>()) {
    // The delete key acts only in the table window; every other key in every window of the
    // program that no modal dialog blocks.
    QWidget* owner = button->TableWindowKeys ? static_cast<QWidget*>(Form2) : this;
    if (!owner || button->Keys.isEmpty()) continue;
    auto* shortcut = new QShortcut(button->Keys, owner);
    shortcut->setObjectName(button->objectName() + "Keys");
    shortcut->setContext(button->TableWindowKeys ? Qt::WindowShortcut : Qt::ApplicationShortcut);
    connect(shortcut, &QShortcut::activated, button, &QAbstractButton::click);
  }
  if (Document) Document->AddUndoKeys(this);
  qApp->installEventFilter(this);
}

bool TForm1::eventFilter(QObject* watched, QEvent* event) {
  // A text field claims some keys for itself (Ctrl+E moves to the line's end); the buttons'
  // keys other than the delete key, which edits text, are refused to it, so they reach the
  // shortcuts. Where no shortcut acts (under a modal dialog) the field still gets the key.
  if (event->type() == QEvent::ShortcutOverride) {
    const QKeySequence pressed(static_cast<QKeyEvent*>(event)->keyCombination());
    for (const TToolButton* button : findChildren<TToolButton*>())
      if (!button->TableWindowKeys && button->Keys == pressed) {
        event->ignore();
        return true;
      }
  }
  return QWidget::eventFilter(watched, event);
}
