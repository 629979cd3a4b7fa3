// The surface page: set-up of the dependence, the number fields, the drawn surfaces read back
// from the panel, turning and animation. The page is driven through its controls, found by
// name; where the picture is turned, the test turns a view of its own alike and projects with
// it.
//
// With TERMIX_SCREENSHOTS set to a folder, the page is also saved there with the plane, the
// sphere with its mirror sheet, a wireframe and a lit solid.
//
// The page opens turned off the coordinate planes; each case starts by dragging it back to the
// unturned view, which the probes below assume.
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMatrix4x4>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTimer>
#include <QtTest>

#include <GL/gl.h>

#include <cmath>
#include <map>
#include <memory>

#include "SaveDialogSupport.h"
#include "core/TMonom.h"
#include "gl/TOpenGLPanel.h"
#include "surface/TImplicitMesh.h"
#include "surface/TSurfaceView.h"
#include "surface/TViewTurn.h"
#include "ui/RegionFitter.h"
#include "ui/SurfacePage.h"

using LISTSTRUCT::TMonom;
using LISTSTRUCT::TPolinom;

namespace {

const QColor ClearColour(0, 75, 35);
const QColor SurfaceColour(205, 230, 30);
const QColor AxesColour(55, 255, 45);

bool Near(const QColor& a, const QColor& b, int tol = 4) {
  return std::abs(a.red() - b.red()) <= tol && std::abs(a.green() - b.green()) <= tol &&
         std::abs(a.blue() - b.blue()) <= tol;
}

QString Describe(const QColor& c) {
  return QString("(%1,%2,%3)").arg(c.red()).arg(c.green()).arg(c.blue());
}

int Count(const QImage& img, const QColor& c, QRect area = {}) {
  if (area.isNull()) area = img.rect();
  int n = 0;
  for (int y = area.top(); y <= area.bottom(); ++y)
    for (int x = area.left(); x <= area.right(); ++x)
      if (Near(img.pixelColor(x, y), c)) ++n;
  return n;
}

// A polynomial from (coefficient, px, py, pz) terms.
TPolinom Pol(std::initializer_list<std::array<float, 4>> terms) {
  TPolinom p;
  for (const auto& t : terms)
    TPolinom::AddMonom(p, TMonom(t[0], TMonom::MakeIndex(int(t[1]), int(t[2]), int(t[3]))));
  return p;
}

} // namespace

class TestSurfacePage : public QObject {
  Q_OBJECT
private slots:
  void initTestCase();
  void init();
  void cleanup();

  void controlsAndTextsAtStart();
  void setUpShowsTheFunctionMessage();
  void setUpRunsWhenShownAndWhenTheFocusEnters();
  void numberFieldsKeepTheLastGoodValue();
  void surfaceFollowsTheFieldsAtOnce();
  void wireframeCoversLessThanSolid();
  void axesWithStippleAndArrowHeads();
  void lightingIsTwoSided();
  void implicitMeshIsLitSolidAndSaved();
  void captionNamesTheSurface();
  void dragTurnsHalfADegreePerPixel();
  void animationTurnsFiveDegreesPerTick();
  void projectionFollowsThePanel();
  void openingTurnZoomLettersAndFit();

private:
  template <class T> T* Find(const char* name) const {
    T* found = page->findChild<T*>(name);
    if (!found) qFatal("no control %s", name);
    return found;
  }
  QLineEdit* Edit(const char* name) const { return Find<QLineEdit>(name); }
  QAbstractButton* Button(const char* name) const { return Find<QAbstractButton>(name); }
  QSpinBox* Spin(const char* name) const { return Find<QSpinBox>(name); }
  QDoubleSpinBox* Size(const char* name) const { return Find<QDoubleSpinBox>(name); }
  TOpenGLPanel* Panel() const { return Find<TOpenGLPanel>("PanGLSurface"); }
  QString Errors() const { return Edit("EdErrors")->text(); }
  QString Status() const { return Edit("EdSurfStatus")->text(); }
  // Sends the pointer's press, move and release to the panel with the button.
  void Mouse(QEvent::Type type, QPoint pos, Qt::MouseButton button, Qt::MouseButtons buttons);
  // Drags the picture with the left button by (dx, dy) pixels; View turns alike.
  void Drag(int dx, int dy);
  // Waits until the implicit mesh is no longer being built.
  bool MeshBuilt() {
    return QTest::qWaitFor([this] { return Status() != QString("Построение сетки…"); }, 10000);
  }
  // With no surface only the axes are drawn: whether the tips of their positive halves lie
  // where the turned projection puts them.
  bool AxesWhereProjected();
  // Saves through the panel's menu item, answering its file dialog with path.
  bool SaveThroughMenu(const char* action, const QString& path);
  // The page with a table of named polynomials, shown with the panel at a known size.
  void Choose(const char* name);
  void SetC(const QString& text);
  QImage Frame() { return Panel()->grabFramebuffer(); }
  // With TERMIX_SCREENSHOTS naming a folder, the page is saved there as a picture.
  void Shot(const char* fileName) {
    const QString folder = qEnvironmentVariable("TERMIX_SCREENSHOTS");
    if (folder.isEmpty()) return;
    QDir().mkpath(folder);
    QVERIFY(page->grab().save(QDir(folder).filePath(fileName)));
  }
  // Pixel of a drawing-space point in the frame.
  QPoint Project(float x, float y, float z) const;
  QColor At(const QImage& img, float x, float y, float z) const {
    const QPoint p = Project(x, y, z);
    return img.pixelColor(p);
  }

