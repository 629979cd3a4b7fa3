// Taking pictures and data out of the windows: the structure picture as SVG.

#include "core/TCanvas.h"
#include "core/TPolinom.h"
#include "ui/ExportHelpers.h"

#include <QFont>
#include <QMap>
#include <QStack>
#include <QXmlStreamReader>
#include <QtTest>

using LISTSTRUCT::TCanvasColor;

namespace {

// What an SVG document holds: its rectangles counted by fill colour, and its texts.
struct TSvgContent {
  QMap<QString, int> RectsByFill;
  QStringList Texts;
};

TSvgContent ReadSvg(const QByteArray& svg) {
  TSvgContent content;
  QXmlStreamReader xml(svg);
  QStack<QString> fills; // the fill in force, inherited from enclosing groups
  fills.push(QString());
  while (!xml.atEnd()) {
    xml.readNext();
    if (xml.isStartElement()) {
      const auto fill = xml.attributes().value("fill");
      fills.push(fill.isEmpty() ? fills.top() : fill.toString().toLower());
      if (xml.name() == u"rect") ++content.RectsByFill[fills.top()];
      if (xml.name() == u"text") content.Texts << xml.readElementText().trimmed();
      if (xml.name() == u"text") fills.pop(); // readElementText consumed the end element
    } else if (xml.isEndElement()) {
      fills.pop();
    }
  }
  if (xml.hasError()) qWarning() << "SVG:" << xml.errorString();
  return content;
}

QString Hex(TCanvasColor c) {
  return QColor(c.R, c.G, c.B).name();
}

} // namespace

class TestExport : public QObject {
  Q_OBJECT
private slots:
  void structureSvgHasOneRectanglePerCellAndEveryBoxText();
};

void TestExport::structureSvgHasOneRectanglePerCellAndEveryBoxText() {
  const TCanvasColor headCoeff{240, 230, 5}, headIndex{255, 175, 0}, headLink{245, 120, 240};
  const TCanvasColor monCoeff{0, 225, 100}, monIndex{0, 165, 225}, monLink{255, 135, 85};
  const TCanvasColor background{160, 250, 200};
  LISTSTRUCT::TPolinom pol;
  pol.SetText("3*x^2*y - z + 12346*x^99*y^99*z^99 + 1");
  QCOMPARE(pol.GetRetCode(), 0);
  const int monomials = pol.GetListLength();
  QFont font("DejaVu Sans");
  font.setBold(true);
  font.setPointSize(10);
  // A narrow picture: the boxes widen it, as they widen the window's image.
  const QByteArray svg = CanvasSvg(QSize(900, 120), font, [&](LISTSTRUCT::TCanvas& canvas) {
    pol.DrawStructure(10, 5, 900, canvas, headCoeff, headIndex, headLink, monCoeff, monIndex,
                      monLink, background);
  });
  QVERIFY(svg.startsWith("<?xml"));
  const TSvgContent content = ReadSvg(svg);
  QCOMPARE(content.RectsByFill.value(Hex(headCoeff)), 1);
  QCOMPARE(content.RectsByFill.value(Hex(headIndex)), 1);
  QCOMPARE(content.RectsByFill.value(Hex(headLink)), 1);
  QCOMPARE(content.RectsByFill.value(Hex(monCoeff)), monomials);
  QCOMPARE(content.RectsByFill.value(Hex(monIndex)), monomials);
  QCOMPARE(content.RectsByFill.value(Hex(monLink)), monomials);
  // The background behind the head and behind each box; no rectangle of any other colour.
  QCOMPARE(content.RectsByFill.value(Hex(background)), monomials + 1);
  QCOMPARE(content.RectsByFill.size(), 7);
  const QStringList expected{"0", "-1", "1.235E4", "999999", "3", "20100", "-1", "1", "1", "0"};
  QCOMPARE(content.Texts, expected);
}

QTEST_MAIN(TestExport)
#include "test_export.moc"
