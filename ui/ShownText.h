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

// A text's start as a field, list or grid paints it: the first ShownTextLimit characters (a
// pair of UTF-16 halves is not cut), enough for any screen, elided further to the space it has.
// Laying out a text of a hundred thousand characters at every paint would be slow.
inline constexpr int ShownTextLimit = 1000;
QString ShownTextStart(const QString& text);
// A text as a tooltip shows it: at most TooltipTextLimit characters, a longer one cut there and
// ended with «…»; a tooltip of the whole of a huge text would be taller than the screen.
inline constexpr int TooltipTextLimit = 2000;
QString TooltipText(const QString& text);

// What the list shows: its line's text, the chosen item's text, or its placeholder.
QString ShownText(const QComboBox* list);
// Brings the tooltip and the value read by assistive technology up to date after a change the
// list does not report (a new placeholder).
void RefreshShownText(QComboBox* list);
