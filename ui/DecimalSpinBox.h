#pragma once
// TDecimalSpinBox: a spin box of decimal numbers written with "." whatever the language of the
// desktop; a "," typed is read as the point. The value shows with no trailing zeros ("1",
// "1.5", "0.25").

#include <QDoubleSpinBox>

class TDecimalSpinBox : public QDoubleSpinBox {
public:
  explicit TDecimalSpinBox(QWidget* parent = nullptr);

  QValidator::State validate(QString& text, int& position) const override;
  double valueFromText(const QString& text) const override;
  QString textFromValue(double value) const override;
};
