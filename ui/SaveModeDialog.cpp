#include "ui/SaveModeDialog.h"

#include "ui/PolDialogCommon.h"
#include "ui/WidgetHelpers.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QStyle>
#include <QVBoxLayout>

TForm7::TForm7(QWidget* parent) : QDialog(parent) {
  setObjectName("Form7");
  setWindowTitle(tr("SAVE STORE: Предупреждение"));
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
  setModal(true);

  Image1 = PolDialogs::MakeDialogPicture(this, "savlod", tr("Сохранение таблицы"));

  BuildWarningText();

  BitBtn1 = new QPushButton("&Yes", this);
  BitBtn1->setObjectName("BitBtn1");
  BitBtn1->setIcon(style()->standardIcon(QStyle::SP_DialogYesButton));
  BitBtn1->setDefault(true);
  BitBtn2 = new QPushButton("&No", this);
  BitBtn2->setObjectName("BitBtn2");
  BitBtn2->setIcon(style()->standardIcon(QStyle::SP_DialogNoButton));

  auto* fields = new QVBoxLayout;
  fields->addWidget(Label1);
  fields->addWidget(Memo1);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(BitBtn1);
  buttons->addWidget(BitBtn2);
  buttons->addStretch(1);
  fields->addLayout(buttons);
  PolDialogs::LayOutDialog(this, Image1, fields);

  setTabOrder(BitBtn1, BitBtn2);
  connect(BitBtn1, &QPushButton::clicked, this, &TForm7::BitBtn1Click);
  connect(BitBtn2, &QPushButton::clicked, this, &QDialog::reject);
}

// The red, bold, underlined attention label and the six lines of the warning.
void TForm7::BuildWarningText() {
  Label1 = new QLabel(tr("ВНИМАНИЕ !"), this);
  Label1->setObjectName("Label1");
  QFont f = Label1->font();
  f.setBold(true);
  f.setUnderline(true);
  f.setPointSizeF(f.pointSizeF() * 1.2);
  Label1->setFont(f);
  QPalette pal = Label1->palette();
  pal.setColor(QPalette::WindowText, Qt::red);
  Label1->setPalette(pal);
  Label1->setAlignment(Qt::AlignCenter);

  Memo1 = new QPlainTextEdit(this);
  Memo1->setObjectName("Memo1");
  Memo1->setReadOnly(true);
  Memo1->setAccessibleName(tr("Предупреждение"));
  Memo1->setPlainText(tr("Включение режима сохранения\n"
                         "таблицы полиномов приведёт к\n"
                         "сохранению    на    диске    всех\n"
                         "изменений    производимых    с\n"
                         "таблицей. \n"
                         "Включить  режим   сохранения?"));
  Memo1->setLineWrapMode(QPlainTextEdit::NoWrap);
  Memo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  {
    QFont mf = Memo1->font();
    mf.setBold(true);
    Memo1->setFont(mf);
    QPalette mp = Memo1->palette();
    mp.setColor(QPalette::Base, mp.color(QPalette::Button));
    Memo1->setPalette(mp);
    const QFontMetrics fm(mf);
    int width = 0;
    for (const QString& line : Memo1->toPlainText().split('\n'))
      width = std::max(width, fm.horizontalAdvance(line));
    Memo1->setFixedSize(width + 24, fm.lineSpacing() * 6 + 16);
  }
}

void TForm7::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (event->spontaneous()) return;
  CenterOnScreen(this);
  FormShow();
}

void TForm7::FormShow() {
  emit Shown();
}

void TForm7::BitBtn1Click() {
  emit SaveModeConfirmed();
  accept();
}
