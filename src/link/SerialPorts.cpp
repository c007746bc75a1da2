#include "link/SerialPorts.h"

#include <cctype>
#include <climits>

namespace kx::serial_ports {

namespace {
bool startsWithNoCase(std::string_view text, std::string_view prefix) {
  if (text.size() < prefix.size()) return false;
  for (std::size_t i = 0; i < prefix.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(text[i])) !=
        std::tolower(static_cast<unsigned char>(prefix[i])))
      return false;
  }
  return true;
}
}  // namespace

std::optional<int> DecimalNumber(std::string_view digits, int largest) {
  if (digits.empty() || digits.size() > 4) return std::nullopt;
  if (digits.size() > 1 && digits[0] == '0') return std::nullopt;
  int value = 0;
  for (char c : digits) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');
  }
  if (value > largest) return std::nullopt;
  return value;
}

std::optional<int> ParsePortNumber(std::string_view text) {
  if (startsWithNoCase(text, "\\\\.\\")) text.remove_prefix(4);
  if (startsWithNoCase(text, "COM")) text.remove_prefix(3);
  const auto number = DecimalNumber(text, INT_MAX / 10);
  if (!number || *number < 1) return std::nullopt;
  return number;
}

std::string Label(const SerialPortInfo& port) {
  std::string text = port.number > 0 ? "COM" + std::to_string(port.number) + "  " : "";
  text += port.device;
  if (!port.description.empty()) text += "  (" + port.description + ")";
  return text;
}

}  // namespace kx::serial_ports
