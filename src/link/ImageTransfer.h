#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "link/CommPort.h"
#include "link/ImageVerify.h"
#include "link/SerialLink.h"
#include "model/RadioMemory.h"

namespace kx {

class CKX200Doc;

// Status texts of a read or write, shown in the "Read/Write" progress window.
namespace transfer_status {
constexpr const char* kFailToOpen = "Fail to open PORT%d";
constexpr const char* kFailToOpenDevice = "Fail to open ";  // + the path of a port named by it
constexpr const char* kWriting = "Writing.....!";
constexpr const char* kReading = "Reading.....!";
constexpr const char* kVerifying = "Verifying.....!";
constexpr const char* kNoAnswer = "Communication Error !!!   Check your radio connection to PC !!!";
constexpr const char* kWriteRefused = "Write Fail..!";
constexpr const char* kReadRefused = "Read Fail..!";
constexpr const char* kWriteFail = "Write Fail!";
constexpr const char* kReadFail = "Read Fail!";
constexpr const char* kStopped = "Stopped by the user!";
}  // namespace transfer_status

// The port a transfer uses: its number in the Port menu ("Fail to open PORT%d") and its device.
struct PortChoice {
  int number = 0;
  std::string device;
  // The technician named the port by its device path rather than by its number.
  bool namedByPath = false;
};

// "Fail to open PORT3"; for a port named by its path, or one outside the numbering (number 0),
// "Fail to open /dev/ttyUSB0" with the path.
std::string FailToOpenText(const PortChoice& port);

// What a transfer tells whoever shows it. Every callback is optional.
struct TransferEvents {
  std::function<void(const std::string&)> status;
  std::function<void(int)> progress;                // 0..416
  std::function<void(const std::string&)> version;  // text for the VERSION field
  std::function<void(int)> pllIc;                   // PLL IC selector index, from block 0
  // Every byte on the wire, for a traffic trace: sent (true) or received (false).
  std::function<void(bool sent, const std::uint8_t* bytes, std::size_t count)> traffic;
};

struct TransferOutcome {
  enum class Result {
    kDone,           // the whole image went across (and, for a read, was decoded)
    kPortFailed,     // the port could not be opened
    kNoAnswer,       // nothing came back to the request
    kRefused,        // the radio answered 0x55
    kNotUnderstood,  // the answer held neither 0x55 nor 0xAA
    kBlockFailed,    // a block went wrong past its retries
    kNotDecoded,     // a read arrived whole but is not a configuration of this family
    kStopped,        // stopped on request
    kVerifyFailed,   // the radio read back holds other bytes than were written
  };
  Result result = Result::kNoAnswer;
  std::string status;       // the last status text shown
  std::string portError;    // kPortFailed: the system's reason
  std::string backupPath;   // the image kept in the backup folder, when one was saved
  std::string backupError;  // why no backup could be kept, when one was due and failed
  std::vector<ByteDifference> differences;  // kVerifyFailed: every byte that differs

  bool ok() const { return result == Result::kDone; }
  // What became of the backup, for a status line: "" when none was due.
  std::string BackupText() const;
};

// The memory read/write protocol: wake-up, request, 26 acknowledged blocks of 16 bytes, end of
// connection, paced by fixed pauses. The pause is injected so a desktop app can keep painting
// and a test can run without waiting.
class ImageTransfer {
 public:
  using PauseFunction = std::function<void(int milliseconds)>;

  ImageTransfer(SerialLink& link, RadioMemory& memory, PauseFunction pause = Pause);
  ImageTransfer(CCommPort& port, RadioMemory& memory, PauseFunction pause = Pause);
  ~ImageTransfer();

  // Encodes the document, lays the hand-patched bytes over the image and writes it.
  TransferOutcome OnWrite(CKX200Doc& doc, const PortChoice& port, const TransferEvents& events);
  // Reads the radio; clears the hand-patched bytes. The document changes only when the whole
  // image arrived and decodes.
  TransferOutcome OnRead(CKX200Doc& doc, const PortChoice& port, const TransferEvents& events);
  // A write, then a read of the radio compared byte by byte with the image just sent. The
  // read-back changes neither the document nor the memory images; a difference ends in
  // kVerifyFailed with the "Verify failed: ..." status.
  TransferOutcome OnWriteAndVerify(CKX200Doc& doc, const PortChoice& port,
                                   const TransferEvents& events);
  // Reads the radio and compares its memory with an image as a write would send it (byte 0x010
  // taken from the radio's firmware version as a write sets it). stored receives what the radio
  // holds when the whole image arrived. Nothing else changes.
  TransferOutcome OnVerify(const image::Image& expected, const PortChoice& port,
                           const TransferEvents& events, image::Image* stored = nullptr);
  // The map page's OK: tells the radio the connection is over.
  void EndConnection(const PortChoice& port);
  // Asks a running transfer to stop between two frames (a block on its way goes out whole and
  // the radio's answer to it is taken); it then ends the connection cleanly.
  // Safe to call from a signal handler or another thread.
  void RequestStop() { stopRequested_ = true; }

  // Where every image read from a radio, and every image about to be written, is kept; empty
  // keeps none. Defaults to BackupFolder().
  void SetBackupFolder(std::string folder) { backupFolder_ = std::move(folder); }

 private:
  class Session;

  std::unique_ptr<SerialLink> ownedLink_;
  SerialLink& link_;
  RadioMemory& memory_;
  PauseFunction pause_;
  std::atomic<bool> stopRequested_{false};
  std::string backupFolder_;
};

}  // namespace kx
