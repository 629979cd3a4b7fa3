#include "ui/NewPolDialog.h"

TForm4::TForm4(QWidget* parent) : QDialog(parent) {
  setObjectName("Form4");
}
