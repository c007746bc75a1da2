#include <grp.h>
#include <pthread.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <csignal>

#include "Console.h"

namespace kxtool::console {

namespace {
constexpr int kStopSignals[] = {SIGINT, SIGTERM, SIGHUP};
std::atomic<void (*)()> gOnStop{nullptr};

void onStopSignal(int) {
  if (auto onStop = gOnStop.load()) onStop();
}
}  // namespace

std::vector<std::string> Arguments(int argc, char** argv) {
  return {argv, argv + argc};
}

void PrepareStreams() {}

bool IsTerminal(Stream stream) {
  return ::isatty(stream == Stream::kOutput ? STDOUT_FILENO : STDERR_FILENO) != 0;
}

StopRequests::StopRequests(void (*onStop)()) {
  gOnStop = onStop;
  struct sigaction action {};
  action.sa_handler = onStopSignal;
  ::sigemptyset(&action.sa_mask);
  // A closed terminal (SIGHUP) ends the transfer as cleanly as Ctrl+C and SIGTERM do.
  for (int signal : kStopSignals)
    ::sigaction(signal, &action, nullptr);
}

StopRequests::~StopRequests() {
  for (int signal : kStopSignals)
    std::signal(signal, SIG_DFL);
  gOnStop = nullptr;
}

void StopRequests::BlockInThisThread(bool block) {
  sigset_t set;
  ::sigemptyset(&set);
  for (int signal : kStopSignals)
    ::sigaddset(&set, signal);
  ::pthread_sigmask(block ? SIG_BLOCK : SIG_UNBLOCK, &set, nullptr);
}

std::string PortAccessHint(const std::string& device, const std::string& reason) {
  struct stat info {};
  if (reason.find("ermission") == std::string::npos || ::stat(device.c_str(), &info) != 0)
    return {};
  const group* owner = ::getgrgid(info.st_gid);
  const std::string name = owner ? owner->gr_name : std::to_string(info.st_gid);
  return "the port belongs to group '" + name + "': add yourself with\n" +
         "  sudo usermod -aG " + name + " $USER   (then log in again)";
}

}  // namespace kxtool::console
