#include "link/CommPort.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <system_error>

namespace kx {

std::vector<SerialPortInfo> CCommPort::ListPorts() {
  return serial_ports::List();
}

void CCommPort::SetMessageSink(MessageSink sink) {
  std::lock_guard lock(sinkMutex_);
  sink_ = std::move(sink);
}

void CCommPort::ShowMessage(const std::string& text, NoticeKind kind) {
  MessageSink sink;
  {
    std::lock_guard lock(sinkMutex_);
    sink = sink_;
  }
  if (sink) {
    sink(Notice{text, kind, {}});
  } else {
    std::fprintf(stderr, "%s\n", text.c_str());
  }
}

bool CCommPort::BeginOpen(const std::string& device, std::uint16_t identifier) {
  lastError_.clear();
  if (IsOpen()) {
    lastError_ = "Already open in this program";
    return false;
  }
  lineLost_.store(false, std::memory_order_release);
  portName_ = device;
  identifier_ = identifier;
  return true;
}

bool CCommPort::StartWatching() {
  queueFullSaid_ = false;
  connected_.store(true, std::memory_order_release);
  try {
    watchThread_ = std::thread(&CCommPort::ThreadWatchComm, this);
  } catch (const std::system_error&) {
    return Fail(port_message::kWatchThreadFailed + portName_, 0);
  }
  return true;
}

bool CCommPort::Fail(const std::string& what, long error) {
  Close();
  lastError_ = what;
  if (error != 0) lastError_ += (what.empty() ? "" : ": ") + SystemError(error);
  return false;
}

std::size_t CCommPort::Write(const std::uint8_t* bytes, std::size_t count) {
  if (!IsOpen() || bytes == nullptr || count == 0) return 0;
  const auto begun = std::chrono::steady_clock::now();
  const std::size_t written = WriteToDevice(bytes, count);
  PaceWrite(begun, written);
  return written;
}

void CCommPort::PaceWrite(std::chrono::steady_clock::time_point begun, std::size_t written) {
  if (!pacedWrites_ || written == 0) return;
  // Start bit, 8 data bits, stop bit a byte, behind whatever is still on the line.
  const auto byteTime = std::chrono::nanoseconds(10'000'000'000LL / baud_);
  lineFree_ = std::max(lineFree_, begun) + byteTime * static_cast<long>(written);
  std::this_thread::sleep_until(lineFree_);
}

bool CCommPort::SetDtr() {
  return ControlLine(LineCommand::kSetDtr);
}
bool CCommPort::ClearDtr() {
  return ControlLine(LineCommand::kClearDtr);
}
bool CCommPort::ClearRts() {
  return ControlLine(LineCommand::kClearRts);
}

void CCommPort::QueueChunk(const std::uint8_t* bytes, std::size_t count) {
  const auto room = static_cast<std::size_t>(m_QueueRead.FreeRoom());
  if (room < count) {
    // Said once until the reader has made room for a whole chunk again: a radio that keeps
    // sending would otherwise bury the technician under a message for every chunk it sends.
    if (!queueFullSaid_) ShowMessage(port_message::kQueueFull, NoticeKind::kWarning);
    queueFullSaid_ = true;
    return;
  }
  if (room >= kReadChunk) queueFullSaid_ = false;
  for (std::size_t i = 0; i < count; ++i)
    m_QueueRead.Put(bytes[i]);
}

bool CCommPort::DrainDriver() {
  std::array<std::uint8_t, kReadChunk> chunk{};
  while (connected_.load(std::memory_order_acquire)) {
    const std::ptrdiff_t n = ReadPending(chunk.data(), chunk.size());
    if (n == kLineGone) return false;
    if (n == 0) break;
    QueueChunk(chunk.data(), static_cast<std::size_t>(n));
  }
  return true;
}

void CCommPort::LoseLine() {
  lineLost_.store(true, std::memory_order_release);
  ShowMessage(port_message::kLineLost + portName_, NoticeKind::kStop);
}

void Pause(int milliseconds) {
  if (milliseconds > 0) std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

}  // namespace kx
