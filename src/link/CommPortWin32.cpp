#include <windows.h>

#include <algorithm>

#include "link/CommPort.h"
#include "model/WideText.h"

namespace kx {

struct CCommPort::Device {
  HANDLE port = INVALID_HANDLE_VALUE;
  OVERLAPPED read{};      // ReadPending's, on the watch thread
  OVERLAPPED write{};     // Write's, on the user-interface thread
  HANDLE wake = nullptr;  // set by Close: the watch thread ends
};

namespace {
// A driver that cannot wait for received characters (Wine on a pseudo-terminal aborts every
// WaitCommEvent) is asked this often instead; a byte takes 2 ms at 4800 baud.
constexpr DWORD kPollPeriodMs = 5;
constexpr DWORD kPurgeAll = PURGE_TXABORT | PURGE_RXABORT | PURGE_TXCLEAR | PURGE_RXCLEAR;

HANDLE newEvent() {
  return ::CreateEventW(nullptr, TRUE, FALSE, nullptr);  // manual reset, not signalled
}

void release(HANDLE& handle, HANDLE none) {
  if (handle != none) ::CloseHandle(handle);
  handle = none;
}

// Starts an overlapped read or write and waits for it; the bytes moved. A failure clears the
// device's error state (so the next transfer can run) and gives what was moved before it.
DWORD transfer(HANDLE port, OVERLAPPED& record, bool reading, void* bytes, DWORD count,
               DWORD* error) {
  DWORD done = 0;
  ::ResetEvent(record.hEvent);
  BOOL ok = reading ? ::ReadFile(port, bytes, count, &done, &record)
                    : ::WriteFile(port, bytes, count, &done, &record);
  if (!ok && ::GetLastError() == ERROR_IO_PENDING) {
    do {
      ok = ::GetOverlappedResult(port, &record, &done, TRUE);
    } while (!ok && ::GetLastError() == ERROR_IO_INCOMPLETE);
  }
  *error = ok ? 0 : ::GetLastError();
  if (!ok) {
    DWORD errors = 0;
    ::ClearCommError(port, &errors, nullptr);
  }
  return done;
}

// The device control block of the radio's line: the baud rate, 8 data bits, no parity, one stop
// bit, DTR and RTS asserted, no XON/XOFF; everything else as the driver has it.
void setRadioLine(DCB& dcb, unsigned baud) {
  dcb.BaudRate = baud;
  dcb.ByteSize = 8;
  dcb.Parity = NOPARITY;
  dcb.StopBits = ONESTOPBIT;
  dcb.fBinary = TRUE;
  dcb.fParity = FALSE;
  dcb.fDtrControl = DTR_CONTROL_ENABLE;
  dcb.fRtsControl = RTS_CONTROL_ENABLE;
  dcb.fOutX = FALSE;
  dcb.fInX = FALSE;
  dcb.XonLim = 100;
  dcb.XoffLim = 100;
}

bool hasRadioLine(const DCB& dcb, unsigned baud) {
  return dcb.BaudRate == baud && dcb.ByteSize == 8 && dcb.Parity == NOPARITY &&
         dcb.StopBits == ONESTOPBIT && !dcb.fOutX && !dcb.fInX;
}

// Errors that say a device has no modem lines to switch (a virtual port), not that it failed.
bool noModemLines(DWORD error) {
  return error == ERROR_INVALID_FUNCTION || error == ERROR_NOT_SUPPORTED ||
         error == ERROR_INVALID_PARAMETER || error == ERROR_GEN_FAILURE || error == 0;
}
}  // namespace

CCommPort::CCommPort() : device_(std::make_unique<Device>()) {}

CCommPort::~CCommPort() {
  Close();
}

bool CCommPort::IsOpen() const {
  return device_->port != INVALID_HANDLE_VALUE;
}

std::string CCommPort::SystemError(long code) {
  return win32::ErrorText(static_cast<DWORD>(code));
}

bool CCommPort::Open(const std::string& device, unsigned baud, std::uint16_t identifier) {
  if (!BeginOpen(device, identifier)) return false;

  std::string reason;
  const auto port = serial_ports::Resolve(device, &reason);
  if (!port) return Fail(reason, 0);
  if (baud == 0) return Fail("Unsupported baud rate 0", 0);
  baud_ = baud;

  Device& d = *device_;
  d.read = OVERLAPPED{};
  d.write = OVERLAPPED{};
  d.read.hEvent = newEvent();
  d.write.hEvent = newEvent();
  d.wake = newEvent();
  if (!d.read.hEvent || !d.write.hEvent || !d.wake)
    return Fail("Cannot make its events", static_cast<long>(::GetLastError()));

  // No sharing: a second program (or a second open in this one) is refused by the system.
  d.port =
      ::CreateFileW(win32::Wide(port->device).c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OVERLAPPED, nullptr);
  if (d.port == INVALID_HANDLE_VALUE) {
    const DWORD error = ::GetLastError();
    if (error == ERROR_ACCESS_DENIED || error == ERROR_SHARING_VIOLATION)
      return Fail("In use by another program", 0);
    return Fail({}, static_cast<long>(error));
  }
  if (::GetFileType(d.port) != FILE_TYPE_CHAR) return Fail("Not a serial port", 0);

  if (!::SetCommMask(d.port, EV_RXCHAR))
    return Fail("Cannot watch it", static_cast<long>(::GetLastError()));
  // The driver's queues; a driver that sizes its own (most USB adapters) may refuse.
  ::SetupComm(d.port, kDriverQueueSize, kDriverQueueSize);
  // Nothing from before this connection may reach the radio or the queue.
  if (!::PurgeComm(d.port, kPurgeAll))
    return Fail("Cannot purge it", static_cast<long>(::GetLastError()));

  // A read returns at once with what is waiting; a write may take 19200 / baud ms a byte.
  COMMTIMEOUTS timeouts{};
  timeouts.ReadIntervalTimeout = MAXDWORD;
  timeouts.WriteTotalTimeoutMultiplier = std::max(1u, 19200u / baud);
  if (!::SetCommTimeouts(d.port, &timeouts))
    return Fail("Cannot set its time-outs", static_cast<long>(::GetLastError()));

  DCB dcb{};
  dcb.DCBlength = sizeof dcb;
  if (!::GetCommState(d.port, &dcb))
    return Fail("Cannot read its line settings", static_cast<long>(::GetLastError()));
  setRadioLine(dcb, baud);
  if (!::SetCommState(d.port, &dcb))
    return Fail("Cannot set its line settings", static_cast<long>(::GetLastError()));
  DCB check{};
  check.DCBlength = sizeof check;
  if (!::GetCommState(d.port, &check) || !hasRadioLine(check, baud))
    return Fail("Refused the line settings (" + std::to_string(baud) + " 8N1)", 0);

  return StartWatching();
}

void CCommPort::Close() {
  Device& d = *device_;
  connected_.store(false, std::memory_order_release);
  if (watchThread_.joinable()) {
    // An empty mask ends a pending WaitCommEvent; the wake event a poll.
    if (d.port != INVALID_HANDLE_VALUE) ::SetCommMask(d.port, 0);
    ::SetEvent(d.wake);
    watchThread_.join();
  }
  if (d.port != INVALID_HANDLE_VALUE) ::PurgeComm(d.port, kPurgeAll);
  release(d.port, INVALID_HANDLE_VALUE);
  release(d.read.hEvent, nullptr);
  release(d.write.hEvent, nullptr);
  release(d.wake, nullptr);
}

std::size_t CCommPort::WriteToDevice(const std::uint8_t* bytes, std::size_t count) {
  // The write time-out of the port ends a write the line cannot take in time; what it cut off
  // is not sent later.
  DWORD error = 0;
  const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(count, MAXDWORD));
  return transfer(device_->port, device_->write, false, const_cast<std::uint8_t*>(bytes), chunk,
                  &error);
}

