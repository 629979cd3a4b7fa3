#pragma once
// The page «Пошаговая работа списка» of the overview window: an operation on polynomials —
// reading a text, the sum, the difference, the product, the derivative or the integral — shown
// step by step as AddMonom walks the ring of the result, inserts, merges and deletes links.
// The operands are typed or chosen from the polynomials of the table; the table never changes.

#include <QWidget>

#include <functional>
#include <memory>

#include "teach/TListSteps.h"

class QComboBox;
class TStepShow;

namespace TABLESTRUCT {
class TBasePTab;
}
namespace LISTSTRUCT {
class TListStepPicture;
}

class TListStepsPage : public QWidget {
  Q_OBJECT
public:
  explicit TListStepsPage(QWidget* parent = nullptr);
  ~TListStepsPage() override;

  // Where the polynomials offered as operands come from (the table window's CurTab).
  void SetTableSource(std::function<TABLESTRUCT::TBasePTab*()> source);

protected:
  void showEvent(QShowEvent* event) override;

private:
  QComboBox* CBListOper;
  QComboBox* CBListVar;
  QComboBox* CBListP;
  QComboBox* CBListQ;
  TStepShow* StepShow;

  std::function<TABLESTRUCT::TBasePTab*()> TableSource;
  LISTSTRUCT::TListRecording Recording;
  std::unique_ptr<LISTSTRUCT::TListStepPicture> Picture;

  void BuildControls();
  void LayOutControls();
  LISTSTRUCT::TListOperation ChosenOperation() const;
  // Offers the table's polynomials in the operand lists, keeping what is typed there.
  void FillFromTable();
  // Records the chosen operation afresh; an operand that does not read shows its message.
  void Rebuild();
  // Reads the operand text of list into pol; false with the message shown when it does not.
  bool ReadOperand(QComboBox* list, const QString& name, LISTSTRUCT::TPolinom& pol);
  void ShowStep(int step);
};
