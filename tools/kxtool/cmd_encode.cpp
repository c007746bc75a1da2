#include <memory>

#include "Command.h"
#include "OutputFile.h"
#include "model/ImageCodec.h"

namespace kxtool {

Command addEncodeCommand(CLI::App& app) {
  struct Options {
    std::string input;
    std::string output;
  };
  auto options = std::make_shared<Options>();
  CLI::App* command =
      app.add_subcommand("encode", "Write the 416-byte memory image a radio write would send");
  command->add_option("file", options->input, "Configuration file (.dat)")->required();
  command
      ->add_option("-o,--output", options->output,
                   "Image file to write; - for standard output when it is not a terminal")
      ->required();

  return {command, [options] {
            kx::CKX200Doc doc;
            const kx::Outcome loaded = doc.OnOpenDocument(options->input);
            if (!loaded.ok) return report(loaded, options->input);
            const kx::image::Image image = kx::BuildImage(doc);
            std::string error;
            if (!writeOutput(options->output, image, OutputKind::kBinary, &error))
              return report(kx::Outcome::failure("cannot write the image: " + error),
                            options->output);
            return kExitOk;
          }};
}

}  // namespace kxtool
