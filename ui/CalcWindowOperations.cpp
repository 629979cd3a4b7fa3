// The calculation window's operation images: pictures that append an operation to the formula
// and light up under the pointer.

#include "ui/CalcWindow.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QRadioButton>
#include <QSvgRenderer>

namespace {

constexpr int OperationPictureSize = 25;

// An operation picture in the tool bar's style: the symbol on the normal or the hot tile;
// the hot symbol comes forward a little.
QPixmap RenderOperationPicture(const QString& symbol, bool hot) {
  QPixmap picture(OperationPictureSize, OperationPictureSize);
  picture.fill(Qt::transparent);
  QPainter painter(&picture);
  painter.setRenderHint(QPainter::Antialiasing);
  QSvgRenderer tile(QString(hot ? ":/pictures/tile_hot.svg" : ":/pictures/tile_normal.svg"));
  tile.render(&painter, QRectF(0, 0, OperationPictureSize, OperationPictureSize));
  QRectF box(2.5, 2.5, 20, 20);
  if (hot) box.adjust(-1, -1, 1, 1);
  QSvgRenderer art(QStringLiteral(":/ops/%1.svg").arg(symbol));
  art.render(&painter, box);
  return picture;
}

} // namespace

// ---------------------------------------------------------------------------------------------

TOperationImage::TOperationImage(QWidget* parent) : QLabel(parent) {
  setMouseTracking(true);
  setFixedSize(OperationPictureSize, OperationPictureSize);
}

void TOperationImage::mousePressEvent(QMouseEvent* event) {
  PressedInside = event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
}

void TOperationImage::mouseReleaseEvent(QMouseEvent* event) {
  // A click is a press and a release both on the picture, like a button's.
  const bool click = PressedInside && event->button() == Qt::LeftButton &&
                     rect().contains(event->position().toPoint());
  PressedInside = false;
  if (click) emit Clicked();
}

void TOperationImage::mouseMoveEvent(QMouseEvent* event) {
  const QPoint position = event->position().toPoint();
  emit MouseMoved(position.x(), position.y());
}

// ---------------------------------------------------------------------------------------------

// The eight operation images, one row each: name, hint, symbol, the numbers of its normal and
// highlighted pictures in ImageList1, and its handlers. The picture list is drawn from these rows
// and every picture an image shows is looked up in its row.
struct TForm3::TOperationImageRow {
  const char* Name;
  const char* Hint;
  const char* Symbol;
  int NormalPicture;
  int HotPicture;
  TOperationImage* TForm3::*Image;
  void (TForm3::*Click)();
  void (TForm3::*MouseMove)(int, int);
};

const TForm3::TOperationImageRow TForm3::OperationImages[8] = {
    // The first letter of the sum's hint is a Latin "C", as the window has always shown it.
    {"ImSum", QT_TRANSLATE_NOOP("TForm3", "Cложение полиномов: [Pol1] + [Pol2]"), "sum", 0, 7,
     &TForm3::ImSum, &TForm3::ImSumClick, &TForm3::ImSumMouseMove},
    {"ImMin", QT_TRANSLATE_NOOP("TForm3", "Вычитание полиномов: [Pol1] - [Pol2]"), "min", 1, 8,
     &TForm3::ImMin, &TForm3::ImMinClick, &TForm3::ImMinMouseMove},
    {"ImMult", QT_TRANSLATE_NOOP("TForm3", "Умножение полиномов: [Pol1] * [Pol2]"), "mult", 2, 9,
     &TForm3::ImMult, &TForm3::ImMultClick, &TForm3::ImMultMouseMove},
    {"ImDeg", QT_TRANSLATE_NOOP("TForm3", "Возведение в степень: [Pol] ^ [IntN]"), "deg", 14, 15,
     &TForm3::ImDeg, &TForm3::ImDegClick, &TForm3::ImDegMouseMove},
    {"ImPro", QT_TRANSLATE_NOOP("TForm3", "Частная производная от полинома: d/dp( [Pol] )"), "pro",
     3, 10, &TForm3::ImPro, &TForm3::ImProClick, &TForm3::ImProMouseMove},
    {"ImInt", QT_TRANSLATE_NOOP("TForm3", "Интеграл по переменной : int-dp( [Pol] )"), "int", 4, 11,
     &TForm3::ImInt, &TForm3::ImIntClick, &TForm3::ImIntMouseMove},
    {"ImBrak", QT_TRANSLATE_NOOP("TForm3", "Скобки: ( ....)"), "brak", 5, 12, &TForm3::ImBrak,
     &TForm3::ImBrakClick, &TForm3::ImBrakMouseMove},
    {"ImVar", QT_TRANSLATE_NOOP("TForm3", "Переменная: p (Выбирите X, Y или Z)"), "var", 6, 13,
     &TForm3::ImVar, &TForm3::ImVarClick, &TForm3::ImVarMouseMove},
};

