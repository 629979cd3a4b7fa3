// The application object: an exception escaping an event handler is shown in an error
// message box and the message loop goes on.
#include "ui/Application.h"

#include <QLabel>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <stdexcept>

namespace {
// An object whose handler fails the way a window's handler might.
class TFaulty : public QObject {
public:
  int Handled = 0;
  bool event(QEvent* e) override {
    if (e->type() == QEvent::User) throw std::runtime_error("Ошибка в обработчике");
    if (e->type() == QEvent::Type(QEvent::User + 1)) throw 42;
    if (e->type() == QEvent::Type(QEvent::User + 2)) {
      ++Handled;
      return true;
    }
    return QObject::event(e);
  }
};

// Closes the next error box and returns its text through `text`.
void CloseNextBox(QString* text) {
  auto* timer = new QTimer;
  timer->setInterval(5);
  QObject::connect(timer, &QTimer::timeout, [=] {
    if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
      *text = box->text();
      timer->stop();
      timer->deleteLater();
      box->accept();
    }
  });
  timer->start();
}
} // namespace

class TestApplication : public QObject {
  Q_OBJECT
private slots:
  void handlerErrorIsShownAndTheLoopGoesOn() {
    TFaulty faulty;
    QString shown;
    CloseNextBox(&shown);
    QCoreApplication::postEvent(&faulty, new QEvent(QEvent::User));
    QTRY_COMPARE(shown, QString("Ошибка в обработчике"));
    // The loop still delivers events.
    QCoreApplication::postEvent(&faulty, new QEvent(QEvent::Type(QEvent::User + 2)));
    QTRY_COMPARE(faulty.Handled, 1);
  }

  void unknownErrorIsShownToo() {
    TFaulty faulty;
    QString shown;
    CloseNextBox(&shown);
    QCoreApplication::postEvent(&faulty, new QEvent(QEvent::Type(QEvent::User + 1)));
    QTRY_COMPARE(shown, QString("Неизвестная ошибка"));
  }

  void helpFileIsABareName() {
    auto* app = qobject_cast<TApplication*>(QCoreApplication::instance());
    QVERIFY(app);
    QCOMPARE(app->HelpFile, QString("Polhelp.html"));
  }
};

int main(int argc, char** argv) {
  TApplication app(argc, argv);
  TestApplication test;
  return QTest::qExec(&test, argc, argv);
}
#include "test_application.moc"
