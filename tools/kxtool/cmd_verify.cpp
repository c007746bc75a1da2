#include <iostream>
#include <memory>

#include "Command.h"
#include "TransferConsole.h"
#include "model/ImageCodec.h"
#include "textio/AnyConfiguration.h"
#include "textio/ConfigDiff.h"

namespace kxtool {

Command addVerifyCommand(CLI::App& app) {
  struct Options {
    std::string port;
    std::string input;
    std::string trace;
  };
  auto options = std::make_shared<Options>();
  CLI::App* command = app.add_subcommand(
      "verify",
      "Read a radio and compare its memory with a configuration, without writing: exit 0 when "
      "the radio holds it, 1 when it differs (the differing bytes on standard error, the "
      "values those bytes changed, as 'kxtool diff' prints them, on standard output) or the read "
      "failed");
  command
      ->add_option("--port", options->port, "Serial port: a number from 'kxtool ports' or a device")
      ->required();
  command->add_option("file", options->input, "A .dat, .yaml or 416-byte image")->required();
  command->add_option("--trace", options->trace, "Write every byte on the wire to this file");

  return {command, [options] {
            kx::CKX200Doc expected;
            const kx::Outcome loaded = kx::LoadAnyConfiguration(expected, options->input);
            if (!loaded.ok) return report(loaded, options->input);
            const kx::image::Image sent = kx::BuildImage(expected);

            kx::RadioMemory memory;
            kx::image::Image stored{};
            kx::TransferOutcome outcome;
            const int result = RunTransfer(
                options->port, options->trace, memory,
                [&](kx::ImageTransfer& transfer, const kx::PortChoice& port,
                    const kx::TransferEvents& events) {
                  return transfer.OnVerify(sent, port, events, &stored);
                },
                outcome);
            if (result == kExitOk) {
              std::cerr << "Verify done: the radio holds " << options->input << '\n';
              return kExitOk;
            }
            if (outcome.result != kx::TransferOutcome::Result::kVerifyFailed) return result;
            std::cerr << kx::VerifyFailureDetail(outcome.differences) << '\n';
            // The values the differing bytes changed, where the radio's memory decodes at all:
            // the image sent and the radio's memory read back the same way.
            if (const auto lines = kx::DiffImages(expected, sent, stored)) {
              for (const std::string& line : *lines)
                std::cout << line << '\n';
            }
            return kExitFailure;
          }};
}

}  // namespace kxtool
