#include "TransferConsole.h"

#include <atomic>
#include <cerrno>
#include <cstring>
#include <iostream>

#include "Command.h"
#include "Console.h"
#include "link/CommPort.h"
#include "link/SerialPorts.h"
#include "link/TimeStamp.h"
#include "model/FileIo.h"
#include "model/MemoryMap.h"

namespace kxtool {

namespace {
std::atomic<kx::ImageTransfer*> gInterruptible{nullptr};

void onStop() {
  if (kx::ImageTransfer* transfer = gInterruptible.load()) transfer->RequestStop();
}

constexpr int kBarWidth = 40;

}  // namespace

TransferConsole::TransferConsole(kx::ImageTransfer& transfer)
    : live_(console::IsTerminal(console::Stream::kError)) {
  events_.status = [this](const std::string& text) { ShowStatus(text); };
  events_.progress = [this](int position) { ShowProgress(position); };
  events_.traffic = [this](bool sent, const std::uint8_t* bytes, std::size_t count) {
    Trace(sent, bytes, count);
  };
  gInterruptible = &transfer;
  stopRequests_ = std::make_unique<console::StopRequests>(onStop);
}

TransferConsole::~TransferConsole() {
  stopRequests_.reset();
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
  std::FILE* file = kx::fileio::openStream(*target, "w");
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
  const std::string hint = console::PortAccessHint(port.device, reason);
  if (!hint.empty()) text += "\n  " + hint;
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
