#include <cstdint>
#include <memory>
#include <span>

#include "Command.h"
#include "OutputFile.h"
#include "TextFormat.h"
#include "model/ConfigFile.h"
#include "textio/AnyConfiguration.h"
#include "textio/CsvChannels.h"
#include "textio/TextFiles.h"
#include "textio/YamlConfig.h"

namespace kxtool {

Command addExportCommand(CLI::App& app) {
  struct Options {
    std::string input;
    std::string output;
    std::string format;
  };
  auto options = std::make_shared<Options>();
  CLI::App* command = app.add_subcommand(
      "export", "Write a configuration's channel table as CSV, or all of it as YAML");
  command->add_option("file", options->input, "Configuration (.dat, .yaml or a 416-byte image)")
      ->required();
  command
      ->add_option("-o,--output", options->output,
                   "OUT.csv or OUT.yaml; - for standard output (then --format)")
      ->required();
  addFormatOption(*command, options->format);
  command->callback([options] {
    if (!formatOf(options->output, options->format))
      throw CLI::ValidationError("--format", "say csv or yaml for " + options->output);
  });

  return {command, [options] {
            kx::CKX200Doc doc;
            const kx::Outcome loaded = kx::LoadAnyConfiguration(doc, options->input);
            if (!loaded.ok) return report(loaded, options->input);
            const std::string text = *formatOf(options->output, options->format) == TextFormat::kCsv
                                         ? kx::ExportChannelsCsv(doc)
                                         : kx::ExportConfigYaml(doc);
            if (!isStandardOutput(options->output))
              return report(kx::WriteTextFile(options->output, text), options->output);
            std::string reason;
            const auto* bytes = reinterpret_cast<const std::uint8_t*>(text.data());
            if (!writeOutput(options->output, std::span(bytes, text.size()), OutputKind::kText,
                             &reason))
              return report(kx::Outcome::failure(kx::file_message::kCannotSave, reason),
                            options->output);
            return kExitOk;
          }};
}

}  // namespace kxtool
