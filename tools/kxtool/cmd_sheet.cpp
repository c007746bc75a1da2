#include <iostream>
#include <memory>

#include "Command.h"
#include "OutputFile.h"
#include "report/DataSheet.h"
#include "report/SheetPdf.h"

namespace kxtool {

Command addSheetCommand(CLI::App& app) {
  struct Options {
    std::string input;
    std::string output;
    bool text = false;
  };
  auto options = std::make_shared<Options>();
  CLI::App* command =
      app.add_subcommand("sheet", "The data sheet of a configuration, as PDF or as text");
  command->add_option("file", options->input, "Configuration file (.dat)")->required();
  auto* output = command->add_option(
      "-o,--output", options->output,
      "PDF file to write (two A4 pages); - for standard output when it is not a "
      "terminal");
  command->add_flag("--text", options->text, "Print the sheet's texts in reading order")
      ->excludes(output);
  command->callback([options] {
    if (options->output.empty() && !options->text) throw CLI::RequiredError("--output or --text");
  });

  return {command, [options] {
            kx::CKX200Doc doc;
            const kx::Outcome loaded = doc.OnOpenDocument(options->input);
            if (!loaded.ok) return report(loaded, options->input);
            const kx::DataSheet sheet = kx::LayoutDataSheet(doc);
            if (options->text) {
              std::cout << kx::RenderDataSheetText(sheet);
              return kExitOk;
            }
            std::string reason;
            if (!writeOutput(options->output, kx::RenderDataSheetPdf(sheet), OutputKind::kBinary,
                             &reason))
              return report(kx::Outcome::failure("Cannot Save File!", reason), options->output);
            return kExitOk;
          }};
}

}  // namespace kxtool
