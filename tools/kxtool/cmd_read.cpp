#include <iostream>
#include <memory>

#include "Command.h"
#include "TransferConsole.h"
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

  return {
      command, [options] {
        kx::CKX200Doc doc;
        kx::RadioMemory memory;
        kx::TransferOutcome outcome;
        const int result = RunTransfer(
            options->port, options->trace, memory,
            [&doc](kx::ImageTransfer& transfer, const kx::PortChoice& port,
                   const kx::TransferEvents& events) { return transfer.OnRead(doc, port, events); },
            outcome);
        if (result != kExitOk) return result;

        std::cerr << "Read done\n";
        ReportBackup(outcome);
        std::string error;
        if (!options->image.empty() &&
            !kx::fileio::writeAtomically(options->image, memory.working, &error))
          return report(kx::Outcome::failure("cannot write the image: " + error), options->image);
        if (!options->output.empty())
          return report(doc.OnSaveDocument(options->output), options->output);
        return kExitOk;
      }};
}

}  // namespace kxtool
