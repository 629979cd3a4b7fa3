#include "ui/Language.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <memory>

namespace {

TInterfaceLanguage InstalledLanguage = TInterfaceLanguage::Russian;
// The program's English texts, or Qt's Russian ones: at most one of each kind is installed.
std::unique_ptr<QTranslator> ProgramTranslator;
std::unique_ptr<QTranslator> QtTranslator;

void Remove(std::unique_ptr<QTranslator>& translator) {
  if (translator) QCoreApplication::removeTranslator(translator.get());
  translator.reset();
}

void Install(std::unique_ptr<QTranslator>& slot, const QString& file, const QString& folder) {
  auto translator = std::make_unique<QTranslator>();
  if (!translator->load(file, folder)) return;
  QCoreApplication::installTranslator(translator.get());
  slot = std::move(translator);
}

// The engine's pictures draw their captions through this.
std::string ShowTextUtf8(const DSTRUCT::TText& text) {
  return ShowText(text).toStdString();
}

} // namespace

TInterfaceLanguage ChooseInterfaceLanguage(const QStringList& uiLanguages) {
  for (const QString& entry : uiLanguages) {
    const QString language = entry.section(QLatin1Char('-'), 0, 0).section(QLatin1Char('_'), 0, 0);
    if (language.compare(QLatin1String("ru"), Qt::CaseInsensitive) == 0 ||
        language == QLatin1String("C") || language == QLatin1String("POSIX"))
      return TInterfaceLanguage::Russian;
    if (language.compare(QLatin1String("en"), Qt::CaseInsensitive) == 0)
      return TInterfaceLanguage::English;
  }
  return TInterfaceLanguage::English;
}

void InstallInterfaceLanguage(TInterfaceLanguage language) {
  Remove(ProgramTranslator);
  Remove(QtTranslator);
  InstalledLanguage = language;
  // The pictures the engine draws show their captions in the same language.
  DSTRUCT::SetTextShower(language == TInterfaceLanguage::English ? &ShowTextUtf8 : nullptr);
  if (language == TInterfaceLanguage::English)
    Install(ProgramTranslator, QStringLiteral("termix_en"), QStringLiteral(":/i18n"));
  else
    Install(QtTranslator, QStringLiteral("qtbase_ru"),
            QLibraryInfo::path(QLibraryInfo::TranslationsPath));
}

void InstallDesktopInterfaceLanguage() {
  InstallInterfaceLanguage(ChooseInterfaceLanguage(QLocale::system().uiLanguages()));
}

TInterfaceLanguage InterfaceLanguage() {
  return InstalledLanguage;
}

QString LocalizedPath(const QString& relativePath) {
  if (InstalledLanguage == TInterfaceLanguage::Russian) return relativePath;
  const qsizetype slash = relativePath.lastIndexOf(QLatin1Char('/'));
  return relativePath.left(slash + 1) + QStringLiteral("en/") + relativePath.mid(slash + 1);
}

QString ShowText(const char* context, const std::string& text) {
  return QCoreApplication::translate(context, text.c_str());
}

QString ShowText(const DSTRUCT::TText& text) {
  if (text.IsEmpty()) return QString();
  const QByteArray pattern = QCoreApplication::translate(text.Context, text.Pattern).toUtf8();
  return QString::fromStdString(DSTRUCT::FillArguments(
      std::string_view(pattern.constData(), pattern.size()),
      text.ArgsShownBy([](const DSTRUCT::TText& inner) { return ShowText(inner).toStdString(); })));
}
