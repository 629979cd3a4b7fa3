#include "ui/PolDialogCommon.h"

#include "core/TPolinom.h"
#include "tables/TBasePTab.h"

#include <QDialog>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPalette>
#include <QScreen>
#include <QSvgRenderer>

#include <cmath>

namespace PolDialogs {

bool IsAdmissibleName(const QString& name) {
  if (name.isEmpty()) return false;
  for (QChar c : name) {
    const char16_t u = c.unicode();
    const bool ok = (u >= '0' && u <= '9') || (u >= 'A' && u <= 'Z') || (u >= 'a' && u <= 'z');
    if (!ok) return false;
  }
  return true;
}

QString CheckName(const QString& name, TABLESTRUCT::TBasePTab* table, const QString& ownName) {
  if (name.isEmpty()) return MsgNameEmpty;
  if (!IsAdmissibleName(name)) return MsgNameChars;
  LISTSTRUCT::TPolinom found;
  const int pos = table->FindRecord(name.toStdString(), found);
  table->GetRetCode();
  if (pos >= 0 && (ownName.isEmpty() || name != ownName))
    return QString(MsgNameExists) + QString::number(pos + 1) + "]";
  return QString();
}

QString CheckPolynom(const QString& text, LISTSTRUCT::TPolinom& pol) {
  pol.SetText(text.toStdString());
  if (pol.GetRetCode() == LISTSTRUCT::DataErr) return QString::fromStdString(pol.GetErrText());
  for (pol.ResetList(); !pol.IsListEnded(); pol.GoNextLink())
    if (!std::isfinite(pol.GetMonom()->GetCoeff())) return MsgNotFinite;
  pol.GetRetCode();
  return QString();
}

void StyleMessageField(QLineEdit* edit) {
  edit->setReadOnly(true);
  QPalette pal = edit->palette();
  pal.setColor(QPalette::Base, pal.color(QPalette::ToolTipBase));
  pal.setColor(QPalette::Text, Qt::red);
  pal.setColor(QPalette::Disabled, QPalette::Base, pal.color(QPalette::ToolTipBase));
  edit->setPalette(pal);
  QFont f = edit->font();
  f.setBold(true);
  edit->setFont(f);
  // Wide enough for the longest message the reader gives (a power out of range).
  const QString longest =
      "Значение степени переменной Xвыходит за область допустимых значений! [Mon№100]";
  edit->setMinimumWidth(QFontMetrics(f).horizontalAdvance(longest) + 16);
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
  const qreal ratio = parent->devicePixelRatioF();
  QPixmap pixmap(QSize(72, 86) * ratio);
  pixmap.setDevicePixelRatio(ratio);
  pixmap.fill(Qt::transparent);
  QSvgRenderer renderer(QStringLiteral(":/pictures/%1.svg").arg(symbol));
  if (renderer.isValid()) {
    QPainter painter(&pixmap);
    renderer.render(&painter, QRectF(0, 0, 72, 86));
  }
  picture->setPixmap(pixmap);
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

void CenterOnScreen(QWidget* window) {
  QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
  if (!screen) return;
  const QRect area = screen->availableGeometry();
  const QRect frame = window->frameGeometry();
  window->move(area.center() - QPoint(frame.width() / 2, frame.height() / 2));
}

} // namespace PolDialogs
