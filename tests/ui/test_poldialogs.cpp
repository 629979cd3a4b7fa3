// The new, delete and change dialogs: the name and polynomial checks while typing, the
// messages in their order, the inert action buttons, and what each action leaves in the table
// window's grid.

#include "TableTestSupport.h"
#include "TermixTestSupport.h"

#include "ui/Application.h"
#include "ui/ChangePolDialog.h"
#include "ui/DeletePolDialog.h"
#include "ui/Forms.h"
#include "ui/MainWindow.h"
#include "ui/NewPolDialog.h"
#include "ui/TableDocumentAdapter.h"
#include "ui/TableWindow.h"

#include "tables/TBasePTab.h"

#include <QAccessible>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QtTest>

using namespace TableTest;

namespace {

const QString MsgNoPolynom = "Полином не введён!";
const QString MsgNameEmpty = "Название полинома не введено!";
const QString MsgNameChars = "Название полинома содержит недопустимые символы!";
const QString MsgNeedPolynom = "Не введено выражение полинома!";
const QString MsgNeedName = "Не введено название полинома!";
const QString MsgAllRight = "Данные полинома введены правильно.";

QString MsgExists(int number) {
  return QString("Полином с таким названием уже существует! [Pol№%1]").arg(number);
}

void Snapshot(QWidget* window, const QString& name) {
  const QString dir = qEnvironmentVariable("TERMIX_SCREENSHOTS");
  if (dir.isEmpty()) return;
  window->grab().save(dir + "/" + name + ".png");
}

// Every text-bearing control shows its whole text.
void VerifyTextsFit(QWidget* window) {
  for (QAbstractButton* b : window->findChildren<QAbstractButton*>())
    QVERIFY2(b->width() >= b->sizeHint().width(), qPrintable(b->objectName()));
  for (QLabel* l : window->findChildren<QLabel*>())
    if (!l->text().isEmpty())
      QVERIFY2(l->width() >= l->sizeHint().width(), qPrintable(l->objectName()));
  for (QLineEdit* e : window->findChildren<QLineEdit*>()) {
    if (e->objectName() != "EdMist") continue;
    QVERIFY2(e->width() >= e->fontMetrics().horizontalAdvance(e->text()) + 8,
             qPrintable(e->text()));
  }
}

// The user picks item index from the list (as with the mouse or the arrow keys).
void Choose(QComboBox* list, int index) {
  list->setCurrentIndex(index);
  emit list->activated(index);
}

// Types text at the end of the field, one keystroke per character.
void Type(QLineEdit* edit, const QString& text) {
  edit->setFocus();
  edit->end(false);
  QTest::keyClicks(edit, text);
}

} // namespace

class TestPolDialogs : public QObject {
  Q_OBJECT

private:
  QTableView* Grid() const { return TermixTest::Find<QTableView>(Form2, "SGPolTable"); }

  // The windows, made and wired as at start-up, over a table of P1..P4 (P4 at position 3, the
  // fourth row).
  void MakeTable() {
    WriteIni(IniWith({{"P1", "X"}, {"P2", "Y + 1"}, {"P3", "Z^2"}, {"P4", "2*X*Y"}}));
    CreateForms();
  }

private slots:
  void initTestCase() { InitTermixResources(); }

  void init() {
    ResetIniFolder();
    MakeTable();
  }

  void cleanup() { DestroyForms(); }

  // Names: spaces, Cyrillic letters and underscores are refused; an existing name is refused
  // with its row number (bucket number in the hash table); the empty name has its own message.
  void NewDialogChecksTheName() {
    Form4->show();
    QCOMPARE(Form4->windowTitle(), QString("NEW: Добавление в таблицу нового полинома"));
    QCOMPARE(TermixTest::Find<QLineEdit>(Form4, "EdMist")->text(), MsgNoPolynom);
    QVERIFY(TermixTest::Find<QLineEdit>(Form4, "EdMist")->isReadOnly());
    for (const QString name : {"P 1", "П1", "P_1", "P1!", "é"}) {
      TermixTest::Find<QLineEdit>(Form4, "EdName")->setText(name);
      QCOMPARE(TermixTest::Find<QLineEdit>(Form4, "EdMist")->text(), MsgNameChars);
    }
    TermixTest::Find<QLineEdit>(Form4, "EdName")->setText("P4");
    QCOMPARE(TermixTest::Find<QLineEdit>(Form4, "EdMist")->text(), MsgExists(4));
    TermixTest::Find<QLineEdit>(Form4, "EdName")->setText("p4"); // keys are case-sensitive
    QCOMPARE(TermixTest::Find<QLineEdit>(Form4, "EdMist")->text(), MsgNeedPolynom);
    TermixTest::Find<QLineEdit>(Form4, "EdName")->clear();
    QCOMPARE(TermixTest::Find<QLineEdit>(Form4, "EdMist")->text(), MsgNameEmpty);

    TermixTest::Find<QRadioButton>(Form2, "RBHashTab")
        ->click(); // P1 sums to 129: bucket 9, shown as 10
    TermixTest::Find<QLineEdit>(Form4, "EdName")->setText("P1");
    QCOMPARE(TermixTest::Find<QLineEdit>(Form4, "EdMist")->text(), MsgExists(10));
  }

