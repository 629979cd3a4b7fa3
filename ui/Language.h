#pragma once
// The interface language, chosen once at start from the desktop's interface languages: the
// windows are written in Russian, and an English translation is built into the program. Qt's
// own texts (file and print dialogs, message-box buttons, line-edit menus) follow the same
// language.

#include "core/TText.h"

#include <QString>
#include <QStringList>

#include <string>

enum class TInterfaceLanguage { Russian, English };

// The language for a list of interface languages in the order of preference (as
// QLocale::uiLanguages gives them, e.g. "de-DE", "ru", "en-US", "C"): the first entry that is
// Russian or the plain C/POSIX locale gives Russian, the first that is English gives English;
// a list with neither (or an empty one) gives English.
TInterfaceLanguage ChooseInterfaceLanguage(const QStringList& uiLanguages);

// Loads the translations of a language into the application (after the application object is
// made), replacing those installed before: for English the program's own, for Russian Qt's
// Russian texts from Qt's translations folder when they are installed.
void InstallInterfaceLanguage(TInterfaceLanguage language);
// The same for the language of the desktop (QLocale::system().uiLanguages()).
void InstallDesktopInterfaceLanguage();
// The language installed last; Russian before any is installed.
TInterfaceLanguage InterfaceLanguage();

// A file under the program's data folders in the interface language: the Russian file is the
// path itself ("help/Polhelp.html"), the English one lies in a folder "en" beside it
// ("help/en/Polhelp.html").
QString LocalizedPath(const QString& relativePath);

// An engine text, marked with TERMIX_TEXT(context, text), in the interface language.
QString ShowText(const char* context, const std::string& text);
// An engine text with arguments: the translated pattern with the arguments filled in, the
// arguments that are texts of their own translated too.
QString ShowText(const DSTRUCT::TText& text);
