#include "link/SerialPorts.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdlib>
#include <fstream>
#include <utility>

namespace kx::serial_ports {

namespace {

struct Family {
  std::string_view prefix;
  int base;
};
// Longer prefixes first, so "ttySC0" is never read as a ttyS.
constexpr std::array<Family, 10> kFamilies{{
    {"ttyXRUSB", 500},
    {"ttymxc", 600},
    {"ttyUSB", 100},
    {"ttyACM", 200},
    {"ttyAMA", 300},
    {"ttyTHS", 800},
    {"rfcomm", 900},
    {"ttySC", 400},
    {"ttyS", 0},
    {"ttyO", 700},
}};
constexpr int kLargestIndex = kFamilySpan - 2;  // the number stays inside its family's hundred

std::string_view baseName(std::string_view path) {
  const auto slash = path.find_last_of('/');
  return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

std::string firstLineOf(const std::string& path) {
  std::ifstream in(path);
  std::string line;
  std::getline(in, line);
  while (!line.empty() && std::isspace(static_cast<unsigned char>(line.back())))
    line.pop_back();
  return line;
}

bool exists(const std::string& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0;
}

bool isLink(const std::string& path) {
  struct stat info {};
  return ::lstat(path.c_str(), &info) == 0 && S_ISLNK(info.st_mode);
}

std::string resolved(const std::string& path) {
  char* full = ::realpath(path.c_str(), nullptr);
  if (!full) return {};
  std::string result(full);
  std::free(full);
  return result;
}

// The product name of a USB adapter sits one or two folders above its tty's device (the
// interface, then the USB device); other ports are described by their driver. Recent kernels
// put generic "port" and "ctrl" layers between a UART's tty and its real driver.
std::string describe(const std::string& ttyFolder) {
  std::string folder = resolved(ttyFolder + "/device");
  std::string driver;
  for (int level = 0; level < 3 && folder.size() > 1; ++level) {
    const std::string product = firstLineOf(folder + "/product");
    if (!product.empty()) return product;
    const std::string name(baseName(resolved(folder + "/driver")));
    if (driver.empty() && name != "port" && name != "ctrl") driver = name;
    folder = folder.substr(0, folder.find_last_of('/'));
  }
  return driver;
}

// The family of a device name and the number it has in it; nothing outside the numbering.
std::optional<std::pair<const Family*, int>> numbered(std::string_view deviceName) {
  const std::string_view name = baseName(deviceName);
  for (const Family& family : kFamilies) {
    if (name.substr(0, family.prefix.size()) != family.prefix) continue;
    const auto index = DecimalNumber(name.substr(family.prefix.size()), kLargestIndex);
    if (!index) return std::nullopt;
    return std::pair{&family, family.base + *index + 1};
  }
  return std::nullopt;
}

}  // namespace

const char* const kOtherPortPrompt = "Serial port (COM<n>, or a device path such as /dev/pts/3):";
const char* const kOtherPortStart = "/dev/";

int PortNumberOf(std::string_view deviceName) {
  const auto found = numbered(deviceName);
  return found ? found->second : 0;
}

std::string DeviceOf(int number) {
  if (number < 1) return {};
  const int base = (number - 1) / kFamilySpan * kFamilySpan;
  const int index = number - 1 - base;
  if (index > kLargestIndex) return {};
  for (const Family& family : kFamilies) {
    if (family.base == base) return "/dev/" + std::string(family.prefix) + std::to_string(index);
  }
  return {};
}

std::optional<SerialPortInfo> Resolve(std::string_view text, std::string* error) {
  auto fail = [&](std::string reason) -> std::optional<SerialPortInfo> {
    if (error) *error = std::move(reason);
    return std::nullopt;
  };
  if (text.find('/') != std::string_view::npos) {
    SerialPortInfo port;
    port.device = std::string(text);
    const std::string target = resolved(port.device);
    port.number = PortNumberOf(target.empty() ? port.device : target);
    return port;
  }
  const auto number = ParsePortNumber(text);
  if (!number)
    return fail("Not a serial port: \"" + std::string(text) +
                "\" (give COM<n>, a port number or a device path)");
  SerialPortInfo port;
  port.number = *number;
  port.device = DeviceOf(*number);
  if (port.device.empty()) return fail("No serial port has the number " + std::to_string(*number));
  return port;
}

std::vector<SerialPortInfo> List(const std::string& sysfsClass, const std::string& devDir) {
  std::vector<SerialPortInfo> ports;
  DIR* folder = ::opendir(sysfsClass.c_str());
  if (!folder) return ports;
  while (const dirent* entry = ::readdir(folder)) {
    const std::string name = entry->d_name;
    const auto found = numbered(name);
    if (!found) continue;
    const std::string ttyFolder = sysfsClass + "/" + name;
    // Virtual terminals and the like have no device behind them.
    if (!isLink(ttyFolder + "/device")) continue;
    // The kernel makes a ttyS for every possible UART slot; type 0 means nothing answered there.
    if (found->first->prefix == "ttyS" && firstLineOf(ttyFolder + "/type") == "0") continue;
    const std::string device = devDir + "/" + name;
    if (!exists(device)) continue;
    ports.push_back({found->second, device, describe(ttyFolder)});
  }
  ::closedir(folder);
  std::sort(ports.begin(), ports.end(),
            [](const SerialPortInfo& a, const SerialPortInfo& b) { return a.number < b.number; });
  return ports;
}

bool DevicePresent(const std::string& device) {
  return exists(device);
}

}  // namespace kx::serial_ports
