#pragma once

#include <cstdlib>
#include <optional>
#include <string>

#ifdef _WIN32
#include "model/WideText.h"
#endif

namespace kx::test {

// Sets (or, with nothing, removes) an environment variable for the life of the object, and
// puts back what was there before.
class ScopedVariable {
 public:
  ScopedVariable(std::string name, std::optional<std::string> value) : name_(std::move(name)) {
#ifdef _WIN32
    if (const wchar_t* old = ::_wgetenv(win32::Wide(name_).c_str())) saved_ = win32::Utf8(old);
#else
    if (const char* old = std::getenv(name_.c_str())) saved_ = old;
#endif
    set(value);
  }
  ~ScopedVariable() { set(saved_); }
  ScopedVariable(const ScopedVariable&) = delete;
  ScopedVariable& operator=(const ScopedVariable&) = delete;

  void set(const std::optional<std::string>& value) const {
#ifdef _WIN32
    // The wide environment is the one the programs read on Windows; an empty value removes.
    ::_wputenv_s(win32::Wide(name_).c_str(), value ? win32::Wide(*value).c_str() : L"");
#else
    if (value)
      ::setenv(name_.c_str(), value->c_str(), 1);
    else
      ::unsetenv(name_.c_str());
#endif
  }

 private:
  std::string name_;
  std::optional<std::string> saved_;
};

}  // namespace kx::test
