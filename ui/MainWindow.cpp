#include "ui/MainWindow.h"

#include "ui/AboutWindow.h"
#include "ui/CalcWindow.h"
#include "ui/ChangePolDialog.h"
#include "ui/DeletePolDialog.h"
#include "ui/HelpWindow.h"
#include "ui/NewPolDialog.h"
#include "ui/OverviewWindow.h"
#include "ui/SaveModeDialog.h"
#include "ui/SplashWindow.h"
#include "ui/TableDocumentAdapter.h"
#include "ui/TableWindow.h"
#include "ui/WidgetHelpers.h"
#include "ui/WindowPlacement.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

TForm1::TForm1(TTableDocumentAdapter* document, QWidget* parent)
    : QWidget(parent), Document(document) {
  setObjectName("Form1");
  setWindowTitle(tr("TERMIX: Работа с полиномами от нескольких переменных"));
  BuildCoolBar();
  BuildButtons();

  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(CoolBar1);

  // A strip of fixed height across the whole width of the screen.
  setFixedHeight(95);
  const QRect area = ScreenArea(this);
  setGeometry(area.x(), area.y(), area.width(), 95);
  setWindowState(Qt::WindowMaximized);
}

void TForm1::ShowRestingPicture(TToolButton* button) {
  const bool on = IsOn(button);
  if (button->hasFocus())
    button->SetImageIndex(on ? button->HotOn : button->HotOff);
  else
    button->SetImageIndex(on ? button->NormalOn : button->NormalOff);
}

bool TForm1::IsOn(const TToolButton* button) const {
  if (button == TBStore) return StoreShown;
  if (button == TBPols) return PolsShown;
  if (button == TBView) return ViewShown;
  if (button == TBSavLod) return Document && Document->SaveMode();
  return true;
}

void TForm1::ButtonMouseMove(TToolButton* Sender, int X, int Y) {
  const bool over = X > 0 && X < Sender->width() && Y > 0 && Y < Sender->height();
  Sender->PointerOver = over;
  if (over) {
    Sender->SetImageIndex(IsOn(Sender) ? Sender->HotOn : Sender->HotOff);
    // Holding the mouse lets the button see the move that leaves it.
    if (QWidget::mouseGrabber() != Sender && Sender->isVisible()) Sender->grabMouse();
  } else {
    ShowRestingPicture(Sender);
    if (QWidget::mouseGrabber() == Sender) Sender->releaseMouse();
  }
}

void TForm1::Toggle(bool& flag, TToolButton* button, QWidget* window) {
  flag = !flag;
  ShowRestingPicture(button);
  if (window) window->setVisible(flag);
}

void TForm1::TBStoreClick() {
  Toggle(StoreShown, TBStore, Form2);
}
void TForm1::TBPolsClick() {
  Toggle(PolsShown, TBPols, Form3);
}
void TForm1::TBViewClick() {
  Toggle(ViewShown, TBView, Form9);
}

void TForm1::TableWindowClosed() {
  if (StoreShown) TBStoreClick();
}
void TForm1::CalcWindowClosed() {
  if (PolsShown) TBPolsClick();
}
void TForm1::OverviewWindowClosed() {
  if (ViewShown) TBViewClick();
}

void TForm1::ShowDialogPicture(const QString& buttonName, bool on) {
  if (auto* button = findChild<TToolButton*>(buttonName)) ShowNormalPicture(button, on);
}

void TForm1::ShowNormalPicture(TToolButton* button, bool on) {
  button->SetImageIndex(on ? button->NormalOn : button->NormalOff);
}

void TForm1::TBNewClick() {
  if (Form4) Form4->exec();
}

void TForm1::TBDeleteClick() {
  if (Form5) Form5->exec();
}

void TForm1::TBChangeClick() {
  if (Form6) Form6->exec();
}

