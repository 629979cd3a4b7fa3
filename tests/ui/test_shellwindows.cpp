// The splash, About and help windows, and the pictures of every window for the README.
// With TERMIX_SCREENSHOTS naming a folder, screenshotsOfEveryWindow starts the program,
// passes the splash and saves the shell's windows and the whole screen there
// (scripts/screenshots sets it); otherwise that case is skipped.
#include "TermixTestSupport.h"

#include "ui/AboutWindow.h"
#include "ui/HelpWindow.h"
#include "ui/Language.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QMovie>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <QTextFragment>

using namespace TermixTest;

namespace {
void WriteImage(const QString& path, QSize size, QColor colour) {
  QImage image(size, QImage::Format_RGB32);
  image.fill(colour);
  QVERIFY(image.save(path, "BMP"));
}

// Every link of the document shown in the browser.
QStringList Links(const QTextBrowser* browser) {
  QStringList links;
  for (QTextBlock block = browser->document()->begin(); block.isValid(); block = block.next())
    for (auto it = block.begin(); !it.atEnd(); ++it) {
      const QString href = it.fragment().charFormat().anchorHref();
      if (!href.isEmpty() && !links.contains(href)) links << href;
    }
  return links;
}
} // namespace

class TestShellWindows : public QObject {
  Q_OBJECT
private slots:
  void init() { QDir().mkpath("Images"); }
  void cleanup() {
    DestroyForms();
    QDir("Images").removeRecursively();
  }

  void splashReadsPicturesFromTheCurrentDirectory() {
    WriteImage("Images/logo.bmp", QSize(40, 30), Qt::red);
    WriteImage("Images/tutorial.bmp", QSize(50, 20), Qt::blue);
    TForm11 splash;
    QLabel* picture = TermixTest::Find<QLabel>(&splash, "ImSplash");
    QVERIFY(splash.PictureFromFile());
    QCOMPARE(picture->pixmap().size(), QSize(40, 30));
    QCOMPARE(picture->pixmap().toImage().pixelColor(5, 5), QColor(Qt::red));
    splash.show();
    QVERIFY(QTest::qWaitForWindowExposed(&splash));
    QCOMPARE(splash.size(), QSize(40, 30)); // the window is all picture
    QTest::mouseClick(picture, Qt::LeftButton, Qt::NoModifier, QPoint(10, 10));
    QCOMPARE(splash.PicturePath(), QString("Images/tutorial.bmp"));
    QVERIFY(splash.PictureFromFile());
    QCOMPARE(picture->pixmap().size(), QSize(50, 20));
    QCOMPARE(splash.size(), QSize(50, 20));
    QVERIFY(splash.isVisible());
    // Other buttons do not count as clicks.
    QTest::mouseClick(picture, Qt::RightButton, Qt::NoModifier, QPoint(10, 10));
    QCOMPARE(splash.PicturePath(), QString("Images/tutorial.bmp"));
    QVERIFY(splash.isVisible());
    QTest::mouseClick(picture, Qt::LeftButton, Qt::NoModifier, QPoint(10, 10));
    QVERIFY(!splash.isVisible());
    QCOMPARE(splash.result(), int(QDialog::Accepted));
  }

  void splashFallsBackToBuiltInPictures() {
    // No files at all: the pictures built into the program.
    QDir("Images").removeRecursively();
    TForm11 missing;
    QVERIFY(!missing.PictureFromFile());
    QLabel* missingPicture = TermixTest::Find<QLabel>(&missing, "ImSplash");
    QCOMPARE(missingPicture->pixmap().size(), QSize(560, 340));
    missing.ImSplashClick();
    QCOMPARE(missingPicture->pixmap().size(), QSize(952, 620));
    // A damaged file: the built-in picture as well, not an empty window.
    QDir().mkpath("Images");
    QFile broken("Images/logo.bmp");
    QVERIFY(broken.open(QIODevice::WriteOnly));
    broken.write("BM not really a picture");
    broken.close();
    TForm11 damaged;
    QVERIFY(!damaged.PictureFromFile());
    QLabel* damagedPicture = TermixTest::Find<QLabel>(&damaged, "ImSplash");
    QCOMPARE(damagedPicture->pixmap().size(), QSize(560, 340));
    // From the keyboard: Space and Enter act as clicks on the picture.
    damaged.show();
    QVERIFY(QTest::qWaitForWindowExposed(&damaged));
    QTest::keyClick(&damaged, Qt::Key_Space);
    QCOMPARE(damaged.PicturePath(), QString("Images/tutorial.bmp"));
    QVERIFY(damaged.isVisible());
    QTest::keyClick(&damaged, Qt::Key_Return);
    QVERIFY(!damaged.isVisible());
    QCOMPARE(damaged.result(), int(QDialog::Accepted));
    QVERIFY(damaged.windowFlags() & Qt::FramelessWindowHint); // no caption, no close box
  }

  void aboutWindowContentFits() {
    CreateForms();
    auto checked = WhenModal(Form10, [] {
      QCOMPARE(Form10->size(), QSize(623, 245));
      const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
      QVERIFY(qAbs(Form10->frameGeometry().center().x() - screen.center().x()) <= 2);
      for (QLabel* label : Form10->findChildren<QLabel*>()) {
        if (label->text().isEmpty()) continue;
        QVERIFY2(label->heightForWidth(label->width()) <= label->height(),
                 qPrintable(label->objectName() + " is cut off"));
        QVERIFY(Form10->rect().contains(label->geometry()));
      }
      const QPushButton* ok = TermixTest::Find<QPushButton>(Form10, "BBtnOK");
      QVERIFY(ok->width() >= ok->sizeHint().width());
      QVERIFY(Form10->rect().contains(ok->geometry()));
      QVERIFY(!TermixTest::Find<QLabel>(Form10, "ImLogo")->pixmap().isNull());
      const QMovie* movie = TermixTest::Find<QLabel>(Form10, "Animate1")->movie();
      QVERIFY(movie && movie->isValid());
      // The animation moves on by itself.
      const int first = movie->currentFrameNumber();
      QTRY_VERIFY(movie->currentFrameNumber() != first);
      QTest::keyClick(Form10, Qt::Key_Return); // OK is the default button
    });
    Form10->exec();
    QVERIFY(*checked);
    QCOMPARE(Form10->result(), int(QDialog::Accepted));
  }

