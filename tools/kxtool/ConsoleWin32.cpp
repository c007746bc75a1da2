#include <windows.h>
// After windows.h, which they build on.
#include <fcntl.h>
#include <io.h>
#include <shellapi.h>

#include <atomic>
#include <cstdio>

#include "Console.h"
#include "model/WideText.h"

namespace kxtool::console {

namespace {
std::atomic<void (*)()> gOnStop{nullptr};
std::atomic<bool> gStopDone{false};
// Windows ends a program this long after its console was closed; the transfer is given most of
// it to stop between two frames and close its port.
constexpr int kCloseGraceMs = 4500;

BOOL WINAPI onConsoleEvent(DWORD event) {
  const auto onStop = gOnStop.load();
  if (!onStop) return FALSE;
  onStop();
  if (event == CTRL_CLOSE_EVENT || event == CTRL_LOGOFF_EVENT || event == CTRL_SHUTDOWN_EVENT) {
    // Returning lets Windows end the program at once: wait for the transfer to end first.
    for (int waited = 0; waited < kCloseGraceMs && !gStopDone; waited += 50)
      ::Sleep(50);
  }
  return TRUE;
}
}  // namespace

std::vector<std::string> Arguments(int argc, char** argv) {
  int count = 0;
  wchar_t** wide = ::CommandLineToArgvW(::GetCommandLineW(), &count);
  if (!wide) return {argv, argv + argc};
  std::vector<std::string> arguments;
  for (int i = 0; i < count; ++i)
    arguments.push_back(kx::win32::Utf8(wide[i]));
  ::LocalFree(wide);
  return arguments;
}

void PrepareStreams() {
  std::fflush(stdout);
  std::fflush(stderr);
  ::_setmode(::_fileno(stdout), _O_BINARY);
  ::_setmode(::_fileno(stderr), _O_BINARY);
  ::_setmode(::_fileno(stdin), _O_BINARY);
  ::SetConsoleOutputCP(CP_UTF8);
  for (DWORD which : {STD_OUTPUT_HANDLE, STD_ERROR_HANDLE}) {
    const HANDLE handle = ::GetStdHandle(which);
    DWORD mode = 0;
    if (handle != INVALID_HANDLE_VALUE && ::GetConsoleMode(handle, &mode))
      ::SetConsoleMode(handle, mode | ENABLE_VIRTUAL_TERMINAL_PROCESSING);
  }
}

bool IsTerminal(Stream stream) {
  const HANDLE handle = ::GetStdHandle(stream == Stream::kOutput ? STD_OUTPUT_HANDLE : STD_ERROR_HANDLE);
  DWORD mode = 0;
  // Only a console that draws the terminal sequences gets the live bar; an old console (and a
  // file or a pipe) gets plain lines.
  return handle != INVALID_HANDLE_VALUE && ::GetConsoleMode(handle, &mode) &&
         (mode & ENABLE_VIRTUAL_TERMINAL_PROCESSING) != 0;
}

StopRequests::StopRequests(void (*onStop)()) {
  gStopDone = false;
  gOnStop = onStop;
  ::SetConsoleCtrlHandler(onConsoleEvent, TRUE);
}

StopRequests::~StopRequests() {
  gStopDone = true;
  ::SetConsoleCtrlHandler(onConsoleEvent, FALSE);
  gOnStop = nullptr;
}

void StopRequests::BlockInThisThread(bool) {}

// Windows has no groups of port users: the system's reason says it all.
std::string PortAccessHint(const std::string&, const std::string&) {
  return {};
}

}  // namespace kxtool::console
