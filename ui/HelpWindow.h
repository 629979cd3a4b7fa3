#pragma once
#include <QUrl>
#include <QWidget>

class QTextBrowser;
class QToolButton;

// The help viewer: a browser window over the help document, with contents, back and
// forward buttons. One window for the whole program, made on first use.
class THelpWindow : public QWidget {
  Q_OBJECT
public:
  explicit THelpWindow(QWidget* parent = nullptr);
  QTextBrowser* Browser;
  QToolButton* BtnContents;
  QToolButton* BtnBack;
  QToolButton* BtnForward;

  // Opens the help document at its contents page.
  void ShowContents();
  // The contents page of the help document: the file in the current directory when it
  // is there, else the installed help, else the copy built into the program.
  static QUrl ContentsUrl();
};

// Shows the help window at the contents page (the help button's command) and returns it.
THelpWindow* ShowHelpContents();
// The help window if it has been opened, otherwise null.
THelpWindow* ExistingHelpWindow();
// Deletes the help window (at program end).
void DestroyHelpWindow();