void TForm1::TBSavLodClick() {
  if (!Document) return;
  if (Document->SaveMode()) {
    // Switched off at once, without a question; the pointer is still over the button.
    Document->SetSaveMode(false);
    TBSavLod->SetImageIndex(TBSavLod->HotOff);
  } else if (Form7) {
    Form7->exec(); // the warning decides, and sets the mode and the picture
  }
}

void TForm1::TBCalcClick() {
  if (Form3) Form3->BBtnCalcClick();
  ShowRestingPicture(TBCalc);
}

void TForm1::ShowCalculationRunning(bool running) {
  for (TToolButton* button : {TBNew, TBDelete, TBChange, TBSavLod, TBCalc, TBLoadF, TBSaveF})
    button->setEnabled(!running);
}

void TForm1::TBLoadFClick() {
  if (Form3) Form3->SBtnLoadFClick();
  ShowRestingPicture(TBLoadF);
}

void TForm1::TBSaveFClick() {
  if (Form3) Form3->SBtnSaveFClick();
  ShowRestingPicture(TBSaveF);
}

void TForm1::ShowPage(int page) {
  if (Form9) Form9->ShowPage(page);
}

void TForm1::TBFormulaClick() {
  ShowPage(0);
}
void TForm1::TBStructClick() {
  ShowPage(1);
}
void TForm1::TBSurfaceClick() {
  ShowPage(2);
}
void TForm1::TBEfficiencyClick() {
  ShowPage(3);
}
void TForm1::TBTableStepsClick() {
  ShowPage(4);
}
void TForm1::TBListStepsClick() {
  ShowPage(5);
}
void TForm1::TBTransStepsClick() {
  ShowPage(6);
}

void TForm1::TBHelpClick() {
  ShowHelpContents();
  ShowRestingPicture(TBHelp);
}

void TForm1::TBAboutClick() {
  if (Form10) Form10->exec();
  ShowRestingPicture(TBAbout);
}

void TForm1::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (!ShownOnce) {
    ShownOnce = true;
    // After the strip itself is on screen.
    QTimer::singleShot(0, this, &TForm1::FormShow);
  }
}

void TForm1::FormShow() {
  if (Form11) Form11->exec();
  if (Form2) Form2->show();
  if (Form3) Form3->show();
  if (Form9) Form9->show();
  // Inside the screen the strip is on, none over another.
  if (Form2 && Form3 && Form9) PlaceWorkingWindows(this, Form2, Form3, Form9);
}

void TForm1::closeEvent(QCloseEvent* event) {
  if (!AskToSaveTable()) {
    event->ignore();
    return;
  }
  event->accept();
  // Every message loop ends here, whatever the other windows would say to a close: quit()
  // would ask each of them first and give up on the first refusal.
  QCoreApplication::exit(0);
}

bool TForm1::AskToSaveTable() {
  if (!Document || !Document->IsModified()) return true;
  QMessageBox question(QMessageBox::Question, windowTitle(),
                       tr("Таблица полиномов изменена, но не сохранена. Сохранить изменения в "
                          "файле?"),
                       QMessageBox::NoButton, this);
  question.setObjectName("CloseQuestion");
  QPushButton* save = question.addButton(tr("Сохранить"), QMessageBox::AcceptRole);
  QPushButton* discard = question.addButton(tr("Не сохранять"), QMessageBox::DestructiveRole);
  QPushButton* cancel = question.addButton(tr("Отмена"), QMessageBox::RejectRole);
  save->setObjectName("SaveButton");
  discard->setObjectName("DiscardButton");
  cancel->setObjectName("CancelButton");
  question.setDefaultButton(save);
  question.setEscapeButton(cancel);
  question.exec();
  if (question.clickedButton() == discard) return true;
  if (question.clickedButton() != save) return false;
  if (Document->Save()) return true;
  // The file could not take the table: the program goes on, and says why.
  QMessageBox::warning(this, windowTitle(),
                       tr("%1\nПрограмма не закрыта.").arg(Document->SaveProblem()));
  return false;
}
