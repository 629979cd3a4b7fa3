#pragma once
// The read-only line under a polynomial or formula field: «Прочитано как: …» with the text as
// the program read it, typeset, and the notes on readings that depart from the usual meaning.

#include <QLineEdit>

namespace LISTSTRUCT {
class TPolinom;
struct TReading;
} // namespace LISTSTRUCT

class TReadingLine : public QLineEdit {
  Q_OBJECT

public:
  TReadingLine(const QString& name, QWidget* parent);

  // Shows the reading; an empty one (a text not accepted) leaves only the dash.
  void ShowReading(const LISTSTRUCT::TReading& reading);
  // Only the dash: nothing read yet.
  void ShowNothing();
  // Shows how text was read into pol, which has just read it; only the dash when pol did not
  // accept it.
  void ShowPolinom(const QString& text, LISTSTRUCT::TPolinom& pol, bool accepted);
};