  std::map<std::string, TPolinom> table;
  std::unique_ptr<TSurfacePage> page;
  TRANSSTRUCT::TSurfaceView View; // the turn the picture is expected to have
  QStringList messages;
};

void TestSurfacePage::initTestCase() {
  QVERIFY2(TOpenGLPanel::IsOpenGLAvailable(), "the rendering cases need OpenGL (Mesa)");
  table["Plane"] = Pol({{1, 1, 0, 0}, {1, 0, 1, 0}, {1, 0, 0, 1}});
  table["Sphere"] = Pol({{1, 2, 0, 0}, {1, 0, 2, 0}, {1, 0, 0, 2}});
  table["NoZ"] = Pol({{1, 1, 1, 0}, {2, 0, 0, 0}});
  // (x^2 + y^2 + z^2 + 0.6)^2 - 2.4 (x^2 + y^2): a tube around a circle for c > 0.
  TPolinom s = Pol({{1, 2, 0, 0}, {1, 0, 2, 0}, {1, 0, 0, 2}, {0.6f, 0, 0, 0}});
  table["Quartic"] = s * s - Pol({{2.4f, 2, 0, 0}, {2.4f, 0, 2, 0}});
  table["TwoPowers"] = Pol({{1, 2, 0, 0}, {1, 1, 0, 0}, {1, 0, 0, 1}});
  // (x^2 + y^2 + z^2)^2 - 8.5 (x^2 + y^2) + 7.5 z^2 = -14.0625: a torus of radii 2 and 0.5.
  TPolinom r = Pol({{1, 2, 0, 0}, {1, 0, 2, 0}, {1, 0, 0, 2}});
  table["Torus"] = r * r - Pol({{8.5f, 2, 0, 0}, {8.5f, 0, 2, 0}, {-7.5f, 0, 0, 2}});
}

void TestSurfacePage::init() {
  TOpenGLPanel::SetMessageSink([this](const QString& t) { messages << t; });
  page = std::make_unique<TSurfacePage>();
  page->SetPolinomLookup([this](const std::string& key, TPolinom& out) {
    auto it = table.find(key);
    if (it == table.end()) return false;
    out = it->second;
    return true;
  });
  page->resize(900, 420);
  page->show();
  QVERIFY(QTest::qWaitForWindowExposed(page.get()));
  QVERIFY(Panel()->width() > 300 && Panel()->height() > 200);
  View = TRANSSTRUCT::TSurfaceView::Opening();
  Drag(int(-2 * View.GetAngleY()), int(-2 * View.GetAngleX()));
  QCOMPARE(View.GetAngleY(), 0.0f);
  QCOMPARE(View.GetAngleX(), 0.0f);
}

void TestSurfacePage::cleanup() {
  page.reset();
  TOpenGLPanel::SetMessageSink({});
  QVERIFY2(messages.isEmpty(), qPrintable(messages.join('|')));
  messages.clear();
}

void TestSurfacePage::Choose(const char* name) {
  page->SetChoice(int(std::distance(table.begin(), table.find(name))), name);
  page->TShSurfEnter();
}

void TestSurfacePage::SetC(const QString& text) {
  Edit("EdFuncVal")->setText(text);
  emit Edit("EdFuncVal")->editingFinished();
}

void TestSurfacePage::Mouse(QEvent::Type type, QPoint pos, Qt::MouseButton button,
                            Qt::MouseButtons buttons) {
  TOpenGLPanel* panel = Panel();
  QMouseEvent e(type, pos, panel->mapToGlobal(pos), button, buttons, Qt::NoModifier);
  QApplication::sendEvent(panel, &e);
}

void TestSurfacePage::Drag(int dx, int dy) {
  const QPoint from(100, 100), to(100 + dx, 100 + dy);
  Mouse(QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton);
  Mouse(QEvent::MouseMove, to, Qt::NoButton, Qt::LeftButton);
  Mouse(QEvent::MouseButtonRelease, to, Qt::LeftButton, Qt::NoButton);
  View.Press(true, from.x(), from.y());
  View.Move(to.x(), to.y());
  View.Release(true);
}

bool TestSurfacePage::SaveThroughMenu(const char* action, const QString& path) {
  const auto answered = TermixTest::AnswerFileDialog(path);
  Find<QAction>(action)->trigger();
  return *answered;
}

bool TestSurfacePage::AxesWhereProjected() {
  const QImage img = Frame();
  for (const QVector3D& tip :
       {QVector3D(1.2f, 0, 0), QVector3D(0, 1.2f, 0), QVector3D(0, 0, 1.2f)}) {
    const QPoint p = Project(tip.x(), tip.y(), tip.z());
    bool hit = false;
    for (int dy = -1; dy <= 1; ++dy)
      for (int dx = -1; dx <= 1; ++dx)
        hit |= Near(img.pixelColor(p.x() + dx, p.y() + dy), AxesColour);
    if (!hit) return false;
  }
  return true;
}

