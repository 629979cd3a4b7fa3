#include "ui/Application.h"

#include "ui/AboutWindow.h"
#include "ui/CalcWindow.h"
#include "ui/ChangePolDialog.h"
#include "ui/DataFolders.h"
#include "ui/DeletePolDialog.h"
#include "ui/FormulaStoreDialog.h"
#include "ui/HelpWindow.h"
#include "ui/MainWindow.h"
#include "ui/NewPolDialog.h"
#include "ui/OverviewWindow.h"
#include "ui/SaveModeDialog.h"
#include "ui/SplashWindow.h"
#include "ui/TableWindow.h"

#include <QIcon>
#include <QMessageBox>
#include <cstdio>
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

// Resources are registered outside any namespace, as the resource compiler expects.
static void RegisterTermixResources() {
  Q_INIT_RESOURCE(termix);
}

void InitTermixResources() {
  static bool done = false;
  if (!done) {
    RegisterTermixResources();
    done = true;
  }
}

TApplication::TApplication(int& argc, char** argv)
    : QApplication(argc, argv), HelpFile(QStringLiteral("Polhelp.html")) {
  // The lower-case name makes the user's data folder ~/.local/share/termix and matches the
  // desktop entry termix.desktop; window titles do not show it.
  setApplicationName(QStringLiteral("termix"));
  setDesktopFileName(QStringLiteral("termix"));
  InitTermixResources();
  setWindowIcon(QIcon(QStringLiteral(":/pictures/emblem.png")));
}

bool TApplication::notify(QObject* receiver, QEvent* event) {
  try {
    return QApplication::notify(receiver, event);
  } catch (const std::exception& error) {
    ShowException(QString::fromUtf8(error.what()));
  } catch (...) {
    ShowException(QStringLiteral("Неизвестная ошибка"));
  }
  return false;
}

void TApplication::ShowException(const QString& message) {
  // An error raised while the box is up (e.g. in a paint handler behind it) must not
  // open a second box on top of the first.
  static bool showing = false;
  std::fprintf(stderr, "TERMIX: %s\n", message.toLocal8Bit().constData());
  if (showing) return;
  showing = true;
  QMessageBox::critical(nullptr, QStringLiteral("TERMIX"), message);
  showing = false;
}

void CreateForms() {
  InitTermixResources();
  Form1 = new TForm1;
  Form2 = new TForm2;
  Form3 = new TForm3;
  Form4 = new TForm4;
  Form5 = new TForm5;
  Form6 = new TForm6;
  Form7 = new TForm7;
  Form8 = new TForm8;
  Form9 = new TForm9;
  Form10 = new TForm10;
  Form11 = new TForm11;
  Form1->InstallShortcuts();
  // A calculation running by itself locks what would change the table or its formula.
  QObject::connect(Form3, &TForm3::CalculationRunning, Form1, &TForm1::ShowCalculationRunning);
  QObject::connect(Form3, &TForm3::CalculationRunning, Form2, &TForm2::ShowCalculationRunning);
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
}

int RunTermix(int argc, char** argv) {
  TApplication app(argc, argv);
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
    TApplication::ShowException(QStringLiteral("Неизвестная ошибка"));
    code = 1;
  }
  DestroyForms();
  return code;
}
