#include "ui/ApplicationObject.h"

#include <QIcon>
#include <QMessageBox>
#include <cstdio>
#include <exception>

// Resources are registered outside any namespace, as the resource compiler expects.
static void RegisterTermixResources() {
  Q_INIT_RESOURCE(termix);
}

void InitTermixResources() {
  static bool done = false;
  if (!done) {
    RegisterTermixResources();
    done = true;
  }
}

TApplication::TApplication(int& argc, char** argv)
    : QApplication(argc, argv), HelpFile(QStringLiteral("Polhelp.html")) {
  // The lower-case name makes the user's data folder ~/.local/share/termix and matches the
  // desktop entry termix.desktop; window titles do not show it.
  setApplicationName(QStringLiteral("termix"));
  setDesktopFileName(QStringLiteral("termix"));
  InitTermixResources();
  setWindowIcon(QIcon(QStringLiteral(":/pictures/emblem.png")));
}

bool TApplication::notify(QObject* receiver, QEvent* event) {
  try {
    return QApplication::notify(receiver, event);
  } catch (const std::exception& error) {
    ShowException(QString::fromUtf8(error.what()));
  } catch (...) {
    ShowException(tr("Неизвестная ошибка"));
  }
  return false;
}

void TApplication::ShowException(const QString& message) {
  // An error raised while the box is up (e.g. in a paint handler behind it) must not
  // open a second box on top of the first.
  static bool showing = false;
  std::fprintf(stderr, "TERMIX: %s\n", message.toLocal8Bit().constData());
  if (showing) return;
  showing = true;
  QMessageBox::critical(nullptr, QStringLiteral("TERMIX"), message);
  showing = false;
}