  // The messages follow the keystrokes: name first, then the polynomial, and back.
  void NewDialogMessagesWhileTyping() {
    Form4->show();
    Type(TermixTest::Find<QLineEdit>(Form4, "EdName"), "Q");
    QCOMPARE(TermixTest::Find<QLineEdit>(Form4, "EdMist")->text(), MsgNeedPolynom);
    Type(TermixTest::Find<QLineEdit>(Form4, "EdName"), "1");
    QCOMPARE(TermixTest::Find<QLineEdit>(Form4, "EdMist")->text(), MsgNeedPolynom);
    Type(TermixTest::Find<QLineEdit>(Form4, "EdPol"), "x");
    QCOMPARE(TermixTest::Find<QLineEdit>(Form4, "EdMist")->text(), MsgAllRight);
    Type(TermixTest::Find<QLineEdit>(Form4, "EdPol"), "^");
    QCOMPARE(TermixTest::Find<QLineEdit>(Form4, "EdMist")->text(), MsgAllRight); // «x^» reads as x
    Type(TermixTest::Find<QLineEdit>(Form4, "EdPol"), "a");
    QCOMPARE(TermixTest::Find<QLineEdit>(Form4, "EdMist")->text(),
             QString("Ошибка в степени переменной X! [Mon№1]"));
    QTest::keyClick(TermixTest::Find<QLineEdit>(Form4, "EdPol"), Qt::Key_Backspace);
    Type(TermixTest::Find<QLineEdit>(Form4, "EdPol"), "100");
    QCOMPARE(TermixTest::Find<QLineEdit>(Form4, "EdMist")->text(),
             QString("Значение степени переменной Xвыходит за область допустимых значений! "
                     "[Mon№1]"));
    VerifyTextsFit(Form4); // the longest message fits
    for (int i = 0; i < 3; ++i)
      QTest::keyClick(TermixTest::Find<QLineEdit>(Form4, "EdPol"), Qt::Key_Backspace);
    Type(TermixTest::Find<QLineEdit>(Form4, "EdPol"), "2 + 2*y");
    QCOMPARE(TermixTest::Find<QLineEdit>(Form4, "EdMist")->text(), MsgAllRight);
    // The line under the field shows what was read, and where it departs from the usual
    // meaning: «x^-1» is x minus 1.
    TermixTest::Find<QLineEdit>(Form4, "EdPol")->setText("x^-1");
    QCOMPARE(TermixTest::Find<QLineEdit>(Form4, "EdMist")->text(), MsgAllRight);
    const QString read = TermixTest::Find<QLineEdit>(Form4, "EdPolReading")->text();
    QVERIFY2(read.startsWith(QString("Прочитано как: X − 1 (")), qPrintable(read));
    TermixTest::Find<QLineEdit>(Form4, "EdPol")->setText("2 + 2*y");
    // The name spoiled again: the name message, then the polynomial's verdict names the name.
    Type(TermixTest::Find<QLineEdit>(Form4, "EdName"), "_");
    QCOMPARE(TermixTest::Find<QLineEdit>(Form4, "EdMist")->text(), MsgNameChars);
    Type(TermixTest::Find<QLineEdit>(Form4, "EdPol"), "*q");
    QCOMPARE(TermixTest::Find<QLineEdit>(Form4, "EdMist")->text(), MsgNeedName);
    VerifyTextsFit(Form4);
  }