  void helpPagesAreAllReachableFromTheContents_data() {
    QTest::addColumn<bool>("english");
    QTest::addColumn<QStringList>("titles");
    QTest::newRow("Russian") << false << QStringList{"Окна программы",
                                                     "Запись полинома",
                                                     "Язык формул",
                                                     "Три организации таблицы",
                                                     "Поверхность полинома",
                                                     "Тест эффективности таблиц",
                                                     "Пошаговая работа таблиц",
                                                     "Пошаговая работа списка",
                                                     "Пошаговая работа транслятора"};
    QTest::newRow("English") << true
                             << QStringList{
                                    "The program's windows",       "Writing a polynomial",
                                    "The formula language",        "Three table organisations",
                                    "The surface of a polynomial", "The table efficiency test",
                                    "The tables step by step",     "The list step by step",
                                    "The translator step by step"};
  }
  void helpPagesAreAllReachableFromTheContents() {
    QFETCH(bool, english);
    QFETCH(QStringList, titles);
    InstallInterfaceLanguage(english ? TInterfaceLanguage::English : TInterfaceLanguage::Russian);
    const QRegularExpression cyrillic("\\p{Cyrillic}");
    THelpWindow* help = ShowHelpContents();
    QVERIFY(help->isVisible());
    QTextBrowser* browser = help->Browser;
    const QUrl contents = browser->source();
    QCOMPARE(contents, THelpWindow::ContentsUrl());
    const QStringList links = Links(browser);
    QStringList pages;
    for (const QString& link : links)
      if (!link.startsWith('#') && !link.contains("://")) pages << link.section('#', 0, 0);
    pages.removeDuplicates();
    QCOMPARE(pages.size(), titles.size());
    QCOMPARE(english, contents.path().contains("/en/"));
    for (int i = 0; i < pages.size(); ++i) {
      browser->setSource(contents.resolved(QUrl(pages[i])));
      const QString text = browser->toPlainText();
      QVERIFY2(text.contains(titles[i]), qPrintable(pages[i]));
      // The English pages are English throughout.
      if (english) QVERIFY2(!text.contains(cyrillic), qPrintable(pages[i]));
      QVERIFY2(text.size() > 800, qPrintable(pages[i] + " is nearly empty"));
      // Every page leads back to the contents.
      QVERIFY2(Links(browser).contains("Polhelp.html"), qPrintable(pages[i]));
      // Links between pages point at pages that exist.
      for (const QString& link : Links(browser)) {
        if (link.contains("://")) continue;
        const QUrl target = browser->source().resolved(QUrl(link.section('#', 0, 0)));
        if (link.startsWith('#')) continue;
        QVERIFY2(QFile::exists(":" + target.path()), qPrintable(pages[i] + " -> " + link));
      }
    }
    QVERIFY(help->BtnBack->isEnabled());
    QTest::mouseClick(help->BtnContents, Qt::LeftButton);
    QCOMPARE(browser->source(), contents);
    if (english) QVERIFY(!browser->toPlainText().contains(cyrillic));
    DestroyHelpWindow();
    QVERIFY(!ExistingHelpWindow());
    InstallInterfaceLanguage(TInterfaceLanguage::Russian);
  }

  void screenshotsOfEveryWindow() {
    const QString folder = qEnvironmentVariable("TERMIX_SCREENSHOTS");
    if (folder.isEmpty()) QSKIP("TERMIX_SCREENSHOTS names no folder");
    QVERIFY(QDir().mkpath(folder));
    auto save = [&](QWidget* w, const QString& name) {
      const QPixmap shot = w->grab();
      QVERIFY(!shot.isNull());
      QVERIFY(shot.save(QDir(folder).filePath(name + ".png")));
    };
    QDir("Images").removeRecursively(); // the built-in splash pictures
    CreateForms();
    auto splash = WhenModal(Form11, [&] {
      save(Form11, "splash_logo");
      ClickSplash();
      save(Form11, "splash_tutorial");
      ClickSplash();
    });
    Form1->show();
    QTRY_VERIFY_WITH_TIMEOUT(Form9->isVisible(), 10000);
    QVERIFY(*splash);
    QVERIFY(QTest::qWaitForWindowExposed(Form9));
    QTest::qWait(300);
    save(Form1, "main_window");
    // The screen as a whole: the strip and the three working windows.
    const QPixmap screen = QGuiApplication::primaryScreen()->grabWindow(0);
    QVERIFY(screen.save(QDir(folder).filePath("desktop.png")));
    // The other windows are saved by their own tests; here they appear on desktop.png.
    auto about = WhenModal(Form10, [&] {
      QTest::qWait(150);
      save(Form10, "about");
      Form10->accept();
    });
    MainButton("TBAbout")->click();
    QVERIFY(*about);
    MainButton("TBHelp")->click();
    THelpWindow* help = ExistingHelpWindow();
    QVERIFY(help && QTest::qWaitForWindowExposed(help));
    save(help, "help");
  }
};

QTEST_MAIN(TestShellWindows)
#include "test_shellwindows.moc"