QPoint TestSurfacePage::Project(float x, float y, float z) const {
  const TOpenGLPanel* panel = Panel();
  const int w = panel->PixelWidth(), h = panel->PixelHeight();
  QMatrix4x4 m;
  m.perspective(45.0f, float(w) / float(h), 1.0f, 20.0f);
  m.translate(0, 0, -3.5f);
  m.rotate(View.GetAngleY(), 0, 1, 0);
  m.rotate(View.GetAngleX(), 1, 0, 0);
  m.rotate(-90.0f, 1, 0, 0);
  m.scale(0.7f * View.GetZoom());
  const QVector3D ndc = m.map(QVector3D(x, y, z)); // includes the division by w
  return QPoint(int((ndc.x() + 1.0f) * 0.5f * float(w)), int((1.0f - ndc.y()) * 0.5f * float(h)));
}

void TestSurfacePage::controlsAndTextsAtStart() {
  auto text = [this](const char* name) {
    if (auto* e = page->findChild<QLineEdit*>(name)) return e->text();
    if (auto* b = page->findChild<QAbstractButton*>(name)) return b->text();
    if (auto* l = page->findChild<QLabel*>(name)) return l->text();
    return QString("<missing %1>").arg(name);
  };
  {
    TSurfacePage unshown; // showing runs the set-up, which replaces the first text
    QCOMPARE(unshown.findChild<QLineEdit*>("EdErrors")->text(), QString("Полином не выбран !"));
  }
  QCOMPARE(text("EdErrors"), QString("Полином не выбран!"));
  QLineEdit* errors = Edit("EdErrors");
  QVERIFY(errors->isReadOnly());
  // The hint, then the whole message.
  QCOMPARE(
      errors->toolTip(),
      QString("Ошибки при установлении зависимости и рисовании поверхности\nПолином не выбран!"));
  QCOMPARE(errors->palette().color(QPalette::Text), QColor(Qt::red));
  QVERIFY(errors->font().bold());
  QCOMPARE(text("EdFuncVal"), QString("0"));
  QCOMPARE(text("LbFuncVal"), QString("Знач. неявной ф-и F(x,y,z)="));
  for (const char* name : {"EdX0", "EdY0", "EdZ0"})
    QCOMPARE(text(name), QString("0"));
  QCOMPARE(text("LbCentre"), QString("Центр области просмотра:"));
  QCOMPARE(text("LbSizes"), QString("Размеры области просмотра:"));
  for (const char* name : {"CESizeX", "CESizeY", "CESizeZ"}) {
    QDoubleSpinBox* spin = Size(name);
    QCOMPARE(spin->value(), 1.0);
    QCOMPARE(spin->minimum(), 1.0);
    QCOMPARE(spin->maximum(), 1000.0);
    QCOMPARE(spin->text(), QString("1"));
  }
  QCOMPARE(text("LbVar"), QString("Выбор зависимой переменной:"));
  QCOMPARE(text("RBVarZ"), QString("Z (x,y);"));
  QCOMPARE(text("RBVarY"), QString("Y (x,z);"));
  QCOMPARE(text("RBVarX"), QString("X(y,z);"));
  QVERIFY(Button("RBVarZ")->isChecked() && !Button("RBVarY")->isChecked() &&
          !Button("RBVarX")->isChecked());
  QCOMPARE(Find<QGroupBox>("GBOptions")->title(), QString("Surface options"));
  QCOMPARE(text("CBLighting"), QString("Lighting;"));
  QCOMPARE(text("CBAxis"), QString("Cordinate Axis;"));
  QCOMPARE(text("RBWireframe"), QString("Wireframe;"));
  QCOMPARE(text("RBSolid"), QString("Solid;"));
  QCOMPARE(text("CBAnimate"), QString("Animate;"));
  QVERIFY(!Button("CBLighting")->isChecked() && Button("CBAxis")->isChecked());
  QVERIFY(Button("RBWireframe")->isChecked() && !Button("CBAnimate")->isChecked());
  QTimer* timer = Find<QTimer>("Timer1");
  QVERIFY(!timer->isActive());
  QCOMPARE(timer->interval(), 50);
  QCOMPARE(Panel()->toolTip(), QString("Surface: No"));
  // Every number field is reached through its label.
  QCOMPARE(Find<QLabel>("LbX0")->buddy(), Edit("EdX0"));
  QCOMPARE(Find<QLabel>("LbSizeZ")->buddy(), Size("CESizeZ"));
  QCOMPARE(Find<QLabel>("LbFuncVal")->buddy(), Edit("EdFuncVal"));
}

void TestSurfacePage::setUpShowsTheFunctionMessage() {
  // No surface drawn: below the caption only the clear colour and the axes.
  auto drawn = [this] {
    const QImage img = Frame();
    return Count(img, SurfaceColour, QRect(0, 30, img.width(), img.height() - 30)) > 0;
  };
  page->TShSurfEnter();
  QCOMPARE(Errors(), QString("Полином не выбран!"));
  QVERIFY(!drawn());

  Choose("Sphere");
  QCOMPARE(Errors(), QString("Зависимость установлена"));
  QVERIFY(drawn());
  QCOMPARE(Panel()->toolTip(), QString("Surface: Sphere"));

  // The choice alone does not rebuild the surface.
  page->SetChoice(3, "NoZ");
  QVERIFY(drawn());
  page->TShSurfEnter();
  QVERIFY(!drawn());
  QCOMPARE(Errors(), QString("Переменная Z не может быть выражена из полинома"));
  // Another dependent variable: x can be expressed from x*y + 2.
  Button("RBVarX")->click();
  QVERIFY(drawn());
  QCOMPARE(Errors(), QString("Зависимость установлена"));

  page->SetChoice(5, "TwoPowers");
  Button("RBVarX")->click(); // already selected: the click sets it up again all the same
  QCOMPARE(Errors(), QString("Переменная X не может быть выражена из полинома"));
  Button("RBVarY")->click();
  QCOMPARE(Errors(), QString("Переменная Y не может быть выражена из полинома"));
  QVERIFY(!drawn());

  // Emptying the choice (the lists were refilled) keeps the hint; entering reports it.
  page->SetChoice(-1, "Полином не выбран");
  QCOMPARE(Panel()->toolTip(), QString("Surface: TwoPowers"));
  page->TShSurfEnter();
  QCOMPARE(Errors(), QString("Полином не выбран!"));
}

