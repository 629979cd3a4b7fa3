#pragma once
// Fields and lists whose text the program writes (messages, the chosen record): each shows the
// start of its text, however long, and the whole text in its tooltip (after the field's own
// hint, when it has one); assistive technology reads a list's shown text as its value and its
// label as its name.

#include <QString>

class QComboBox;
class QLineEdit;

// A read-only message field, or the line of an editable list: every text the program puts in
// shows from its first character; a text the user types is left as typed.
void ShowTextStart(QLineEdit* field);
// A list, editable or pick-only; its text is the chosen item, the typed text, or the
// placeholder when nothing is chosen.
void ShowTextStart(QComboBox* list);

// What the list shows: its line's text, the chosen item's text, or its placeholder.
QString ShownText(const QComboBox* list);
// Brings the tooltip and the value read by assistive technology up to date after a change the
// list does not report (a new placeholder).
void RefreshShownText(QComboBox* list);
