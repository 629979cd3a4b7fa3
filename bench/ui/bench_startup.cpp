// Start-up time of the program: from process start to the working windows on screen,
// with the splash clicked through automatically.
//   BM_ProcessStartToWorkingWindows: a fresh process each time (this program started
//     again with --startup-child), timed until it reports the windows shown.
//   BM_StartWithBigTable: the same with a table file that holds a stored result of 171,700
//     monomials, against the empty start in the same run (target: within twice the time).
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

#include "bench/core/PairedTiming.h"
#include "core/TPolinom.h"

#include <chrono>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <random>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

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

// Seconds from starting this program as the child in folder dir to its report that the
// working windows are on screen; negative when it did not get there.
double StartSeconds(const std::string& dir) {
  int out[2];
  if (pipe(out) != 0) return -1;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
  posix_spawn_file_actions_addclose(&actions, out[0]);
  posix_spawn_file_actions_addchdir_np(&actions, dir.c_str());
  char* args[] = {const_cast<char*>(SelfPath.c_str()), const_cast<char*>(ChildFlag), nullptr};
  pid_t pid = 0;
  const auto start = std::chrono::steady_clock::now();
  const int spawned = posix_spawn(&pid, SelfPath.c_str(), &actions, nullptr, args, environ);
  posix_spawn_file_actions_destroy(&actions);
  close(out[1]);
  if (spawned != 0) {
    close(out[0]);
    return -1;
  }
  char buffer[16] = {};
  ssize_t got = 0, n = 0;
  while (got < 6 && (n = read(out[0], buffer + got, sizeof buffer - 1 - size_t(got))) > 0)
    got += n;
  const auto end = std::chrono::steady_clock::now();
  close(out[0]);
  int status = 0;
  waitpid(pid, &status, 0);
  if (std::strncmp(buffer, "ready", 5) != 0 || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
    return -1;
  return std::chrono::duration<double>(end - start).count();
}

void BM_ProcessStartToWorkingWindows(benchmark::State& state) {
  QTemporaryDir work; // an empty data folder, as on a first start
  QDir(work.path()).mkpath("IniSaves");
  for (auto _ : state) {
    const double seconds = StartSeconds(work.path().toStdString());
    if (seconds < 0) {
      state.SkipWithError("the program did not reach its working windows");
      break;
    }
    state.SetIterationTime(seconds);
  }
}
BENCHMARK(BM_ProcessStartToWorkingWindows)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(10);

// A table file with one stored result of 171,700 monomials of distinct indexes spread over
// the whole range (a formula line of about 4 MB) and one small polynomial.
void WriteBigTable(const QString& folder) {
  constexpr int Terms = 171700;
  LISTSTRUCT::TPolinom big;
  std::mt19937 rng(171700);
  for (int i = Terms - 1; i >= 0; --i)
    big.InsLast(new LISTSTRUCT::TMonom(static_cast<float>(rng() % 9999 + 1) / 100.0f,
                                       i * 5 + int(rng() % 5)));
  std::ofstream file((folder + "/IniSaves/PolTable.ini").toStdString(), std::ios::binary);
  file << "[Global]\nPolCount=2\n[Polinom0]\nPolName=Res0\nPolFormula=" << big.GetText()
       << "\n[Polinom1]\nPolName=A\nPolFormula=X + 1\n";
}

// Each iteration starts the program once with the big table and once with none; the time is
// the first's, "ratio" the median of the first over the median of the second.
void BM_StartWithBigTable(benchmark::State& state) {
  QTemporaryDir empty, big;
  QDir(empty.path()).mkpath("IniSaves");
  QDir(big.path()).mkpath("IniSaves");
  WriteBigTable(big.path());
  std::vector<double> withTable, without;
  for (auto _ : state) {
    const double seconds = StartSeconds(big.path().toStdString());
    const double emptySeconds = StartSeconds(empty.path().toStdString());
    if (seconds < 0 || emptySeconds < 0) {
      state.SkipWithError("the program did not reach its working windows");
      return;
    }
    withTable.push_back(seconds);
    without.push_back(emptySeconds);
    state.SetIterationTime(seconds);
  }
  const double ownMedian = benchsupport::Median(withTable),
               peerMedian = benchsupport::Median(without);
  state.counters["ms"] = ownMedian * 1e3;
  state.counters["empty_ms"] = peerMedian * 1e3;
  state.counters["ratio"] = peerMedian > 0 ? ownMedian / peerMedian : 0.0;
}
BENCHMARK(BM_StartWithBigTable)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);

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
