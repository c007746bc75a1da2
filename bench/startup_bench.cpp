// How long the desktop app takes from its start to an idle event loop (offscreen, the main window
// and the model selection shown) and its peak memory, against a bare Qt Widgets program that
// opens one empty window, measured in the same run: each is started as a process of its own a
// few times, alternately, and the medians are compared. The ratio holds on a busy machine where
// the times alone do not.
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "app/ProgrammerApp.h"
#include "ui/UserDialogs.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kRuns = 7;
constexpr double kTargetMs = 300.0;
constexpr double kTargetMb = 80.0;
constexpr const char* kProbe = "--probe";

// In the started process: says "idle" on standard output the first time the event loop has
// nothing left to do, and ends there.
void reportWhenIdle() {
  QTimer::singleShot(0, [] {
    QObject::connect(QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::aboutToBlock,
                     [] {
                       std::fputs("idle\n", stdout);
                       std::fflush(stdout);
                       std::_Exit(0);
                     });
  });
}

int probe(const std::string& which, int argc, char* argv[]) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
  QApplication application(argc, argv);
  if (which == "bare") {
    QWidget window;
    window.show();
    reportWhenIdle();
    return QApplication::exec();
  }
  // As kxprog's main() starts the program.
  kx::QtUserDialogs dialogs;
  kx::CProgrammerApp program(dialogs);
  if (!program.InitInstance({QStringLiteral("kxprog")})) return 1;
  reportWhenIdle();
  return QApplication::exec();
}

struct Start {
  double ms;
  double peakMb;
};

// Starts this program as a probe and times it until it says it is idle.
std::optional<Start> timeProbe(const char* self, const char* which) {
  int out[2];
  if (::pipe(out) != 0) return std::nullopt;
  const auto begun = Clock::now();
  const pid_t child = ::fork();
  if (child < 0) return std::nullopt;
  if (child == 0) {
    ::dup2(out[1], STDOUT_FILENO);
    ::close(out[0]);
    ::close(out[1]);
    ::execl(self, self, kProbe, which, static_cast<char*>(nullptr));
    std::_Exit(127);
  }
  ::close(out[1]);
  char said[8] = {};
  const ssize_t n = ::read(out[0], said, sizeof said - 1);
  const auto idle = Clock::now();
  ::close(out[0]);
  int status = 0;
  rusage usage{};
  ::wait4(child, &status, 0, &usage);
  if (n <= 0 || std::strncmp(said, "idle", 4) != 0) return std::nullopt;
  return Start{std::chrono::duration<double, std::milli>(idle - begun).count(),
               static_cast<double>(usage.ru_maxrss) / 1024.0};
}

double median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

}  // namespace

int main(int argc, char* argv[]) {
  if (argc == 3 && std::string(argv[1]) == kProbe) return probe(argv[2], argc, argv);

  // The app's settings stay in a folder of the run's own.
  std::string folder = (std::filesystem::temp_directory_path() / "kxstart-XXXXXX").string();
  if (!::mkdtemp(folder.data())) return 1;
  ::setenv("XDG_CONFIG_HOME", folder.c_str(), 1);
  ::setenv("XDG_DATA_HOME", folder.c_str(), 1);

  std::vector<double> appMs, bareMs, appMb, bareMb;
  for (int run = 0; run < kRuns; ++run) {
    const auto bare = timeProbe("/proc/self/exe", "bare");
    const auto app = timeProbe("/proc/self/exe", "app");
    if (!bare || !app) {
      std::fprintf(stderr, "a probe did not reach its event loop\n");
      return 1;
    }
    bareMs.push_back(bare->ms);
    appMs.push_back(app->ms);
    bareMb.push_back(bare->peakMb);
    appMb.push_back(app->peakMb);
  }
  std::error_code ignored;
  std::filesystem::remove_all(folder, ignored);

  const double app = median(appMs), bare = median(bareMs);
  const double peak = median(appMb);
  std::printf("start-up to an idle event loop (median of %d, offscreen)\n", kRuns);
  std::printf("  kxprog %6.1f ms   bare Qt window %6.1f ms   kxprog / bare %5.2f\n", app, bare,
              app / bare);
  std::printf("  kxprog / %.0f ms target %5.2f\n", kTargetMs, app / kTargetMs);
  std::printf("peak memory (resident)\n");
  std::printf("  kxprog %6.1f MB   bare Qt window %6.1f MB   kxprog / %.0f MB target %5.2f\n", peak,
              median(bareMb), kTargetMb, peak / kTargetMb);
  return 0;
}