void TestSurfacePage::setUpRunsWhenShownAndWhenTheFocusEnters() {
  QWidget window;
  auto* outside = new QLineEdit(&window);
  auto* inner = new TSurfacePage(&window);
  inner->SetPolinomLookup([this](const std::string& key, TPolinom& out) {
    out = table.at(key);
    return true;
  });
  auto* innerErrors = inner->findChild<QLineEdit*>("EdErrors");
  inner->move(0, 30);
  inner->resize(700, 250);
  inner->hide();
  window.resize(720, 300);
  window.show();
  QVERIFY(QTest::qWaitForWindowExposed(&window));
  page->hide();
  window.activateWindow();
  QVERIFY(QTest::qWaitForWindowActive(&window));
  outside->setFocus();
  QTRY_VERIFY(outside->hasFocus());

  inner->SetChoice(0, "Plane");
  QCOMPARE(innerErrors->text(), QString("Полином не выбран !")); // not set up yet
  inner->show();                                                 // turned to by a page button
  QCOMPARE(innerErrors->text(), QString("Зависимость установлена"));

  inner->SetChoice(1, "NoZ");
  QCOMPARE(innerErrors->text(), QString("Зависимость установлена"));
  QLineEdit* x0 = inner->findChild<QLineEdit*>("EdX0");
  x0->setFocus(); // the focus enters the page
  QTRY_VERIFY(x0->hasFocus());
  QCOMPARE(innerErrors->text(), QString("Переменная Z не может быть выражена из полинома"));
}

void TestSurfacePage::numberFieldsKeepTheLastGoodValue() {
  Choose("Sphere");
  QLineEdit* value = Edit("EdFuncVal");
  // A valid number takes effect at once and sets the surface up again.
  QTest::keyClicks(value, "5");
  QCOMPARE(value->text(), QString("05"));
  // Typing a negative number goes through a text that is no number yet, which leaves c as it
  // was: the field left then gets the last good value back.
  value->selectAll();
  QTest::keyClicks(value, "-");
  QCOMPARE(value->text(), QString("-"));
  emit value->editingFinished();
  QCOMPARE(value->text(), QString("5.0"));
  value->selectAll();
  QTest::keyClicks(value, "-2.5");
  QCOMPARE(Errors(), QString("Зависимость установлена"));
  SetC("abc");
  QCOMPARE(value->text(), QString("-2.5"));
  SetC("");
  QCOMPARE(value->text(), QString("-2.5"));

  QLineEdit* y0 = Edit("EdY0");
  y0->setText("1.5");
  y0->setText("1.5.");
  emit y0->editingFinished();
  QCOMPARE(y0->text(), QString("1.5"));
  QLineEdit* z0 = Edit("EdZ0");
  z0->setText("q");
  emit z0->editingFinished();
  QCOMPARE(z0->text(), QString("0.0"));
}

void TestSurfacePage::surfaceFollowsTheFieldsAtOnce() {
  // The geometry itself is the engine's (TSurfaceMesh); here a few probes show that the page
  // draws it and rebuilds it after every field that changes it.
  Button("CBAxis")->click();
  Button("RBSolid")->click();
  Choose("Plane"); // z = -x - y
  QImage img = Frame();
  Shot("surface_plane.png");
  for (float x : {-0.7f, 0.2f})
    QVERIFY(Near(At(img, x, 0.1f, -x - 0.1f), SurfaceColour));
  QVERIFY(Near(At(img, 0.5f, -0.5f, 1.2f), ClearColour));
  SetC("1"); // x + y + z = 1
  QVERIFY(Near(At(Frame(), 0.5f, -0.5f, 1.0f), SurfaceColour));
  Edit("EdX0")->setText("1"); // the values are those at x + 1
  img = Frame();
  QVERIFY(Near(At(img, 0.5f, -0.5f, 0.0f), SurfaceColour));
  QVERIFY(Near(At(img, 0.5f, -0.5f, 1.0f), ClearColour));
  Size("CESizeZ")->setValue(2); // half the height
  QVERIFY(Near(At(Frame(), -0.8f, -0.8f, 0.5f), SurfaceColour));
  Size("CESizeZ")->setValue(1);
  Size("CESizeY")->setValue(2); // the grid line y = -0.5 of the drawing is y = -1
  QVERIFY(Near(At(Frame(), 0.5f, -0.5f, 0.5f), SurfaceColour));

  Edit("EdX0")->setText("0");
  Size("CESizeY")->setValue(1);
  Choose("Sphere"); // x^2 + y^2 + z^2 = 1: the upper half and its mirror
  img = Frame();
  Shot("surface_sphere_mirror.png");
  QVERIFY(Near(At(img, 0, 0, 0.9f), SurfaceColour));
  QVERIFY(Near(At(img, 0, 0, -0.9f), SurfaceColour));
  QVERIFY(Near(At(img, 0, 0, 1.25f), ClearColour));
  QVERIFY(Near(At(img, 0.97f, -0.97f, 0.0f), ClearColour)); // a cell with no defined corner
}

