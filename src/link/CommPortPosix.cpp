#include "link/CommPort.h"

#include <fcntl.h>
#include <poll.h>
#include <pthread.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>

namespace kx {

struct CCommPort::Device {
  int fd = -1;
  int wakeRead = -1;  // a pipe that wakes the watch thread when the port closes
  int wakeWrite = -1;
};

namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

struct Speed {
  unsigned baud;
  speed_t code;
};
constexpr std::array<Speed, 9> kSpeeds{{{1200, B1200},
                                        {2400, B2400},
                                        {4800, B4800},
                                        {9600, B9600},
                                        {19200, B19200},
                                        {38400, B38400},
                                        {57600, B57600},
                                        {115200, B115200},
                                        {230400, B230400}}};

const Speed* speedOf(unsigned baud) {
  for (const Speed& s : kSpeeds) {
    if (s.baud == baud) return &s;
  }
  return nullptr;
}

// The radio's line: 8 data bits, no parity, one stop bit, no flow control of any kind, bytes
// passed through untouched, and a read that returns at once with whatever is waiting.
void setRadioLine(termios& tio, speed_t speed) {
  tio.c_iflag &= ~static_cast<tcflag_t>(IGNBRK | BRKINT | PARMRK | ISTRIP | INLCR | IGNCR | ICRNL |
                                        IXON | IXOFF | IXANY | INPCK);
  tio.c_oflag &= ~static_cast<tcflag_t>(OPOST);
  tio.c_lflag &= ~static_cast<tcflag_t>(ECHO | ECHONL | ICANON | ISIG | IEXTEN);
  tio.c_cflag &= ~static_cast<tcflag_t>(CSIZE | PARENB | CSTOPB);
#ifdef CRTSCTS
  tio.c_cflag &= ~static_cast<tcflag_t>(CRTSCTS);
#endif
  // HUPCL drops DTR and RTS when the port is released, as closing a port always has.
  tio.c_cflag |= CS8 | CREAD | CLOCAL | HUPCL;
  tio.c_cc[VMIN] = 0;
  tio.c_cc[VTIME] = 0;
  cfsetispeed(&tio, speed);
  cfsetospeed(&tio, speed);
}

bool hasRadioLine(const termios& tio, speed_t speed) {
  return cfgetospeed(&tio) == speed && (tio.c_cflag & CSIZE) == CS8 &&
         (tio.c_cflag & (PARENB | CSTOPB)) == 0 && (tio.c_iflag & (IXON | IXOFF)) == 0 &&
         (tio.c_lflag & ICANON) == 0;
}

// Drops whatever is waiting in either direction. Output is dropped only while the driver still
// holds bytes that have not left: on a pseudo-terminal, flushing output throws away what the
// other side has not read yet (a last end-of-connection frame), which no real line would lose.
bool purge(int fd) {
  int queued = 0;
  if (::ioctl(fd, TIOCOUTQ, &queued) == 0 && queued > 0 && ::tcflush(fd, TCOFLUSH) != 0)
    return false;
  return ::tcflush(fd, TCIFLUSH) == 0;
}

// Raises (TIOCMBIS) or drops (TIOCMBIC) modem lines. A pseudo-terminal (the virtual radio)
// has no modem lines; it is still a good port.
bool modemLines(int fd, unsigned long request, int lines, std::string& error) {
  if (::ioctl(fd, request, &lines) == 0) return true;
  if (errno == ENOTTY || errno == EINVAL) return true;
  error = std::string("Cannot switch its modem lines: ") + std::strerror(errno);
  return false;
}

int millisecondsUntil(Clock::time_point deadline) {
  const auto left = std::chrono::ceil<milliseconds>(deadline - Clock::now()).count();
  return static_cast<int>(std::clamp<long long>(left, 0, 60'000));
}

}  // namespace

CCommPort::CCommPort() : device_(std::make_unique<Device>()) {}

CCommPort::~CCommPort() {
  Close();
}

bool CCommPort::IsOpen() const {
  return device_->fd >= 0;
}

std::string CCommPort::SystemError(long code) {
  return std::string(std::strerror(static_cast<int>(code)));
}

bool CCommPort::Open(const std::string& device, unsigned baud, std::uint16_t identifier) {
  if (!BeginOpen(device, identifier)) return false;

  std::string path = device;
  if (device.find('/') == std::string::npos) {
    std::string reason;
    const auto port = serial_ports::Resolve(device, &reason);
    if (!port) return Fail(reason, 0);
    path = port->device;
  }
  const Speed* speed = speedOf(baud);
  if (!speed) return Fail("Unsupported baud rate " + std::to_string(baud), 0);
  baud_ = baud;

  int wake[2];
  if (::pipe2(wake, O_CLOEXEC | O_NONBLOCK) != 0) return Fail("Cannot make a wake-up pipe", errno);
  device_->wakeRead = wake[0];
  device_->wakeWrite = wake[1];

  int& fd = device_->fd;
  fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) {
    const int error = errno;
    if (error == EBUSY) return Fail("In use by another program", 0);
    return Fail({}, error);
  }
  // Two programs talking to one radio at once would garble both conversations: the lock keeps
  // out every program that locks too (and this one), TIOCEXCL every other open of the device.
  if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    const int error = errno;
    if (error == EWOULDBLOCK) return Fail("In use by another program", 0);
    return Fail("Cannot lock it", error);
  }
  if (!::isatty(fd)) return Fail("Not a serial port", 0);
  if (::ioctl(fd, TIOCEXCL) != 0) return Fail("Cannot take it exclusively", errno);