  // The add button does nothing until both fields are right; then it adds, refreshes the
  // grid and closes. A coefficient that is not a finite number is refused.
  void NewDialogAddsOnlyAcceptableInput() {
    Form4->show();
    TermixTest::Find<QPushButton>(Form4, "BitBtn1")->click();
    QVERIFY(Form4->isVisible());
    TermixTest::Find<QLineEdit>(Form4, "EdName")->setText("Q1");
    TermixTest::Find<QPushButton>(Form4, "BitBtn1")->click();
    QVERIFY(Form4->isVisible());
    TermixTest::Find<QLineEdit>(Form4, "EdPol")->setText("1e39*x");
    QVERIFY(TermixTest::Find<QLineEdit>(Form4, "EdMist")->text() != MsgAllRight);
    TermixTest::Find<QLineEdit>(Form4, "EdPol")->setText("3e38*x + 3e38*x");
    QVERIFY(TermixTest::Find<QLineEdit>(Form4, "EdMist")->text() != MsgAllRight);
    TermixTest::Find<QPushButton>(Form4, "BitBtn1")->click();
    QVERIFY(Form4->isVisible());
    QCOMPARE(TableDocument->CurTab()->GetDataCount(), 4);

    TermixTest::Find<QLineEdit>(Form4, "EdPol")->setText("x^2 + 2*x*y - 3");
    QCOMPARE(TermixTest::Find<QLineEdit>(Form4, "EdMist")->text(), MsgAllRight);
    TermixTest::Find<QLineEdit>(Form4, "EdName")->setText("P_2");
    TermixTest::Find<QPushButton>(Form4, "BitBtn1")->click();
    QVERIFY(Form4->isVisible());
    TermixTest::Find<QLineEdit>(Form4, "EdName")->setText("Q1");
    Snapshot(Form4, "newpoldialog");
    TermixTest::Find<QPushButton>(Form4, "BitBtn1")->click();
    QVERIFY(!Form4->isVisible());
    QCOMPARE(Form4->result(), int(QDialog::Accepted));
    QCOMPARE(RowCount(Grid()), 5);
    QCOMPARE(Cell(Grid(), 4, 1), QString("Q1"));
    QCOMPARE(Cell(Grid(), 4, 2), QString("X^2 + 2*X*Y - 3"));

    // Every opening starts from nothing accepted.
    Form4->show();
    QCOMPARE(TermixTest::Find<QLineEdit>(Form4, "EdName")->text(), QString());
    QCOMPARE(TermixTest::Find<QLineEdit>(Form4, "EdPol")->text(), QString());
    QCOMPARE(TermixTest::Find<QLineEdit>(Form4, "EdMist")->text(), MsgNoPolynom);
    TermixTest::Find<QPushButton>(Form4, "BitBtn2")->click();
    QCOMPARE(TableDocument->CurTab()->GetDataCount(), 5);
  }

  // The three lists belong together; the delete acts only on a chosen item, by its key.
  void DeleteDialogDeletesTheChosenRecord() {
    Form5->show();
    QCOMPARE(Form5->windowTitle(), QString("DELETE: Удаление полинома из таблицы."));
    QCOMPARE(TermixTest::Find<QComboBox>(Form5, "CBName")->currentText(),
             QString("Полином не выбран"));
    QCOMPARE(TermixTest::Find<QComboBox>(Form5, "CBFormula")->currentText(), QString("???"));
    QCOMPARE(TermixTest::Find<QComboBox>(Form5, "CBNum")->currentText(), QString("???"));
    QCOMPARE(TermixTest::Find<QComboBox>(Form5, "CBName")->count(), 4);
    TermixTest::Find<QPushButton>(Form5, "BitBtn1")->click(); // nothing chosen: nothing happens
    QVERIFY(Form5->isVisible());
    QCOMPARE(TableDocument->CurTab()->GetDataCount(), 4);

    Choose(TermixTest::Find<QComboBox>(Form5, "CBNum"), 1);
    QCOMPARE(TermixTest::Find<QComboBox>(Form5, "CBName")->currentText(), QString("P2"));
    QCOMPARE(TermixTest::Find<QComboBox>(Form5, "CBFormula")->currentText(), QString("Y + 1"));
    Choose(TermixTest::Find<QComboBox>(Form5, "CBFormula"), 2);
    QCOMPARE(TermixTest::Find<QComboBox>(Form5, "CBName")->currentText(), QString("P3"));
    QCOMPARE(TermixTest::Find<QComboBox>(Form5, "CBNum")->currentText(), QString("3"));
    VerifyTextsFit(Form5);
    Snapshot(Form5, "deletepoldialog");

    // Typing over the chosen name does not redirect the delete to the typed name.
    TermixTest::Find<QComboBox>(Form5, "CBName")->setEditText("P1");
    TermixTest::Find<QPushButton>(Form5, "BitBtn1")->click();
    QVERIFY(!Form5->isVisible());
    QCOMPARE(Column(Grid(), 1), QStringList({"P1", "P2", "P4"}));

    // Typed text alone never deletes anything.
    Form5->show();
    TermixTest::Find<QComboBox>(Form5, "CBName")->setEditText("P1");
    TermixTest::Find<QPushButton>(Form5, "BitBtn1")->click();
    QVERIFY(Form5->isVisible());
    QCOMPARE(TableDocument->CurTab()->GetDataCount(), 3);
    TermixTest::Find<QPushButton>(Form5, "BitBtn2")->click();
  }

