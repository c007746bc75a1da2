#include <QApplication>

#include "app/ProgrammerApp.h"
#include "app/UserDialogs.h"

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  QApplication::setApplicationName(QStringLiteral("kxprog"));
  QApplication::setApplicationVersion(QStringLiteral("1.61"));
  kx::QtUserDialogs dialogs;
  kx::CProgrammerApp program(dialogs);
  if (!program.InitInstance(QApplication::arguments())) return program.ExitCode();
  return QApplication::exec();
}
