#include "link/TimeStamp.h"

#include <chrono>
#include <cstdio>
#include <ctime>

namespace kx {

std::string TimeStamp(const char* format, char separator) {
  const auto now = std::chrono::system_clock::now();
  const std::time_t seconds = std::chrono::system_clock::to_time_t(now);
  const auto millis =
      std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count() % 1000;
  std::tm local{};
#ifdef _WIN32
  ::localtime_s(&local, &seconds);
#else
  ::localtime_r(&seconds, &local);
#endif
  char text[64];
  const std::size_t length = std::strftime(text, sizeof text, format, &local);
  std::snprintf(text + length, sizeof text - length, "%c%03d", separator, static_cast<int>(millis));
  return text;
}

}  // namespace kx
