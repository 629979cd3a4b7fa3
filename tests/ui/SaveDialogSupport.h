#pragma once
// Answers the next file dialog as a user does: types the path into its name field and presses
// Return. Arm it before the call that opens the dialog; the returned flag tells whether a
// dialog came (it gives up after timeoutMs).

#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QTest>
#include <QTimer>

#include <memory>

namespace TermixTest {

inline std::shared_ptr<bool> AnswerFileDialog(const QString& path, int timeoutMs = 10000) {
  auto answered = std::make_shared<bool>(false);
  auto waited = std::make_shared<int>(0);
  auto* timer = new QTimer;
  timer->setInterval(10);
  QObject::connect(timer, &QTimer::timeout, [=] {
    *waited += 10;
    auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
    auto* name = dialog ? dialog->findChild<QLineEdit*>("fileNameEdit") : nullptr;
    if (name || *waited > timeoutMs) {
      timer->stop();
      timer->deleteLater();
    }
    if (!name) return;
    *answered = true;
    name->setText(path);
    QTest::keyClick(name, Qt::Key_Return);
  });
  timer->start();
  return answered;
}

} // namespace TermixTest
