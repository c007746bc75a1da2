#include "app/RecentFiles.h"

#include <QDir>
#include <QFileInfo>

#include "app/ProgramSettings.h"

namespace kx {

namespace {

constexpr const char* kKey = "files/recent";

// Whole paths, written as the system writes them ("C:\radio\site.dat" on Windows), so the
// menu, its messages and the settings file show the path the technician knows.
QString absolute(const QString& path) {
  return QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath());
}

}  // namespace

RecentFiles::RecentFiles(ProgramSettings& settings) : settings_(settings) {
  // The settings file is the technician's to edit: empty or repeated entries, relative paths and
  // a list longer than the menu's are tidied up.
  for (const QString& path : settings_.Value(QString::fromLatin1(kKey)).toStringList()) {
    if (path.isEmpty() || paths_.size() >= kCount) continue;
    if (!paths_.contains(absolute(path))) paths_ << absolute(path);
  }
}

void RecentFiles::Add(const QString& path) {
  const QString file = absolute(path);
  paths_.removeAll(file);
  paths_.prepend(file);
  while (paths_.size() > kCount)
    paths_.removeLast();
  keep();
}

void RecentFiles::Remove(const QString& path) {
  if (paths_.removeAll(absolute(path)) > 0) keep();
}

void RecentFiles::keep() const {
  settings_.SetValue(QString::fromLatin1(kKey), paths_);
}

}  // namespace kx
