#pragma once

#include <atomic>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "link/ByteQueue.h"
#include "link/SerialPorts.h"
#include "model/Outcome.h"

namespace kx {

// Texts the serial channel shows.
namespace port_message {
constexpr const char* kQueueFull = "m_QueueRead FULL!";
constexpr const char* kWatchThreadFailed = "Error while Creating ThreadWatchComm,";  // + port name
// The device went away under an open port (adapter unplugged, virtual radio gone): + port name.
constexpr const char* kLineLost = "Serial port lost: ";
}  // namespace port_message

// The one connection to a radio: opened at the start of a read, write or service dialog with
// the radio's line settings (8 data bits, no parity, one stop bit, raw, no XON/XOFF, DTR and RTS
// asserted), written from the user-interface thread, and read by a watch thread that moves every
// received byte into m_QueueRead. Readers never wait on the port: they pause for a fixed time and
// take what has been queued.
//
// One thread (the user-interface thread) calls every member; the watch thread only fills the
// queue and reports through the message sink.
class CCommPort {
 public:
  using MessageSink = std::function<void(const Notice&)>;

  // The driver's receive chunk and the queue request of the radio link.
  static constexpr std::size_t kReadChunk = 2048;
  static constexpr std::size_t kDriverQueueSize = 4096;

  CCommPort();
  ~CCommPort();
  CCommPort(const CCommPort&) = delete;
  CCommPort& operator=(const CCommPort&) = delete;

  // The serial ports present, in ascending port number (see serial_ports::List).
  static std::vector<SerialPortInfo> ListPorts();

  // Opens a device exclusively (no other program, nor this one, may have it open), purges it,
  // sets the line and starts the watch thread. The device is a path, or a port as a technician
  // names it ("COM5", "\\.\COM5", "5"). False when the device cannot be opened or configured or
  // the port is already open; LastError() then holds the reason, in words that follow the
  // device's name ("/dev/ttyUSB0: Permission denied"). Callers call Close after a
  // failed Open, as after a good one.
  bool Open(const std::string& device, unsigned baud, std::uint16_t identifier);
  // Stops and joins the watch thread, purges and releases the device. Bytes already queued stay
  // queued. Safe to call at any time, also twice and after a failed Open.
  void Close();
  bool IsOpen() const;
  // True once the watch thread found the device gone ("Serial port lost: ..."), until the next
  // Open: nothing written reaches a radio then, and nothing more will arrive.
  bool LineLost() const { return lineLost_.load(std::memory_order_acquire); }
  // Returns once the bytes have left or their time-out (19200 / baud ms a byte) has passed;
  // the number of bytes written (0 on failure or when the port is closed). Bytes the time-out
  // cut off are discarded, never sent later.
  std::size_t Write(const std::uint8_t* bytes, std::size_t count);
  std::size_t Write(const std::vector<std::uint8_t>& bytes) {
    return Write(bytes.data(), bytes.size());
  }
  // A pseudo-terminal takes every byte at once and reports none waiting to leave. With this
  // on, Write also returns only once its bytes would have left a real line at the baud rate
  // (after the bytes written before them), so the virtual radio costs the caller what a real
  // port does. Off by default.
  void SetPacedWrites(bool on) { pacedWrites_ = on; }
  // Line control. A line the device has no control of (a pseudo-terminal) is not an error;
  // false only when a real device refused, with the reason in LastError().
  bool SetDtr();
  bool ClearDtr();
  bool ClearRts();

  const std::string& PortName() const { return portName_; }
  std::uint16_t Identifier() const { return identifier_; }
  const std::string& LastError() const { return lastError_; }
  // Where the watch thread's messages go ("m_QueueRead FULL!", ...). Called on the watch thread,
  // which waits for it to return. Without a sink the messages go to standard error.
  void SetMessageSink(MessageSink sink);

  CByteQueue m_QueueRead;

 private:
  // What ReadPending found besides bytes.
  static constexpr std::ptrdiff_t kLineGone = -1;
  enum class LineCommand { kSetDtr, kClearDtr, kClearRts };
  // The system's side of an open port (a file descriptor, or a Windows handle and its events).
  struct Device;

  void ThreadWatchComm();
  // Bytes waiting in the driver, up to capacity, without blocking: 0 when none waited,
  // kLineGone when the device hung up or failed.
  std::ptrdiff_t ReadPending(std::uint8_t* buffer, std::size_t capacity);
  // Moves one chunk into the queue, whole or not at all (then says so, once until there is room).
  void QueueChunk(const std::uint8_t* bytes, std::size_t count);
  // Everything the driver holds, chunk by chunk, unless Close wants the port back; false when
  // the line has gone.
  bool DrainDriver();
  // The watch thread found the device gone: said once, and the thread ends.
  void LoseLine();
  void ShowMessage(const std::string& text, NoticeKind kind);
  std::size_t WriteToDevice(const std::uint8_t* bytes, std::size_t count);
  void PaceWrite(std::chrono::steady_clock::time_point begun, std::size_t written);
  bool ControlLine(LineCommand command);
  // The start of every Open: false (with the reason) when the port is open already.
  bool BeginOpen(const std::string& device, std::uint16_t identifier);
  // The end of every good Open: the watch thread starts; false (port closed) when it cannot.
  bool StartWatching();
  // Closes, keeps what went wrong (what, then the system's words for the error code, if any)
  // and returns false.
  bool Fail(const std::string& what, long error);
  // The system's words for an error code (errno, or GetLastError on Windows).
  static std::string SystemError(long code);

  std::unique_ptr<Device> device_;
  std::string portName_;
  std::string lastError_;
  std::uint16_t identifier_ = 0;
  unsigned baud_ = 4800;
  bool pacedWrites_ = false;
  std::chrono::steady_clock::time_point lineFree_{};  // paced writes: the last byte has left
  std::atomic<bool> connected_{false};
  std::atomic<bool> lineLost_{false};
  bool queueFullSaid_ = false;  // the watch thread's: "m_QueueRead FULL!" said, no room since
  std::thread watchThread_;
  std::mutex sinkMutex_;
  MessageSink sink_;
};

// Blocks the calling thread for a number of milliseconds.
void Pause(int milliseconds);

}  // namespace kx
