#include <memory>

#include "Command.h"
#include "OutputFile.h"
#include "model/ConfigFile.h"

namespace kxtool {

Command addImportLegacyCommand(CLI::App& app) {
  struct Options {
    std::string input;
    kx::ModelType model = kx::model::kKx400Vhf;
    std::string output;
  };
  auto options = std::make_shared<Options>();
  CLI::App* command = app.add_subcommand(
      "import-legacy", "Convert a KX100 channel file (.UHF / .VHF) into a configuration");
  command->add_option("file", options->input, "KX100 channel file (.UHF or .VHF)")
      ->required()
      ->check(CLI::Validator(
          [](std::string& path) -> std::string {
            const auto dot = path.find_last_of('.');
            std::string ext = dot == std::string::npos ? "" : path.substr(dot + 1);
            for (char& c : ext)
              c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
            return ext == "UHF" || ext == "VHF" ? "" : "not a .UHF or .VHF file: " + path;
          },
          "FILE.UHF|FILE.VHF"));
  addModelOption(*command, options->model)->required();
  command
      ->add_option("-o,--output", options->output,
                   "Configuration file (.dat) to write; - for standard output when it is not a "
                   "terminal")
      ->required();

  return {command, [options] {
            kx::CKX200Doc doc = freshDocument(options->model);
            const kx::Outcome imported = kx::OpenConfigurationFile(doc, options->input);
            const int result = report(imported, options->input);
            if (result != kExitOk) return result;
            return report(saveConfiguration(doc, options->output), options->output);
          }};
}

}  // namespace kxtool
