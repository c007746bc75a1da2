#include <gtest/gtest.h>

#include <cstdlib>
#include <mutex>

#include "link/CommPort.h"
#include "link/ImageTransfer.h"
#include "model/KX200Doc.h"
#include "support/TempFolder.h"

// The Windows port channel against the Linux virtual radio: scripts/windows starts kxsim on a
// pseudo-terminal, makes it a COM port of the Wine prefix and names it here. Without it (a
// plain run of the suite) there is no radio to talk to, and the tests say so.
namespace kx::test {
namespace {

std::string portFrom(const char* variable) {
  const char* port = std::getenv(variable);
  return port ? port : "";
}

class CommPortWin32Test : public ::testing::Test {
 protected:
  void SetUp() override {
    if (radioPort.empty()) GTEST_SKIP() << "KX_TEST_COM_PORT names no COM port with a radio";
    transfer.SetBackupFolder(backups.file("backups"));
  }
  TransferOutcome Read(CKX200Doc& doc) {
    return transfer.OnRead(doc, PortChoice{serial_ports::PortNumberOf(radioPort), radioPort},
                           TransferEvents{});
  }

  std::string radioPort = portFrom("KX_TEST_COM_PORT");
  TempFolder backups;
  CCommPort port;
  RadioMemory memory;
  ImageTransfer transfer{port, memory};
};

TEST_F(CommPortWin32Test, ReadsTheRadioAndOpensAgainAfterClose) {
  for (int round = 0; round < 2; ++round) {
    CKX200Doc doc;
    const TransferOutcome outcome = Read(doc);
    ASSERT_TRUE(outcome.ok()) << outcome.status << " " << outcome.portError;
    EXPECT_EQ(doc.modelType, model::kKx600Uhf);
    EXPECT_FALSE(port.IsOpen());  // every transfer closes its port
  }
}

TEST_F(CommPortWin32Test, LineSettingsAndModemLinesOfAnOpenPort) {
  ASSERT_TRUE(port.Open(radioPort, 4800, 6)) << port.LastError();
  EXPECT_TRUE(port.IsOpen());
  EXPECT_EQ(port.PortName(), radioPort);
  EXPECT_EQ(port.Identifier(), 6);
  // A pseudo-terminal behind a COM port has no modem lines: no error either.
  EXPECT_TRUE(port.SetDtr());
  EXPECT_TRUE(port.ClearDtr());
  EXPECT_TRUE(port.ClearRts());
  EXPECT_FALSE(port.Open(radioPort, 4800, 6));
  EXPECT_EQ(port.LastError(), "Already open in this program");
  port.Close();
  port.Close();
  EXPECT_FALSE(port.IsOpen());
  EXPECT_EQ(port.Write(std::vector<std::uint8_t>{0x87}), 0u);
}

TEST(CommPortWin32NamesTest, PortsThatAreNotThereOrAreNoPortsAreRefused) {
  CCommPort port;
  EXPECT_FALSE(port.Open("COM250", 4800, 249));
  EXPECT_FALSE(port.LastError().empty());
  EXPECT_FALSE(port.IsOpen());
  EXPECT_FALSE(port.Open("/dev/ttyUSB0", 4800, 0));
  EXPECT_EQ(port.LastError(), "Not a serial port: \"/dev/ttyUSB0\" (give COM<n> or a port number)");
  for (const char* name : {"COM12", "com12", "\\\\.\\COM12", "12"}) {
    const auto resolved = serial_ports::Resolve(name);
    ASSERT_TRUE(resolved) << name;
    EXPECT_EQ(resolved->number, 12);
    EXPECT_EQ(resolved->device, "\\\\.\\COM12");
  }
  // The system numbers ports up to COM4096.
  EXPECT_EQ(serial_ports::DeviceOf(4096), "\\\\.\\COM4096");
  EXPECT_EQ(serial_ports::DeviceOf(4097), "");
  EXPECT_FALSE(serial_ports::Resolve("COM4097"));
  // A device is there by its DOS name or because it opens; a name nothing answers to is not.
  EXPECT_TRUE(serial_ports::DevicePresent("\\\\.\\NUL"));
  EXPECT_FALSE(serial_ports::DevicePresent("\\\\.\\CNCA9"));
  const std::string radioPort = portFrom("KX_TEST_COM_PORT");
  if (!radioPort.empty()) {
    EXPECT_TRUE(serial_ports::DevicePresent("\\\\.\\" + radioPort));
  }
  // Every COM port the system lists, and only those, in number order.
  const auto ports = CCommPort::ListPorts();
  for (std::size_t i = 0; i < ports.size(); ++i) {
    EXPECT_EQ(ports[i].device, serial_ports::DeviceOf(ports[i].number));
    if (i > 0) {
      EXPECT_LT(ports[i - 1].number, ports[i].number);
    }
  }
}

TEST(CommPortWin32LostTest, RadioThatGoesAwayIsReportedOnce) {
  const std::string vanishing = portFrom("KX_TEST_COM_PORT_VANISHING");
  if (vanishing.empty()) GTEST_SKIP() << "KX_TEST_COM_PORT_VANISHING names no radio that vanishes";
  CCommPort port;
  std::mutex mutex;
  std::vector<Notice> said;
  port.SetMessageSink([&](const Notice& notice) {
    const std::lock_guard lock(mutex);
    said.push_back(notice);
  });
  RadioMemory memory;
  ImageTransfer transfer(port, memory);
  TempFolder backups;
  transfer.SetBackupFolder(backups.file("backups"));
  CKX200Doc doc;
  const TransferOutcome outcome =
      transfer.OnRead(doc, PortChoice{serial_ports::PortNumberOf(vanishing), vanishing}, {});
  EXPECT_FALSE(outcome.ok());
  const std::lock_guard lock(mutex);
  ASSERT_EQ(said.size(), 1u);
  EXPECT_EQ(said[0].text, "Serial port lost: " + vanishing);
  EXPECT_EQ(said[0].kind, NoticeKind::kStop);
}

}  // namespace
}  // namespace kx::test
