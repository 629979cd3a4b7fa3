#include "ui/SplashWindow.h"
#include "ui/ApplicationObject.h"
#include "ui/DataFolders.h"
#include "ui/Language.h"
#include "ui/WidgetHelpers.h"

#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QVBoxLayout>

TForm11::TForm11(QWidget* parent) : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint) {
  setObjectName("Form11");
  setWindowTitle("TERMIX");
  setModal(true);
  // No background of its own: the window is all picture.
  setAutoFillBackground(false);
  ImSplash = new QLabel(this);
  ImSplash->setObjectName("ImSplash");
  ImSplash->setAccessibleName(tr("Заставка TERMIX"));
  ImSplash->setCursor(Qt::PointingHandCursor);
  ImSplash->installEventFilter(this);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(ImSplash);
  LoadPicture("Images/logo.bmp");
  SplashClicks = 0;
}

bool TForm11::LoadPicture(const QString& relativePath) {
  InitTermixResources();
  QPixmap picture;
  // The pictures carry texts: the English interface shows the English ones.
  const QString localized = LocalizedPath(relativePath);
  const QString path = ResourcePath(localized);
  FromFile = !path.startsWith(':') && picture.load(path);
  if (!FromFile) picture.load(QStringLiteral(":/") + localized);
  ShownPath = relativePath;
  ImSplash->setPixmap(picture);
  FitToPicture();
  return !picture.isNull();
}

void TForm11::FitToPicture() {
  const QPixmap picture = ImSplash->pixmap();
  if (picture.isNull()) return;
  ImSplash->setFixedSize(picture.deviceIndependentSize().toSize());
  adjustSize();
  CenterOnScreen(this);
}

void TForm11::ImSplashClick() {
  ++SplashClicks;
  if (SplashClicks == 1)
    LoadPicture("Images/tutorial.bmp");
  else
    accept();
}

bool TForm11::eventFilter(QObject* watched, QEvent* event) {
  if (watched == ImSplash && event->type() == QEvent::MouseButtonRelease) {
    auto* mouse = static_cast<QMouseEvent*>(event);
    if (mouse->button() == Qt::LeftButton &&
        ImSplash->rect().contains(mouse->position().toPoint())) {
      ImSplashClick();
      return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}

// For the keyboard, Space and Enter count as a click on the picture.
void TForm11::keyPressEvent(QKeyEvent* event) {
  switch (event->key()) {
  case Qt::Key_Space:
  case Qt::Key_Return:
  case Qt::Key_Enter:
    ImSplashClick();
    break;
  default:
    QDialog::keyPressEvent(event);
  }
}

void TForm11::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  FitToPicture();
}
