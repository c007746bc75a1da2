#include <QApplication>

#include "app/ProgrammerApp.h"
#include "app/UserDialogs.h"
#include "model/Version.h"

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  QApplication::setApplicationName(QStringLiteral("kxprog"));
  QApplication::setApplicationVersion(
      QString::fromLatin1(kx::version::kNumber.data(), kx::version::kNumber.size()));
  kx::QtUserDialogs dialogs;
  kx::CProgrammerApp program(dialogs);
  if (!program.InitInstance(QApplication::arguments())) return program.ExitCode();
  return QApplication::exec();
}