void TestSurfacePage::wireframeCoversLessThanSolid() {
  Button("CBAxis")->click();
  Edit("EdFuncVal")->setText("1");
  Choose("Sphere");
  QVERIFY(Button("RBWireframe")->isChecked());
  const QImage wire = Frame();
  Shot("surface_sphere_wireframe.png");
  Button("RBSolid")->click();
  const QImage solid = Frame();
  const int w = Count(wire, SurfaceColour), s = Count(solid, SurfaceColour);
  QVERIFY2(w > s / 20 && w < s / 2, qPrintable(QString("wire %1 solid %2").arg(w).arg(s)));
  Button("RBWireframe")->click();
  QCOMPARE(Count(Frame(), SurfaceColour), w);
  // Seen from above, inside a cell the wireframe shows the clear colour, on the grid line
  // the surface colour.
  Drag(0, 180);
  const QImage above = Frame();
  const float z = std::sqrt(1.0f - 2 * 0.05f * 0.05f);
  QVERIFY(Near(At(above, 0.05f, 0.05f, z), ClearColour));
  QVERIFY(Near(At(above, 0.1f, 0.05f, z), SurfaceColour));

  // The implicit mesh of 48 cells a side drawn as a wireframe shows its contour lines, the
  // hidden ones left out: far less than the solid, where every triangle's edges were a blob.
  Drag(0, -180);
  Button("RBImplicitSurface")->click();
  QVERIFY(MeshBuilt());
  QCOMPARE(Spin("CEMeshCells")->value(), 48);
  const int meshWire = Count(Frame(), SurfaceColour);
  Shot("surface_sphere_contours.png");
  Button("RBSolid")->click();
  const int meshSolid = Count(Frame(), SurfaceColour);
  QVERIFY2(meshWire > meshSolid / 30 && meshWire < meshSolid / 4,
           qPrintable(QString("wire %1 solid %2").arg(meshWire).arg(meshSolid)));
}

void TestSurfacePage::axesWithStippleAndArrowHeads() {
  // No surface: only the clear colour and the axes.
  const QImage img = Frame();
  QVERIFY(Near(At(img, 0.75f, 0, 0), AxesColour));
  QVERIFY(Near(At(img, 0, 0, 0.75f), AxesColour));
  // Along the negative half the dashes leave gaps; the positive half is solid.
  auto coverage = [&](float sign) {
    int hits = 0, samples = 0;
    for (float t = 0.1f; t < 1.4f; t += 0.01f, ++samples) {
      const QPoint p = Project(sign * t, 0, 0);
      bool hit = false;
      for (int dy = -1; dy <= 1; ++dy)
        hit |= Near(img.pixelColor(p.x(), p.y() + dy), AxesColour);
      hits += hit;
    }
    return double(hits) / samples;
  };
  QVERIFY2(coverage(1.0f) > 0.97, qPrintable(QString::number(coverage(1.0f))));
  QVERIFY2(coverage(-1.0f) < 0.8 && coverage(-1.0f) > 0.3,
           qPrintable(QString::number(coverage(-1.0f))));
  const int axisPixels = Count(img, AxesColour);
  QVERIFY(axisPixels > 100);
  QCOMPARE(Count(img, ClearColour) + axisPixels + Count(img, SurfaceColour),
           img.width() * img.height()); // nothing else but the caption

  // The arrowheads lie in the planes of the axes through the viewing direction; seen from
  // above, the X head is a triangle much wider than the line.
  Drag(0, 180);
  const QImage above = Frame();
  Shot("surface_axes_from_above.png");
  auto column = [&](float x) {
    const QPoint p = Project(x, 0, 0);
    int n = 0;
    for (int dy = -15; dy <= 15; ++dy)
      n += Near(above.pixelColor(p.x(), p.y() + dy), AxesColour);
    return n;
  };
  QVERIFY2(column(1.0f) <= 3, qPrintable(QString::number(column(1.0f))));
  QVERIFY2(column(1.45f) >= 6, qPrintable(QString::number(column(1.45f))));
  QVERIFY(Near(At(above, 1.52f, 0, 0), ClearColour));

  Button("CBAxis")->click();
  QCOMPARE(Count(Frame(), AxesColour), 0);
}

