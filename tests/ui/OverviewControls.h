#pragma once
// The overview window's controls and pages, found by their names in the window's design; the
// overview window at start (Form9) unless another is given.

#include "TermixTestSupport.h"

#include "ui/EfficiencyPage.h"
#include "ui/ListStepsPage.h"
#include "ui/OverviewWindow.h"
#include "ui/StructureView.h"
#include "ui/SurfacePage.h"
#include "ui/TableStepsPage.h"
#include "ui/TransStepsPage.h"

#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTabWidget>

namespace OverviewControls {

#define TERMIX_OVERVIEW_CONTROL(Type, Name)                                                        \
  inline Type* Name(const QWidget* window = Form9) {                                               \
    return TermixTest::Find<Type>(window, #Name);                                                  \
  }
TERMIX_OVERVIEW_CONTROL(QTabWidget, PCViewTab)
TERMIX_OVERVIEW_CONTROL(QWidget, TShExpr)
TERMIX_OVERVIEW_CONTROL(QWidget, TShStruct)
TERMIX_OVERVIEW_CONTROL(QWidget, TShSurf)
TERMIX_OVERVIEW_CONTROL(QWidget, TShEffic)
TERMIX_OVERVIEW_CONTROL(QWidget, TShSteps)
TERMIX_OVERVIEW_CONTROL(QWidget, TShListSteps)
TERMIX_OVERVIEW_CONTROL(QWidget, TShTransSteps)
TERMIX_OVERVIEW_CONTROL(TSurfacePage, SurfPage)
TERMIX_OVERVIEW_CONTROL(TEfficiencyPage, EfficPage)
TERMIX_OVERVIEW_CONTROL(TTableStepsPage, StepsPage)
TERMIX_OVERVIEW_CONTROL(TListStepsPage, ListStepsPage)
TERMIX_OVERVIEW_CONTROL(TTransStepsPage, TransStepsPage)
TERMIX_OVERVIEW_CONTROL(QComboBox, CBNum)
TERMIX_OVERVIEW_CONTROL(QComboBox, CBName)
TERMIX_OVERVIEW_CONTROL(QComboBox, CBFormula)
TERMIX_OVERVIEW_CONTROL(QPlainTextEdit, MemExpr)
TERMIX_OVERVIEW_CONTROL(TStructureView, SBForImg)
TERMIX_OVERVIEW_CONTROL(QLabel, ImgStruct)
TERMIX_OVERVIEW_CONTROL(QFrame, Bevel1)
TERMIX_OVERVIEW_CONTROL(QLabel, Image1)
#undef TERMIX_OVERVIEW_CONTROL

// The choice the three lists show together: the common current index (-1 for none), or -2
// when the lists disagree.
inline int ShownChoice(const QWidget* window = Form9) {
  const int i = CBNum(window)->currentIndex();
  return CBName(window)->currentIndex() == i && CBFormula(window)->currentIndex() == i ? i : -2;
}

} // namespace OverviewControls
