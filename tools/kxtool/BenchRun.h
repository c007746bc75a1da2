#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "link/ImageTransfer.h"

namespace kxtool {

// One radio of a bench: its port as the technician named it (also the stem of its files) and
// the device it resolved to.
struct BenchRadio {
  std::string name;
  kx::PortChoice port;
};

// How one radio's transfer ended.
struct BenchResult {
  std::string name;
  kx::PortChoice port;
  kx::TransferOutcome outcome;
  double seconds = 0;
  std::string fileError;  // the transfer went, its files could not be written

  bool ok() const { return outcome.ok() && fileError.empty(); }
};

// Resolves every --port; refuses a port named twice, under the same name or another one for
// the same device. Nothing, with the reason, when a port is unknown or named twice. Names are
// the devices' file names, made unique with "-2", "-3", ...
std::optional<std::vector<BenchRadio>> ResolveBench(const std::vector<std::string>& texts,
                                                    std::string& error);

// One radio's transfer, run on a thread of its own with its own port, memory and events; index
// is the radio's place in the bench.
using BenchTransfer =
    std::function<kx::TransferOutcome(kx::ImageTransfer&, kx::RadioMemory&, const kx::PortChoice&,
                                      const kx::TransferEvents&, std::size_t index)>;

// Runs the transfers of every radio at once, shown on a BenchConsole. Ctrl+C, SIGTERM and SIGHUP
// stop every transfer between two frames, each ending its connection and closing its port. The
// results are in the order of the radios.
std::vector<BenchResult> RunBench(const std::vector<BenchRadio>& radios,
                                  const BenchTransfer& transfer);

// The summary table on standard output: port, result, seconds, backup file; then, on standard
// error, why each port that failed to open did (the system's reason, as for one port) and the
// named differences of every failed verification, each line prefixed with its port. kExitOk
// only when every radio succeeded.
int ReportBench(const std::vector<BenchResult>& results);

}  // namespace kxtool
