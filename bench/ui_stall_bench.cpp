// The longest the desktop app's event loop goes unserved while it reads and writes the virtual
// radio at wire speed (kxsim --pace): a 1 ms timer ticks throughout, and the largest gap between
// two ticks is a stall the technician would see as a frozen window. Measured twice: over the
// pseudo-terminal as it is (it takes the programmer's bytes at once), and with the port draining
// at the baud rate as a real line does (about 2 ms a byte at 4800 baud). Printed against one
// frame at 60 Hz (16 ms), the budget. A busy machine stalls any program now and then, so each
// figure is the least of a few runs, printed beside the longest gap of the idle event loop over
// as long a time: the machine's own stalls.
#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "VirtualRadio.h"
#include "app/CommandIds.h"
#include "app/KX200View.h"
#include "app/MainFrame.h"
#include "app/ModelSelectDlg.h"
#include "app/ProgrammerApp.h"
#include "app/ReadWriteDlg.h"
#include "support/ScriptedUserDialogs.h"

namespace {

constexpr double kFrameMs = 16.0;
constexpr int kRuns = 3;
constexpr int kIdle = 0;  // no command: the event loop left alone
constexpr int kIdleMs = 5000;

struct Stall {
  double longestMs = 0;
  double atSeconds = 0;  // since the command began
  QString status;        // the progress window's text when it ended
  int progress = 0;
};

// Runs one command of the main window from the event loop and watches the loop meanwhile.
Stall watchCommand(kx::CProgrammerApp& program, int command) {
  Stall stall;
  QElapsedTimer clock;
  qint64 lastTick = 0;
  QTimer ticker;
  ticker.setTimerType(Qt::PreciseTimer);
  ticker.setInterval(1);
  QObject::connect(&ticker, &QTimer::timeout, [&] {
    const qint64 now = clock.nsecsElapsed();
    const double gapMs = static_cast<double>(now - lastTick) / 1e6;
    lastTick = now;
    if (gapMs <= stall.longestMs) return;
    stall.longestMs = gapMs;
    stall.atSeconds = static_cast<double>(now) / 1e9;
    if (kx::CReadWriteDlg* window = program.View()->ReadWriteWindow()) {
      stall.status = window->Status();
      stall.progress = window->Progress();
    } else {
      stall.status = QStringLiteral("(window closed)");
    }
  });
  clock.start();
  ticker.start();
  QTimer::singleShot(0, [&] {
    if (command != kIdle) program.Frame()->Action(command)->trigger();
    QTimer::singleShot(command == kIdle ? kIdleMs : 0, [] { QCoreApplication::quit(); });
  });
  QApplication::exec();
  return stall;
}

// The least longest stall of a few runs of a command.
Stall leastOfRuns(kx::CProgrammerApp& program, int command) {
  Stall least;
  for (int run = 0; run < kRuns; ++run) {
    const Stall stall = watchCommand(program, command);
    if (run == 0 || stall.longestMs < least.longestMs) least = stall;
  }
  return least;
}

void print(const char* what, const Stall& s) {
  std::printf("%-26s longest stall %6.1f ms  / %2.0f ms frame = %5.2f  (at %5.2f s, %d/416, %s)\n",
              what, s.longestMs, kFrameMs, s.longestMs / kFrameMs, s.atSeconds, s.progress,
              s.status.toStdString().c_str());
}

}  // namespace

int main(int argc, char* argv[]) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  // Settings and the backups of the radio's memory go to a folder of the run's own.
  char folder[] = "/tmp/kxstall-XXXXXX";
  if (!::mkdtemp(folder)) return 1;
  qputenv("XDG_CONFIG_HOME", folder);
  qputenv("XDG_DATA_HOME", folder);
  // The offscreen platform's notes about window features it lacks say nothing here.
  qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString& text) {
    if (!text.startsWith(QStringLiteral("This plugin does not support")))
      std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData());
  });
  QApplication application(argc, argv);

  kx::sim::RadioSettings settings;
  settings.model = kx::model::kKx600Uhf;
  settings.timing = kx::sim::RadioSettings::PacedTiming();
  kx::sim::VirtualRadio radio(settings);
  std::string error;
  if (!radio.Start(&error)) {
    std::fprintf(stderr, "no virtual radio: %s\n", error.c_str());
    return 1;
  }

  kx::ScriptedUserDialogs dialogs;
  kx::CProgrammerApp program(dialogs, [] { return std::vector<kx::SerialPortInfo>{}; });
  if (!program.InitInstance({QStringLiteral("kxprog"), QStringLiteral("--port"),
                             QString::fromStdString(radio.SlavePath())}))
    return 1;
  QCoreApplication::processEvents();
  if (kx::CModelSelectDlg* first = program.View()->FirstModelDialog()) first->close();
  QCoreApplication::processEvents();

  bool failed = false;
  for (const bool paced : {false, true}) {
    program.View()->Port().SetPacedWrites(paced);
    const Stall read = leastOfRuns(program, kx::cmd::kReadRadio);
    failed |= program.View()->ReadWriteWindow() != nullptr;  // a failed transfer stays on show
    const Stall write = leastOfRuns(program, kx::cmd::kWriteRadio);
    failed |= program.View()->ReadWriteWindow() != nullptr;
    const char* line = paced ? "line at 4800 baud" : "pseudo-terminal";
    print((std::string("read,  ") + line).c_str(), read);
    print((std::string("write, ") + line).c_str(), write);
  }
  print("idle event loop, 5 s", leastOfRuns(program, kIdle));
  // With Program > Verify after Write on (the default), every write reads the radio back too.
  const int readsPerWrite = program.Frame()->VerifyAfterWrite() ? 1 : 0;
  if (radio.State().readsCompleted != 2 * kRuns * (1 + readsPerWrite) ||
      radio.State().writesCompleted != 2 * kRuns || failed) {
    std::fprintf(stderr, "a transfer failed\n");
    return 1;
  }
  radio.Stop();
  std::error_code ignored;
  std::filesystem::remove_all(folder, ignored);
  return 0;
}
