// Draws the pictures of the Images folder and the About emblem:
//   Images/logo.bmp      splash logo
//   Images/tutorial.bmp  one-page tutorial shown after the first click on the splash
//   Images/en/logo.bmp, Images/en/tutorial.bmp  the same two with English texts
//   Images/logo_anim.gif animated logo of the About window (a turning saddle surface)
//   pictures/emblem.png  the About window's picture
//   icons/termix.svg, icons/termix_48.png, icons/termix_128.png  the desktop menu icon
// Usage: make_images <resources folder>
#include "GifWriter.h"
#include "ui/ToolPictures.h"

#include <QApplication>
#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QLinearGradient>
#include <QMovie>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QSvgGenerator>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

namespace {

const QColor Navy("#1f3a5f");
const QColor Blue("#3b7dd8");
const QColor Amber("#f0a020");

// The saddle z = x^2 - y^2 over [-1, 1]^2, turned by `turn` degrees about the vertical
// axis, tilted towards the viewer and fitted into `box`; quads drawn back to front.
void DrawSaddle(QPainter& p, const QRectF& box, double turn, int n, const QColor& edge,
                double edgeWidth) {
  const double a = turn * M_PI / 180.0, t = 35.0 * M_PI / 180.0;
  auto f = [](double x, double y) { return (x * x - y * y) * 0.9; };
  struct TQuad {
    double Depth, Z;
    QPointF P[4];
  };
  auto proj = [&](double x, double y, double z, double& depth) {
    const double u = x * std::cos(a) - y * std::sin(a);
    depth = x * std::sin(a) + y * std::cos(a);
    return QPointF(u, -(z * std::cos(t)) - depth * std::sin(t));
  };
  // The turning shape is fitted with a fixed scale so that it does not pulse.
  const double extentX = std::sqrt(2.0), extentY = 0.9 * std::cos(t) + std::sqrt(2.0) * std::sin(t);
  const double s = std::min(box.width() / (2 * extentX), box.height() / (2 * extentY));
  const QPointF c = box.center();
  std::vector<TQuad> quads;
  for (int i = 0; i < n; ++i)
    for (int j = 0; j < n; ++j) {
      const double x0 = -1 + 2.0 * i / n, x1 = -1 + 2.0 * (i + 1) / n;
      const double y0 = -1 + 2.0 * j / n, y1 = -1 + 2.0 * (j + 1) / n;
      const double xs[4] = {x0, x1, x1, x0}, ys[4] = {y0, y0, y1, y1};
      TQuad q{};
      for (int k = 0; k < 4; ++k) {
        double d;
        const QPointF pt = proj(xs[k], ys[k], f(xs[k], ys[k]), d);
        q.P[k] = c + pt * s;
        q.Depth += d / 4;
      }
      q.Z = f((x0 + x1) / 2, (y0 + y1) / 2);
      quads.push_back(q);
    }
  std::sort(quads.begin(), quads.end(),
            [](const TQuad& l, const TQuad& r) { return l.Depth > r.Depth; });
  p.setPen(QPen(edge, edgeWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  for (const TQuad& q : quads) {
    const double k = std::clamp((q.Z + 0.9) / 1.8, 0.0, 1.0);
    const QColor lo(40, 100, 200), hi(250, 175, 40);
    p.setBrush(QColor(int(lo.red() + (hi.red() - lo.red()) * k),
                      int(lo.green() + (hi.green() - lo.green()) * k),
                      int(lo.blue() + (hi.blue() - lo.blue()) * k)));
    p.drawPolygon(q.P, 4);
  }
}

void NavyBackground(QPainter& p, const QRectF& r, double radius) {
  QLinearGradient g(r.topLeft(), r.bottomRight());
  g.setColorAt(0, QColor("#24497a"));
  g.setColorAt(1, QColor("#0f2140"));
  p.setPen(Qt::NoPen);
  p.setBrush(g);
  p.drawRoundedRect(r, radius, radius);
}

QFont Font(const char* family, double px, bool bold = false, bool italic = false) {
  QFont f(family);
  f.setPixelSize(int(px));
  f.setBold(bold);
  f.setItalic(italic);
  return f;
}

// The texts of the splash pictures in one language.
struct TPictureTexts {
  QString Subtitle, ClickToGoOn;
  QString Title, Groups[4];
  QString CardTitles[3], CardTexts[3];
  QString NotationTitle, Notation, ClickToStart;
};

const TPictureTexts RussianTexts{
    "Работа с полиномами\nот нескольких переменных",
    "Щёлкните по картинке, чтобы продолжить",
    "Как работать с TERMIX",
    {"таблица полиномов", "вычисления", "демонстрация", "справка"},
    {"Окно таблиц", "Окно вычислений", "Окно демонстрации"},
    {"Полиномы хранятся под именами. Выберите организацию таблицы: просмотровую, "
     "упорядоченную или с вычисляемыми адресами (хеш). Кнопки с плюсом, крестиком и "
     "карандашом добавляют, удаляют и изменяют полиномы.",
     "Наберите формулу над полиномами таблицы, например Pol1*(X+2)^2. Ошибка видна сразу "
     "при вводе. Кнопка «=» вычисляет формулу; результат можно записать в таблицу.",
     "Формула и структура списка выбранного полинома, поверхность F(x, y, z) = c, "
     "сравнение эффективности трёх видов таблиц и пошаговая работа таблиц, списка и "
     "транслятора. Страницы переключаются кнопками третьей группы."},
    "Запись полинома и формулы",
    "3*x^2*y - z + 1           полином: множители разделяются знаком «*»\n"
    "Pol1*(Pol2+X)^2           формула над полиномами таблицы по их именам\n"
    "d/dx(Pol1)                частная производная по x\n"
    "int~dz(Pol2)              интеграл по z\n"
    "Кнопка с дискетой включает запись таблицы в файл IniSaves/PolTable.ini",
    "Щёлкните по картинке ещё раз, чтобы начать работу"};

const TPictureTexts EnglishTexts{
    "Working with polynomials\nin several variables",
    "Click the picture to go on",
    "How to work with TERMIX",
    {"polynomial table", "calculation", "demonstration", "help"},
    {"Table window", "Calculation window", "Overview window"},
    {"Polynomials are kept by name. Choose the table's organisation: scan, sorted or with "
     "computed addresses (hash). The buttons with the plus, the cross and the pencil add, "
     "delete and change polynomials.",
     "Type a formula over the table's polynomials, e.g. Pol1*(X+2)^2. An error shows while "
     "you type. The «=» button calculates the formula; the result can be stored in the "
     "table.",
     "The formula and the list structure of the chosen polynomial, the surface "
     "F(x, y, z) = c, the efficiency of the three kinds of table compared, and the tables, "
     "the list and the translator step by step. The buttons of the third group switch the "
     "pages."},
    "Writing polynomials and formulas",
    "3*x^2*y - z + 1           polynomial: factors are joined by «*»\n"
    "Pol1*(Pol2+X)^2           formula over the table's polynomials by name\n"
    "d/dx(Pol1)                partial derivative by x\n"
    "int~dz(Pol2)              integral by z\n"
    "The floppy-disk button turns on saving the table to IniSaves/PolTable.ini",
    "Click the picture once more to start working"};

// A ring list of three links drawn as boxes with arrows, the program's other motif.
void DrawRing(QPainter& p, QPointF at, double scale, const QColor& line, const QColor& fill) {
  p.save();
  p.translate(at);
  p.scale(scale, scale);
  p.setPen(QPen(line, 1.4));
  for (int i = 0; i < 3; ++i) {
    p.setBrush(i == 0 ? QColor("#c3ccd8") : fill);
    p.drawRoundedRect(QRectF(i * 16, 0, 11, 14), 1.5, 1.5);
    p.drawLine(QPointF(i * 16, 7), QPointF(i * 16 + 11, 7));
  }
  p.setBrush(Qt::NoBrush);
  p.drawLine(QPointF(8, 10.5), QPointF(14, 10.5));
  p.drawLine(QPointF(24, 10.5), QPointF(30, 10.5));
  QPainterPath back;
  back.moveTo(40, 14);
  back.lineTo(40, 22);
  back.lineTo(5.5, 22);
  back.lineTo(5.5, 16);
  p.drawPath(back);
  p.setBrush(line);
  p.setPen(Qt::NoPen);
  p.drawPolygon(QPolygonF({QPointF(16, 10.5), QPointF(12.5, 8.3), QPointF(12.5, 12.7)}));
  p.drawPolygon(QPolygonF({QPointF(32, 10.5), QPointF(28.5, 8.3), QPointF(28.5, 12.7)}));
  p.drawPolygon(QPolygonF({QPointF(5.5, 14.2), QPointF(3.3, 17.7), QPointF(7.7, 17.7)}));
  p.restore();
}

QImage Logo(const TPictureTexts& texts) {
  QImage img(560, 340, QImage::Format_RGB32);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  p.setRenderHint(QPainter::TextAntialiasing);
  NavyBackground(p, img.rect(), 0);
  // A faint grid, like squared paper.
  p.setPen(QPen(QColor(255, 255, 255, 18), 1));
  for (int x = 0; x < img.width(); x += 20)
    p.drawLine(x, 0, x, img.height());
  for (int y = 0; y < img.height(); y += 20)
    p.drawLine(0, y, img.width(), y);
  DrawSaddle(p, QRectF(20, 50, 230, 220), 30, 10, QColor(15, 33, 64), 1.0);
  p.setPen(Qt::white);
  p.setFont(Font("DejaVu Sans", 64, true));
  p.drawText(QRectF(250, 70, 300, 80), Qt::AlignLeft | Qt::AlignVCenter, "TERMIX");
  p.setPen(QColor("#ffd66b"));
  p.setFont(Font("DejaVu Sans", 17));
  p.drawText(QRectF(254, 150, 296, 60), Qt::AlignLeft | Qt::TextWordWrap, texts.Subtitle);
  p.setPen(QColor("#cfe0f7"));
  p.setFont(Font("DejaVu Serif", 19, false, true));
  p.drawText(QRectF(254, 214, 296, 30), Qt::AlignLeft, "P(x, y, z) = 3x²y − z + 1");
  DrawRing(p, QPointF(256, 252), 1.5, QColor("#cfe0f7"), QColor("#3b7dd8"));
  p.setPen(QColor(255, 255, 255, 200));
  p.setFont(Font("DejaVu Sans", 13));
  p.drawText(QRectF(0, 300, img.width(), 30), Qt::AlignCenter, texts.ClickToGoOn);
  return img;
}

// One framed card of the tutorial: a title bar and a few lines of text.
void Card(QPainter& p, const QRectF& r, const QString& title, const QString& text,
          const QString& symbol) {
  p.setPen(QPen(Navy, 1.6));
  p.setBrush(Qt::white);
  p.drawRoundedRect(r, 6, 6);
  p.setPen(Qt::NoPen);
  p.setBrush(Blue);
  p.drawRoundedRect(QRectF(r.x(), r.y(), r.width(), 34), 6, 6);
  p.drawRect(QRectF(r.x(), r.y() + 20, r.width(), 14));
  p.setPen(QPen(Navy, 1.6));
  p.setBrush(Qt::NoBrush);
  p.drawRoundedRect(r, 6, 6);
  p.drawPixmap(QPointF(r.x() + 8, r.y() + 42),
               RenderToolPicture(symbol, false, TPictureState::Single));
  p.setPen(Qt::white);
  p.setFont(Font("DejaVu Sans", 15, true));
  p.drawText(QRectF(r.x() + 10, r.y(), r.width() - 20, 34), Qt::AlignVCenter, title);
  p.setPen(QColor("#1b2b40"));
  p.setFont(Font("DejaVu Sans", 13));
  p.drawText(QRectF(r.x() + 66, r.y() + 42, r.width() - 76, r.height() - 48), Qt::TextWordWrap,
             text);
}

QImage Tutorial(const TPictureTexts& texts) {
  QImage img(952, 620, QImage::Format_RGB32);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  p.setRenderHint(QPainter::TextAntialiasing);
  QLinearGradient bg(0, 0, 0, img.height());
  bg.setColorAt(0, QColor("#f4f7fb"));
  bg.setColorAt(1, QColor("#dde5ef"));
  p.fillRect(img.rect(), bg);
  p.setPen(Navy);
  p.setFont(Font("DejaVu Sans", 26, true));
  p.drawText(QRectF(0, 12, img.width(), 40), Qt::AlignCenter, texts.Title);

  // The main tool bar as it appears at the top of the screen, with its four groups.
  struct TGroup {
    QStringList Symbols;
    QString Caption;
  };
  const TGroup groups[] = {
      {{"store", "new", "delete", "change", "savlod"}, texts.Groups[0]},
      {{"pols", "calc", "loadf", "savef"}, texts.Groups[1]},
      {{"view", "formula", "struct", "surface", "efficiency", "tablesteps", "liststeps",
        "transsteps"},
       texts.Groups[2]},
      {{"help", "about"}, texts.Groups[3]}};
  double x = 22;
  const double top = 64;
  p.setPen(QPen(QColor("#93a3b8"), 1));
  p.setBrush(QColor("#eef2f7"));
  p.drawRoundedRect(QRectF(12, top - 6, img.width() - 24, 104), 6, 6);
  for (const TGroup& g : groups) {
    const double start = x;
    for (const QString& s : g.Symbols) {
      const bool twoState = s == "store" || s == "savlod" || s == "pols" || s == "view";
      const TPictureState state = !twoState       ? TPictureState::Single
                                  : s == "savlod" ? TPictureState::Off
                                                  : TPictureState::On;
      // Nineteen buttons share the width: each picture a little smaller than on screen.
      const QPixmap picture = RenderToolPicture(s, false, state);
      p.drawPixmap(QRectF(x, top + 3, 42, 42 * picture.height() / picture.width()), picture,
                   QRectF(picture.rect()));
      x += 45;
    }
    p.setPen(Navy);
    p.setFont(Font("DejaVu Sans", 13, true));
    p.drawText(QRectF(start - 10, top + 64, x - start + 16, 24), Qt::AlignCenter, g.Caption);
    x += 14;
    p.setPen(QPen(QColor("#93a3b8"), 1));
    p.drawLine(QPointF(x - 10, top), QPointF(x - 10, top + 88));
  }

  const double cw = 298, ch = 212, cy = 184;
  const char* const cardSymbols[3] = {"store", "pols", "view"};
  for (int i = 0; i < 3; ++i)
    Card(p, QRectF(14 + i * (cw + 14), cy, cw, ch), texts.CardTitles[i], texts.CardTexts[i],
         cardSymbols[i]);

  p.setPen(QPen(Navy, 1));
  p.setBrush(Qt::white);
  const QRectF tips(14, 410, img.width() - 28, 150);
  p.drawRoundedRect(tips, 6, 6);
  p.setPen(QColor("#1b2b40"));
  p.setFont(Font("DejaVu Sans", 14, true));
  p.drawText(tips.adjusted(14, 8, -14, 0), Qt::AlignTop, texts.NotationTitle);
  p.setFont(Font("DejaVu Sans Mono", 14));
  p.drawText(tips.adjusted(14, 36, -14, 0), Qt::AlignTop, texts.Notation);
  p.setPen(Navy);
  p.setFont(Font("DejaVu Sans", 15, true));
  p.drawText(QRectF(0, 572, img.width(), 34), Qt::AlignCenter, texts.ClickToStart);
  return img;
}

QImage AnimationFrame(int frame, int frames) {
  QImage img(96, 96, QImage::Format_RGB32);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  NavyBackground(p, img.rect(), 0);
  // Half a turn per loop: the saddle looks the same again after 180 degrees.
  DrawSaddle(p, QRectF(8, 6, 80, 76), 30 + 180.0 * frame / frames, 8, QColor(15, 33, 64), 0.8);
  p.setPen(Qt::white);
  p.setFont(Font("DejaVu Sans", 12, true));
  p.drawText(QRectF(0, 78, 96, 16), Qt::AlignCenter, "TERMIX");
  return img;
}

// The emblem in a 150 x 150 box: the About picture and, scaled, the program's icon.
void DrawEmblem(QPainter& p) {
  p.setRenderHint(QPainter::Antialiasing);
  NavyBackground(p, QRectF(3, 3, 144, 144), 18);
  DrawSaddle(p, QRectF(14, 10, 122, 96), 30, 9, QColor(15, 33, 64), 0.9);
  DrawRing(p, QPointF(39, 110), 1.6, QColor("#cfe0f7"), Blue);
}

QImage Emblem(int size = 150) {
  QImage img(size, size, QImage::Format_ARGB32);
  img.fill(Qt::transparent);
  QPainter p(&img);
  p.scale(size / 150.0, size / 150.0);
  DrawEmblem(p);
  return img;
}

// The icon of the desktop menu as a vector drawing: the emblem's shapes as SVG elements.
bool SaveEmblemSvg(const QString& path) {
  QSvgGenerator svg;
  svg.setFileName(path);
  svg.setSize(QSize(150, 150));
  svg.setViewBox(QRect(0, 0, 150, 150));
  svg.setTitle("TERMIX");
  QPainter p;
  const bool ok = p.begin(&svg);
  if (ok) {
    DrawEmblem(p);
    p.end();
  }
  std::printf("%s %s\n", ok ? "wrote" : "FAILED", qPrintable(path));
  return ok;
}

bool Save(const QImage& img, const QString& path, const char* format) {
  const bool ok = img.save(path, format);
  std::printf("%s %s\n", ok ? "wrote" : "FAILED", qPrintable(path));
  return ok;
}

} // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  if (argc < 2) {
    std::fprintf(stderr, "usage: make_images <resources folder>\n");
    return 2;
  }
  const QDir out(QString::fromLocal8Bit(argv[1]));
  bool ok = Save(Logo(RussianTexts), out.filePath("Images/logo.bmp"), "BMP");
  ok = Save(Tutorial(RussianTexts), out.filePath("Images/tutorial.bmp"), "BMP") && ok;
  QDir().mkpath(out.filePath("Images/en"));
  ok = Save(Logo(EnglishTexts), out.filePath("Images/en/logo.bmp"), "BMP") && ok;
  ok = Save(Tutorial(EnglishTexts), out.filePath("Images/en/tutorial.bmp"), "BMP") && ok;
  ok = Save(Emblem(), out.filePath("pictures/emblem.png"), "PNG") && ok;
  QDir().mkpath(out.filePath("icons"));
  ok = SaveEmblemSvg(out.filePath("icons/termix.svg")) && ok;
  for (int size : {48, 128})
    ok = Save(Emblem(size), out.filePath(QString("icons/termix_%1.png").arg(size)), "PNG") && ok;

