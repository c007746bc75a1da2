#include "app/RecentFiles.h"

#include <QFileInfo>
#include <QSettings>

#include "model/UserFolders.h"

namespace kx {

namespace {

constexpr const char* kKey = "files/recent";

QSettings settingsFile() {
  return QSettings(QString::fromStdString(ConfigFolder() + "/kxprog.conf"), QSettings::IniFormat);
}

QString absolute(const QString& path) {
  return QFileInfo(path).absoluteFilePath();
}

}  // namespace

RecentFiles::RecentFiles() {
  // The settings file is the technician's to edit: empty or repeated entries, relative paths and
  // a list longer than the menu's are tidied up.
  for (const QString& path : settingsFile().value(QString::fromLatin1(kKey)).toStringList()) {
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
  QSettings settings = settingsFile();
  settings.setValue(QString::fromLatin1(kKey), paths_);
}

}  // namespace kx
