#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

#include "link/CommPort.h"
#include "model/RadioMemory.h"

namespace kx {

class CKX200Doc;

// Status texts of a read or write, shown in the "Read/Write" progress window.
namespace transfer_status {
constexpr const char* kFailToOpen = "Fail to open PORT%d";
constexpr const char* kWriting = "Writing.....!";
constexpr const char* kReading = "Reading.....!";
constexpr const char* kNoAnswer = "Communication Error !!!   Check your radio connection to PC !!!";
constexpr const char* kWriteRefused = "Write Fail..!";
constexpr const char* kReadRefused = "Read Fail..!";
constexpr const char* kWriteFail = "Write Fail!";
constexpr const char* kReadFail = "Read Fail!";
}  // namespace transfer_status

// The port a transfer uses: its number in the Port menu ("Fail to open PORT%d") and its device.
struct PortChoice {
  int number = 0;
  std::string device;
};

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
  bool ok = false;     // the whole image went across (and, for a read, was decoded)
  std::string status;  // the last status text shown
};

// The memory read/write protocol: wake-up, request, 26 acknowledged blocks of 16 bytes, end of
// connection, paced by fixed pauses. The pause is injected so a desktop app can keep painting
// and a test can run without waiting.
class ImageTransfer {
 public:
  using PauseFunction = std::function<void(int milliseconds)>;

  ImageTransfer(CCommPort& port, RadioMemory& memory, PauseFunction pause = Pause);

  // Encodes the document, lays the hand-patched bytes over the image and writes it.
  TransferOutcome OnWrite(CKX200Doc& doc, const PortChoice& port, const TransferEvents& events);
  // Reads the radio; the document changes only when the whole image arrived and decodes.
  TransferOutcome OnRead(CKX200Doc& doc, const PortChoice& port, const TransferEvents& events);
  // The map page's OK: tells the radio the connection is over.
  void EndConnection(const PortChoice& port);
  // Asks a running transfer to stop at its next pause (Ctrl+C).
  void RequestStop() { stopRequested_ = true; }

 private:
  CCommPort& port_;
  RadioMemory& memory_;
  PauseFunction pause_;
  std::atomic<bool> stopRequested_{false};
};

}  // namespace kx
