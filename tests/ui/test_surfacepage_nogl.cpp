// The surface page on a machine without OpenGL: the message once, the controls still work.
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTimer>
#include <QtTest>

#include "core/TMonom.h"
#include "gl/TOpenGLPanel.h"
#include "ui/SurfacePage.h"

using LISTSTRUCT::TMonom;
using LISTSTRUCT::TPolinom;

class TestSurfacePageNoGL : public QObject {
  Q_OBJECT
private slots:
  void pageWorksWithoutPanel() {
    QStringList messages;
    TOpenGLPanel::SetMessageSink([&](const QString& t) { messages << t; });
    QVERIFY(!TOpenGLPanel::IsOpenGLAvailable());
    TSurfacePage page;
    page.SetPolinomLookup([](const std::string&, TPolinom& out) {
      TPolinom::AddMonom(out, TMonom(1.0f, TMonom::MakeIndex(0, 0, 1)));
      return true;
    });
    page.resize(700, 200);
    page.show();
    QVERIFY(QTest::qWaitForWindowExposed(&page));
    QCOMPARE(messages, QStringList({"Open GL Context Create Failed"}));
    QVERIFY(page.findChild<TOpenGLPanel*>() == nullptr);
    auto* stand = page.findChild<QLabel*>("LbNoOpenGL");
    QVERIFY(stand && stand->isVisible());

    page.SetChoice(0, "Pol1");
    QCOMPARE(stand->toolTip(), QString("Surface: Pol1"));
    page.TShSurfEnter();
    auto* errors = page.findChild<QLineEdit*>("EdErrors");
    QCOMPARE(errors->text(), QString("Зависимость установлена"));
    page.findChild<QRadioButton*>("RBVarX")->click();
    QCOMPARE(errors->text(), QString("Переменная X не может быть выражена из полинома"));
    page.findChild<QCheckBox*>("CBLighting")->click();
    page.findChild<QRadioButton*>("RBSolid")->click();
    // The animation ticks along without a panel to draw in, and says nothing.
    auto* animate = page.findChild<QCheckBox*>("CBAnimate");
    animate->click();
    QVERIFY(page.findChild<QTimer*>("Timer1")->isActive());
    QTest::qWait(160);
    animate->click();
    QCOMPARE(messages.size(), 1);
    TOpenGLPanel::SetMessageSink({});
  }
};

int main(int argc, char** argv) {
  // No OpenGL binding of the window system: no context of any kind can be made.
  qputenv("QT_XCB_GL_INTEGRATION", "none");
  QApplication app(argc, argv);
  TestSurfacePageNoGL test;
  return QTest::qExec(&test, argc, argv);
}
#include "test_surfacepage_nogl.moc"
