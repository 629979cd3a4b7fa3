#include "ui/HelpWindow.h"
#include "ui/ApplicationObject.h"
#include "ui/DataFolders.h"
#include "ui/Language.h"
#include "ui/WidgetHelpers.h"

#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QPointer>
#include <QStyle>
#include <QTextBrowser>
#include <QToolButton>
#include <QVBoxLayout>

namespace {
QPointer<THelpWindow> TheHelpWindow;

QString HelpFileName() {
  if (auto* app = qobject_cast<TApplication*>(QCoreApplication::instance()))
    if (!app->HelpFile.isEmpty()) return app->HelpFile;
  return QStringLiteral("Polhelp.html");
}
} // namespace

THelpWindow::THelpWindow(QWidget* parent) : QWidget(parent) {
  setObjectName("HelpWindow");
  setWindowTitle(tr("TERMIX: Справка"));
  auto* buttons = new QHBoxLayout;
  auto makeButton = [&](const char* name, const QString& text, QStyle::StandardPixmap icon) {
    auto* b = new QToolButton(this);
    b->setObjectName(name);
    b->setText(text);
    b->setIcon(style()->standardIcon(icon));
    b->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    b->setAccessibleName(text);
    buttons->addWidget(b);
    return b;
  };
  BtnContents = makeButton("BtnContents", tr("Содержание"), QStyle::SP_DirHomeIcon);
  BtnBack = makeButton("BtnBack", tr("Назад"), QStyle::SP_ArrowBack);
  BtnForward = makeButton("BtnForward", tr("Вперёд"), QStyle::SP_ArrowForward);
  buttons->addStretch(1);
  Browser = new QTextBrowser(this);
  Browser->setObjectName("Browser");
  Browser->setAccessibleName(tr("Справка"));
  Browser->setOpenExternalLinks(true);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(buttons);
  layout->addWidget(Browser);
  BtnBack->setEnabled(false);
  BtnForward->setEnabled(false);
  connect(BtnContents, &QToolButton::clicked, this, &THelpWindow::ShowContents);
  connect(BtnBack, &QToolButton::clicked, Browser, &QTextBrowser::backward);
  connect(BtnForward, &QToolButton::clicked, Browser, &QTextBrowser::forward);
  connect(Browser, &QTextBrowser::backwardAvailable, BtnBack, &QToolButton::setEnabled);
  connect(Browser, &QTextBrowser::forwardAvailable, BtnForward, &QToolButton::setEnabled);
  resize(760, 640);
  CenterOnScreen(this);
}

QUrl THelpWindow::ContentsUrl() {
  const QString name = LocalizedPath(HelpFileName());
  const QFileInfo local(QDir::current(), name);
  if (local.isFile()) return QUrl::fromLocalFile(local.absoluteFilePath());
  const QString path = ResourcePath(QStringLiteral("help/") + name);
  if (path.startsWith(':')) return QUrl(QStringLiteral("qrc") + path);
  return QUrl::fromLocalFile(path);
}

void THelpWindow::ShowContents() {
  const QUrl url = ContentsUrl();
  if (Browser->source() != url)
    Browser->setSource(url);
  else
    Browser->home();
}

THelpWindow* ShowHelpContents() {
  InitTermixResources();
  if (!TheHelpWindow) TheHelpWindow = new THelpWindow;
  TheHelpWindow->ShowContents();
  TheHelpWindow->show();
  TheHelpWindow->raise();
  TheHelpWindow->activateWindow();
  return TheHelpWindow;
}

THelpWindow* ExistingHelpWindow() {
  return TheHelpWindow;
}

void DestroyHelpWindow() {
  delete TheHelpWindow;
}
