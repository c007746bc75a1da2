// Measures a whole write and a whole read against the virtual radio at wire speed, and compares
// each with its design time: the protocol's pauses plus 10 bits a byte at 4800 baud for every
// byte the programmer sends (it waits for its own bytes to leave; the radio's answers arrive
// during the pauses that wait for them). The port drains at the baud rate as a real one does.
#include <chrono>
#include <cstdio>
#include <string>

#include "VirtualRadio.h"
#include "link/CommPort.h"
#include "link/ImageTransfer.h"
#include "model/KX200Doc.h"

namespace {

using Clock = std::chrono::steady_clock;

struct Measure {
  double wallSeconds;
  double designSeconds;
};

template <typename Run>
Measure measure(kx::sim::VirtualRadio& radio, int& pausedMs, Run run) {
  radio.ClearLog();
  pausedMs = 0;
  const auto start = Clock::now();
  const kx::TransferOutcome outcome = run();
  const double wall = std::chrono::duration<double>(Clock::now() - start).count();
  if (!outcome.ok()) {
    std::fprintf(stderr, "transfer failed: %s\n", outcome.status.c_str());
    std::exit(1);
  }
  // Let the last frame (the end of the connection) reach the radio's log.
  radio.WaitFor([&] { return !radio.BytesReceived().empty(); }, std::chrono::seconds(1));
  const std::size_t bytes = radio.BytesReceived().size();
  const double wire = static_cast<double>(bytes) * 10.0 / kx::protocol::kBaudRate;
  return {wall, pausedMs / 1000.0 + wire};
}

void print(const char* what, const Measure& m) {
  std::printf("%-6s wall %6.3f s   design %6.3f s   measured / design %5.3f (target <= 1.03)\n",
              what, m.wallSeconds, m.designSeconds, m.wallSeconds / m.designSeconds);
}

}  // namespace

int main() {
  kx::sim::RadioSettings settings;
  settings.model = kx::model::kKx600Uhf;
  settings.timing = kx::sim::RadioSettings::PacedTiming();
  kx::sim::VirtualRadio radio(settings);
  std::string error;
  if (!radio.Start(&error)) {
    std::fprintf(stderr, "no virtual radio: %s\n", error.c_str());
    return 1;
  }

  int pausedMs = 0;
  kx::CCommPort port;
  port.SetPacedWrites(true);
  kx::RadioMemory memory;
  kx::ImageTransfer transfer(port, memory, [&pausedMs](int ms) {
    pausedMs += ms;
    kx::Pause(ms);
  });
  transfer.SetBackupFolder({});
  const kx::PortChoice choice{0, radio.SlavePath()};

  kx::CKX200Doc doc;
  doc.modelType = kx::model::kKx600Uhf;
  doc.ResetToDefaults();
  doc.channels[0].rxFreqMHz = doc.channels[0].txFreqMHz = 445.5;

  print("write", measure(radio, pausedMs, [&] { return transfer.OnWrite(doc, choice, {}); }));
  print("read", measure(radio, pausedMs, [&] { return transfer.OnRead(doc, choice, {}); }));
  return 0;
}
