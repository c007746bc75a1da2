// Writes the application's picture, as the program paints its window icon, into the PNG sizes
// of the hicolor icon theme: export_icons FOLDER writes FOLDER/<n>x<n>/apps/<name>.png.
#include <QApplication>
#include <QDir>
#include <cstdio>

#include "app/ToolbarIcons.h"

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  if (argc != 3) {
    std::fprintf(stderr, "usage: export_icons FOLDER NAME\n");
    return 2;
  }
  const QString folder = QString::fromLocal8Bit(argv[1]);
  const QString name = QString::fromLocal8Bit(argv[2]);
  for (const int side : {16, 22, 24, 32, 48, 64, 128, 256}) {
    const QString dir = QStringLiteral("%1/%2x%2/apps").arg(folder).arg(side);
    if (!QDir().mkpath(dir) ||
        !kx::MakeToolPixmap(kx::ToolIcon::Application, side).save(dir + "/" + name + ".png")) {
      std::fprintf(stderr, "cannot write the %dx%d icon into %s\n", side, side, argv[1]);
      return 1;
    }
  }
  return 0;
}
