// The interface language: which language the desktop's list of languages gives, what each
// language installs (the program's English texts, Qt's Russian ones), and the English files
// beside the Russian ones.
#include "core/TPolFunc.h"
#include "tables/TRecordName.h"
#include "ui/Language.h"
#include "ui/SplashWindow.h"

#include <QAction>
#include <QCoreApplication>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <memory>

namespace {
// The texts of a line edit's own context menu.
QStringList LineEditMenuTexts() {
  QLineEdit edit(QStringLiteral("x"));
  std::unique_ptr<QMenu> menu(edit.createStandardContextMenu());
  QStringList texts;
  for (const QAction* action : menu->actions())
    if (!action->isSeparator()) texts << action->text();
  return texts;
}

QString CancelButtonText() {
  QMessageBox box;
  box.setStandardButtons(QMessageBox::Cancel);
  return box.button(QMessageBox::Cancel)->text();
}
} // namespace

class TestLanguage : public QObject {
  Q_OBJECT
private slots:
  void cleanup() { InstallInterfaceLanguage(TInterfaceLanguage::Russian); }

  void desktopLanguagesChooseTheInterface_data() {
    QTest::addColumn<QStringList>("languages");
    QTest::addColumn<bool>("russian");
    QTest::newRow("Russian") << QStringList{"ru-RU", "ru-Cyrl-RU", "ru"} << true;
    QTest::newRow("C locale") << QStringList{"C"} << true;
    QTest::newRow("POSIX") << QStringList{"POSIX"} << true;
    QTest::newRow("English") << QStringList{"en-US", "en-Latn-US", "en"} << false;
    QTest::newRow("German alone") << QStringList{"de-DE", "de"} << false;
    QTest::newRow("nothing") << QStringList{} << false;
    // Of several preferred languages the first the program speaks wins.
    QTest::newRow("German, then Russian") << QStringList{"de", "de-DE", "ru", "ru-RU"} << true;
    QTest::newRow("English, then Russian") << QStringList{"en-GB", "ru"} << false;
    QTest::newRow("Russian, then English") << QStringList{"ru_RU", "en"} << true;
    // A language whose code merely begins with the same letters is another language.
    QTest::newRow("Rusyn") << QStringList{"rue"} << false;
  }
  void desktopLanguagesChooseTheInterface() {
    QFETCH(QStringList, languages);
    QFETCH(bool, russian);
    QCOMPARE(ChooseInterfaceLanguage(languages) == TInterfaceLanguage::Russian, russian);
  }

  // English: the program's texts from the translation built into it, Qt's own untouched.
  // Russian: the program's texts as written, Qt's dialogs, buttons and menus in Russian. A
  // second installation replaces the first instead of stacking on it.
  void eachLanguageInstallsItsTranslations() {
    InstallInterfaceLanguage(TInterfaceLanguage::English);
    QCOMPARE(InterfaceLanguage(), TInterfaceLanguage::English);
    QCOMPARE(QCoreApplication::translate("TForm10", "О программе"), QString("About the program"));
    QCOMPARE(CancelButtonText(), QString("Cancel"));
    QVERIFY2(LineEditMenuTexts().join('|').contains("&Copy"),
             qPrintable(LineEditMenuTexts().join('|')));

    InstallInterfaceLanguage(TInterfaceLanguage::Russian);
    QCOMPARE(InterfaceLanguage(), TInterfaceLanguage::Russian);
    QCOMPARE(QCoreApplication::translate("TForm10", "О программе"), QString("О программе"));
    QCOMPARE(CancelButtonText(), QString("Отмена"));
    const QString menu = LineEditMenuTexts().join('|');
    QVERIFY2(menu.contains("&Копировать") && menu.contains("Выделить всё"), qPrintable(menu));

    InstallInterfaceLanguage(TInterfaceLanguage::English);
    QCOMPARE(CancelButtonText(), QString("Cancel"));
  }

  // An engine text is translated by its pattern, and its arguments go in afterwards; in Russian
  // it is the engine's own text.
  void engineTextsShowWithTheirArguments() {
    const TABLESTRUCT::TNameVerdict taken{TABLESTRUCT::TNameFault::Taken, 2};
    LISTSTRUCT::TPolinom pol;
    pol.SetText("z^2*x + z*y");
    TRANSSTRUCT::TPolFunc func;
    QVERIFY(!func.SetDependence(pol, 0, 'z'));
    QCOMPARE(ShowText(taken.GetMessageText()), QString::fromStdString(taken.GetMessage()));
    QCOMPARE(ShowText(func.GetMessageText()), QString::fromStdString(func.GetMessage()));
    InstallInterfaceLanguage(TInterfaceLanguage::English);
    QCOMPARE(ShowText(taken.GetMessageText()),
             QString("A polynomial with this name already exists! [Pol#3]"));
    QCOMPARE(ShowText(func.GetMessageText()),
             QString("The variable Z cannot be expressed from the polynomial"));
  }

  // The English splash pictures and help pages lie in a folder "en" beside the Russian ones,
  // and the program carries them.
  void englishFilesLieBesideTheRussianOnes() {
    QCOMPARE(LocalizedPath("Images/logo.bmp"), QString("Images/logo.bmp"));
    InstallInterfaceLanguage(TInterfaceLanguage::English);
    QCOMPARE(LocalizedPath("Images/logo.bmp"), QString("Images/en/logo.bmp"));
    QCOMPARE(LocalizedPath("Polhelp.html"), QString("en/Polhelp.html"));
    for (const char* path :
         {":/Images/en/logo.bmp", ":/Images/en/tutorial.bmp", ":/help/en/Polhelp.html"})
      QVERIFY2(QFile::exists(path), path);
    TForm11 splash;
    const QLabel* picture = splash.findChild<QLabel*>("ImSplash");
    QVERIFY(picture);
    const QImage shown = picture->pixmap().toImage();
    QCOMPARE(shown, QImage(":/Images/en/logo.bmp").convertToFormat(shown.format()));
    QVERIFY(shown != QImage(":/Images/logo.bmp").convertToFormat(shown.format()));
  }
};

QTEST_MAIN(TestLanguage)
#include "test_language.moc"
