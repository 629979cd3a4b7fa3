#include "ui/AboutWindow.h"
#include "ui/ApplicationObject.h"
#include "ui/DataFolders.h"
#include "ui/WidgetHelpers.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QMovie>
#include <QPushButton>
#include <QVBoxLayout>

TForm10::TForm10(QWidget* parent) : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint) {
  InitTermixResources();
  setObjectName("Form10");
  setWindowTitle(tr("О программе"));
  setFixedSize(623, 245);

  ImLogo = new QLabel(this);
  ImLogo->setObjectName("ImLogo");
  ImLogo->setAccessibleName(tr("Эмблема TERMIX"));
  ImLogo->setPixmap(QPixmap(":/pictures/emblem.png"));
  ImLogo->setFixedSize(150, 150);

  BuildTexts();

  Animate1 = new QLabel(this);
  Animate1->setObjectName("Animate1");
  Animate1->setAccessibleName(tr("Анимированная эмблема TERMIX"));
  Animate1->setFixedSize(96, 96);
  AnimMovie = new QMovie(ResourcePath("Images/logo_anim.gif"), QByteArray(), this);
  AnimMovie->setObjectName("AnimMovie");
  AnimMovie->setCacheMode(QMovie::CacheAll);
  Animate1->setMovie(AnimMovie);

  BBtnOK = new QPushButton("OK", this);
  BBtnOK->setObjectName("BBtnOK");
  BBtnOK->setDefault(true);
  BBtnOK->setFixedWidth(96);
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
  text->setSpacing(4);
  right->setSpacing(6);
  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(12, 12, 12, 12);
  layout->setSpacing(14);
  layout->addWidget(ImLogo, 0, Qt::AlignTop);
  layout->addLayout(text, 1);
  layout->addLayout(right);
}

// The program's title, its functions and the production details.
void TForm10::BuildTexts() {
  LbTitle = new QLabel(QStringLiteral("<span style='font-size:20px; font-weight:bold; "
                                      "color:#1f3a5f'>TERMIX</span><br><span "
                                      "style='font-size:12px; color:#1f3a5f'>%1</span>")
                           .arg(tr("Работа с полиномами от нескольких переменных")),
                       this);
  LbTitle->setObjectName("LbTitle");
  LbFunctions = new QLabel(tr("• ввод, хранение и обработка полиномов от x, y, z;<br>"
                              "• три вида таблиц: просмотровая, упорядоченная, хеш;<br>"
                              "• аналитическое вычисление выражений;<br>"
                              "• демонстрация структуры полинома;<br>"
                              "• поверхность полинома как неявной функции;<br>"
                              "• тестирование эффективности таблиц."),
                           this);
  LbFunctions->setObjectName("LbFunctions");
  LbDetails = new QLabel(QStringLiteral("<span style='color:#4a5a70'>%1<br>"
                                        "C++20 · Qt 6 · OpenGL · © 2026</span>")
                             .arg(tr("Версия 1.0 · учебная программа")),
                         this);
  LbDetails->setObjectName("LbDetails");
  for (QLabel* label : {LbTitle, LbFunctions, LbDetails}) {
    label->setTextFormat(Qt::RichText);
    label->setWordWrap(true);
  }
}

void TForm10::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  CenterOnScreen(this);
  AnimMovie->start();
}

void TForm10::hideEvent(QHideEvent* event) {
  AnimMovie->stop();
  QDialog::hideEvent(event);
}
