#include <memory>

#include "Command.h"
#include "OutputFile.h"
#include "model/ConfigFile.h"
#include "model/FileIo.h"
#include "model/ImageCodec.h"

namespace kxtool {

Command addDecodeCommand(CLI::App& app) {
  struct Options {
    std::string input;
    std::string output;
  };
  auto options = std::make_shared<Options>();
  CLI::App* command =
      app.add_subcommand("decode", "Turn a 416-byte memory image into a configuration file");
  command->add_option("image", options->input, "Memory image (416 bytes)")->required();
  command
      ->add_option("-o,--output", options->output,
                   "Configuration file (.dat) to write; - for standard output when it is not a "
                   "terminal")
      ->required();

  return {command, [options] {
            std::string error;
            // One byte more than an image tells a longer file from a good one.
            const auto bytes = kx::fileio::readPrefix(options->input, kx::image::kSize + 1, &error);
            if (!bytes)
              return report(kx::Outcome::failure(kx::file_message::kCannotOpen, error),
                            options->input);
            kx::CKX200Doc doc;
            const kx::Outcome decoded = kx::DecodeImage(doc, *bytes);
            if (!decoded.ok) return report(decoded, options->input);
            return report(saveConfiguration(doc, options->output), options->output);
          }};
}

}  // namespace kxtool
