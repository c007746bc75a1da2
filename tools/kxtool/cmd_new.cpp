#include <memory>

#include "Command.h"
#include "OutputFile.h"

namespace kxtool {

Command addNewCommand(CLI::App& app) {
  struct Options {
    kx::ModelType model = kx::model::kKx400Vhf;
    std::string output;
  };
  auto options = std::make_shared<Options>();
  CLI::App* command = app.add_subcommand("new", "Create a fresh configuration of a model");
  addModelOption(*command, options->model)->required();
  command
      ->add_option("-o,--output", options->output,
                   "Configuration file (.dat) to write; - for standard output when it is not a "
                   "terminal")
      ->required();

  return {command, [options] {
            const kx::CKX200Doc doc = freshDocument(options->model);
            return report(saveConfiguration(doc, options->output), options->output);
          }};
}

}  // namespace kxtool
