// Takes a picture of the main window on a real X display (Xvfb in scripts/screenshot), so the
// window can be looked at without a desktop. Usage: app_screenshot OUTPUT.png [PAGE]
// [--model-dialog] PAGE is 0 channel, 1 modem, 2 EEPROM map, 3 system/GPS.
#include <QApplication>
#include <QEventLoop>
#include <QGuiApplication>
#include <QScreen>
#include <QTimer>
#include <cstdio>

#include "app/KX200View.h"
#include "app/ModelSelectDlg.h"
#include "app/ProgrammerApp.h"
#include "app/UserDialogs.h"

namespace {
void settle(int milliseconds) {
  QEventLoop loop;
  QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
  loop.exec();
}
}  // namespace

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  const QStringList args = QApplication::arguments();
  if (args.size() < 2) {
    std::fprintf(stderr, "usage: app_screenshot OUTPUT.png [PAGE] [--model-dialog]\n");
    return 2;
  }
  const QString output = args[1];
  const bool keepModelDialog = args.contains(QStringLiteral("--model-dialog"));
  int page = 0;
  if (args.size() > 2 && args[2] != QStringLiteral("--model-dialog")) page = args[2].toInt();

  kx::QtUserDialogs dialogs;
  kx::CProgrammerApp program(dialogs);
  if (!program.InitInstance({args[0]})) return 1;
  // Without a window manager nothing maximises the frame, so give it the screen.
  program.Frame()->setGeometry(QGuiApplication::primaryScreen()->availableGeometry());
  settle(500);
  kx::CKX200View* view = program.View();
  if (!keepModelDialog && view->FirstModelDialog()) view->FirstModelDialog()->close();
  switch (page) {
    case 1:
      view->ShowModemPage();
      break;
    case 2:
      view->ShowEepromPage();
      break;
    case 3:
      view->ShowSystemPage();
      break;
    default:
      view->ShowChannelPage();
      break;
  }
  settle(700);
  const QPixmap shot = QGuiApplication::primaryScreen()->grabWindow(0);
  if (!shot.save(output)) {
    std::fprintf(stderr, "cannot write %s\n", output.toLocal8Bit().constData());
    return 1;
  }
  std::printf("%s\n", output.toLocal8Bit().constData());
  return 0;
}
