#include "ui/AboutWindow.h"
#include "ui/Application.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QMovie>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace {
// A picture of the Images folder: the file under the current directory when it is
// there, otherwise the copy built into the program.
QString ImagePath(const QString& relativePath) {
  const QFileInfo file(QDir::current(), relativePath);
  if (file.isFile()) return file.absoluteFilePath();
  return QStringLiteral(":/") + relativePath;
}
} // namespace

TForm10::TForm10(QWidget* parent) : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint) {
  InitTermixResources();
  setObjectName("Form10");
  setWindowTitle("О программе");
  setFixedSize(623, 245);

  ImLogo = new QLabel(this);
  ImLogo->setObjectName("ImLogo");
  ImLogo->setAccessibleName("Эмблема TERMIX");
  ImLogo->setPixmap(QPixmap(":/pictures/termix_emblem.png"));

  LbTitle = new QLabel("TERMIX", this);
  LbTitle->setObjectName("LbTitle");
  LbFunctions = new QLabel(this);
  LbFunctions->setObjectName("LbFunctions");
  LbDetails = new QLabel(this);
  LbDetails->setObjectName("LbDetails");

  Animate1 = new QLabel(this);
  Animate1->setObjectName("Animate1");
  Animate1->setAccessibleName("Анимированная эмблема TERMIX");
  AnimMovie = new QMovie(ImagePath("Images/logo_anim.gif"), QByteArray(), this);
  Animate1->setMovie(AnimMovie);

  BBtnOK = new QPushButton("OK", this);
  BBtnOK->setObjectName("BBtnOK");
  BBtnOK->setDefault(true);
  connect(BBtnOK, &QPushButton::clicked, this, &QDialog::accept);

  auto* text = new QVBoxLayout;
  text->addWidget(LbTitle);
  text->addWidget(LbFunctions);
  text->addStretch(1);
  text->addWidget(LbDetails);
  auto* right = new QVBoxLayout;
  right->addWidget(Animate1);
  right->addStretch(1);
  right->addWidget(BBtnOK);
  auto* layout = new QHBoxLayout(this);
  layout->addWidget(ImLogo, 0, Qt::AlignTop);
  layout->addLayout(text, 1);
  layout->addLayout(right);
}

void TForm10::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    const QRect area = screen->availableGeometry();
    move(area.center() - QPoint(width() / 2, height() / 2));
  }
  AnimMovie->start();
}

void TForm10::hideEvent(QHideEvent* event) {
  AnimMovie->stop();
  QDialog::hideEvent(event);
}
