#include <iostream>
#include <memory>

#include "Command.h"
#include "TransferConsole.h"
#include "link/CommPort.h"
#include "link/ImageTransfer.h"

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

            kx::CCommPort port;
            kx::RadioMemory memory;
            kx::ImageTransfer transfer(port, memory);
            TransferConsole console(transfer);
            std::string error;
            if (!options->trace.empty() && !console.OpenTrace(options->trace, error))
              return report(kx::Outcome::failure(error), options->trace);

            const auto resolved = ResolvePort(options->port, error);
            if (!resolved) {
              std::cerr << "--port: " << error << '\n';
              return kExitUsage;
            }
            const kx::PortChoice& choice = *resolved;
            const kx::TransferOutcome outcome = transfer.OnWrite(doc, choice, console.Events());
            const int result = console.Finish(outcome, choice);
            if (result == kExitOk)
              std::cerr << "Write done; the image sent is kept in " << outcome.backupPath << '\n';
            return result;
          }};
}

}  // namespace kxtool
