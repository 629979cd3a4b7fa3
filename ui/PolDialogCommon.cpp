#include "ui/PolDialogCommon.h"
#include "ui/Language.h"

#include "core/TPolinom.h"
#include "tables/TRecordName.h"
#include "ui/ReadingLine.h"
#include "ui/ShownText.h"
#include "ui/WidgetHelpers.h"

#include <algorithm>

#include <QComboBox>
#include <QDialog>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QStyle>

#include <cmath>
#include <limits>

namespace PolDialogs {

QString CheckPolynom(const QString& text, LISTSTRUCT::TPolinom& pol) {
  pol.SetText(text.toStdString());
  if (pol.GetRetCode() == LISTSTRUCT::DataErr) return ShowText(pol.GetErrMessage());
  for (pol.ResetList(); !pol.IsListEnded(); pol.GoNextLink())
    if (!std::isfinite(pol.GetMonom()->GetCoeff())) return Message(MsgNotFinite);
  pol.GetRetCode();
  return QString();
}

bool EnterName(const QString& name, TABLESTRUCT::TBasePTab* table, const QString& ownName,
               bool polErr, QString& newName, QLineEdit* mist) {
  const TABLESTRUCT::TNameVerdict verdict =
      TABLESTRUCT::CheckRecordName(name.toStdString(), table, ownName.toStdString());
  if (!verdict.IsUsable()) {
    mist->setText(ShowText(verdict.GetMessageText()));
    return true;
  }
  mist->setText(Message(polErr ? MsgNeedPolynom : MsgAllRight));
  newName = name;
  return false;
}

bool EnterPolynom(const QString& text, LISTSTRUCT::TPolinom& pol, bool nameErr, QLineEdit* mist,
                  TReadingLine* reading) {
  const QString verdict = CheckPolynom(text, pol);
  const bool polErr = !verdict.isEmpty();
  if (reading) reading->ShowPolinom(text, pol, !polErr);
  if (polErr) mist->setText(verdict);
  if (!nameErr && !polErr)
    mist->setText(Message(MsgAllRight));
  else if (nameErr)
    mist->setText(Message(MsgNeedName));
  return polErr;
}

QLabel* MakeLabel(const QString& text, const char* name, QWidget* parent) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(name);
  return label;
}

QLineEdit* MakeEdit(QWidget* parent, const char* name, bool bold) {
  auto* edit = new QLineEdit(parent);
  edit->setObjectName(name);
  // A long polynomial is never cut to the line edit's default 32767 characters.
  edit->setMaxLength(std::numeric_limits<int>::max());
  if (bold) {
    QFont f = edit->font();
    f.setBold(true);
    edit->setFont(f);
  }
  return edit;
}

QComboBox* MakeRecordList(QWidget* parent, const char* name) {
  auto* list = new QComboBox(parent);
  list->setObjectName(name);
  list->setEditable(true);
  list->lineEdit()->setMaxLength(std::numeric_limits<int>::max()); // a chosen item is never cut
  list->setInsertPolicy(QComboBox::NoInsert);
  list->setMaxVisibleItems(12);
  ShowTextStart(list);
  return list;
}

void SetListWidthFor(QComboBox* list, const QString& text, int least) {
  // The arrow button and the frame take about three text heights beside the text.
  const QFontMetrics metrics(list->font());
  list->setMinimumWidth(std::max(least, metrics.horizontalAdvance(text) + 3 * metrics.height()));
}

void MakeDialogButtons(QDialog* dialog, const QString& caption, QPushButton*& ok,
                       QPushButton*& cancel) {
  ok = new QPushButton(caption, dialog);
  ok->setObjectName("BitBtn1");
  ok->setDefault(true);
  ok->setIcon(dialog->style()->standardIcon(QStyle::SP_DialogApplyButton));
  cancel = new QPushButton("Cancel", dialog);
  cancel->setObjectName("BitBtn2");
  cancel->setIcon(dialog->style()->standardIcon(QStyle::SP_DialogCancelButton));
  QObject::connect(cancel, &QPushButton::clicked, dialog, &QDialog::reject);
}

QLineEdit* MakeMessageField(QWidget* parent, const char* name) {
  QLineEdit* edit = MakeEdit(parent, name);
  StyleMessageField(edit);
  // Wide enough for the longest message the reader gives (a power out of range).
  const QString longest =
      "Значение степени переменной Xвыходит за область допустимых значений! [Mon№100]";
  edit->setMinimumWidth(QFontMetrics(edit->font()).horizontalAdvance(longest) + 16);
  return edit;
}

void SetBuddy(QLabel* label, QWidget* control) {
  label->setBuddy(control);
  QString name = label->text();
  name.remove('&');
  if (name.endsWith(':')) name.chop(1);
  control->setAccessibleName(name);
}

QLabel* MakeDialogPicture(QWidget* parent, const QString& symbol, const QString& hint) {
  auto* picture = new QLabel(parent);
  picture->setObjectName("Image1");
  picture->setToolTip(hint);
  picture->setAccessibleName(hint);
  picture->setPixmap(RenderSvgPicture(QStringLiteral(":/pictures/%1.svg").arg(symbol),
                                      QSize(72, 86), parent->devicePixelRatioF()));
  picture->setFrameShape(QFrame::StyledPanel);
  picture->setFrameShadow(QFrame::Sunken);
  picture->setAlignment(Qt::AlignCenter);
  picture->setFixedSize(80, 94);
  return picture;
}

void LayOutDialog(QDialog* dialog, QLabel* picture, QLayout* fields) {
  auto* outer = new QHBoxLayout(dialog);
  outer->setContentsMargins(10, 10, 10, 10);
  outer->setSpacing(12);
  outer->addWidget(picture, 0, Qt::AlignTop);
  outer->addLayout(fields, 1);
  outer->setSizeConstraint(QLayout::SetFixedSize);
}

void SetTabChain(std::initializer_list<QWidget*> controls) {
  QWidget* previous = nullptr;
  for (QWidget* control : controls) {
    if (previous) QWidget::setTabOrder(previous, control);
    previous = control;
  }
}

} // namespace PolDialogs

TPolDialog::TPolDialog(TTableDocumentAdapter* document, const char* name, const QString& title,
                       QWidget* parent)
    : QDialog(parent), Document(document) {
  setObjectName(name);
  setWindowTitle(title);
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
  setModal(true);
}

void TPolDialog::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (event->spontaneous()) return;
  CenterOnScreen(this);
  FormShow();
}
