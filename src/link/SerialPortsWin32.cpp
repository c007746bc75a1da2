#include <windows.h>
// SetupAPI after windows.h, which it builds on.
#include <devguid.h>
#include <setupapi.h>

#include <algorithm>
#include <map>

#include "link/SerialPorts.h"
#include "model/WideText.h"

namespace kx::serial_ports {

namespace {
constexpr const char* kDevicePrefix = "\\\\.\\";

// "USB Serial Port (COM3)" and the like, by port name, for every port SetupAPI knows (the
// adapters plugged in now, and the built-in UARTs). Empty where SetupAPI is not there.
std::map<std::string, std::string> portDescriptions() {
  std::map<std::string, std::string> descriptions;
  const HDEVINFO devices =
      ::SetupDiGetClassDevsW(&GUID_DEVCLASS_PORTS, nullptr, nullptr, DIGCF_PRESENT);
  if (devices == INVALID_HANDLE_VALUE) return descriptions;
  SP_DEVINFO_DATA device{};
  device.cbSize = sizeof device;
  for (DWORD i = 0; ::SetupDiEnumDeviceInfo(devices, i, &device); ++i) {
    const HKEY key =
        ::SetupDiOpenDevRegKey(devices, &device, DICS_FLAG_GLOBAL, 0, DIREG_DEV, KEY_READ);
    if (key == INVALID_HANDLE_VALUE) continue;
    wchar_t name[64] = {};
    DWORD size = sizeof name - sizeof name[0];
    const bool named = ::RegQueryValueExW(key, L"PortName", nullptr, nullptr,
                                          reinterpret_cast<BYTE*>(name), &size) == ERROR_SUCCESS;
    ::RegCloseKey(key);
    if (!named) continue;
    wchar_t text[256] = {};
    if (::SetupDiGetDeviceRegistryPropertyW(devices, &device, SPDRP_FRIENDLYNAME, nullptr,
                                            reinterpret_cast<BYTE*>(text),
                                            sizeof text - sizeof text[0], nullptr) ||
        ::SetupDiGetDeviceRegistryPropertyW(devices, &device, SPDRP_DEVICEDESC, nullptr,
                                            reinterpret_cast<BYTE*>(text),
                                            sizeof text - sizeof text[0], nullptr))
      descriptions[win32::Utf8(name)] = win32::Utf8(text);
  }
  ::SetupDiDestroyDeviceInfoList(devices);
  return descriptions;
}

// The description without the "(COM3)" that every list shows beside it anyway.
std::string withoutPortName(std::string text, const std::string& name) {
  const std::string suffix = " (" + name + ")";
  if (text.size() > suffix.size() && text.ends_with(suffix))
    text.resize(text.size() - suffix.size());
  return text;
}
// A device the DOS device list does not name but that is there all the same: it opens, or it is
// in use (access denied) or present but failing (general failure).
bool answersOpen(const std::string& device) {
  const HANDLE port = ::CreateFileW(win32::Wide(device).c_str(), GENERIC_READ | GENERIC_WRITE, 0,
                                    nullptr, OPEN_EXISTING, FILE_FLAG_OVERLAPPED, nullptr);
  if (port != INVALID_HANDLE_VALUE) {
    ::CloseHandle(port);
    return true;
  }
  const DWORD error = ::GetLastError();
  return error == ERROR_ACCESS_DENIED || error == ERROR_GEN_FAILURE;
}

constexpr int kLargestProbedPort = 255;
// The system's port database hands out COM1..COM4096; no port has a number above.
constexpr int kLargestPortNumber = 4096;
}  // namespace

const char* const kOtherPortPrompt = "Serial port (COM<n>, or a device such as \\\\.\\CNCA0):";
const char* const kOtherPortStart = "COM";

int PortNumberOf(std::string_view deviceName) {
  return ParsePortNumber(deviceName).value_or(0);
}

std::string DeviceOf(int number) {
  if (number < 1 || number > kLargestPortNumber) return {};
  return kDevicePrefix + ("COM" + std::to_string(number));
}

std::optional<SerialPortInfo> Resolve(std::string_view text, std::string* error) {
  if (const auto number = ParsePortNumber(text); number && !DeviceOf(*number).empty())
    return SerialPortInfo{*number, DeviceOf(*number), {}};
  // Any other device by its full name: a virtual port pair, a Bluetooth port named otherwise.
  if (text.size() > 4 && text.substr(0, 4) == kDevicePrefix)
    return SerialPortInfo{0, std::string(text), {}};
  if (error)
    *error = "Not a serial port: \"" + std::string(text) + "\" (give COM<n> or a port number)";
  return std::nullopt;
}

// The ports are the DOS device names that begin with COM and a number, as the system lists them
// (also the ones a driver made for a virtual or Bluetooth port), and every COM1..COM255 that
// answers an open although the list leaves it out (Wine's ports linked in its dosdevices folder,
// the old systems' ports).
std::vector<SerialPortInfo> List(const std::string&, const std::string&) {
  std::vector<SerialPortInfo> ports;
  std::vector<wchar_t> names(65536);
  const DWORD length = ::QueryDosDeviceW(nullptr, names.data(), static_cast<DWORD>(names.size()));
  if (length == 0) names[0] = names[1] = L'\0';
  const auto descriptions = portDescriptions();
  for (const wchar_t* name = names.data(); *name && name < names.data() + length;
       name += std::wcslen(name) + 1) {
    const std::string text = win32::Utf8(name);
    if (::_wcsnicmp(name, L"COM", 3) != 0) continue;  // COM alone has no number and is skipped
    const auto number = ParsePortNumber(text);
    if (!number) continue;
    const auto described = descriptions.find(text);
    ports.push_back(
        {*number, DeviceOf(*number),
         described == descriptions.end() ? "" : withoutPortName(described->second, text)});
  }
  std::vector<bool> listed(kLargestProbedPort + 1);
  for (const auto& port : ports) {
    if (port.number <= kLargestProbedPort) listed[static_cast<std::size_t>(port.number)] = true;
  }
  for (int number = 1; number <= kLargestProbedPort; ++number) {
    if (!listed[static_cast<std::size_t>(number)] && answersOpen(DeviceOf(number)))
      ports.push_back({number, DeviceOf(number), {}});
  }
  std::sort(ports.begin(), ports.end(),
            [](const SerialPortInfo& a, const SerialPortInfo& b) { return a.number < b.number; });
  ports.erase(std::unique(ports.begin(), ports.end(),
                          [](const SerialPortInfo& a, const SerialPortInfo& b) {
                            return a.number == b.number;
                          }),
              ports.end());
  return ports;
}

// A \\.\ device is there when the system has a DOS device of that name, or when it answers an
// open (Wine's ports, a port another program holds).
bool DevicePresent(const std::string& device) {
  const std::string name =
      device.size() > 4 && device.substr(0, 4) == kDevicePrefix ? device.substr(4) : device;
  std::vector<wchar_t> target(1024);
  if (::QueryDosDeviceW(win32::Wide(name).c_str(), target.data(),
                        static_cast<DWORD>(target.size())) != 0 ||
      ::GetLastError() == ERROR_INSUFFICIENT_BUFFER)
    return true;
  return answersOpen(device);
}

}  // namespace kx::serial_ports
