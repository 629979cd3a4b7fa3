// The OpenGL panel: its events, its context, its bitmap text and its failure path.
#include <QOpenGLContext>
#include <QSurfaceFormat>
#include <QtTest>

#include <GL/gl.h>
#include <GL/glu.h>

#include "gl/TOpenGLPanel.h"

namespace {

QColor PixelAt(const QImage& img, int x, int y) {
  return img.pixelColor(x, y);
}

bool Near(const QColor& a, const QColor& b, int tol = 3) {
  return std::abs(a.red() - b.red()) <= tol && std::abs(a.green() - b.green()) <= tol &&
         std::abs(a.blue() - b.blue()) <= tol;
}

int CountColour(const QImage& img, const QColor& c) {
  int n = 0;
  for (int y = 0; y < img.height(); ++y)
    for (int x = 0; x < img.width(); ++x)
      if (Near(img.pixelColor(x, y), c)) ++n;
  return n;
}

} // namespace

class TestOpenGLPanel : public QObject {
  Q_OBJECT
private slots:
  void init() {
    TOpenGLPanel::SetMessageSink([this](const QString& t) { messages << t; });
  }
  void cleanup() {
    TOpenGLPanel::SetMessageSink({});
    messages.clear();
  }

  void eventsComeInOrderWithTheContextCurrent();
  void paintDrawsWithTheFixedPipeline();
  void makeCurrentAndRelease();
  void doubleBufferAndGdiExcludeEachOther();
  void bitmapTextDrawsOnlyWithTheFontAndKnownGlyphs();
  void failedContextIsReportedOnceAndStopsTheEvents();
  void machineWithoutOpenGLShowsTheMessage();

private:
  QStringList messages;
};

void TestOpenGLPanel::eventsComeInOrderWithTheContextCurrent() {
  QVERIFY(TOpenGLPanel::IsOpenGLAvailable());
  TOpenGLPanel panel;
  QStringList order;
  bool allCurrent = true;
  bool contextAtPreInit = true;
  QSize resized;
  panel.OnPreInit = [&](TOpenGLPanel& p) {
    order << "PreInit";
    contextAtPreInit = p.context() != nullptr && p.context()->isValid();
  };
  auto record = [&](const char* name) {
    return [&, name](TOpenGLPanel& p) {
      order << name;
      if (QOpenGLContext::currentContext() != p.context()) allCurrent = false;
    };
  };
  panel.OnInit = record("Init");
  panel.OnResize = [&](TOpenGLPanel& p) {
    record("Resize")(p);
    resized = QSize(p.PixelWidth(), p.PixelHeight());
  };
  panel.OnPaint = record("Paint");
  panel.resize(160, 120);
  panel.show();
  QVERIFY(QTest::qWaitForWindowExposed(&panel));
  panel.grabFramebuffer();
  QVERIFY(!contextAtPreInit);
  QVERIFY(allCurrent);
  QVERIFY2(order.size() >= 4, qPrintable(order.join(',')));
  QCOMPARE(order.mid(0, 4), QStringList({"PreInit", "Init", "Resize", "Paint"}));
  QCOMPARE(order.count("PreInit"), 1);
  QCOMPARE(order.count("Init"), 1);
  QCOMPARE(resized, QSize(160, 120) * panel.devicePixelRatio());

  order.clear();
  panel.resize(200, 90);
  QTRY_VERIFY(order.contains("Resize"));
  QCOMPARE(resized, QSize(200, 90) * panel.devicePixelRatio());
  panel.grabFramebuffer();
  QVERIFY(order.contains("Paint"));
  QVERIFY(!order.contains("Init"));
  QVERIFY(allCurrent);
  QVERIFY(messages.isEmpty());
}

