#include <QApplication>

#include "app/ProgrammerApp.h"
#include "model/Version.h"
#include "ui/UserDialogs.h"

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  QApplication::setApplicationName(QStringLiteral("kxprog"));
  QApplication::setApplicationVersion(
      QString::fromLatin1(kx::version::kNumber.data(), kx::version::kNumber.size()));
  // The installed desktop entry's name, so a desktop shows the window under its menu entry.
  QGuiApplication::setDesktopFileName(QStringLiteral("io.kxprog.kxprog"));
  kx::QtUserDialogs dialogs;
  kx::CProgrammerApp program(dialogs);
  if (!program.InitInstance(QApplication::arguments())) return program.ExitCode();
  return QApplication::exec();
}
