#include "ui/FormulaStoreDialog.h"

TForm8::TForm8(QWidget* parent) : QDialog(parent) {
  setObjectName("Form8");
}
