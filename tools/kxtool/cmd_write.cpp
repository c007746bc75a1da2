#include <iostream>
#include <memory>

#include "Command.h"
#include "TransferConsole.h"

namespace kxtool {

Command addWriteCommand(CLI::App& app) {
  struct Options {
    std::string port;
    std::string input;
    std::string trace;
  };
  auto options = std::make_shared<Options>();
  CLI::App* command = app.add_subcommand("write", "Write a configuration into a radio");
  command
      ->add_option("--port", options->port, "Serial port: a number from 'kxtool ports' or a device")
      ->required();
  command->add_option("file", options->input, "Configuration file (.dat)")->required();
  command->add_option("--trace", options->trace, "Write every byte on the wire to this file");

  return {command, [options] {
            kx::CKX200Doc doc;
            const kx::Outcome loaded = doc.OnOpenDocument(options->input);
            if (!loaded.ok) return report(loaded, options->input);

            kx::RadioMemory memory;
            kx::TransferOutcome outcome;
            const int result = RunTransfer(
                options->port, options->trace, memory,
                [&doc](kx::ImageTransfer& transfer, const kx::PortChoice& port,
                       const kx::TransferEvents& events) {
                  return transfer.OnWrite(doc, port, events);
                },
                outcome);
            if (result == kExitOk) std::cerr << "Write done\n";
            // A write that failed part-way has still sent its image, so its backup counts too.
            ReportBackup(outcome);
            return result;
          }};
}

}  // namespace kxtool