void TestSurfacePage::lightingIsTwoSided() {
  // Lit, the front shows the front material (yellow-green), the back adds the back
  // material's orange emission; the normals of grad F shade the surface by its shape.
  auto frontLike = [](const QColor& c) { return c.green() >= c.red() && c.blue() < c.green(); };
  auto backLike = [](const QColor& c) { return c.red() > c.green() + 20; };
  Button("CBAxis")->click();
  Button("RBSolid")->click();
  Choose("Plane");
  Button("CBLighting")->click();
  QImage img = Frame();
  Shot("surface_plane_lit_back.png");
  // The viewer looks at the plane's lower side (the corner order turns its front upwards).
  const QColor back = At(img, 0.2f, 0.1f, -0.3f);
  QVERIFY2(backLike(back), qPrintable(Describe(back)));
  QCOMPARE(Count(img, SurfaceColour, QRect(0, 30, img.width(), img.height() - 30)), 0);
  Drag(360, 0); // half a turn about the vertical axis
  img = Frame();
  const QColor front = At(img, 0.2f, 0.1f, -0.3f);
  QVERIFY2(frontLike(front), qPrintable(Describe(front)));
  QVERIFY(Near(At(img, -0.6f, 0.5f, 0.1f), front, 2)); // a plane has one normal
  // The mirror sheet of a dependent z has its corners in reverse order, so both halves of
  // the sphere turn their front outwards. The light shines from the viewer: the sphere is
  // brightest where it faces the viewer and darker towards its top and bottom.
  Drag(-360, 0);
  Edit("EdFuncVal")->setText("1");
  Choose("Sphere");
  img = Frame();
  Shot("surface_sphere_lit_solid.png");
  for (float h : {0.5f, 0.9f, -0.5f, -0.9f})
    QVERIFY2(frontLike(At(img, 0, 0, h)), qPrintable(Describe(At(img, 0, 0, h))));
  for (float sign : {1.0f, -1.0f}) {
    const int facing = At(img, 0, 0, sign * 0.5f).green();
    const int tilted = At(img, 0, 0, sign * 0.9f).green();
    QVERIFY2(facing > tilted + 40, qPrintable(QString("%1 %2").arg(facing).arg(tilted)));
  }
  Button("CBLighting")->click();
  img = Frame();
  QVERIFY(Near(At(img, 0, 0, -0.6f), SurfaceColour));
}

void TestSurfacePage::implicitMeshIsLitSolidAndSaved() {
  Button("CBAxis")->click();
  Button("RBSolid")->click();
  Button("CBLighting")->click();
  Edit("EdFuncVal")->setText("0.64"); // the sphere of radius 0.8
  Choose("Sphere");
  // Lit and solid, both methods shade the sphere by its shape: every pixel of the disc shows
  // the front material, brighter where the surface faces the light (from the viewer).
  auto expectShadedDisc = [&](const char* method) {
    const QImage img = Frame();
    int darkest = 255, brightest = 0;
    QSet<QRgb> colours;
    for (float x = -0.65f; x <= 0.66f; x += 0.1f)
      for (float z = -0.65f; z <= 0.66f; z += 0.1f) {
        if (x * x + z * z > 0.65f * 0.65f) continue;
        const QColor c = At(img, x, 0, z);
        QVERIFY2(c.green() >= c.red() && !Near(c, ClearColour),
                 qPrintable(QString("%1 at %2 %3: %4").arg(method).arg(x).arg(z).arg(Describe(c))));
        darkest = std::min(darkest, c.green());
        brightest = std::max(brightest, c.green());
        colours.insert(c.rgb());
      }
    QVERIFY2(brightest - darkest > 40 && colours.size() > 10,
             qPrintable(QString("%1: %2..%3, %4 colours")
                            .arg(method)
                            .arg(darkest)
                            .arg(brightest)
                            .arg(colours.size())));
  };
  expectShadedDisc("explicit");
  QSpinBox* cells = Spin("CEMeshCells");
  QVERIFY(!cells->isEnabled() && Button("RBVarZ")->isEnabled());

  // The method's controls follow the message lines in the tab order, as in the layout.
  QList<QWidget*> chain;
  for (QWidget* w = Edit("EdErrors")->nextInFocusChain(); chain.size() < 5;
       w = w->nextInFocusChain())
    if ((w->focusPolicy() & Qt::TabFocus) && !qobject_cast<QSpinBox*>(w->parentWidget()))
      chain << w;
  QCOMPARE(chain, (QList<QWidget*>{Edit("EdSurfStatus"), Button("RBExplicitFunction"),
                                   Button("RBImplicitSurface"), cells, Edit("EdFuncVal")}));

  Button("RBImplicitSurface")->click();
  QVERIFY(!Button("RBVarZ")->isEnabled() && !Button("RBVarX")->isEnabled());
  QVERIFY(cells->isEnabled());
  QCOMPARE(cells->value(), 48);
  QVERIFY(MeshBuilt());
  // The notice line, in plain text, counts the triangles of the engine's mesh of the same
  // surface; the message line has no failure to tell.
  TRANSSTRUCT::TImplicitMesh mesh;
  const TRANSSTRUCT::TViewRegion unit;
  mesh.Build(table["Sphere"], 0.64f, unit, 48);
  QCOMPARE(Status(), QString("Построено треугольников: %1").arg(mesh.GetTriangleCount()));
  QVERIFY(Errors().isEmpty());
  QVERIFY(!Edit("EdSurfStatus")->font().bold() &&
          Edit("EdSurfStatus")->palette().color(QPalette::Text) != Qt::red);
  expectShadedDisc("implicit");
  Drag(60, 40);
  Shot("surface_implicit_sphere_lit.png");

  // The panel's menu saves the picture at the panel's size, and the mesh as STL or OBJ.
  emit Panel()->customContextMenuRequested(QPoint(20, 20));
  QVERIFY(Find<QAction>("ActSaveImage")->isEnabled() && Find<QAction>("ActSaveMesh")->isEnabled());
  Find<QMenu>("PanelMenu")->close();
  QTemporaryDir folder;
  const QImage shown = Frame();
  QVERIFY(SaveThroughMenu("ActSaveImage", folder.filePath("Sphere.png")));
  const QImage saved(folder.filePath("Sphere.png"));
  QCOMPARE(saved.size(), QSize(Panel()->PixelWidth(), Panel()->PixelHeight()));
  QCOMPARE(saved.convertToFormat(QImage::Format_RGB32),
           shown.convertToFormat(QImage::Format_RGB32));
  QVERIFY(SaveThroughMenu("ActSaveMesh", folder.filePath("Sphere.stl")));
  QCOMPARE(QFileInfo(folder.filePath("Sphere.stl")).size(),
           qint64(84 + 50 * mesh.GetTriangleCount()));
  QVERIFY(SaveThroughMenu("ActSaveMesh", folder.filePath("Sphere.obj")));
  QCOMPARE(Status(), "Сохранено: " + folder.filePath("Sphere.obj"));
  QFile obj(folder.filePath("Sphere.obj"));
  QVERIFY(obj.open(QIODevice::ReadOnly));
  QCOMPARE(obj.readLine(), QByteArray("# Sphere\n"));
  // Coming back to the page with the same inputs draws the standing mesh, building nothing.
  page->TShSurfEnter();
  QCOMPARE(Status(), QString("Построено треугольников: %1").arg(mesh.GetTriangleCount()));
  QVERIFY(SaveThroughMenu("ActSaveImage", folder.filePath("Sphere.png/x.png")));
  QVERIFY(Errors().startsWith("Не удалось сохранить"));
  QVERIFY(Status().isEmpty());

  // Fewer cells, fewer triangles; a level the sphere never reaches draws nothing.
  cells->setValue(16);
  QVERIFY(MeshBuilt());
  mesh.Build(table["Sphere"], 0.64f, unit, 16);
  QCOMPARE(Status(), QString("Построено треугольников: %1").arg(mesh.GetTriangleCount()));
  SetC("-1");
  QVERIFY(MeshBuilt());
  QCOMPARE(Errors(), QString("Поверхность не пересекает область просмотра"));
  QVERIFY(Status().isEmpty());
  QVERIFY(Near(At(Frame(), 0, 0, 0), ClearColour));
  emit Panel()->customContextMenuRequested(QPoint(20, 20));
  QVERIFY(!Find<QAction>("ActSaveMesh")->isEnabled());
  Find<QMenu>("PanelMenu")->close();

  // Any polynomial: the quartic tube, whose dependent variable cannot be expressed.
  cells->setValue(64);
  for (const char* size : {"CESizeX", "CESizeY", "CESizeZ"})
    Size(size)->setValue(2);
  SetC("0.3");
  Choose("Quartic");
  QVERIFY(MeshBuilt());
  QVERIFY(Status().startsWith("Построено треугольников: "));
  Drag(-20, 60);
  QVERIFY(Near(At(Frame(), 0, 0, 0), ClearColour)); // the hole in the middle
  Shot("surface_implicit_quartic_lit.png");

  Button("RBExplicitFunction")->click();
  QVERIFY(Button("RBVarZ")->isEnabled() && !cells->isEnabled());
  QCOMPARE(Errors(), QString("Переменная Z не может быть выражена из полинома"));
}

