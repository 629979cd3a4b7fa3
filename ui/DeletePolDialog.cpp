#include "ui/DeletePolDialog.h"

TForm5::TForm5(QWidget* parent) : QDialog(parent) {
  setObjectName("Form5");
}
