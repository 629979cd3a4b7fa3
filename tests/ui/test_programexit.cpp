// Closing the main window ends the program, whatever working windows are shown or hidden and
// whatever dialog was open before, and nothing is saved. The program runs as a process of its
// own and is driven through the X server as a user drives it: real pointer clicks and keys,
// and the window system's close request.
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

#include <memory>

namespace {

const QString MainTitle = "TERMIX: Работа с полиномами от нескольких переменных";
const QString SplashTitle = "TERMIX";
const QStringList WorkingTitles = {"STORE: таблица полиномов", "POLINOM: Вычисления полиномов",
                                   "OVERVIEW: Демонстрационные возможности"};

// The program's windows as the X server sees them.
class TXSession {
public:
  TXSession() : Dpy(XOpenDisplay(nullptr)) {
    // A window may go between the listing and a question about it; that is no failure.
    XSetErrorHandler([](Display*, XErrorEvent*) { return 0; });
  }
  ~TXSession() {
    if (Dpy) XCloseDisplay(Dpy);
  }
  bool IsOpen() const { return Dpy != nullptr; }

  // The shown top-level window with this title (and a size beyond a helper window's), or 0.
  Window Find(const QString& title) {
    Window root = 0, parent = 0, *children = nullptr;
    unsigned count = 0;
    Window found = 0;
    if (!XQueryTree(Dpy, DefaultRootWindow(Dpy), &root, &parent, &children, &count)) return 0;
    for (unsigned i = 0; i < count && !found; ++i) {
      XWindowAttributes attributes;
      if (!XGetWindowAttributes(Dpy, children[i], &attributes)) continue;
      if (attributes.map_state == IsViewable && attributes.width > 20 &&
          Title(children[i]) == title)
        found = children[i];
    }
    if (children) XFree(children);
    return found;
  }

  bool WaitShown(const QString& title, bool shown) {
    return QTest::qWaitFor([&] { return (Find(title) != 0) == shown; }, 10000);
  }

  // A click of the left button in the middle of the window, with the real pointer.
  void ClickCentre(Window window) {
    XWindowAttributes attributes;
    XGetWindowAttributes(Dpy, window, &attributes);
    int x = 0, y = 0;
    Window child = 0;
    XTranslateCoordinates(Dpy, window, DefaultRootWindow(Dpy), attributes.width / 2,
                          attributes.height / 2, &x, &y, &child);
    XTestFakeMotionEvent(Dpy, -1, x, y, 0);
    XTestFakeButtonEvent(Dpy, 1, True, 0);
    XTestFakeButtonEvent(Dpy, 1, False, 0);
    XFlush(Dpy);
  }

  // The key with the given modifiers held, sent to the window that has the keyboard focus.
  void PressKeys(KeySym key, std::initializer_list<KeySym> modifiers) {
    for (KeySym m : modifiers)
      XTestFakeKeyEvent(Dpy, XKeysymToKeycode(Dpy, m), True, 0);
    XTestFakeKeyEvent(Dpy, XKeysymToKeycode(Dpy, key), True, 0);
    XTestFakeKeyEvent(Dpy, XKeysymToKeycode(Dpy, key), False, 0);
    for (KeySym m : modifiers)
      XTestFakeKeyEvent(Dpy, XKeysymToKeycode(Dpy, m), False, 0);
    XFlush(Dpy);
  }

  // The keyboard focus goes to the window, as a window manager gives it to a clicked window
  // (the test's X server runs without one).
  void Focus(Window window) {
    XSetInputFocus(Dpy, window, RevertToParent, CurrentTime);
    XFlush(Dpy);
  }