void TestSurfacePage::captionNamesTheSurface() {
  const QRect band(0, 0, 200, 24);
  const int atStart = Count(Frame(), SurfaceColour, band); // "Surface: No"
  QVERIFY(atStart > 20);
  page->SetChoice(3, "NoZ");
  page->TShSurfEnter(); // no surface is drawn: the surface colour there is the caption's
  QCOMPARE(Errors(), QString("Переменная Z не может быть выражена из полинома"));
  const QImage img = Frame();
  QVERIFY(Count(img, SurfaceColour, band) > atStart);
  QCOMPARE(Count(img, SurfaceColour, QRect(0, 30, img.width(), img.height() - 30)), 0);
}

void TestSurfacePage::dragTurnsHalfADegreePerPixel() {
  QVERIFY(AxesWhereProjected());
  const QImage before = Frame();
  Mouse(QEvent::MouseButtonPress, {50, 50}, Qt::RightButton, Qt::RightButton);
  Mouse(QEvent::MouseMove, {70, 50}, Qt::NoButton, Qt::RightButton);
  Mouse(QEvent::MouseButtonRelease, {70, 50}, Qt::RightButton, Qt::NoButton);
  QCOMPARE(Frame(), before); // only the left button turns the picture

  Drag(60, 0);
  QVERIFY(AxesWhereProjected());
  Drag(0, 40);
  QVERIFY(AxesWhereProjected());
  const QImage turned = Frame();
  QVERIFY(turned != before);
  Mouse(QEvent::MouseMove, {140, 166}, Qt::NoButton, Qt::NoButton); // no button held
  QCOMPARE(Frame(), turned);
}

