#pragma once
// Helpers shared by the window tests: start the program the way main() does (windows
// created in order, main window shown, splash clicked away), and act on a window that
// another piece of code shows modally with exec().

#include "ui/Application.h"
#include "ui/CalcWindow.h"
#include "ui/Forms.h"
#include "ui/MainWindow.h"
#include "ui/OverviewWindow.h"
#include "ui/PolTableModel.h"
#include "ui/SplashWindow.h"
#include "ui/TableDocumentAdapter.h"
#include "ui/TableWindow.h"

#include "core/TPolinom.h"
#include "tables/TBasePTab.h"

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QMenu>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace TermixTest {

// The control of window with the object name (the name it has in the window's design); a
// missing one stops the test with its name.
template <class T = QWidget> T* Find(const QObject* window, const char* name) {
  T* control = window->findChild<T*>(QString::fromLatin1(name));
  if (!control) qFatal("%s has no %s", qPrintable(window->objectName()), name);
  return control;
}

// The main window's tool button with the name (TBStore, TBNew, …).
inline TToolButton* MainButton(const char* name) {
  return Find<TToolButton>(Form1, name);
}

// Runs `action` once, as soon as `window` is the active modal window; gives up after
// `timeoutMs`. The returned flag tells whether the action ran. Arm it before the call
// that shows the window, since exec() does not return until the window is closed.
inline std::shared_ptr<bool> WhenModal(QWidget* target, std::function<void()> action,
                                       int timeoutMs = 10000) {
  QPointer<QWidget> window(target); // the window may be destroyed while the timer runs
  auto ran = std::make_shared<bool>(false);
  auto* timer = new QTimer;
  auto waited = std::make_shared<int>(0);
  timer->setInterval(5);
  QObject::connect(timer, &QTimer::timeout, [=] {
    *waited += 5;
    if (window && window->isVisible() && QApplication::activeModalWidget() == window) {
      timer->stop();
      timer->deleteLater();
      *ran = true;
      action();
    } else if (!window || *waited > timeoutMs) {
      timer->stop();
      timer->deleteLater();
    }
  });
  timer->start();
  return ran;
}

// Runs `action` once on the next menu that pops up (a context menu shown with exec()); arm it
// before the call that shows the menu. The returned flag tells whether the action ran.
inline std::shared_ptr<bool> WhenPopup(std::function<void(QMenu*)> action, int timeoutMs = 5000) {
  auto ran = std::make_shared<bool>(false);
  auto* timer = new QTimer;
  auto waited = std::make_shared<int>(0);
  timer->setInterval(5);
  QObject::connect(timer, &QTimer::timeout, [=] {
    *waited += 5;
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    if (menu && menu->isVisible()) {
      timer->stop();
      timer->deleteLater();
      *ran = true;
      action(menu);
    } else if (*waited > timeoutMs) {
      timer->stop();
      timer->deleteLater();
    }
  });
  timer->start();
  return ran;
}

// While it lives, closes (rejects) every modal dialog that comes up and counts them.
class TModalDismisser {
public:
  TModalDismisser() {
    Timer.setInterval(5);
    QObject::connect(&Timer, &QTimer::timeout, [this] {
      if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
        ++Closed;
        dialog->reject();
      }
    });
    Timer.start();
  }
  int Closed = 0;

private:
  QTimer Timer;
};

// Clicks the splash picture once with the left button.
inline void ClickSplash() {
  QLabel* picture = Find<QLabel>(Form11, "ImSplash");
  QTest::mouseClick(picture, Qt::LeftButton, Qt::NoModifier, picture->rect().center());
}

// Creates the windows, shows the main window, clicks the splash twice and waits until
// the table, calculation and overview windows are shown. Returns whether all happened.
inline bool StartProgram() {
  CreateForms();
  auto passed = WhenModal(Form11, [] {
    ClickSplash();
    ClickSplash();
  });
  Form1->show();
  const bool shown = QTest::qWaitFor(
      [] {
        return !Form11->isVisible() && Form2->isVisible() && Form3->isVisible() &&
               Form9->isVisible();
      },
      10000);
  return shown && *passed && QTest::qWaitForWindowExposed(Form1);
}

// Adds a polynomial, given as text, to the user's table through the document (as the new
// dialog would); returns its position.
inline int InsertPolynom(const std::string& key, const std::string& text) {
  LISTSTRUCT::TPolinom pol;
  pol.SetText(text);
  return TableDocument->Insert(key, pol);
}

// Empties the user's table through the document, record by record. A big table (one a test
// filled straight, thousands of records) loses all but its last record straight too: the
// document then refreshes every window once, not once a record.
inline void ClearTable() {
  std::vector<std::string> keys;
  for (const TPolTableRow& row : TableDocument->Rows()->Rows())
    keys.push_back(row.Key.toStdString());
  constexpr std::size_t Small = 50;
  if (keys.size() > Small) {
    for (std::size_t i = 0; i + 1 < keys.size(); ++i)
      TableDocument->CurTab()->DelRecord(keys[i]);
    keys.erase(keys.begin(), keys.end() - 1);
  }
  for (const std::string& key : keys)
    TableDocument->Delete(key);
}

} // namespace TermixTest
