#include <memory>

#include "Command.h"
#include "OutputFile.h"
#include "TextFormat.h"
#include "textio/AnyConfiguration.h"
#include "textio/CsvChannels.h"
#include "textio/TextFiles.h"
#include "textio/YamlConfig.h"

namespace kxtool {

namespace {

struct Options {
  std::string input;
  std::string output;
  std::string format;
  std::string into;
  kx::ModelType model = kx::model::kKx400Vhf;
  CLI::Option* modelOption = nullptr;
};

// The configuration the channels go into: the base file's, or a fresh one of the model.
kx::Outcome baseOf(const Options& o, kx::CKX200Doc& doc) {
  if (o.into.empty()) {
    doc = freshDocument(o.model);
    return kx::Outcome::success();
  }
  return kx::LoadAnyConfiguration(doc, o.into);
}

int run(const Options& o) {
  std::string text;
  const kx::Outcome read = kx::ReadTextFile(o.input, text);
  if (!read.ok) return report(read, o.input);
  kx::CKX200Doc doc;
  kx::Outcome imported;
  if (*formatOf(o.input, o.format) == TextFormat::kCsv) {
    const kx::Outcome base = baseOf(o, doc);
    if (!base.ok) return report(base, o.into);
    imported = kx::ImportChannelsCsv(doc, text, o.input);
  } else {
    imported = kx::ImportConfigYaml(doc, text, o.input);
  }
  if (report(imported, o.input) != kExitOk) return kExitFailure;
  return report(saveConfiguration(doc, o.output), o.output);
}

}  // namespace

Command addImportCommand(CLI::App& app) {
  auto options = std::make_shared<Options>();
  CLI::App* command = app.add_subcommand(
      "import", "Make a configuration file from a YAML configuration or a CSV channel table");
  command->add_option("file", options->input, "IN.yaml, or IN.csv with --into or --model")
      ->required();
  command
      ->add_option("-o,--output", options->output,
                   "Configuration file (.dat) to write; - for standard output when it is not a "
                   "terminal")
      ->required();
  addFormatOption(*command, options->format);
  auto* into = command->add_option("--into", options->into,
                                   "Configuration the CSV channels go into (everything else "
                                   "stays as it is there)");
  options->modelOption = addModelOption(*command, options->model);
  options->modelOption->description("A fresh configuration of this model for the CSV channels");
  into->excludes(options->modelOption);
  command->callback([options, into] {
    const auto format = formatOf(options->input, options->format);
    if (!format) throw CLI::ValidationError("--format", "say csv or yaml for " + options->input);
    const bool based = into->count() > 0 || options->modelOption->count() > 0;
    if (*format == TextFormat::kCsv && !based)
      throw CLI::ValidationError("--into/--model",
                                 "a CSV channel table needs --into BASE.dat or --model M");
    if (*format == TextFormat::kYaml && based)
      throw CLI::ValidationError("--into/--model", "a YAML configuration names its own model");
  });

  return {command, [options] { return run(*options); }};
}

}  // namespace kxtool