void TestSurfacePage::animationTurnsFiveDegreesPerTick() {
  QTimer* timer = Find<QTimer>("Timer1");
  Button("CBAnimate")->click();
  QVERIFY(timer->isActive());
  QCOMPARE(timer->interval(), 50);
  // Twenty ticks, one second of animation, delivered at once.
  for (int tick = 0; tick < 20; ++tick) {
    QTimerEvent event(timer->timerId());
    QCoreApplication::sendEvent(timer, &event);
    View.Tick();
  }
  QVERIFY(AxesWhereProjected());
  const QImage img = Frame();
  // The real timer turns it further.
  QTRY_VERIFY(Frame() != img);
  Button("CBAnimate")->click();
  QVERIFY(!timer->isActive());
}

void TestSurfacePage::projectionFollowsThePanel() {
  TOpenGLPanel* panel = Panel();
  panel->grabFramebuffer();
  QVERIFY(panel->MakeOpenGLPanelCurrent());
  GLfloat proj[16];
  glGetFloatv(GL_PROJECTION_MATRIX, proj);
  panel->MakeOpenGLPanelNotCurrent();
  const double f = 1.0 / std::tan(22.5 * M_PI / 180.0);
  const double aspect = double(panel->PixelWidth()) / panel->PixelHeight();
  QVERIFY(std::fabs(proj[0] - f / aspect) < 1e-4);
  QVERIFY(std::fabs(proj[5] - f) < 1e-4);
  QVERIFY(std::fabs(proj[10] - (-21.0 / 19.0)) < 1e-4); // near 1, far 20
}

void TestSurfacePage::openingTurnZoomLettersAndFit() {
  // Back to the turn the page opened with: the axes stand where that turn projects them.
  Drag(int(2 * TRANSSTRUCT::OpeningTurnY), int(2 * TRANSSTRUCT::OpeningTurnX));
  QVERIFY(AxesWhereProjected());
  // The axes and their letters keep their colour with the lighting on; each letter stands
  // beyond its arrowhead.
  const int unlit = Count(Frame(), AxesColour);
  Button("CBLighting")->click();
  const QImage lit = Frame();
  Shot("surface_axes_lit.png");
  QCOMPARE(Count(lit, AxesColour), unlit);
  for (const QVector3D& end :
       {QVector3D(1.6f, 0, 0), QVector3D(0, 1.6f, 0), QVector3D(0, 0, 1.6f)}) {
    const QPoint p = Project(end.x(), end.y(), end.z());
    QVERIFY(Count(lit, AxesColour, QRect(p.x(), p.y() - 12, 10, 13)) > 8);
  }
  Button("CBLighting")->click();
  // Two notches of the wheel enlarge the picture by 1.15 each.
  const QPointF at(100, 100);
  QWheelEvent wheel(at, Panel()->mapToGlobal(at), QPoint(), QPoint(0, 240), Qt::NoButton,
                    Qt::NoModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(Panel(), &wheel);
  View.Wheel(240);
  QVERIFY(AxesWhereProjected());

  // The sizes are decimal numbers, read with a point or a comma and shown with a point.
  QDoubleSpinBox* sx = Size("CESizeX");
  for (const auto& [typed, value] : {std::pair{"1.5", 1.5}, {"2,25", 2.25}}) {
    sx->selectAll();
    QTest::keyClicks(sx, typed);
    QCOMPARE(sx->value(), value);
  }
  QCOMPARE(sx->text(), QString("2.25"));
  // «Вписать» frames the torus that the unit region cuts into caps: one half-size for all
  // three axes, a little over the torus's 2.5, about its centre.
  SetC("-14.0625");
  Choose("Torus");
  Find<QPushButton>("BtnFitRegion")->click();
  QTRY_COMPARE(Find<QPushButton>("BtnFitRegion")->text(), QString("Вписать"));
  QCOMPARE(Status(), QString("Область вмещает всю поверхность"));
  const double half = Size("CESizeZ")->value();
  QVERIFY2(half > 2.5 && half < 3.2, qPrintable(QString::number(half)));
  QCOMPARE(Size("CESizeX")->value(), half);
  QCOMPARE(Size("CESizeY")->value(), half);
  for (const char* centre : {"EdX0", "EdY0", "EdZ0"})
    QVERIFY(std::fabs(Edit(centre)->text().toDouble()) < 0.1);
  Button("RBImplicitSurface")->click();
  QVERIFY(MeshBuilt());
  Shot("surface_torus_framed.png");
  // While the search runs the button stops it: the region stays, and no late result arrives
  // (this one would say that nothing was found).
  SetC("-100");
  auto* fit = Find<QPushButton>("BtnFitRegion");
  QSignalSpy results(Find<TRegionFitter>(nullptr), &TRegionFitter::Finished);
  fit->click();
  QCOMPARE(fit->text(), QString("Остановить"));
  fit->click();
  QCOMPARE(fit->text(), QString("Вписать"));
  QCOMPARE(Status(), QString("Поиск области прерван"));
  QTest::qWait(300);
  QCOMPARE(fit->text(), QString("Вписать"));
  QCOMPARE(Size("CESizeZ")->value(), half);
  QCOMPARE(results.count(), 0);
  // A surface with no real point leaves the region as it was and says so.
  Find<QPushButton>("BtnFitRegion")->click();
  QTRY_COMPARE(Find<QPushButton>("BtnFitRegion")->text(), QString("Вписать"));
  QVERIFY(Errors().startsWith("Поверхность не найдена"));
  QCOMPARE(Size("CESizeZ")->value(), half);
}

QTEST_MAIN(TestSurfacePage)
#include "test_surfacepage.moc"
