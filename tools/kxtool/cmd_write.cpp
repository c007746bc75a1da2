#include <iostream>
#include <memory>

#include "BenchRun.h"
#include "Command.h"
#include "TransferConsole.h"

namespace kxtool {

namespace {
struct WriteOptions {
  std::vector<std::string> ports;
  std::string input;
  std::string trace;
  bool verify = false;
};

kx::TransferOutcome writeOne(const WriteOptions& options, kx::ImageTransfer& transfer,
                             kx::CKX200Doc& doc, const kx::PortChoice& port,
                             const kx::TransferEvents& events) {
  return options.verify ? transfer.OnWriteAndVerify(doc, port, events)
                        : transfer.OnWrite(doc, port, events);
}

int writeRadio(const WriteOptions& options, kx::CKX200Doc& doc) {
  kx::RadioMemory memory;
  kx::TransferOutcome outcome;
  const int result = RunTransfer(
      options.ports.front(), options.trace, memory,
      [&](kx::ImageTransfer& transfer, const kx::PortChoice& port,
          const kx::TransferEvents& events) {
        return writeOne(options, transfer, doc, port, events);
      },
      outcome);
  if (result == kExitOk) std::cerr << (options.verify ? "Write done, verified\n" : "Write done\n");
  if (!outcome.differences.empty())
    std::cerr << kx::VerifyFailureDetail(outcome.differences) << '\n';
  // A write that failed part-way has still sent its image, so its backup counts too.
  ReportBackup(outcome);
  return result;
}

int writeBench(const WriteOptions& options, const kx::CKX200Doc& doc) {
  if (!options.trace.empty()) {
    std::cerr << "--trace: a trace follows one radio; give a single --port with it\n";
    return kExitUsage;
  }
  std::string error;
  const auto radios = ResolveBench(options.ports, error);
  if (!radios) {
    std::cerr << "--port: " << error << '\n';
    return kExitUsage;
  }
  // Every radio encodes its own copy: the encoder works on the document it is given.
  std::vector<kx::CKX200Doc> docs(radios->size(), doc);
  return ReportBench(RunBench(
      *radios, [&](kx::ImageTransfer& transfer, kx::RadioMemory&, const kx::PortChoice& port,
                   const kx::TransferEvents& events,
                   std::size_t i) { return writeOne(options, transfer, docs[i], port, events); }));
}
}  // namespace

Command addWriteCommand(CLI::App& app) {
  auto options = std::make_shared<WriteOptions>();
  CLI::App* command = app.add_subcommand(
      "write", "Write a configuration into a radio, or into several radios at once");
  command
      ->add_option("--port", options->ports,
                   "Serial port: a number from 'kxtool ports' or a device. Give it once for each "
                   "radio to write several at once, each on its own port and thread; a summary "
                   "table (port, result, seconds, backup file) follows, and the exit code is 0 "
                   "only when every radio succeeded. A port named twice is refused")
      ->required()
      ->allow_extra_args(false);
  command->add_option("file", options->input, "Configuration file (.dat)")->required();
  command->add_flag("--verify", options->verify,
                    "Read each radio back after the write and compare its 416 bytes with the "
                    "image sent; a difference fails with 'Verify failed: N bytes differ (...)' "
                    "and the EEPROM map's names of up to 8 addresses");
  command->add_option("--trace", options->trace,
                      "Write every byte on the wire to this file (one port only)");

  return {command, [options] {
            kx::CKX200Doc doc;
            const kx::Outcome loaded = doc.OnOpenDocument(options->input);
            if (!loaded.ok) return report(loaded, options->input);
            if (options->ports.size() == 1) return writeRadio(*options, doc);
            return writeBench(*options, doc);
          }};
}

}  // namespace kxtool
