#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "link/ByteQueue.h"

namespace kx {

// A serial port the radio can be on: a number for the "COM%d" menu and the device behind it.
struct SerialPortInfo {
  int number = 0;           // 1.. ; stable while the hardware stays the same
  std::string device;       // /dev/ttyUSB0, /dev/ttyS0, a pseudo-terminal, a /dev/serial/by-id link
  std::string description;  // driver or product, when the system says
};

// Texts the serial channel shows.
namespace port_message {
constexpr const char* kQueueFull = "m_QueueRead FULL!";
constexpr const char* kWatchThreadFailed = "Error while Creating ThreadWatchComm,";  // + port name
}  // namespace port_message

// The one connection to a radio: opened at the start of a read, write or service dialog with
// the radio's line settings (8 data bits, no parity, one stop bit, raw, no XON/XOFF, DTR and RTS
// asserted), written from the user-interface thread, and read by a watch thread that moves every
// received byte into m_QueueRead. Readers never wait on the port: they pause for a fixed time and
// take what has been queued.
class CCommPort {
 public:
  using MessageSink = std::function<void(const std::string&)>;

  CCommPort();
  ~CCommPort();
  CCommPort(const CCommPort&) = delete;
  CCommPort& operator=(const CCommPort&) = delete;

  // The serial ports present, in ascending port number.
  static std::vector<SerialPortInfo> ListPorts();

  // Opens a device exclusively (no other program, nor this one, may have it open) and starts the
  // watch thread. False when the device cannot be opened or configured; LastError() then holds
  // the system's reason.
  bool Open(const std::string& device, unsigned baud, std::uint16_t identifier);
  // Stops and joins the watch thread and releases the device. Bytes already queued stay queued.
  void Close();
  bool IsOpen() const;
  // Returns once the bytes are written or their time-out (19200 / baud ms per byte) has passed;
  // the number of bytes written.
  std::size_t Write(const std::uint8_t* bytes, std::size_t count);
  std::size_t Write(const std::vector<std::uint8_t>& bytes) {
    return Write(bytes.data(), bytes.size());
  }
  // Line control.
  void SetDtr();
  void ClearDtr();
  void ClearRts();

  const std::string& PortName() const { return portName_; }
  const std::string& LastError() const { return lastError_; }
  // Where the watch thread's messages go ("m_QueueRead FULL!", ...). Called on the watch thread.
  void SetMessageSink(MessageSink sink);

  CByteQueue m_QueueRead;

 private:
  void ThreadWatchComm();
  std::size_t ReadPending(std::uint8_t* buffer, std::size_t capacity);
  void ShowMessage(const std::string& text);

  int fd_ = -1;
  int wakeRead_ = -1;  // a pipe that wakes the watch thread when the port closes
  int wakeWrite_ = -1;
  std::string portName_;
  std::string lastError_;
  std::uint16_t identifier_ = 0;
  unsigned baud_ = 4800;
  std::atomic<bool> connected_{false};
  std::thread watchThread_;
  std::mutex sinkMutex_;
  MessageSink sink_;
};

// Blocks the calling thread for a number of milliseconds.
void Pause(int milliseconds);

}  // namespace kx
