#pragma once

#include <cstdio>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "Console.h"
#include "link/ImageTransfer.h"

namespace kxtool {

// Shows a read or write on the terminal: a live progress bar with the status text when standard
// error is a terminal, plain status lines otherwise; optionally every byte on the wire in a
// trace file. Ctrl+C asks the transfer to stop between two frames.
class TransferConsole {
 public:
  explicit TransferConsole(kx::ImageTransfer& transfer);
  ~TransferConsole();
  TransferConsole(const TransferConsole&) = delete;
  TransferConsole& operator=(const TransferConsole&) = delete;

  // False (with the reason) when the trace file cannot be written.
  bool OpenTrace(const std::string& path, std::string& error);
  const kx::TransferEvents& Events() const { return events_; }
  // The last line of the bar, and the outcome's explanation on failure. Returns the exit code.
  int Finish(const kx::TransferOutcome& outcome, const kx::PortChoice& port);

 private:
  void ShowStatus(const std::string& text);
  void ShowProgress(int position);
  void Trace(bool sent, const std::uint8_t* bytes, std::size_t count);
  void DrawBar();

  kx::TransferEvents events_;
  bool live_;
  std::string status_;
  int position_ = 0;
  int drawnPosition_ = -1;
  std::FILE* trace_ = nullptr;
  std::unique_ptr<console::StopRequests> stopRequests_;
};

// A read or write from the command line: resolves the port, opens the trace, runs the transfer
// on a fresh serial port with the console's events, and shows how it ended. The exit code;
// outcome holds what the transfer said.
using TransferRun = std::function<kx::TransferOutcome(kx::ImageTransfer&, const kx::PortChoice&,
                                                      const kx::TransferEvents&)>;
int RunTransfer(const std::string& portText, const std::string& tracePath, kx::RadioMemory& memory,
                const TransferRun& run, kx::TransferOutcome& outcome);

// Where the image of a transfer was kept, or why it could not be, on standard error. A backup
// that could not be kept does not change the transfer's exit code.
void ReportBackup(const kx::TransferOutcome& outcome);

// The PORT of a command line: a number from `kxtool ports`, "COM5", or a device path. Nothing,
// with the reason, when the text names no port at all.
std::optional<kx::PortChoice> ResolvePort(const std::string& text, std::string& error);

// A port that would not open: the device, the system's reason and what a technician can do
// about it.
std::string PortHint(const kx::PortChoice& port, const std::string& reason);

// A trace of the bytes on the wire, one line a piece: "12:00:01.250 > 88 66 EE". Nothing (with
// the reason) when the file cannot be written; writing to no file does nothing.
std::FILE* OpenTraceFile(const std::string& path, std::string& error);
void WriteTrace(std::FILE* trace, bool sent, const std::uint8_t* bytes, std::size_t count);

}  // namespace kxtool