  // The message fields and the lists show the start of their texts, however long, and the
  // whole text as hint; assistive technology hears a list's label as its name and its shown
  // text as its value.
  void FieldsShowTheStartOfTheirTexts() {
    const QString longText = "X^9*Y^9*Z^9 + 2*X^8*Y^8*Z^8 + 3*X^7*Y^7*Z^7 + 4*X^6*Y^6*Z^6 + "
                             "5*X^5*Y^5*Z^5 - 6*X^4*Y^4*Z^4 + 7";
    LISTSTRUCT::TPolinom pol;
    pol.SetText(longText.toStdString());
    TableDocument->Insert("Long", pol);
    // A list's line shows its start; the hint is the list's own.
    auto expectStart = [](QWidget* field, const QString& hint) {
      auto* list = qobject_cast<QComboBox*>(field);
      QLineEdit* line = list ? list->lineEdit() : qobject_cast<QLineEdit*>(field);
      QCOMPARE(line->cursorPosition(), 0);
      QCOMPARE(field->toolTip(), hint);
    };
    auto expectHeard = [](QComboBox* list, const QString& name) {
      QAccessibleInterface* heard = QAccessible::queryAccessibleInterface(list);
      QVERIFY(heard);
      QCOMPARE(heard->text(QAccessible::Name), name);
      QCOMPARE(heard->text(QAccessible::Value), list->currentText());
    };

    Form5->show();
    Form5->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(Form5));
    QTRY_VERIFY(TermixTest::Find<QComboBox>(Form5, "CBName")->hasFocus());
    QTest::qWait(20); // the focus has arrived and selected the text
    const QList<QPair<QComboBox*, QString>> lists = {
        {TermixTest::Find<QComboBox>(Form5, "CBName"), "Название полинома"},
        {TermixTest::Find<QComboBox>(Form5, "CBFormula"), "Выражение полинома"},
        {TermixTest::Find<QComboBox>(Form5, "CBNum"), "Номер"}};
    for (const auto& [list, label] : lists) {
      expectStart(list, list->currentText());
      expectHeard(list, label);
    }
    QCOMPARE(TermixTest::Find<QComboBox>(Form5, "CBName")->currentText(),
             QString("Полином не выбран"));
    Choose(TermixTest::Find<QComboBox>(Form5, "CBName"), 4);
    QCOMPARE(TermixTest::Find<QComboBox>(Form5, "CBFormula")->currentText(), longText);
    for (const auto& [list, label] : lists) {
      expectStart(list, list->currentText());
      expectHeard(list, label);
    }
    TermixTest::Find<QPushButton>(Form5, "BitBtn2")->click();

