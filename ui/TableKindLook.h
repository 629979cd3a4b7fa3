#pragma once
// How the windows show an organisation of the registry: its texts in the user's language and
// its colour.

#include <QColor>
#include <QCoreApplication>
#include <QString>

#include "tables/TTableKinds.h"

// One of the organisation's texts (TTableKindInfo::Name, ShortName, ...), translated.
inline QString KindText(const char* text) {
  return QCoreApplication::translate("TableKinds", text);
}

inline QColor KindColour(const TABLESTRUCT::TTableKindInfo& info) {
  return QColor(info.Colour.R, info.Colour.G, info.Colour.B);
}
