#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "link/SerialPorts.h"

namespace kx {
namespace {

namespace fs = std::filesystem;
using namespace serial_ports;

TEST(SerialPortsTest, NumbersComeFromTheDeviceName) {
  struct Case {
    const char* device;
    int number;
  };
  const Case cases[] = {
      {"ttyS0", 1},      {"/dev/ttyS3", 4}, {"ttyS98", 99},   {"ttyS99", 0},    {"ttyUSB0", 101},
      {"ttyUSB12", 113}, {"ttyACM0", 201},  {"ttyAMA1", 302}, {"ttySC0", 401},  {"ttyXRUSB2", 503},
      {"ttymxc0", 601},  {"ttyO2", 703},    {"ttyTHS1", 802}, {"rfcomm0", 901}, {"tty1", 0},
      {"ptmx", 0},       {"ttyUSB", 0},     {"ttyUSB01", 0},  {"ttyUSB1a", 0},  {"/dev/pts/3", 0},
  };
  for (const Case& c : cases)
    EXPECT_EQ(PortNumberOf(c.device), c.number) << c.device;
}

TEST(SerialPortsTest, EveryNumberLeadsBackToItsDevice) {
  for (int number : {1, 4, 99, 101, 199, 201, 301, 401, 501, 601, 701, 801, 901, 999}) {
    const std::string device = DeviceOf(number);
    ASSERT_FALSE(device.empty()) << number;
    EXPECT_EQ(PortNumberOf(device), number) << device;
  }
  for (int number : {0, -1, 100, 200, 1000, 1001})
    EXPECT_EQ(DeviceOf(number), "") << number;
}

TEST(SerialPortsTest, TechnicianNamesAPortAsHeLikes) {
  struct Case {
    const char* text;
    int number;
    const char* device;
  };
  const Case cases[] = {
      {"COM1", 1, "/dev/ttyS0"},        {"com101", 101, "/dev/ttyUSB0"},
      {"\\\\.\\COM3", 3, "/dev/ttyS2"}, {"7", 7, "/dev/ttyS6"},
      {"/dev/pts/9", 0, "/dev/pts/9"},  {"/dev/ttyACM0", 201, "/dev/ttyACM0"},
  };
  for (const Case& c : cases) {
    const auto port = Resolve(c.text);
    ASSERT_TRUE(port) << c.text;
    EXPECT_EQ(port->number, c.number) << c.text;
    EXPECT_EQ(port->device, c.device) << c.text;
  }
  for (const char* bad : {"COM0", "COM", "bogus", "COM1000", "", "-3", "COM 1"}) {
    std::string error;
    EXPECT_FALSE(Resolve(bad, &error)) << bad;
    EXPECT_FALSE(error.empty()) << bad;
  }
}

TEST(SerialPortsTest, LabelShowsNumberAndDevice) {
  EXPECT_EQ(Label({101, "/dev/ttyUSB0", "FT232R USB UART"}),
            "COM101  /dev/ttyUSB0  (FT232R USB UART)");
  EXPECT_EQ(Label({0, "/dev/pts/4", ""}), "/dev/pts/4");
}

// A machine of our own: sysfs entries and device nodes in a temporary folder.
class SerialPortsListTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/kxports-XXXXXX";
    ASSERT_NE(::mkdtemp(pattern), nullptr);
    root_ = pattern;
    fs::create_directories(root_ / "class");
    fs::create_directories(root_ / "dev");
    fs::create_directories(root_ / "devices");
  }
  void TearDown() override { fs::remove_all(root_); }

  // A tty in sysfs; with a device folder when hardware is behind it, and its /dev node.
  void AddTty(const std::string& name, const std::string& devicePath, const std::string& type,
              bool node = true) {
    const fs::path tty = root_ / "class" / name;
    fs::create_directories(tty);
    if (!devicePath.empty()) {
      const fs::path device = root_ / "devices" / devicePath;
      fs::create_directories(device);
      fs::create_directory_symlink(device, tty / "device");
    }
    if (!type.empty()) std::ofstream(tty / "type") << type << "\n";
    if (node) std::ofstream(root_ / "dev" / name).put('\0');
  }

  std::vector<SerialPortInfo> List() {
    return serial_ports::List((root_ / "class").string(), (root_ / "dev").string());
  }
  std::string Dev(const std::string& name) { return (root_ / "dev" / name).string(); }

  fs::path root_;
};

TEST_F(SerialPortsListTest, ListsPortsWithHardwareInNumberOrder) {
  AddTty("ttyUSB0", "usb1/1-1/1-1:1.0/ttyUSB0", "");
  std::ofstream(root_ / "devices/usb1/1-1/product") << "FT232R USB UART\n";
  AddTty("ttyS1", "serial8250/port1", "4");
  AddTty("ttyS0", "pnp0/00:01", "4");
  AddTty("ttyACM0", "usb1/1-2/1-2:1.0", "");
  std::ofstream(root_ / "devices/usb1/1-2/product") << "Radio Cable\n";

  const auto ports = List();
  ASSERT_EQ(ports.size(), 4u);
  EXPECT_EQ(ports[0], (SerialPortInfo{1, Dev("ttyS0"), ""}));
  EXPECT_EQ(ports[1].number, 2);
  EXPECT_EQ(ports[2], (SerialPortInfo{101, Dev("ttyUSB0"), "FT232R USB UART"}));
  EXPECT_EQ(ports[3], (SerialPortInfo{201, Dev("ttyACM0"), "Radio Cable"}));
}

TEST_F(SerialPortsListTest, LeavesOutWhatIsNoUsableSerialPort) {
  AddTty("ttyS2", "serial8250/port2", "0");                  // a UART slot with nothing in it
  AddTty("tty1", "", "");                                    // a virtual console
  AddTty("ttyUSB3", "usb1/1-3/1-3:1.0/ttyUSB3", "", false);  // no device node
  AddTty("console", "", "");
  AddTty("ttyS3", "", "4");  // no device behind it
  EXPECT_TRUE(List().empty());
}

TEST_F(SerialPortsListTest, MissingSysfsGivesNoPorts) {
  EXPECT_TRUE(serial_ports::List((root_ / "nothing").string(), "/dev").empty());
}

}  // namespace
}  // namespace kx
