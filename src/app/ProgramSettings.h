#pragma once

#include <QString>
#include <QVariant>
#include <QVariantMap>
#include <cstddef>
#include <optional>

#include "model/Outcome.h"

namespace kx {

// The program's settings file, kxprog.conf in the configuration folder (INI): Program > Verify
// after Write and the recent files. It is looked at before every use, as the loaders look at a
// file: while it is something other than a regular file of a sane size (a FIFO would hold the
// start for ever, a device or a huge file would be read without end) the settings start from
// their defaults, are kept in memory for this run, and the file is left as it is.
class ProgramSettings {
 public:
  static constexpr std::size_t kLargestFile = 1 << 20;

  // Followed to the configuration folder of the moment.
  static QString Path();
  // Why the file cannot be used, in the loaders' words ("Cannot Open File!" and the reason);
  // nothing when it can, or is not there yet.
  std::optional<Notice> Problem() const;

  QVariant Value(const QString& key, const QVariant& fallback = {}) const;
  void SetValue(const QString& key, const QVariant& value);

 private:
  bool usable() const;

  QVariantMap kept_;  // while the file cannot be used
};

}  // namespace kx
