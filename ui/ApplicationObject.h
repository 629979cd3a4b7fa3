#pragma once
#include <QApplication>
#include <QString>

// The application object. Every event goes through notify(); an exception escaping an
// event handler is shown in an error message box and the message loop goes on, so the
// windows stay as they were.
class TApplication : public QApplication {
  Q_OBJECT
public:
  TApplication(int& argc, char** argv);
  bool notify(QObject* receiver, QEvent* event) override;

  // The help document, a bare file name: looked up in the current directory first,
  // then in the installed help, then among the program's embedded resources.
  QString HelpFile;

  // Shows an error message box (the toolkit's error box) with the given text.
  static void ShowException(const QString& message);
};

// Makes the embedded resources (pictures, help) available; safe to call repeatedly.
void InitTermixResources();
