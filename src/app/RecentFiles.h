#pragma once

#include <QString>
#include <QStringList>

namespace kx {

class ProgramSettings;

// The configuration files last loaded or saved, newest first, kept in the program's settings
// file so the File menu offers them again in the next run.
class RecentFiles {
 public:
  static constexpr int kCount = 4;

  // Reads the list from the settings file; an unreadable or odd entry is left out.
  explicit RecentFiles(ProgramSettings& settings);

  const QStringList& Paths() const { return paths_; }
  // Puts a file at the top (once, by its absolute path) and keeps the list.
  void Add(const QString& path);
  void Remove(const QString& path);

 private:
  void keep() const;

  ProgramSettings& settings_;
  QStringList paths_;
};

}  // namespace kx
