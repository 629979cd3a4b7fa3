#include "ui/ReadingLine.h"

#include "core/TPolReading.h"
#include "ui/Language.h"

#include <QStringList>

TReadingLine::TReadingLine(const QString& name, QWidget* parent) : QLineEdit(parent) {
  setObjectName(name);
  setReadOnly(true);
  setFrame(false);
  setFocusPolicy(Qt::ClickFocus); // readable and selectable, but not a stop of the Tab walk
  setAccessibleName(tr("Прочитано как"));
  ShowReading({});
}

void TReadingLine::ShowPolinom(const QString& text, LISTSTRUCT::TPolinom& pol, bool accepted) {
  ShowReading(accepted ? LISTSTRUCT::ReadPolinomText(text.toStdString(), pol)
                       : LISTSTRUCT::TReading{});
}

void TReadingLine::ShowNothing() {
  ShowReading({});
}

void TReadingLine::ShowReading(const LISTSTRUCT::TReading& reading) {
  if (reading.Typeset.empty()) {
    setText(tr("Прочитано как: —"));
    setToolTip(QString());
    return;
  }
  QStringList notes;
  for (const DSTRUCT::TText& note : reading.Notes)
    notes << ShowText(note);
  const QString typeset = QString::fromStdString(reading.Typeset);
  setText(notes.isEmpty()
              ? tr("Прочитано как: %1").arg(typeset)
              : tr("Прочитано как: %1 (%2)").arg(typeset, notes.join(QStringLiteral("; "))));
  setToolTip(notes.isEmpty() ? typeset
                             : typeset + QStringLiteral("\n") + notes.join(QStringLiteral("\n")));
  setCursorPosition(0); // the start of a long reading stays in view
}
