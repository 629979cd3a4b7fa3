#pragma once
// «Точные коэффициенты»: one switch for every window, off at every start. Off, a polynomial shows
// its coefficients in the usual short form; on, exactly: each as the shortest decimal that reads
// back as the same number, the form the table file holds. The switch's action stands in the
// context menu of every polynomial grid, list and text.

#include <QObject>
#include <QString>

class QAction;

namespace LISTSTRUCT {
class TPolinom;
}

class TExactCoefficients : public QObject {
  Q_OBJECT
public:
  static TExactCoefficients& Switch();

  bool IsOn() const { return On; }
  void SetOn(bool on);
  // The checkable menu item of the switch, shared by every menu.
  QAction* Action();

  // The text of pol as the switch wants it.
  static QString Text(LISTSTRUCT::TPolinom& pol);
  // Of the short and the exact text, the one the switch wants.
  static const QString& Choose(const QString& shortText, const QString& exactText);

signals:
  void Toggled(bool on);

private:
  explicit TExactCoefficients(QObject* parent) : QObject(parent) {}

  bool On = false;
  QAction* MenuItem = nullptr;
};
