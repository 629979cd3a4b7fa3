#include "ui/ChangePolDialog.h"

TForm6::TForm6(QWidget* parent) : QDialog(parent) {
  setObjectName("Form6");
}
