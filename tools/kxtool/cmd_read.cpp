#include <iostream>
#include <memory>

#include "Command.h"
#include "TransferConsole.h"
#include "link/CommPort.h"
#include "link/ImageTransfer.h"
#include "model/FileIo.h"

namespace kxtool {

Command addReadCommand(CLI::App& app) {
  struct Options {
    std::string port;
    std::string output;
    std::string image;
    std::string trace;
  };
  auto options = std::make_shared<Options>();
  CLI::App* command = app.add_subcommand("read", "Read a radio's memory into a configuration");
  command
      ->add_option("--port", options->port, "Serial port: a number from 'kxtool ports' or a device")
      ->required();
  command->add_option("-o,--output", options->output, "Configuration file (.dat) to write");
  command->add_option("--image", options->image, "Also keep the raw 416-byte memory image");
  command->add_option("--trace", options->trace, "Write every byte on the wire to this file");

  return {command, [options] {
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
            kx::CKX200Doc doc;
            const kx::TransferOutcome outcome = transfer.OnRead(doc, choice, console.Events());
            const int result = console.Finish(outcome, choice);
            if (result != kExitOk) return result;

            std::cerr << "Read done; the image is kept in " << outcome.backupPath << '\n';
            if (!options->image.empty() &&
                !kx::fileio::writeAtomically(options->image, memory.working, &error))
              return report(kx::Outcome::failure("cannot write the image: " + error),
                            options->image);
            if (!options->output.empty())
              return report(doc.OnSaveDocument(options->output), options->output);
            return kExitOk;
          }};
}

}  // namespace kxtool