bool CCommPort::ControlLine(LineCommand command) {
  if (!IsOpen()) {
    lastError_ = "The port is not open";
    return false;
  }
  DWORD function = SETDTR;
  if (command == LineCommand::kClearDtr) function = CLRDTR;
  if (command == LineCommand::kClearRts) function = CLRRTS;
  if (::EscapeCommFunction(device_->port, function)) return true;
  const DWORD error = ::GetLastError();
  if (noModemLines(error)) return true;
  lastError_ = "Cannot switch its modem lines: " + win32::ErrorText(error);
  return false;
}

std::ptrdiff_t CCommPort::ReadPending(std::uint8_t* buffer, std::size_t capacity) {
  // Only what is waiting is read: an overlapped read of a pseudo-terminal under Wine waits for
  // bytes whatever the time-outs say.
  DWORD errors = 0;
  COMSTAT status{};
  if (!::ClearCommError(device_->port, &errors, &status)) return kLineGone;
  const DWORD waiting = std::min<DWORD>(status.cbInQue, static_cast<DWORD>(capacity));
  if (waiting == 0) return 0;
  DWORD error = 0;
  const DWORD n = transfer(device_->port, device_->read, true, buffer, waiting, &error);
  if (n == 0 && (error == ERROR_BROKEN_PIPE || error == ERROR_DEVICE_REMOVED ||
                 error == ERROR_BAD_COMMAND || error == ERROR_NOT_READY))
    return kLineGone;
  return static_cast<std::ptrdiff_t>(n);
}

void CCommPort::ThreadWatchComm() {
  Device& d = *device_;
  OVERLAPPED record{};
  record.hEvent = newEvent();
  if (!record.hEvent || !::SetCommMask(d.port, EV_RXCHAR)) {
    if (record.hEvent) ::CloseHandle(record.hEvent);
    ShowMessage(port_message::kWatchThreadFailed + portName_, NoticeKind::kStop);
    return;
  }
  bool driverWaits = true;
  while (connected_.load(std::memory_order_acquire)) {
    if (driverWaits) {
      DWORD events = 0;
      DWORD unused = 0;
      ::ResetEvent(record.hEvent);
      BOOL ok = ::WaitCommEvent(d.port, &events, &record);
      if (!ok && ::GetLastError() == ERROR_IO_PENDING) {
        const HANDLE both[2] = {record.hEvent, d.wake};
        if (::WaitForMultipleObjects(2, both, FALSE, INFINITE) != WAIT_OBJECT_0) {
          ::CancelIo(d.port);
          ::GetOverlappedResult(d.port, &record, &unused, TRUE);
          break;  // Close
        }
        ok = ::GetOverlappedResult(d.port, &record, &unused, FALSE);
      }
      // A driver that cannot wait says so at once, every time: from now on it is asked.
      if (!ok) driverWaits = false;
    } else if (::WaitForSingleObject(d.wake, kPollPeriodMs) == WAIT_OBJECT_0) {
      break;  // Close
    }
    if (!DrainDriver()) {
      LoseLine();
      break;
    }
  }
  ::CloseHandle(record.hEvent);
}

}  // namespace kx
