#include <iostream>
#include <memory>

#include "Command.h"
#include "model/ValueText.h"
#include "report/DataSheet.h"

namespace kxtool {

namespace {
void printHeader(const kx::CKX200Doc& doc, std::ostream& out) {
  const kx::BandEntry& band = doc.band();
  out << "Model:    " << (band.caption.empty() ? "(first generation)" : band.caption) << " (type "
      << doc.modelType << ")\n";
  const std::string sub = kx::value_text::SubBandLine(doc.modelType, doc.subBandIndex);
  out << "Sub-band:";
  if (sub.empty()) {
    out << " (index " << int{doc.subBandIndex} << ", not a sub-band of this model)\n";
  } else {
    out << sub << '\n';
  }
  out << '\n';
}
}  // namespace

Command addShowCommand(CLI::App& app) {
  auto file = std::make_shared<std::string>();
  CLI::App* command = app.add_subcommand("show", "Print a configuration as its data sheet");
  command->add_option("file", *file, "Configuration file (.dat)")->required();

  return {command, [file] {
            kx::CKX200Doc doc;
            const kx::Outcome loaded = doc.OnOpenDocument(*file);
            if (!loaded.ok) return report(loaded, *file);
            printHeader(doc, std::cout);
            std::cout << kx::RenderDataSheetText(kx::LayoutDataSheet(doc));
            return kExitOk;
          }};
}

}  // namespace kxtool