const TForm3::TOperationImageRow& TForm3::OperationImageRow(TOperationImage* TForm3::*image) {
  for (const TOperationImageRow& entry : OperationImages)
    if (entry.Image == image) return entry;
  return OperationImages[0];
}

// The pictures of ImageList1, drawn from the rows, and one image for each row.
void TForm3::BuildOperationImages() {
  ImageList1 = QList<QPixmap>(2 * std::size(OperationImages));
  for (const TOperationImageRow& entry : OperationImages) {
    ImageList1[entry.NormalPicture] = RenderOperationPicture(QLatin1String(entry.Symbol), false);
    ImageList1[entry.HotPicture] = RenderOperationPicture(QLatin1String(entry.Symbol), true);
  }
  int left = 92;
  for (const TOperationImageRow& entry : OperationImages) {
    auto* image = new TOperationImage(GroupBox1);
    image->setObjectName(entry.Name);
    image->setToolTip(tr(entry.Hint));
    image->setAccessibleName(image->toolTip());
    image->setPixmap(ImageList1.value(entry.NormalPicture));
    image->move(left, 20);
    left += 28;
    this->*entry.Image = image;
    connect(image, &TOperationImage::Clicked, this, entry.Click);
    connect(image, &TOperationImage::MouseMoved, this, entry.MouseMove);
  }
}

void TForm3::AppendToFormula(const QString& text) {
  EdFormul->setText(EdFormul->text() + text);
}

QChar TForm3::CheckedVariableLetter() const {
  if (RBVarY->isChecked()) return 'y';
  if (RBVarZ->isChecked()) return 'z';
  return 'x';
}

void TForm3::ImSumClick() {
  AppendToFormula(" +");
}
void TForm3::ImMinClick() {
  AppendToFormula(" -");
}
void TForm3::ImMultClick() {
  AppendToFormula(" *");
}
void TForm3::ImDegClick() {
  AppendToFormula("^2");
}

void TForm3::ImProClick() {
  AppendToFormula(QStringLiteral(" d/d%1(").arg(CheckedVariableLetter()));
  BracketOpen = true;
}

void TForm3::ImIntClick() {
  AppendToFormula(QStringLiteral(" int~d%1(").arg(CheckedVariableLetter()));
  BracketOpen = true;
}

void TForm3::ImBrakClick() {
  // The flag flips before the text goes in: the formula check runs inside the append.
  const bool closing = BracketOpen;
  BracketOpen = !closing;
  AppendToFormula(closing ? ")" : "(");
}

void TForm3::ImVarClick() {
  AppendToFormula(QStringLiteral(" %1").arg(CheckedVariableLetter().toUpper()));
}

// The image shows its highlighted picture while the pointer is strictly inside it and holds
// the mouse meanwhile, so that the move that leaves it arrives here as well.
void TForm3::HighlightOnHover(TOperationImage* TForm3::*member, int x, int y) {
  const TOperationImageRow& entry = OperationImageRow(member);
  TOperationImage* image = this->*member;
  const bool inside = x > 0 && x < image->width() && y > 0 && y < image->height();
  image->setPixmap(ImageList1.value(inside ? entry.HotPicture : entry.NormalPicture));
  if (inside) {
    if (QWidget::mouseGrabber() != image && image->isVisible()) image->grabMouse();
  } else if (QWidget::mouseGrabber() == image) {
    image->releaseMouse();
  }
}

void TForm3::ImSumMouseMove(int X, int Y) {
  HighlightOnHover(&TForm3::ImSum, X, Y);
}
void TForm3::ImMinMouseMove(int X, int Y) {
  HighlightOnHover(&TForm3::ImMin, X, Y);
}
void TForm3::ImMultMouseMove(int X, int Y) {
  HighlightOnHover(&TForm3::ImMult, X, Y);
}
void TForm3::ImProMouseMove(int X, int Y) {
  HighlightOnHover(&TForm3::ImPro, X, Y);
}
void TForm3::ImIntMouseMove(int X, int Y) {
  HighlightOnHover(&TForm3::ImInt, X, Y);
}
void TForm3::ImBrakMouseMove(int X, int Y) {
  HighlightOnHover(&TForm3::ImBrak, X, Y);
}
void TForm3::ImVarMouseMove(int X, int Y) {
  HighlightOnHover(&TForm3::ImVar, X, Y);
}
void TForm3::ImDegMouseMove(int X, int Y) {
  HighlightOnHover(&TForm3::ImDeg, X, Y);
}
