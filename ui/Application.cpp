#include "ui/Application.h"

#include "ui/AboutWindow.h"
#include "ui/CalcWindow.h"
#include "ui/ChangePolDialog.h"
#include "ui/DataFolders.h"
#include "ui/DeletePolDialog.h"
#include "ui/FormulaStoreDialog.h"
#include "ui/HelpWindow.h"
#include "ui/Language.h"
#include "ui/MainWindow.h"
#include "ui/NewPolDialog.h"
#include "ui/OverviewWindow.h"
#include "ui/SaveModeDialog.h"
#include "ui/SplashWindow.h"
#include "ui/TableDocumentAdapter.h"
#include "ui/TableWindow.h"

#include <exception>

TForm1* Form1 = nullptr;
TForm2* Form2 = nullptr;
TForm3* Form3 = nullptr;
TForm4* Form4 = nullptr;
TForm5* Form5 = nullptr;
TForm6* Form6 = nullptr;
TForm7* Form7 = nullptr;
TForm8* Form8 = nullptr;
TForm9* Form9 = nullptr;
TForm10* Form10 = nullptr;
TForm11* Form11 = nullptr;
TTableDocumentAdapter* TableDocument = nullptr;

namespace {

// Every piece of news a window sends, to the windows that follow it. Qt runs the slots of one
// signal in the order they were connected, which is the order the behaviour needs.
void ConnectForms() {
  TForm1* main = Form1;

  // A change of the table (made in any window, undone or redone): the document has reloaded
  // the rows the grid shows and saved in save mode; then the table window follows, the
  // calculation window's checks see the change, and the overview window refills its lists
  // (and so drops its choice).
  TTableDocumentAdapter* document = TableDocument;
  QObject::connect(document, &TTableDocumentAdapter::TableChanged, Form2, &TForm2::RefreshGrid);
  QObject::connect(document, &TTableDocumentAdapter::TableChanged, Form3, &TForm3::EdNameChange);
  QObject::connect(document, &TTableDocumentAdapter::TableChanged, Form3, &TForm3::EdFormulChange);
  QObject::connect(document, &TTableDocumentAdapter::TableChanged, Form9, &TForm9::FillPolLists);

  // A close box goes through the main window's toggle.
  QObject::connect(Form2, &TForm2::Closed, main, &TForm1::TableWindowClosed);
  QObject::connect(Form3, &TForm3::Closed, main, &TForm1::CalcWindowClosed);
  QObject::connect(Form9, &TForm9::Closed, main, &TForm1::OverviewWindowClosed);

  // A dialog that opens gives its tool button the normal picture.
  QObject::connect(Form4, &TForm4::Shown, main, [main] { main->ShowDialogPicture("TBNew", true); });
  QObject::connect(Form5, &TForm5::Shown, main,
                   [main] { main->ShowDialogPicture("TBDelete", true); });
  QObject::connect(Form6, &TForm6::Shown, main,
                   [main] { main->ShowDialogPicture("TBChange", true); });
  QObject::connect(Form7, &TForm7::Shown, main,
                   [main] { main->ShowDialogPicture("TBSavLod", false); });
  // Yes in the save warning: the on picture first, then save mode on and the save.
  QObject::connect(Form7, &TForm7::SaveModeConfirmed, main,
                   [main] { main->ShowDialogPicture("TBSavLod", true); });
  QObject::connect(Form7, &TForm7::SaveModeConfirmed, document,
                   [document] { document->SetSaveMode(true); });

  // The translator's step page takes the calculation window's formula when asked.
  Form9->SetFormulaSource([] { return Form3->FormulaText(); });

  // The formula store: opened by the calculation window, it loads into its formula field.
  Form3->SetFormulaStore(Form8);
  QObject::connect(Form8, &TForm8::FormulaChosen, Form3, &TForm3::SetFormulaText);

  // A calculation running by itself locks what would change the table or its formula.
  QObject::connect(Form3, &TForm3::CalculationRunning, main, &TForm1::ShowCalculationRunning);
  QObject::connect(Form3, &TForm3::CalculationRunning, Form2, &TForm2::ShowCalculationRunning);
  QObject::connect(Form3, &TForm3::CalculationRunning, document, &TTableDocumentAdapter::SetLocked);

  main->InstallShortcuts();
}

} // namespace

void CreateForms() {
  InitTermixResources();
  // The table is loaded before the windows that show it are made.
  TableDocument = new TTableDocumentAdapter(HashSizeAtStart);
  Form1 = new TForm1(TableDocument);
  Form2 = new TForm2(TableDocument);
  Form3 = new TForm3(TableDocument);
  Form4 = new TForm4(TableDocument);
  Form5 = new TForm5(TableDocument);
  Form6 = new TForm6(TableDocument);
  Form7 = new TForm7;
  Form8 = new TForm8;
  Form9 = new TForm9(TableDocument);
  Form10 = new TForm10;
  Form11 = new TForm11;
  ConnectForms();
}

namespace {
template <class T> void DestroyForm(T*& form) {
  T* doomed = form;
  form = nullptr;
  delete doomed;
}
} // namespace

void DestroyForms() {
  DestroyHelpWindow();
  DestroyForm(Form11);
  DestroyForm(Form10);
  DestroyForm(Form9);
  DestroyForm(Form8);
  DestroyForm(Form7);
  DestroyForm(Form6);
  DestroyForm(Form5);
  DestroyForm(Form4);
  DestroyForm(Form3);
  DestroyForm(Form2);
  DestroyForm(Form1);
  DestroyForm(TableDocument); // nothing is saved
}

int RunTermix(int argc, char** argv) {
  TApplication app(argc, argv);
  InstallDesktopInterfaceLanguage();
  int code = 1;
  try {
    ChooseDataFolder();
    CreateForms();
    Form1->show();
    code = app.exec();
  } catch (const std::exception& error) {
    TApplication::ShowException(QString::fromUtf8(error.what()));
    code = 1;
  } catch (...) {
    TApplication::ShowException(TApplication::tr("Неизвестная ошибка"));
    code = 1;
  }
  DestroyForms();
  return code;
}
