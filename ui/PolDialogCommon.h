#pragma once
// What the new, delete and change dialogs share: the name rule, the polynomial text rule, the
// messages, the look of the message field and the dialog frame (picture on the left, centred on
// the screen, fixed size).

#include <QCoreApplication>
#include <QDialog>
#include <QString>

#include <initializer_list>

namespace LISTSTRUCT {
class TPolinom;
}
namespace TABLESTRUCT {
class TBasePTab;
}
class QComboBox;
class QLabel;
class QLayout;
class QLineEdit;
class QPushButton;
class QShowEvent;
class QWidget;
class TReadingLine;
class TTableDocumentAdapter;

namespace PolDialogs {

// Messages of the dialogs, shown in their message field through Message().
inline const char* const MsgNoPolynom = QT_TRANSLATE_NOOP("PolDialogs", "Полином не введён!");
inline const char* const MsgNameExists =
    QT_TRANSLATE_NOOP("PolDialogs", "Полином с таким названием уже существует! [Pol№%1]");
inline const char* const MsgNeedPolynom =
    QT_TRANSLATE_NOOP("PolDialogs", "Не введено выражение полинома!");
inline const char* const MsgNeedName =
    QT_TRANSLATE_NOOP("PolDialogs", "Не введено название полинома!");
inline const char* const MsgAllRight =
    QT_TRANSLATE_NOOP("PolDialogs", "Данные полинома введены правильно.");
inline const char* const MsgNotFinite =
    QT_TRANSLATE_NOOP("PolDialogs", "Коэффициент полинома выходит за область допустимых значений!");
inline const char* const MsgTableFull =
    QT_TRANSLATE_NOOP("PolDialogs", "Таблица заполнена! Полином не добавлен.");
inline const char* const MsgNoRecord =
    QT_TRANSLATE_NOOP("PolDialogs", "Полином не найден в таблице!");

// A dialog message in the interface language.
inline QString Message(const char* message) {
  return QCoreApplication::translate("PolDialogs", message);
}

// Reads the text into pol. Returns an empty text when the polynomial is acceptable, otherwise
// the message: the reader's own error text, or the message for a coefficient that is not a
// finite number (such a polynomial could not be printed back or stored).
QString CheckPolynom(const QString& text, LISTSTRUCT::TPolinom& pol);

// A typed name in the new and change dialogs: checks it by the record-name rule and shows the
// verdict, or, for a usable name, what is still missing (by polErr); a usable name is kept in
// newName. A name the table holds is accepted only when it equals ownName (the change dialog
// keeps a record's own name). Returns whether the name is at fault.
bool EnterName(const QString& name, TABLESTRUCT::TBasePTab* table, const QString& ownName,
               bool polErr, QString& newName, QLineEdit* mist);

// A typed polynomial in the new and change dialogs: reads it into pol as CheckPolynom does and
// shows the reader's message; then "all right" when the name is usable too, or the request for
// a name when it is not; reading, when given, shows how the text was read. Returns whether the
// polynomial is at fault.
bool EnterPolynom(const QString& text, LISTSTRUCT::TPolinom& pol, bool nameErr, QLineEdit* mist,
                  TReadingLine* reading = nullptr);

// A label with its object name.
QLabel* MakeLabel(const QString& text, const char* name, QWidget* parent);

// A line edit with its object name; the name fields show bold text.
QLineEdit* MakeEdit(QWidget* parent, const char* name, bool bold = false);

// An editable list of records; typed text never becomes an item.
QComboBox* MakeRecordList(QWidget* parent, const char* name);
// At least least pixels wide, and wide enough to show text (what the list says before a
// choice) whole.
void SetListWidthFor(QComboBox* list, const QString& text, int least);

// The dialog's confirm button (default, apply symbol) and its cancel button, which rejects.
void MakeDialogButtons(QDialog* dialog, const QString& caption, QPushButton*& ok,
                       QPushButton*& cancel);

// The dialog's message field: red bold text on the tool-tip colour, read-only, wide enough for
// the longest message of the polynomial reader.
QLineEdit* MakeMessageField(QWidget* parent, const char* name);

// The label names the control (keyboard mnemonic target and accessible name).
void SetBuddy(QLabel* label, QWidget* control);

// The dialog's picture: the tool-bar symbol of the action, with its hint as accessible name.
QLabel* MakeDialogPicture(QWidget* parent, const QString& symbol, const QString& hint);

// Picture on the left, the fields on the right; the dialog keeps the size of its contents.
void LayOutDialog(QDialog* dialog, QLabel* picture, QLayout* fields);

// Keyboard focus passes through the controls in the given order.
void SetTabChain(std::initializer_list<QWidget*> controls);

} // namespace PolDialogs

// The frame of the new, delete and change dialogs: modal, a title bar with only the close button,
// the document whose table they edit and whose rows they list, and the news they send.
class TPolDialog : public QDialog {
  Q_OBJECT
public:
  TPolDialog(TTableDocumentAdapter* document, const char* name, const QString& title,
             QWidget* parent = nullptr);

public slots:
  // The dialog's reset at every opening by the program; it begins by sending Shown.
  virtual void FormShow() = 0;

signals:
  // The dialog opens: its tool button gets its normal picture.
  void Shown();

protected:
  // An opening by the program (not a spontaneous show by the window system) centres the dialog
  // on the screen and resets it.
  void showEvent(QShowEvent* event) override;

  TTableDocumentAdapter* const Document;
};