  // Nothing from before this connection may reach the radio or the queue.
  if (!purge(fd)) return Fail("Cannot purge it", errno);

  // Linux sizes its tty buffers itself; there is no driver queue to ask for (kDriverQueueSize).
  termios tio{};
  if (::tcgetattr(fd, &tio) != 0) return Fail("Cannot read its line settings", errno);
  setRadioLine(tio, speed->code);
  if (::tcsetattr(fd, TCSANOW, &tio) != 0) return Fail("Cannot set its line settings", errno);
  // tcsetattr succeeds when any one setting took; a device that kept its own is no good to us.
  termios check{};
  if (::tcgetattr(fd, &check) != 0 || !hasRadioLine(check, speed->code))
    return Fail("Refused the line settings (" + std::to_string(baud) + " 8N1)", 0);
  if (!modemLines(fd, TIOCMBIS, TIOCM_DTR | TIOCM_RTS, lastError_)) {
    const std::string reason = lastError_;
    return Fail(reason, 0);
  }

  return StartWatching();
}

void CCommPort::Close() {
  connected_.store(false, std::memory_order_release);
  if (watchThread_.joinable()) {
    const std::uint8_t wake = 1;
    if (::write(device_->wakeWrite, &wake, 1) < 0) {
      // Cannot fail: the pipe is ours, non-blocking and empty, and only Close writes to it.
    }
    watchThread_.join();
  }
  int& fd = device_->fd;
  if (fd >= 0) {
    purge(fd);
    ::ioctl(fd, TIOCNXCL);
    ::close(fd);
    fd = -1;
  }
  for (int* end : {&device_->wakeRead, &device_->wakeWrite}) {
    if (*end >= 0) ::close(*end);
    *end = -1;
  }
}

std::size_t CCommPort::WriteToDevice(const std::uint8_t* bytes, std::size_t count) {
  const int fd = device_->fd;
  // 4 ms a byte at 4800 baud, twice the time on the wire; never less than 1 ms a byte, so a
  // faster line still has a time-out.
  const auto perByte = milliseconds(std::max(1u, 19200u / baud_));
  const auto deadline = Clock::now() + perByte * static_cast<long>(count);

  std::size_t written = 0;
  while (written < count) {
    const ssize_t n = ::write(fd, bytes + written, count - written);
    if (n > 0) {
      written += static_cast<std::size_t>(n);
      continue;
    }
    if (n < 0 && errno == EINTR) continue;
    if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
      const int wait = millisecondsUntil(deadline);
      if (wait == 0) break;
      pollfd out{fd, POLLOUT, 0};
      if (::poll(&out, 1, wait) < 0 && errno != EINTR) break;
      if (out.revents & (POLLERR | POLLHUP | POLLNVAL)) break;
      continue;
    }
    break;
  }

  // The write is done when the bytes have left the driver, as the radio's timing assumes.
  int queued = 0;
  while (::ioctl(fd, TIOCOUTQ, &queued) == 0 && queued > 0) {
    if (Clock::now() >= deadline) {
      // Cut off by the time-out: what has not left yet is dropped, not sent in the middle of
      // the next exchange.
      ::tcflush(fd, TCOFLUSH);
      written -= std::min(written, static_cast<std::size_t>(queued));
      break;
    }
    const auto wireTime = std::chrono::microseconds(10'000'000LL * queued / baud_);
    std::this_thread::sleep_for(std::min<Clock::duration>(
        std::max<Clock::duration>(wireTime, milliseconds(1)), deadline - Clock::now()));
  }
  return written;
}

bool CCommPort::ControlLine(LineCommand command) {
  if (!IsOpen()) {
    lastError_ = "The port is not open";
    return false;
  }
  switch (command) {
    case LineCommand::kSetDtr:
      return modemLines(device_->fd, TIOCMBIS, TIOCM_DTR, lastError_);
    case LineCommand::kClearDtr:
      return modemLines(device_->fd, TIOCMBIC, TIOCM_DTR, lastError_);
    case LineCommand::kClearRts:
      return modemLines(device_->fd, TIOCMBIC, TIOCM_RTS, lastError_);
  }
  return false;
}

std::ptrdiff_t CCommPort::ReadPending(std::uint8_t* buffer, std::size_t capacity) {
  const ssize_t n = ::read(device_->fd, buffer, capacity);
  if (n >= 0) return n;  // with VMIN and VTIME at 0, no bytes reads as 0
  if (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR) return 0;
  return kLineGone;
}

void CCommPort::ThreadWatchComm() {
  // Named as it is known (at most 15 characters), for ps -L, a debugger and a test that looks
  // for it.
  ::pthread_setname_np(::pthread_self(), "ThreadWatchComm");
  while (connected_.load(std::memory_order_acquire)) {
    std::array<pollfd, 2> watch{{{device_->fd, POLLIN, 0}, {device_->wakeRead, POLLIN, 0}}};
    if (::poll(watch.data(), watch.size(), -1) < 0) {
      if (errno == EINTR) continue;
      ShowMessage(port_message::kWatchThreadFailed + portName_, NoticeKind::kStop);
      return;
    }
    if (watch[1].revents != 0) return;  // Close
    const short events = watch[0].revents;
    bool gone = (events & (POLLHUP | POLLERR | POLLNVAL)) != 0;
    if ((events & (POLLIN | POLLHUP | POLLERR)) && !DrainDriver()) gone = true;
    if (gone) {
      // A hung-up device polls readable for ever; stop watching it rather than spin.
      LoseLine();
      return;
    }
  }
}

}  // namespace kx
