#pragma once

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "support/TempFolder.h"

namespace kx::test {

// A desktop whose numbers have a decimal comma (German), as the desktop app's start-up makes
// the C library's: compiled with localedef into a folder of the test's own, so nothing needs
// installing but the locale sources, and put back to "C" afterwards.
class CommaLocale {
 public:
  CommaLocale() {
#ifdef _WIN32
    // The C runtime of Windows has its own locale names.
    active_ = std::setlocale(LC_ALL, "German_Germany.1252") != nullptr;
#else
    const std::string target = folder_.file("de_DE.UTF-8");
    const std::string command = "localedef -i de_DE -f UTF-8 '" + target + "' >/dev/null 2>&1";
    if (std::system(command.c_str()) != 0 && !std::filesystem::exists(target + "/LC_NUMERIC"))
      return;
    ::setenv("LOCPATH", folder_.path().c_str(), 1);
    active_ = std::setlocale(LC_ALL, "de_DE.UTF-8") != nullptr;
#endif
  }
  ~CommaLocale() {
    std::setlocale(LC_ALL, "C");
#ifndef _WIN32
    ::unsetenv("LOCPATH");
#endif
  }
  CommaLocale(const CommaLocale&) = delete;
  CommaLocale& operator=(const CommaLocale&) = delete;

  // The locale took, and the C library really writes a comma now.
  bool active() const {
    char text[8];
    std::snprintf(text, sizeof text, "%.1f", 1.5);
    return active_ && std::string(text) == "1,5";
  }

 private:
  TempFolder folder_;
  bool active_ = false;
};

}  // namespace kx::test
