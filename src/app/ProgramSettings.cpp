#include "app/ProgramSettings.h"

#include <QSettings>
#include <filesystem>
#include <system_error>

#include "model/FileCheck.h"
#include "model/FileIo.h"
#include "model/UserFolders.h"

namespace kx {

namespace {

std::string localPath() {
  return fileio::joinPath(ConfigFolder(), "kxprog.conf");
}

// Not there yet (nor a link to nothing) is a file QSettings makes with the first value kept.
bool absent(const std::string& path) {
  std::error_code error;
  return std::filesystem::symlink_status(fileio::nativePath(path), error).type() ==
         std::filesystem::file_type::not_found;
}

}  // namespace

QString ProgramSettings::Path() {
  return QString::fromStdString(localPath());  // paths are UTF-8 on every system
}

std::optional<Notice> ProgramSettings::Problem() const {
  const std::string path = localPath();
  if (absent(path)) return std::nullopt;
  const Outcome checked = CheckFileToOpen(path, kLargestFile);
  if (checked.ok) return std::nullopt;
  Notice notice = checked.messages.front();
  notice.kind = NoticeKind::kWarning;
  notice.detail = path + ": " + notice.detail +
                  "\nThe settings start from their defaults and are kept for this run only.";
  return notice;
}

bool ProgramSettings::usable() const {
  return !Problem();
}

QVariant ProgramSettings::Value(const QString& key, const QVariant& fallback) const {
  if (!usable()) return kept_.value(key, fallback);
  const QSettings settings(Path(), QSettings::IniFormat);
  return settings.value(key, fallback);
}

void ProgramSettings::SetValue(const QString& key, const QVariant& value) {
  if (!usable()) {
    kept_.insert(key, value);
    return;
  }
  QSettings settings(Path(), QSettings::IniFormat);
  settings.setValue(key, value);
}

}  // namespace kx
