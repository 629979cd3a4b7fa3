#pragma once
// The calculation window's controls, found by their names in the window's design; the
// calculation window at start (Form3) unless another is given.

#include "TermixTestSupport.h"

#include "ui/CalcWindow.h"

#include <QCheckBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QToolButton>

namespace CalcControls {

#define TERMIX_CALC_CONTROL(Type, Name)                                                            \
  inline Type* Name(const QWidget* window = Form3) {                                               \
    return TermixTest::Find<Type>(window, #Name);                                                  \
  }
TERMIX_CALC_CONTROL(QLineEdit, EdFormul)
TERMIX_CALC_CONTROL(QLineEdit, EdErrors)
TERMIX_CALC_CONTROL(QLineEdit, EdName)
TERMIX_CALC_CONTROL(QTableWidget, SGOperTable)
TERMIX_CALC_CONTROL(QTableWidget, SGResTable)
TERMIX_CALC_CONTROL(QCheckBox, CBPolToTab)
TERMIX_CALC_CONTROL(QRadioButton, RBStdName)
TERMIX_CALC_CONTROL(QRadioButton, RBUserName)
TERMIX_CALC_CONTROL(QRadioButton, RBVarX)
TERMIX_CALC_CONTROL(QRadioButton, RBVarY)
TERMIX_CALC_CONTROL(QRadioButton, RBVarZ)
TERMIX_CALC_CONTROL(QFrame, Panel1)
TERMIX_CALC_CONTROL(QFrame, Bevel1)
TERMIX_CALC_CONTROL(QFrame, Bevel3)
TERMIX_CALC_CONTROL(QFrame, Bevel4)
TERMIX_CALC_CONTROL(QGroupBox, GroupBox1)
TERMIX_CALC_CONTROL(QGroupBox, GroupBox2)
TERMIX_CALC_CONTROL(QToolButton, SBtnSaveF)
TERMIX_CALC_CONTROL(QToolButton, SBtnLoadF)
TERMIX_CALC_CONTROL(QPushButton, BBtnCalc)
TERMIX_CALC_CONTROL(QLabel, Image1)
TERMIX_CALC_CONTROL(TOperationImage, ImSum)
TERMIX_CALC_CONTROL(TOperationImage, ImMin)
TERMIX_CALC_CONTROL(TOperationImage, ImMult)
TERMIX_CALC_CONTROL(TOperationImage, ImDeg)
TERMIX_CALC_CONTROL(TOperationImage, ImPro)
TERMIX_CALC_CONTROL(TOperationImage, ImInt)
TERMIX_CALC_CONTROL(TOperationImage, ImBrak)
TERMIX_CALC_CONTROL(TOperationImage, ImVar)
#undef TERMIX_CALC_CONTROL

// The formula check accepted the formula: the errors field says it is correct.
inline bool FormulaAccepted(const QWidget* window = Form3) {
  return EdErrors(window)->text() == QString("Выражение введено правильно.");
}

} // namespace CalcControls