    Form6->show();
    expectHeard(TermixTest::Find<QComboBox>(Form6, "CBOldName"), "Название полинома");
    expectHeard(TermixTest::Find<QComboBox>(Form6, "CBOldFormula"), "Выражение полинома");
    Choose(TermixTest::Find<QComboBox>(Form6, "CBOldName"), 4);
    expectStart(TermixTest::Find<QComboBox>(Form6, "CBOldFormula"), longText);
    TermixTest::Find<QLineEdit>(Form6, "EdNewName")
        ->setText("P1"); // another record's name: the longer message
    QCOMPARE(TermixTest::Find<QLineEdit>(Form6, "EdMist")->text(), MsgExists(1));
    expectStart(TermixTest::Find<QLineEdit>(Form6, "EdMist"), MsgExists(1));
    TermixTest::Find<QPushButton>(Form6, "BitBtn2")->click();
  }

  // No field cuts a long polynomial: a record of 5456 monomials (over 100,000 characters)
  // goes through the change dialog unchanged, and a pasted text of that length is read whole
  // by the new dialog.
  void LongPolynomialsAreNeverCut() {
    LISTSTRUCT::TPolinom big;
    for (int i = 5455; i >= 0; --i)
      big.InsLast(new LISTSTRUCT::TMonom(static_cast<float>(i % 97 + 2), i * 180));
    const QString text = QString::fromStdString(big.GetText());
    QVERIFY(text.size() > 100000);
    TableDocument->Insert("Big", big);

    Form6->show();
    Choose(TermixTest::Find<QComboBox>(Form6, "CBOldName"), 4);
    QCOMPARE(TermixTest::Find<QComboBox>(Form6, "CBOldFormula")->currentText(), text);
    QCOMPARE(TermixTest::Find<QLineEdit>(Form6, "EdNewFormula")->text(), text);
    QCOMPARE(TermixTest::Find<QLineEdit>(Form6, "EdMist")->text(), MsgAllRight);
    TermixTest::Find<QPushButton>(Form6, "BitBtn1")->click();
    QVERIFY(!Form6->isVisible());
    LISTSTRUCT::TPolinom stored;
    QVERIFY(TableDocument->CurTab()->FindRecord("Big", stored) >= 0);
    QCOMPARE(stored.GetListLength(), 5456);

    Form5->show();
    Choose(TermixTest::Find<QComboBox>(Form5, "CBName"), 4);
    QCOMPARE(TermixTest::Find<QComboBox>(Form5, "CBFormula")->currentText(), text);
    TermixTest::Find<QPushButton>(Form5, "BitBtn2")->click();

    Form4->show();
    TermixTest::Find<QLineEdit>(Form4, "EdName")->setText("Copy");
    TermixTest::Find<QLineEdit>(Form4, "EdPol")->setText(text); // as pasted
    QCOMPARE(TermixTest::Find<QLineEdit>(Form4, "EdPol")->text(), text);
    QCOMPARE(TermixTest::Find<QLineEdit>(Form4, "EdMist")->text(), MsgAllRight);
    TermixTest::Find<QPushButton>(Form4, "BitBtn1")->click();
    QVERIFY(TableDocument->CurTab()->FindRecord("Copy", stored) >= 0);
    QCOMPARE(stored.GetListLength(), 5456);
  }

  // Hash numbers repeat within a bucket; deleting the last record leaves one empty row.
  void DeleteDialogInTheHashTable() {
    WriteIni(IniWith({{"A", "X"}, {"K", "Y"}}));
    DestroyForms();
    CreateForms();
    TermixTest::Find<QRadioButton>(Form2, "RBHashTab")->click();
    Form5->show();
    QCOMPARE(TermixTest::Find<QComboBox>(Form5, "CBNum")->itemText(0), QString("6"));
    QCOMPARE(TermixTest::Find<QComboBox>(Form5, "CBNum")->itemText(1), QString("6"));
    Choose(TermixTest::Find<QComboBox>(Form5, "CBNum"), 1);
    QCOMPARE(TermixTest::Find<QComboBox>(Form5, "CBName")->currentText(), QString("K"));
    TermixTest::Find<QPushButton>(Form5, "BitBtn1")->click();
    QCOMPARE(Column(Grid(), 1), QStringList({"A"}));
    Form5->show();
    Choose(TermixTest::Find<QComboBox>(Form5, "CBName"), 0);
    TermixTest::Find<QPushButton>(Form5, "BitBtn1")->click();
    QCOMPARE(RowCount(Grid()), 1);
    QCOMPARE(Cell(Grid(), 0, 1), QString());
    QCOMPARE(TableDocument->CurTab()->GetDataCount(), 0);
  }

  // Opening: nothing chosen, editing fields disabled. Choosing fills the new fields; the own
  // name is accepted without copying, another record's name is refused.
  void ChangeDialogKeepsOrRefusesNames() {
    Form6->show();
    QCOMPARE(Form6->windowTitle(),
             QString("CHANGE: Изменение существующего полинома (с копированием)"));
    QCOMPARE(TermixTest::Find<QComboBox>(Form6, "CBOldName")->currentText(),
             QString("Полином не выбран"));
    QCOMPARE(TermixTest::Find<QComboBox>(Form6, "CBOldFormula")->currentText(), QString("???"));
    QCOMPARE(TermixTest::Find<QLineEdit>(Form6, "EdMist")->text(), MsgNoPolynom);
    QVERIFY(!TermixTest::Find<QLineEdit>(Form6, "EdNewName")->isEnabled());
    QVERIFY(!TermixTest::Find<QLineEdit>(Form6, "EdNewFormula")->isEnabled());
    QVERIFY(!TermixTest::Find<QCheckBox>(Form6, "ChBCopy")->isEnabled());
    QVERIFY(!TermixTest::Find<QLineEdit>(Form6, "EdMist")->isEnabled());
    TermixTest::Find<QPushButton>(Form6, "BitBtn1")->click();
    QVERIFY(Form6->isVisible());

    Choose(TermixTest::Find<QComboBox>(Form6, "CBOldFormula"), 0);
    QCOMPARE(TermixTest::Find<QComboBox>(Form6, "CBOldName")->currentText(), QString("P1"));
    QCOMPARE(TermixTest::Find<QLineEdit>(Form6, "EdNewName")->text(), QString("P1"));
    QCOMPARE(TermixTest::Find<QLineEdit>(Form6, "EdNewFormula")->text(), QString("X"));
    QVERIFY(TermixTest::Find<QLineEdit>(Form6, "EdNewName")->isEnabled() &&
            TermixTest::Find<QCheckBox>(Form6, "ChBCopy")->isEnabled());
    QCOMPARE(TermixTest::Find<QLineEdit>(Form6, "EdMist")->text(), MsgAllRight);

    TermixTest::Find<QLineEdit>(Form6, "EdNewName")->setText("P3");
    QCOMPARE(TermixTest::Find<QLineEdit>(Form6, "EdMist")->text(), MsgExists(3));
    TermixTest::Find<QPushButton>(Form6, "BitBtn1")->click();
    QVERIFY(Form6->isVisible());
    TermixTest::Find<QLineEdit>(Form6, "EdNewName")->setText("P1");
    TermixTest::Find<QLineEdit>(Form6, "EdNewFormula")->setText("x + y");
    QCOMPARE(TermixTest::Find<QLineEdit>(Form6, "EdMist")->text(), MsgAllRight);
    VerifyTextsFit(Form6);
    Snapshot(Form6, "changepoldialog");
    TermixTest::Find<QPushButton>(Form6, "BitBtn1")->click();
    QVERIFY(!Form6->isVisible());
    QCOMPARE(Column(Grid(), 1), QStringList({"P1", "P2", "P3", "P4"}));
    QCOMPARE(Cell(Grid(), 0, 2), QString("X + Y"));

    // A new name: the record is renamed in place (scan table) with its new polynomial.
    Form6->show();
    Choose(TermixTest::Find<QComboBox>(Form6, "CBOldName"), 1);
    TermixTest::Find<QLineEdit>(Form6, "EdNewName")->setText("R2");
    TermixTest::Find<QPushButton>(Form6, "BitBtn1")->click();
    QCOMPARE(Column(Grid(), 1), QStringList({"P1", "R2", "P3", "P4"}));
    QCOMPARE(Cell(Grid(), 1, 2), QString("Y + 1"));
  }

  // "Create Copy" proposes the name with "copy", refuses the own name, relabels the button with
  // a Cyrillic Es, and adds a record while the original stays.
  void ChangeDialogCopies() {
    Form6->show();
    Choose(TermixTest::Find<QComboBox>(Form6, "CBOldName"), 0);
    TermixTest::Find<QCheckBox>(Form6, "ChBCopy")->click();
    QCOMPARE(TermixTest::Find<QLineEdit>(Form6, "EdNewName")->text(), QString("P1copy"));
    QCOMPARE(TermixTest::Find<QPushButton>(Form6, "BitBtn1")->text(),
             QString::fromUtf8("\xD0\xA1opy Polynom"));
    QCOMPARE(TermixTest::Find<QPushButton>(Form6, "BitBtn1")->text().at(0).unicode(),
             char16_t(0x0421));
    QCOMPARE(TermixTest::Find<QLineEdit>(Form6, "EdMist")->text(), MsgAllRight);
    Snapshot(Form6, "changepoldialog-copy");
    TermixTest::Find<QLineEdit>(Form6, "EdNewName")->setText("P1");
    QCOMPARE(TermixTest::Find<QLineEdit>(Form6, "EdMist")->text(), MsgExists(1));
    // Unticking brings the own name back and accepts it again.
    TermixTest::Find<QCheckBox>(Form6, "ChBCopy")->click();
    QCOMPARE(TermixTest::Find<QPushButton>(Form6, "BitBtn1")->text(), QString("Change Polynom"));
    QCOMPARE(TermixTest::Find<QLineEdit>(Form6, "EdNewName")->text(), QString("P1"));
    QCOMPARE(TermixTest::Find<QLineEdit>(Form6, "EdMist")->text(), MsgAllRight);
    TermixTest::Find<QCheckBox>(Form6, "ChBCopy")->click();
    // Ticking again while the name field already holds the own name: still refused.
    TermixTest::Find<QLineEdit>(Form6, "EdNewName")->setText("P1");
    QCOMPARE(TermixTest::Find<QLineEdit>(Form6, "EdMist")->text(), MsgExists(1));
    TermixTest::Find<QLineEdit>(Form6, "EdNewName")->setText("P1copy");
    TermixTest::Find<QLineEdit>(Form6, "EdNewFormula")->setText("2*x");
    TermixTest::Find<QPushButton>(Form6, "BitBtn1")->click();
    QVERIFY(!Form6->isVisible());
    QCOMPARE(Column(Grid(), 1), QStringList({"P1", "P2", "P3", "P4", "P1copy"}));
    QCOMPARE(Cell(Grid(), 0, 2), QString("X"));
    QCOMPARE(Cell(Grid(), 4, 2), QString("2*X"));

    // Every opening starts unticked with the change caption.
    Form6->show();
    QVERIFY(!TermixTest::Find<QCheckBox>(Form6, "ChBCopy")->isChecked());
    QCOMPARE(TermixTest::Find<QPushButton>(Form6, "BitBtn1")->text(), QString("Change Polynom"));
    TermixTest::Find<QPushButton>(Form6, "BitBtn2")->click();
  }

  // A bad polynomial blocks the change; with the name also bad, the name is what is asked for.
  void ChangeDialogChecksThePolynomial() {
    Form6->show();
    Choose(TermixTest::Find<QComboBox>(Form6, "CBOldName"), 3);
    TermixTest::Find<QLineEdit>(Form6, "EdNewFormula")->setText("2x");
    QCOMPARE(TermixTest::Find<QLineEdit>(Form6, "EdMist")->text(),
             QString("Ошибка в коэффициенте или в определении переменной монома! [Mon№1]"));
    QCOMPARE(TermixTest::Find<QLineEdit>(Form6, "EdNewFormulaReading")->text(),
             QString("Прочитано как: —"));
    TermixTest::Find<QPushButton>(Form6, "BitBtn1")->click();
    QVERIFY(Form6->isVisible());
    TermixTest::Find<QLineEdit>(Form6, "EdNewName")->setText("P 4");
    TermixTest::Find<QLineEdit>(Form6, "EdNewFormula")->setText("2*x*");
    QCOMPARE(TermixTest::Find<QLineEdit>(Form6, "EdMist")->text(), MsgNeedName);
    TermixTest::Find<QPushButton>(Form6, "BitBtn2")->click();
    QCOMPARE(Cell(Grid(), 3, 2), QString("2*X*Y"));
  }

  // A renamed record moves to the place of its new key: in the sorted table by order, in the
  // hash table into the new key's bucket (Q1 sums to 130, bucket 0, behind P2).
  void ChangeDialogMovesRenamedRecords_data() {
    QTest::addColumn<QString>("organisation");
    QTest::addColumn<int>("chosen");
    QTest::addColumn<QString>("newName");
    QTest::addColumn<QStringList>("names");
    QTest::newRow("sorted") << "RBSortTab" << 0 << "Z1" << QStringList({"P2", "P3", "P4", "Z1"});
    QTest::newRow("hash") << "RBHashTab" << 3 << "Q1" << QStringList({"P2", "-> Q1", "P3", "P4"});
  }
  void ChangeDialogMovesRenamedRecords() {
    QFETCH(QString, organisation);
    QFETCH(int, chosen);
    QFETCH(QString, newName);
    QFETCH(QStringList, names);
    Form2->findChild<QRadioButton*>(organisation)->click();
    Form6->show();
    Choose(TermixTest::Find<QComboBox>(Form6, "CBOldName"), chosen);
    QCOMPARE(TermixTest::Find<QComboBox>(Form6, "CBOldName")->currentText(), QString("P1"));
    TermixTest::Find<QLineEdit>(Form6, "EdNewName")->setText(newName);
    TermixTest::Find<QPushButton>(Form6, "BitBtn1")->click();
    QVERIFY(!Form6->isVisible());
    QCOMPARE(Column(Grid(), 1), names);
  }

  // The frame the three dialogs share: modal, the confirm button is the default one, Tab walks
  // the controls in layout order, and Cancel closes the dialog without a result.
  void DialogsShareTheirFrame() {
    struct TCase {
      QDialog* dialog;
      QPushButton* confirm;
      QPushButton* cancel;
      QList<QWidget*> order;
    };
    const TCase cases[] = {
        {Form4,
         TermixTest::Find<QPushButton>(Form4, "BitBtn1"),
         TermixTest::Find<QPushButton>(Form4, "BitBtn2"),
         {TermixTest::Find<QLineEdit>(Form4, "EdName"), TermixTest::Find<QLineEdit>(Form4, "EdPol"),
          TermixTest::Find<QPushButton>(Form4, "BitBtn1"),
          TermixTest::Find<QPushButton>(Form4, "BitBtn2")}},
        {Form5,
         TermixTest::Find<QPushButton>(Form5, "BitBtn1"),
         TermixTest::Find<QPushButton>(Form5, "BitBtn2"),
         {TermixTest::Find<QComboBox>(Form5, "CBName"),
          TermixTest::Find<QComboBox>(Form5, "CBFormula"),
          TermixTest::Find<QComboBox>(Form5, "CBNum"),
          TermixTest::Find<QPushButton>(Form5, "BitBtn1"),
          TermixTest::Find<QPushButton>(Form5, "BitBtn2")}},
        {Form6,
         TermixTest::Find<QPushButton>(Form6, "BitBtn1"),
         TermixTest::Find<QPushButton>(Form6, "BitBtn2"),
         {TermixTest::Find<QComboBox>(Form6, "CBOldName"),
          TermixTest::Find<QComboBox>(Form6, "CBOldFormula"),
          TermixTest::Find<QLineEdit>(Form6, "EdNewName"),
          TermixTest::Find<QLineEdit>(Form6, "EdNewFormula"),
          TermixTest::Find<QCheckBox>(Form6, "ChBCopy"),
          TermixTest::Find<QPushButton>(Form6, "BitBtn1"),
          TermixTest::Find<QPushButton>(Form6, "BitBtn2")}},
    };
    for (const TCase& c : cases) {
      const QByteArray name = c.dialog->objectName().toUtf8();
      c.dialog->show();
      QVERIFY2(QTest::qWaitForWindowActive(c.dialog), name);
      if (c.dialog == Form6)
        Choose(TermixTest::Find<QComboBox>(Form6, "CBOldName"),
               0); // the edit fields open on a choice
      QVERIFY2(c.dialog->isModal(), name);
      QVERIFY2(c.confirm->isDefault() && !c.cancel->isDefault(), name);
      c.order.first()->setFocus();
      for (int i = 1; i < c.order.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QWidget* at = QApplication::focusWidget();
        while (at && !c.order.contains(at))
          at = at->parentWidget();
        QVERIFY2(at == c.order[i], qPrintable(name + " step " + QByteArray::number(i)));
      }
      c.dialog->setResult(QDialog::Accepted);
      c.cancel->click();
      QVERIFY2(!c.dialog->isVisible(), name);
      QCOMPARE(c.dialog->result(), int(QDialog::Rejected));
    }
  }

  // The main window's buttons open the dialogs; each dialog gives its button the normal picture.
  void MainWindowButtonsOpenTheDialogs() {
    struct TCase {
      void (TForm1::*click)();
      QDialog* dialog;
      TToolButton* button;
    };
    for (const TCase& c :
         {TCase{&TForm1::TBNewClick, Form4, TermixTest::MainButton("TBNew")},
          TCase{&TForm1::TBDeleteClick, Form5, TermixTest::MainButton("TBDelete")},
          TCase{&TForm1::TBChangeClick, Form6, TermixTest::MainButton("TBChange")}}) {
      c.button->SetImageIndex(c.button->HotOn);
      QDialog* dialog = c.dialog;
      bool opened = false;
      QTimer::singleShot(0, dialog, [dialog, &opened] {
        opened = dialog->isVisible();
        dialog->reject();
      });
      (Form1->*c.click)();
      QVERIFY(opened);
      QCOMPARE(c.button->ImageIndex(), c.button->NormalOn);
    }
  }
};

QTEST_MAIN(TestPolDialogs)
#include "test_poldialogs.moc"
