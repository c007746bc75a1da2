#include "TransferConsole.h"

#include <grp.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <iostream>

#include "Command.h"
#include "link/CommPort.h"
#include "link/SerialPorts.h"
#include "link/TimeStamp.h"
#include "model/FileIo.h"
#include "model/MemoryMap.h"

namespace kxtool {

namespace {
std::atomic<kx::ImageTransfer*> gInterruptible{nullptr};

void onInterrupt(int) {
  if (kx::ImageTransfer* transfer = gInterruptible.load()) transfer->RequestStop();
}

constexpr int kBarWidth = 40;
constexpr int kStopSignals[] = {SIGINT, SIGTERM, SIGHUP};

}  // namespace

TransferConsole::TransferConsole(kx::ImageTransfer& transfer) : live_(::isatty(STDERR_FILENO)) {
  events_.status = [this](const std::string& text) { ShowStatus(text); };
  events_.progress = [this](int position) { ShowProgress(position); };
  events_.traffic = [this](bool sent, const std::uint8_t* bytes, std::size_t count) {
    Trace(sent, bytes, count);
  };
  gInterruptible = &transfer;
  struct sigaction action {};
  action.sa_handler = onInterrupt;
  ::sigemptyset(&action.sa_mask);
  // A closed terminal (SIGHUP) ends the transfer as cleanly as Ctrl+C and SIGTERM do.
  for (int signal : kStopSignals)
    ::sigaction(signal, &action, nullptr);
}

TransferConsole::~TransferConsole() {
  for (int signal : kStopSignals)
    std::signal(signal, SIG_DFL);
  gInterruptible = nullptr;
  if (trace_) std::fclose(trace_);
}

bool TransferConsole::OpenTrace(const std::string& path, std::string& error) {
  trace_ = OpenTraceFile(path, error);
  return trace_ != nullptr;
}

void TransferConsole::ShowStatus(const std::string& text) {
  status_ = text;
  if (live_)
    DrawBar();
  else
    std::cerr << text << '\n';
}

void TransferConsole::ShowProgress(int position) {
  position_ = position;
  // Redraw only when the bar moves, not for each of the 416 positions.
  if (live_ &&
      position * kBarWidth / kx::image::kSize != drawnPosition_ * kBarWidth / kx::image::kSize)
    DrawBar();
}

void TransferConsole::DrawBar() {
  drawnPosition_ = position_;
  const int filled = position_ * kBarWidth / static_cast<int>(kx::image::kSize - 1);
  std::cerr << "\r[" << std::string(static_cast<std::size_t>(filled), '#')
            << std::string(static_cast<std::size_t>(kBarWidth - filled), '.') << "] " << status_
            << "\033[K" << std::flush;
}

void TransferConsole::Trace(bool sent, const std::uint8_t* bytes, std::size_t count) {
  WriteTrace(trace_, sent, bytes, count);
}

std::FILE* OpenTraceFile(const std::string& path, std::string& error) {
  // Written as it goes rather than renamed into place, so a trace survives a crash; the same
  // rules as for every other file decide where it may go.
  const auto target = kx::fileio::writableTarget(path, &error);
  if (!target) return nullptr;
  std::FILE* file = std::fopen(target->c_str(), "w");
  if (!file) error = std::strerror(errno);
  return file;
}

void WriteTrace(std::FILE* trace, bool sent, const std::uint8_t* bytes, std::size_t count) {
  if (!trace) return;
  std::fprintf(trace, "%s %s", kx::TimeStamp("%H:%M:%S", '.').c_str(), sent ? ">" : "<");
  for (std::size_t i = 0; i < count; ++i)
    std::fprintf(trace, " %02X", bytes[i]);
  std::fputc('\n', trace);
  std::fflush(trace);
}

int TransferConsole::Finish(const kx::TransferOutcome& outcome, const kx::PortChoice& port) {
  using Result = kx::TransferOutcome::Result;
  if (live_) {
    if (outcome.ok()) position_ = static_cast<int>(kx::image::kSize - 1);
    DrawBar();
    std::cerr << '\n';
  }
  if (outcome.ok()) return kExitOk;
  if (outcome.result == Result::kNotUnderstood)
    std::cerr << "the radio's answer to the request was not understood\n";
  if (outcome.result == Result::kPortFailed) std::cerr << PortHint(port, outcome.portError) << '\n';
  return kExitFailure;
}

void ReportBackup(const kx::TransferOutcome& outcome) {
  const std::string text = outcome.BackupText();
  if (!text.empty()) std::cerr << text << '\n';
}

// What a technician can do about a port that would not open.
std::string PortHint(const kx::PortChoice& port, const std::string& reason) {
  std::string text = port.device + ": " + (reason.empty() ? "cannot be opened" : reason);
  struct stat info {};
  if (reason.find("ermission") != std::string::npos && ::stat(port.device.c_str(), &info) == 0) {
    const group* owner = ::getgrgid(info.st_gid);
    const std::string name = owner ? owner->gr_name : std::to_string(info.st_gid);
    text += "\n  the port belongs to group '" + name + "': add yourself with\n" +
            "  sudo usermod -aG " + name + " $USER   (then log in again)";
  }
  return text;
}
std::optional<kx::PortChoice> ResolvePort(const std::string& text, std::string& error) {
  const auto port = kx::serial_ports::Resolve(text, &error);
  if (!port) return std::nullopt;
  // A path names the port in every message, even one with a number of its own.
  return kx::PortChoice{port->number, port->device, text.find('/') != std::string::npos};
}

int RunTransfer(const std::string& portText, const std::string& tracePath, kx::RadioMemory& memory,
                const TransferRun& run, kx::TransferOutcome& outcome) {
  std::string error;
  const auto port = ResolvePort(portText, error);
  if (!port) {
    std::cerr << "--port: " << error << '\n';
    return kExitUsage;
  }
  kx::CCommPort serial;
  kx::ImageTransfer transfer(serial, memory);
  TransferConsole console(transfer);
  if (!tracePath.empty() && !console.OpenTrace(tracePath, error))
    return report(kx::Outcome::failure("Cannot write the trace", error), tracePath);
  outcome = run(transfer, *port, console.Events());
  return console.Finish(outcome, *port);
}

}  // namespace kxtool
