// Measures a whole write and a whole read against the virtual radio at wire speed, and compares
// each with its design time: the protocol's pauses plus 10 bits a byte at 4800 baud for every
// byte the programmer sends (it waits for its own bytes to leave; the radio's answers arrive
// during the pauses that wait for them). The port drains at the baud rate as a real one does.
//
// With --radios N it measures a bench instead: one radio written alone, then N radios written
// at once (one thread and port each, as kxtool write does with several ports), and prints the
// ratio of the two wall times. The transfers wait on the radios' pauses, so the ratio stays
// near 1 however few processors there are.
#include <CLI/CLI.hpp>
#include <chrono>
#include <cstdio>
#include <memory>
#include <string>
#include <thread>
#include <vector>

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

kx::CKX200Doc benchDocument() {
  kx::CKX200Doc doc;
  doc.modelType = kx::model::kKx600Uhf;
  doc.ResetToDefaults();
  doc.channels[0].rxFreqMHz = doc.channels[0].txFreqMHz = 445.5;
  return doc;
}

// Writes (and verifies) `count` paced virtual radios at once; the wall time in seconds.
double benchWall(int count, bool verify) {
  kx::sim::RadioSettings settings;
  settings.model = kx::model::kKx600Uhf;
  settings.timing = kx::sim::RadioSettings::PacedTiming();
  std::vector<std::unique_ptr<kx::sim::VirtualRadio>> radios;
  for (int i = 0; i < count; ++i) {
    radios.push_back(std::make_unique<kx::sim::VirtualRadio>(settings));
    std::string error;
    if (!radios.back()->Start(&error)) {
      std::fprintf(stderr, "no virtual radio: %s\n", error.c_str());
      std::exit(1);
    }
  }
  std::vector<std::thread> workers;
  std::vector<int> failed(static_cast<std::size_t>(count), 0);
  const auto start = Clock::now();
  for (int i = 0; i < count; ++i) {
    workers.emplace_back([&, i] {
      kx::CCommPort port;
      port.SetPacedWrites(true);
      kx::RadioMemory memory;
      kx::ImageTransfer transfer(port, memory);
      transfer.SetBackupFolder({});
      kx::CKX200Doc doc = benchDocument();
      const kx::PortChoice choice{0, radios[static_cast<std::size_t>(i)]->SlavePath()};
      const auto outcome =
          verify ? transfer.OnWriteAndVerify(doc, choice, {}) : transfer.OnWrite(doc, choice, {});
      if (!outcome.ok()) {
        std::fprintf(stderr, "radio %d: %s\n", i + 1, outcome.status.c_str());
        failed[static_cast<std::size_t>(i)] = 1;
      }
    });
  }
  for (auto& worker : workers)
    worker.join();
  const double wall = std::chrono::duration<double>(Clock::now() - start).count();
  for (int f : failed) {
    if (f) std::exit(1);
  }
  return wall;
}

int benchRadios(int count, bool verify) {
  const char* what = verify ? "write and verify" : "write";
  const double one = benchWall(1, verify);
  const double many = benchWall(count, verify);
  std::printf("%s, 1 radio:  wall %6.3f s\n", what, one);
  std::printf("%s, %d radios: wall %6.3f s\n", what, count, many);
  std::printf("ratio %d / 1: %5.3f (target <= 1.10), on %u processors\n", count, many / one,
              std::thread::hardware_concurrency());
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  CLI::App app{"Transfer benchmarks against paced virtual radios"};
  int radioCount = 0;
  bool verify = false;
  app.add_option("--radios", radioCount,
                 "Write N radios at once and print the ratio of their wall time to one radio's, "
                 "both measured in this run (without it: one write and one read against their "
                 "design times)")
      ->check(CLI::Range(1, 64));
  app.add_flag("--verify", verify, "With --radios: verify every write by reading the radio back");
  CLI11_PARSE(app, argc, argv);
  if (radioCount > 0) return benchRadios(radioCount, verify);

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

  kx::CKX200Doc doc = benchDocument();

  print("write", measure(radio, pausedMs, [&] { return transfer.OnWrite(doc, choice, {}); }));
  print("read", measure(radio, pausedMs, [&] { return transfer.OnRead(doc, choice, {}); }));
  return 0;
}