  // The close box: the window system asks the window to close.
  void Close(Window window) {
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(Dpy, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(XInternAtom(Dpy, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(Dpy, window, False, NoEventMask, &event);
    XFlush(Dpy);
  }

  bool CloseAndWait(const QString& title) {
    const Window window = Find(title);
    if (!window) return false;
    Close(window);
    return WaitShown(title, false);
  }

private:
  Display* Dpy;

  QString Title(Window window) {
    Atom type = 0;
    int format = 0;
    unsigned long items = 0, after = 0;
    unsigned char* data = nullptr;
    QString title;
    if (XGetWindowProperty(Dpy, window, XInternAtom(Dpy, "_NET_WM_NAME", False), 0, 1024, False,
                           XInternAtom(Dpy, "UTF8_STRING", False), &type, &format, &items, &after,
                           &data) == Success &&
        data) {
      title = QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<int>(items));
      XFree(data);
    }
    return title;
  }
};

} // namespace

class TestProgramExit : public QObject {
  Q_OBJECT
  TXSession x;

private slots:
  void initTestCase() { QVERIFY(x.IsOpen()); }

  void closingTheMainWindowEndsTheProgram_data() {
    QTest::addColumn<int>("hidden");     // bit i: working window i closed before the main one
    QTest::addColumn<QString>("dialog"); // a dialog opened by its key and closed before
    for (int hidden = 0; hidden < 8; ++hidden)
      QTest::addRow("hidden %d", hidden) << hidden << QString();
    QTest::newRow("after the new-polynomial dialog")
        << 0 << QString("NEW: Добавление в таблицу нового полинома");
    QTest::newRow("after the formula store, calculation window hidden")
        << 2 << QString("SAVE / LOAD FORMULA: Сохранение и загрузка формул");
  }

  void closingTheMainWindowEndsTheProgram() {
    QFETCH(int, hidden);
    QFETCH(QString, dialog);
    QTemporaryDir work;
    QVERIFY(work.isValid());
    QVERIFY(QDir(work.path()).mkpath("IniSaves"));
    const QString tableFile = work.filePath("IniSaves/PolTable.ini");
    const QByteArray table =
        "[Global]\r\nPolCount=1\r\n[Polinom1]\r\nPolName=P\r\nPolFormula=x+1\r\n";
    {
      QFile file(tableFile);
      QVERIFY(file.open(QIODevice::WriteOnly));
      file.write(table);
    }

    QProcess program;
    program.setWorkingDirectory(work.path());
    program.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    program.start(TERMIX_PROGRAM, QStringList());
    QVERIFY(program.waitForStarted());
    auto stop = std::unique_ptr<QProcess, void (*)(QProcess*)>(&program, [](QProcess* p) {
      if (p->state() != QProcess::NotRunning) {
        p->kill();
        p->waitForFinished();
      }
    });

    // The splash goes with two clicks; then the working windows appear.
    QVERIFY(x.WaitShown(SplashTitle, true));
    x.ClickCentre(x.Find(SplashTitle));
    QTest::qWait(300);
    x.ClickCentre(x.Find(SplashTitle));
    QVERIFY(x.WaitShown(SplashTitle, false));
    for (const QString& title : WorkingTitles)
      QVERIFY2(x.WaitShown(title, true), qPrintable(title));

    if (!dialog.isEmpty()) {
      x.Focus(x.Find(MainTitle));
      QTest::qWait(200);
      if (dialog.startsWith("NEW"))
        x.PressKeys(XK_n, {XK_Control_L});
      else
        x.PressKeys(XK_o, {XK_Control_L});
      QVERIFY2(x.WaitShown(dialog, true), qPrintable(dialog));
      QVERIFY(x.CloseAndWait(dialog));
    }
    for (int i = 0; i < 3; ++i)
      if (hidden & (1 << i))
        QVERIFY2(x.CloseAndWait(WorkingTitles[i]), qPrintable(WorkingTitles[i]));

    const Window main = x.Find(MainTitle);
    QVERIFY(main);
    x.Close(main);
    QVERIFY2(program.waitForFinished(10000), "the program still runs after its main window closed");
    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    QCOMPARE(program.exitCode(), 0);
    // Nothing was saved at exit.
    QFile file(tableFile);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), table);
  }
};

QTEST_GUILESS_MAIN(TestProgramExit)
#include "test_programexit.moc"
