#include "ui/DecimalSpinBox.h"

#include <QLocale>

namespace {

QString WithPoint(QString text) {
  return text.replace(QLatin1Char(','), QLatin1Char('.'));
}

} // namespace

TDecimalSpinBox::TDecimalSpinBox(QWidget* parent) : QDoubleSpinBox(parent) {
  setLocale(QLocale::c());
  setDecimals(3);
}

QValidator::State TDecimalSpinBox::validate(QString& text, int& position) const {
  QString read = WithPoint(text);
  const QValidator::State state = QDoubleSpinBox::validate(read, position);
  if (state != QValidator::Invalid) text = read;
  return state;
}

double TDecimalSpinBox::valueFromText(const QString& text) const {
  return QDoubleSpinBox::valueFromText(WithPoint(text));
}

QString TDecimalSpinBox::textFromValue(double value) const {
  return QLocale::c().toString(value, 'g', 7);
}