  const int frames = 30;
  QList<QImage> images;
  for (int i = 0; i < frames; ++i)
    images.push_back(AnimationFrame(i, frames));
  const QByteArray gif = GifWriter::Encode(images, 7);
  QFile file(out.filePath("Images/logo_anim.gif"));
  ok = file.open(QIODevice::WriteOnly) && file.write(gif) == gif.size() && ok;
  file.close();
  // Read the animation back to be sure it decodes to the frames drawn.
  QBuffer buffer;
  buffer.setData(gif);
  QMovie movie(&buffer, "gif");
  int decoded = 0;
  double worst = 0;
  for (int i = 0; i < frames && movie.jumpToFrame(i); ++i, ++decoded) {
    const QImage back = movie.currentImage().convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < back.height(); ++y)
      for (int x = 0; x < back.width(); ++x) {
        const QRgb a = back.pixel(x, y), b = images[i].pixel(x, y);
        worst = std::max({worst, double(std::abs(qRed(a) - qRed(b))),
                          double(std::abs(qGreen(a) - qGreen(b))),
                          double(std::abs(qBlue(a) - qBlue(b)))});
      }
  }
  std::printf("wrote %s: %lld bytes, %d of %d frames decode, largest channel error %.0f\n",
              qPrintable(file.fileName()), static_cast<long long>(gif.size()), decoded, frames,
              worst);
  ok = ok && decoded == frames && worst < 48;
  return ok ? 0 : 1;
}
