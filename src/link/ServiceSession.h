#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "link/CommPort.h"
#include "link/ImageTransfer.h"
#include "link/RadioProtocol.h"
#include "link/SerialLink.h"

namespace kx {

// Texts of the service dialogs.
namespace service_text {
constexpr const char* kError = "Error!";  // 0x55 in the start-up reply
constexpr const char* kInvalidTransfer = "Invalid serial command transfer!";  // 0x55
constexpr const char* kNotAllowed = "This command is not allowed!";           // 0x65
constexpr const char* kPortError = "Port Error!";
constexpr const char* kTxMode = "This is Tx Mode";
constexpr const char* kFfskModem = "This is FFSK Modem!";
constexpr const char* kGmskModem = "This is GMSK Modem!";
// A command that waits for the radio gave up (about 3 s).
constexpr const char* kNoAnswer = "The radio did not answer!";
}  // namespace service_text

// What the radio said about itself in its identification record: AA, channel, version, modem.
struct RadioIdentity {
  int channel = 0;  // as the radio reported it; not necessarily 1..16
  std::uint8_t version = 0;
  std::uint8_t modem = 0;  // protocol::modem_byte: A0 none, A1 GMSK, A2 FFSK; anything else
  // "%d.%d" of the version's nibbles.
  std::string VersionText() const;
};

// What an examined reply held: the first 0x55 or 0x65 in it, or neither.
enum class ReplyVerdict {
  kNone,
  kInvalidTransfer,  // 0x55: "Invalid serial command transfer!"
  kNotAllowed,       // 0x65: "This command is not allowed!"
};
// The message of a verdict; nothing for kNone.
std::optional<std::string> VerdictText(ReplyVerdict verdict);

// How a service connection started.
struct ServiceStart {
  enum class Result {
    kReady,       // the port is open and the radio in service mode
    kPortFailed,  // "Fail to open PORT%d" (status) and the system's reason (portError)
    kRefused,     // a 0x55 in the start-up reply: "Error!"; the port has been closed
  };
  Result result = Result::kPortFailed;
  std::string status;     // "Fail to open PORT%d" or "Error!"; empty when ready
  std::string portError;  // kPortFailed: the system's reason
  // The last identification record of the start-up reply, also when the reply held a 0x55.
  std::optional<RadioIdentity> identity;

  bool ok() const { return result == Result::kReady; }
};

// Scan commands of the calibration console.
enum class ScanCommand { kStop, kStart, kDelete };
// GPS data output of the calibration console.
enum class GpsDataCommand { kDisable, kExternalOutput, kRfTransmission };

// A live connection to a radio in service mode: the three-byte service commands of the
// calibration console and the squelch dialog, each with its line control, its pause and its way
// of taking the radio's answer. Readers never wait on the port: they pause for the command's
// time and take what has been queued. The pause is injected so a desktop app can keep painting
// and a test can run without waiting.
class ServiceSession {
 public:
  using PauseFunction = std::function<void(int milliseconds)>;

  // The most a collected reply keeps; further bytes are taken and dropped.
  static constexpr std::size_t kReplyCapacity = 2048;
  // How long a command that repeats until the radio answers keeps trying.
  static constexpr int kRepeatLimitMs = 3000;

  ServiceSession(SerialLink& link, PauseFunction pause = Pause);
  ServiceSession(CCommPort& port, PauseFunction pause = Pause);
  ~ServiceSession();  // closes the port
  ServiceSession(const ServiceSession&) = delete;
  ServiceSession& operator=(const ServiceSession&) = delete;

  // Opens the port (4800 baud) and runs the start-up exchange: RTS and DTR cleared, 100 ms,
  // service entry 88 66 EE, 400 ms, identification request 53 66 B9, 400 ms, the reply collected
  // and every position examined (a record running past the received bytes is ignored); RTS
  // cleared again. A 0x55 closes the port once the examination is done.
  ServiceStart Start(const PortChoice& port);
  void Close();
  bool IsOpen() const { return open_; }
  // The port's device went away ("Serial port lost: ..."): no command will be answered.
  bool LineLost() const { return open_ && link_.LineLost(); }

  // The reply as it stands: every queued byte taken, zero bytes dropped, at most
  // kReplyCapacity kept.
  std::vector<std::uint8_t> CollectReply();
  // One byte, when one is queued; the rest stays queued.
  std::optional<std::uint8_t> TakeOne();
  static ReplyVerdict Examine(const std::vector<std::uint8_t>& reply);

  // The commands. Those that examine their reply return the verdict; those that repeat until
  // the radio answers return false when it did not within kRepeatLimitMs of pauses (send,
  // 40 ms, collect; 100 ms more after an empty reply), or at once when the port is lost. A
  // session that is not open sends nothing: kNone, false.
  // 64, channel - 1: the reply is examined for channels 9, 12 and 15 only (kNone otherwise).
  // The channel should be 1..16 (the caller clamps); anything else sends channel 1.
  ReplyVerdict ChangeChannel(int channel);
  void ReceiveMode();           // 61 72 D3, DTR cleared; reply ignored
  ReplyVerdict TransmitMode();  // 61 74 D5, DTR set; reply examined
  void Scan(ScanCommand command);
  // Disable and external output repeat until a reply arrives; RF transmission takes one byte
  // and is true whether or not one came.
  bool GpsData(GpsDataCommand command);
  void GpsPowerOn();
  bool GpsPowerOff();  // repeats until a reply arrives
  void TestDataOn();
  // One byte taken: kInvalidTransfer when it is 0x55.
  ReplyVerdict TestDataOff();
  void MarkTone(bool on);
  void SpaceTone(bool on);
  void GmskTransmit(bool on);
  // 85 01 86 with DTR set, or 85 00 85 with DTR cleared: true when the radio answered with at
  // least one non-zero byte (only then does the state change).
  bool UpgradeTransmit(bool on);
  void SquelchOpen();     // 50 01 51
  void SquelchClose();    // 51 02 53
  void SquelchDefault();  // 52 03 55
  void SquelchSave();     // 56 04 5A

  // Every byte on the wire, for a trace: sent (true) or received (false).
  std::function<void(bool sent, const std::uint8_t* bytes, std::size_t count)> traffic;

 private:
  void send(const protocol::CommandFrame& frame);
  // Sends a frame, pauses 40 ms and collects the whole reply, or takes one byte of it.
  std::vector<std::uint8_t> collectAfter(const protocol::CommandFrame& frame);
  std::optional<std::uint8_t> takeOneAfter(const protocol::CommandFrame& frame);
  // Sends a frame until a reply arrives: true when one did within kRepeatLimitMs of pauses.
  bool repeatUntilReply(const protocol::CommandFrame& frame);
  void report(const std::uint8_t* bytes, std::size_t count);

  std::unique_ptr<SerialLink> ownedLink_;
  SerialLink& link_;
  PauseFunction pause_;
  bool open_ = false;
};

}  // namespace kx