void TestOpenGLPanel::paintDrawsWithTheFixedPipeline() {
  TOpenGLPanel panel;
  panel.OnResize = [](TOpenGLPanel& p) {
    glViewport(0, 0, p.PixelWidth(), p.PixelHeight());
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(45.0, double(p.PixelWidth()) / p.PixelHeight(), 1.0, 20.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glEnable(GL_DEPTH_TEST);
  };
  panel.OnPaint = [](TOpenGLPanel&) {
    glClearColor(0.0f, 0.0f, 1.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    // A red square in front of a green one that covers the left half of the view.
    glBegin(GL_QUADS);
    glColor3f(1, 0, 0);
    glVertex3f(-0.3f, -0.3f, -3.0f);
    glVertex3f(0.3f, -0.3f, -3.0f);
    glVertex3f(0.3f, 0.3f, -3.0f);
    glVertex3f(-0.3f, 0.3f, -3.0f);
    glColor3f(0, 1, 0);
    glVertex3f(-5.0f, -5.0f, -6.0f);
    glVertex3f(0.0f, -5.0f, -6.0f);
    glVertex3f(0.0f, 5.0f, -6.0f);
    glVertex3f(-5.0f, 5.0f, -6.0f);
    glEnd();
  };
  panel.resize(200, 100);
  panel.show();
  QVERIFY(QTest::qWaitForWindowExposed(&panel));
  const QImage img = panel.grabFramebuffer();
  QCOMPARE(img.size(), QSize(200, 100) * panel.devicePixelRatio());
  const int w = img.width(), h = img.height();
  QVERIFY(Near(PixelAt(img, w / 2, h / 2), Qt::red));      // nearer square wins the depth test
  QVERIFY(Near(PixelAt(img, w / 8, h / 2), Qt::green));    // left half behind it
  QVERIFY(Near(PixelAt(img, w - w / 8, h / 2), Qt::blue)); // clear colour elsewhere
  // The projection keeps the square square: its extent is the same in x and y.
  int redW = 0, redH = 0;
  for (int x = 0; x < w; ++x)
    redW += Near(PixelAt(img, x, h / 2), Qt::red);
  for (int y = 0; y < h; ++y)
    redH += Near(PixelAt(img, w / 2, y), Qt::red);
  QVERIFY2(std::abs(redW - redH) <= 1, qPrintable(QString("%1 x %2").arg(redW).arg(redH)));
}

void TestOpenGLPanel::makeCurrentAndRelease() {
  TOpenGLPanel panel;
  panel.resize(64, 64);
  panel.show();
  QVERIFY(QTest::qWaitForWindowExposed(&panel));
  panel.grabFramebuffer();
  QVERIFY(panel.MakeOpenGLPanelCurrent());
  QCOMPARE(QOpenGLContext::currentContext(), panel.context());
  panel.MakeOpenGLPanelNotCurrent();
  QCOMPARE(QOpenGLContext::currentContext(), nullptr);
  QVERIFY(messages.isEmpty());
}

void TestOpenGLPanel::doubleBufferAndGdiExcludeEachOther() {
  TOpenGLPanel panel;
  using P = TOpenGLPanel;
  const unsigned base = P::f_PFD_DRAW_TO_WINDOW | P::f_PFD_SUPPORT_OPENGL;
  QCOMPARE(panel.GetPFDFlags(), base | P::f_PFD_DOUBLEBUFFER);
  QCOMPARE(panel.format().swapBehavior(), QSurfaceFormat::DoubleBuffer);
  // Both given: the newly added GDI support wins over the double buffer set before.
  panel.SetPFDFlags(base | P::f_PFD_SUPPORT_GDI | P::f_PFD_DOUBLEBUFFER);
  QCOMPARE(panel.GetPFDFlags(), base | P::f_PFD_SUPPORT_GDI);
  QCOMPARE(panel.format().swapBehavior(), QSurfaceFormat::SingleBuffer);
  // And back: now the double buffer is the new one.
  panel.SetPFDFlags(base | P::f_PFD_SUPPORT_GDI | P::f_PFD_DOUBLEBUFFER);
  QCOMPARE(panel.GetPFDFlags(), base | P::f_PFD_DOUBLEBUFFER);
  // Neither given: the one not set before is set.
  panel.SetPFDFlags(base);
  QCOMPARE(panel.GetPFDFlags(), base | P::f_PFD_SUPPORT_GDI);
  panel.SetPFDFlags(base);
  QCOMPARE(panel.GetPFDFlags(), base | P::f_PFD_DOUBLEBUFFER);
  QCOMPARE(panel.format().swapBehavior(), QSurfaceFormat::DoubleBuffer);
  // The context asked for is one with the fixed-function pipeline.
  QCOMPARE(panel.format().profile(), QSurfaceFormat::CompatibilityProfile);
}

void TestOpenGLPanel::bitmapTextDrawsOnlyWithTheFontAndKnownGlyphs() {
  TOpenGLPanel withFont, without;
  withFont.Font2D().Enabled = true;
  withFont.Font2D().Height = -14;
  QString text;
  for (TOpenGLPanel* p : {&withFont, &without}) {
    p->OnPaint = [&text](TOpenGLPanel& panel) {
      glClearColor(0, 0, 0, 1);
      glClear(GL_COLOR_BUFFER_BIT);
      glMatrixMode(GL_PROJECTION);
      glLoadIdentity();
      glOrtho(0, panel.PixelWidth(), panel.PixelHeight(), 0, 1, -1);
      glMatrixMode(GL_MODELVIEW);
      glLoadIdentity();
      glColor3f(1, 1, 0);
      glRasterPos2i(5, 30);
      panel.Draw2DText(text);
    };
    p->resize(240, 60);
    p->show();
    QVERIFY(QTest::qWaitForWindowExposed(p));
  }
  text = "Surface: Pol1";
  const QImage drawn = withFont.grabFramebuffer();
  const int yellow = CountColour(drawn, Qt::yellow);
  QVERIFY2(yellow > 40, qPrintable(QString::number(yellow)));
  // The glyphs stand on the raster position: nothing below the baseline's descent, nothing
  // left of it.
  QRect box;
  for (int y = 0; y < drawn.height(); ++y)
    for (int x = 0; x < drawn.width(); ++x)
      if (Near(drawn.pixelColor(x, y), Qt::yellow)) box |= QRect(x, y, 1, 1);
  QVERIFY2(box.left() >= 5 && box.bottom() <= 30 + 5 && box.top() >= 30 - 16,
           qPrintable(QString("%1 %2 %3 %4")
                          .arg(box.left())
                          .arg(box.top())
                          .arg(box.right())
                          .arg(box.bottom())));
  // A longer text is wider.
  text = "Surface: Pol1 and more";
  QVERIFY(CountColour(withFont.grabFramebuffer(), Qt::yellow) > yellow);

  text = "Surface: Pol1";
  QCOMPARE(CountColour(without.grabFramebuffer(), Qt::yellow), 0);
  text = QString::fromUtf8("Поверхность"); // outside the glyph range
  QCOMPARE(CountColour(withFont.grabFramebuffer(), Qt::yellow), 0);
  text = QString("A") + QChar(127 + 1);
  QCOMPARE(CountColour(withFont.grabFramebuffer(), Qt::yellow), 0);
  text.clear();
  QCOMPARE(CountColour(withFont.grabFramebuffer(), Qt::yellow), 0);
}

void TestOpenGLPanel::failedContextIsReportedOnceAndStopsTheEvents() {
  TOpenGLPanel broken;
  // An embedded-profile context has no fixed-function pipeline to draw with.
  QSurfaceFormat impossible = broken.format();
  impossible.setRenderableType(QSurfaceFormat::OpenGLES);
  impossible.setVersion(9, 9);
  broken.setFormat(impossible);
  int inits = 0, paints = 0;
  broken.OnInit = [&](TOpenGLPanel&) { ++inits; };
  broken.OnPaint = [&](TOpenGLPanel&) { ++paints; };
  broken.resize(100, 80);
  broken.show();
  QVERIFY(QTest::qWaitForWindowExposed(&broken));
  broken.resize(120, 90);
  broken.update();
  QTest::qWait(50);
  QCOMPARE(messages, QStringList({"Open GL Context Create Failed"}));
  QCOMPARE(inits, 0);
  QCOMPARE(paints, 0);
  QVERIFY(!broken.MakeOpenGLPanelCurrent());
  QCOMPARE(messages.size(), 1);

  // The rest of the program goes on: another panel still draws.
  TOpenGLPanel good;
  good.OnPaint = [](TOpenGLPanel&) {
    glClearColor(1, 0, 1, 1);
    glClear(GL_COLOR_BUFFER_BIT);
  };
  good.resize(50, 50);
  good.show();
  QVERIFY(QTest::qWaitForWindowExposed(&good));
  QVERIFY(Near(good.grabFramebuffer().pixelColor(25, 25), Qt::magenta));
}

void TestOpenGLPanel::machineWithoutOpenGLShowsTheMessage() {
  // Without an OpenGL binding of the window system no context can be made at all. The
  // binding is chosen at start, so this case runs in a child process of its own.
  if (qEnvironmentVariable("QT_XCB_GL_INTEGRATION") != "none") {
    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_XCB_GL_INTEGRATION", "none");
    child.setProcessEnvironment(env);
    child.start(QCoreApplication::applicationFilePath(), {"machineWithoutOpenGLShowsTheMessage"});
    QVERIFY(child.waitForFinished(60000));
    const QByteArray out = child.readAllStandardOutput();
    QVERIFY2(child.exitStatus() == QProcess::NormalExit && child.exitCode() == 0, out.constData());
    QVERIFY2(out.contains("PASS   : TestOpenGLPanel::machineWithoutOpenGLShowsTheMessage()"),
             out.constData());
    return;
  }
  QVERIFY(!TOpenGLPanel::IsOpenGLAvailable());
  TOpenGLPanel::ReportContextCreateFailed();
  QCOMPARE(messages, QStringList({"Open GL Context Create Failed"}));
  // Without a panel the window system goes on working.
  QWidget plain;
  plain.resize(50, 50);
  plain.show();
  QVERIFY(QTest::qWaitForWindowExposed(&plain));
}

QTEST_MAIN(TestOpenGLPanel)
#include "test_openglpanel.moc"
