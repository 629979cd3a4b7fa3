// Start-up time of the program: from process start to the working windows on screen,
// with the splash clicked through automatically.
//   BM_ProcessStartToWorkingWindows: a fresh process each time (this program started
//     again with --startup-child), timed until it reports the windows shown.
//   BM_WindowsCreatedAndShown: inside this process, the windows created, the main window
//     shown, the splash passed and the working windows shown, then destroyed again.
#include "ui/Application.h"
#include "ui/CalcWindow.h"
#include "ui/Forms.h"
#include "ui/MainWindow.h"
#include "ui/OverviewWindow.h"
#include "ui/SplashWindow.h"
#include "ui/TableWindow.h"

#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTimer>
#include <QWindow>
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

const char* ChildFlag = "--startup-child";
std::string SelfPath;

bool Exposed(QWidget* w) {
  return w && w->isVisible() && w->windowHandle() && w->windowHandle()->isExposed();
}

bool WorkingWindowsShown() {
  return Exposed(Form1) && Exposed(Form2) && Exposed(Form3) && Exposed(Form9);
}

// Clicks the splash through as soon as it is up, and calls `done` once the working
// windows are on screen. Everything runs in the caller's event loop.
void PassSplashThen(std::function<void()> done) {
  auto* timer = new QTimer;
  timer->setInterval(1);
  QObject::connect(timer, &QTimer::timeout, [timer, done] {
    if (Form11 && Form11->isVisible()) {
      Form11->ImSplashClick(); // logo -> tutorial
      Form11->ImSplashClick(); // closes the splash
    } else if (WorkingWindowsShown()) {
      timer->stop();
      timer->deleteLater();
      done();
    }
  });
  timer->start();
}

// The child: the program's own start-up, then "ready" on stdout and a normal exit.
int RunChild(int argc, char** argv) {
  TApplication app(argc, argv);
  CreateForms();
  PassSplashThen([] {
    std::fputs("ready\n", stdout);
    std::fflush(stdout);
    QCoreApplication::exit(0);
  });
  Form1->show();
  const int code = app.exec();
  DestroyForms();
  return code;
}

void BM_ProcessStartToWorkingWindows(benchmark::State& state) {
  QTemporaryDir work; // an empty data folder, as on a first start
  QDir(work.path()).mkpath("IniSaves");
  for (auto _ : state) {
    int out[2];
    if (pipe(out) != 0) {
      state.SkipWithError("pipe failed");
      break;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    const std::string dir = work.path().toStdString();
    posix_spawn_file_actions_addchdir_np(&actions, dir.c_str());
    char* args[] = {const_cast<char*>(SelfPath.c_str()), const_cast<char*>(ChildFlag), nullptr};
    pid_t pid = 0;
    const auto start = std::chrono::steady_clock::now();
    const int spawned = posix_spawn(&pid, SelfPath.c_str(), &actions, nullptr, args, environ);
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    if (spawned != 0) {
      close(out[0]);
      state.SkipWithError("could not start the program");
      break;
    }
    char buffer[16] = {};
    ssize_t got = 0, n = 0;
    while (got < 6 && (n = read(out[0], buffer + got, sizeof buffer - 1 - size_t(got))) > 0)
      got += n;
    const auto end = std::chrono::steady_clock::now();
    close(out[0]);
    int status = 0;
    waitpid(pid, &status, 0);
    if (std::strncmp(buffer, "ready", 5) != 0 || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
      state.SkipWithError("the program did not reach its working windows");
      break;
    }
    state.SetIterationTime(std::chrono::duration<double>(end - start).count());
  }
}
BENCHMARK(BM_ProcessStartToWorkingWindows)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(10);

void BM_WindowsCreatedAndShown(benchmark::State& state) {
  QTemporaryDir work;
  QDir(work.path()).mkpath("IniSaves");
  const QString before = QDir::currentPath();
  QDir::setCurrent(work.path());
  for (auto _ : state) {
    QElapsedTimer clock;
    clock.start();
    CreateForms();
    bool shown = false;
    PassSplashThen([&] { shown = true; });
    Form1->show();
    while (!shown && clock.elapsed() < 20000)
      QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
    state.SetIterationTime(double(clock.nsecsElapsed()) / 1e9);
    state.PauseTiming();
    DestroyForms();
    QCoreApplication::processEvents();
    state.ResumeTiming();
    if (!shown) {
      state.SkipWithError("the working windows did not appear");
      break;
    }
  }
  QDir::setCurrent(before);
}
BENCHMARK(BM_WindowsCreatedAndShown)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(10);

} // namespace

int main(int argc, char** argv) {
  if (argc > 1 && std::strcmp(argv[1], ChildFlag) == 0) return RunChild(argc, argv);
  char path[4096] = {};
  const ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
  SelfPath = n > 0 ? std::string(path, size_t(n)) : std::string(argv[0]);
  TApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
