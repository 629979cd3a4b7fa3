#include "ui/SaveModeDialog.h"

TForm7::TForm7(QWidget* parent) : QDialog(parent) {
  setObjectName("Form7");
}
