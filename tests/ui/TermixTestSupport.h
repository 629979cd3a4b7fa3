#pragma once
// Helpers shared by the window tests: start the program the way main() does (windows
// created in order, main window shown, splash clicked away), and act on a window that
// another piece of code shows modally with exec().

#include "ui/Application.h"
#include "ui/CalcWindow.h"
#include "ui/Forms.h"
#include "ui/MainWindow.h"
#include "ui/OverviewWindow.h"
#include "ui/SplashWindow.h"
#include "ui/TableWindow.h"

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <functional>
#include <memory>

namespace TermixTest {

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
  QTest::mouseClick(Form11->ImSplash, Qt::LeftButton, Qt::NoModifier,
                    Form11->ImSplash->rect().center());
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

} // namespace TermixTest
