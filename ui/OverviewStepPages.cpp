// The overview window's step pages: the tables', the list's and the translator's work shown
// step by step, each page filling a sheet of the page control. Each works on its own copy of
// what it takes from the table in use; the user's table never changes.

#include "ui/OverviewWindow.h"

#include "ui/ListStepsPage.h"
#include "ui/TableDocumentAdapter.h"
#include "ui/TableStepsPage.h"
#include "ui/TransStepsPage.h"

#include <QTabWidget>
#include <QVBoxLayout>

#include <utility>

void TForm9::BuildStepPages() {
  auto sheet = [this](const char* name, QWidget* page, const QString& caption) {
    auto* sheet = new QWidget;
    sheet->setObjectName(name);
    // A step page keeps out of the other pages' least size (see PCViewTabChange).
    page->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
    auto* layout = new QVBoxLayout(sheet);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(page);
    PCViewTab->addTab(sheet, caption);
    return sheet;
  };
  auto table = [this] { return Document->CurTab(); };
  StepsPage = new TTableStepsPage;
  StepsPage->setObjectName("StepsPage");
  StepsPage->SetTableSource(table);
  TShSteps = sheet("TShSteps", StepsPage, tr("Пошаговая работа таблиц"));
  ListStepsPage = new TListStepsPage;
  ListStepsPage->setObjectName("ListStepsPage");
  ListStepsPage->SetTableSource(table);
  TShListSteps = sheet("TShListSteps", ListStepsPage, tr("Пошаговая работа списка"));
  TransStepsPage = new TTransStepsPage;
  TransStepsPage->setObjectName("TransStepsPage");
  TransStepsPage->SetTableSource(table);
  TShTransSteps = sheet("TShTransSteps", TransStepsPage, tr("Пошаговая работа транслятора"));
}

void TForm9::SetFormulaSource(std::function<QString()> source) {
  TransStepsPage->SetFormulaSource(std::move(source));
}
