#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kx {

// A serial port the radio can be on: a number for the "COM%d" menu and the device behind it.
struct SerialPortInfo {
  int number = 0;           // 1.. ; 0 for a device outside the numbering (a pseudo-terminal)
  std::string device;       // /dev/ttyUSB0, /dev/ttyS0, a pseudo-terminal, a /dev/serial/by-id link
  std::string description;  // product or driver, when the system says

  bool operator==(const SerialPortInfo&) const = default;
};

// On Windows a port is COM<n>, the device \\.\COM<n>; the list comes from the system's DOS
// device names, the descriptions from SetupAPI.
//
// On Linux port numbers come from the kernel's device name alone, so a number names the same device
// for as long as the hardware stays the same, whatever else is plugged in:
//   ttyS<n> -> n + 1 (COM1 is ttyS0, as everywhere)      ttyUSB<n> -> 101 + n
//   ttyACM<n> -> 201 + n    ttyAMA<n> -> 301 + n    ttySC<n> -> 401 + n    ttyXRUSB<n> -> 501 + n
//   ttymxc<n> -> 601 + n    ttyO<n> -> 701 + n      ttyTHS<n> -> 801 + n   rfcomm<n> -> 901 + n
// Kernel indexes above 98 have no number.
namespace serial_ports {
constexpr int kFamilySpan = 100;

// The number of a device name ("ttyUSB0" or "/dev/ttyUSB0"); 0 when the name is outside the
// numbering.
int PortNumberOf(std::string_view deviceName);
// The device path of a port number ("/dev/ttyUSB0" for 101); empty when no family has it.
std::string DeviceOf(int number);

// What a technician may type to name a port: "COM5", "com5", "\\.\COM5", "5", or a device path
// (on Linux anything with a '/': /dev/ttyUSB0, /dev/pts/3, /dev/serial/by-id/...; on Windows
// any other \\.\ device, such as a null-modem emulator's \\.\CNCA0). A path keeps the number
// of the device it leads to (0 for a pseudo-terminal). Nothing, with the reason in error, for
// anything else.
std::optional<SerialPortInfo> Resolve(std::string_view text, std::string* error = nullptr);

// The serial devices present, in ascending port number. On Linux every tty in sysfsClass that
// has a device behind it, is inside the numbering and has a node in devDir; a ttyS only when
// the kernel found a UART for it (its type is not 0). The folders are parameters so tests can
// build a machine of their own (Windows ignores them).
std::vector<SerialPortInfo> List(const std::string& sysfsClass = "/sys/class/tty",
                                 const std::string& devDir = "/dev");

// Whether the device a port leads to is there now (a node in /dev; on Windows a DOS device
// name, or a device that answers an open).
bool DevicePresent(const std::string& device);

// The number a technician gives a port by: "COM5", "com5", "\\.\COM5" or "5" give 5. Nothing
// for anything else (also 0 and numbers with a leading zero).
std::optional<int> ParsePortNumber(std::string_view text);
// The value of a run of decimal digits, no leading zero, at most largest; nothing otherwise.
std::optional<int> DecimalNumber(std::string_view digits, int largest);

// How a technician is asked for a port the list does not have, and what the answer starts as.
extern const char* const kOtherPortPrompt;
extern const char* const kOtherPortStart;

// "COM101  /dev/ttyUSB0  (FT232R USB UART)": how every list of ports shows an entry.
std::string Label(const SerialPortInfo& port);
}  // namespace serial_ports

}  // namespace kx
