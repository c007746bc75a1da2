#include <iostream>
#include <memory>

#include "Command.h"
#include "textio/AnyConfiguration.h"
#include "textio/ConfigDiff.h"

namespace kxtool {

namespace {
// As diff(1): 0 the same, 1 different, 2 trouble.
constexpr int kSame = 0;
constexpr int kDifferent = 1;
constexpr int kTrouble = 2;
}  // namespace

Command addDiffCommand(CLI::App& app) {
  struct Options {
    std::string a, b;
  };
  auto options = std::make_shared<Options>();
  CLI::App* command = app.add_subcommand(
      "diff",
      "Compare what two configurations put into a radio, value by value as the pages show them: "
      "both go through the memory image a write sends, so values no radio holds never differ");
  command->add_option("a", options->a, "A .dat, .yaml or 416-byte image")->required();
  command->add_option("b", options->b, "A .dat, .yaml or 416-byte image")->required();

  return {command, [options] {
            kx::CKX200Doc a, b;
            for (auto [doc, path] : {std::pair{&a, &options->a}, std::pair{&b, &options->b}}) {
              const kx::Outcome loaded = kx::LoadAnyConfiguration(*doc, *path);
              if (!loaded.ok) {
                report(loaded, *path);
                return kTrouble;
              }
            }
            const auto lines = kx::DiffRadioContents(a, b);
            for (const std::string& line : lines)
              std::cout << line << '\n';
            return lines.empty() ? kSame : kDifferent;
          }};
}

}  // namespace kxtool
