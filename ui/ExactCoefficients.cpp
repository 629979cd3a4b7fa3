#include "ui/ExactCoefficients.h"

#include <QAction>
#include <QCoreApplication>
#include <QPointer>

#include "core/TPolinom.h"

TExactCoefficients& TExactCoefficients::Switch() {
  // Made with the application, which ends it: off at every start.
  static QPointer<TExactCoefficients> theSwitch;
  if (!theSwitch) theSwitch = new TExactCoefficients(QCoreApplication::instance());
  return *theSwitch;
}

void TExactCoefficients::SetOn(bool on) {
  if (on == On) return;
  On = on;
  if (MenuItem) MenuItem->setChecked(on);
  emit Toggled(on);
}

QAction* TExactCoefficients::Action() {
  if (!MenuItem) {
    MenuItem = new QAction(tr("Точные коэффициенты"), this);
    MenuItem->setObjectName("ActExactCoefficients");
    MenuItem->setCheckable(true);
    MenuItem->setChecked(On);
    connect(MenuItem, &QAction::toggled, this, &TExactCoefficients::SetOn);
  }
  return MenuItem;
}

QString TExactCoefficients::Text(LISTSTRUCT::TPolinom& pol) {
  return QString::fromStdString(Switch().IsOn() ? pol.GetExactText() : pol.GetText());
}

const QString& TExactCoefficients::Choose(const QString& shortText, const QString& exactText) {
  return Switch().IsOn() ? exactText : shortText;
}
