// kxtool: the programming tool's work from a shell, for scripts and batches.
#include <CLI/CLI.hpp>

#include <algorithm>
#include <iostream>
#include <vector>

#include "Command.h"
#include "Console.h"
#include "model/Version.h"

int main(int argc, char** systemArgv) {
  kxtool::console::PrepareStreams();
  std::vector<std::string> arguments = kxtool::console::Arguments(argc, systemArgv);
  std::vector<char*> argvUtf8;
  for (auto& argument : arguments)
    argvUtf8.push_back(argument.data());
  argvUtf8.push_back(nullptr);
  argc = static_cast<int>(arguments.size());
  char** argv = argvUtf8.data();

  CLI::App app{"Programming tool for KX400 / KX600 data radios", "kxtool"};
  app.require_subcommand(1);
  // The same command line on every system: "/path/file.dat" is a file, never a Windows-style
  // option (before the commands are added, which take the setting over).
  app.allow_windows_style_options(false);
  app.set_version_flag("--version", "kxtool " + std::string(kx::version::kNumber));

  const std::vector<kxtool::Command> commands{
      kxtool::addNewCommand(app),          kxtool::addShowCommand(app),
      kxtool::addEncodeCommand(app),       kxtool::addDecodeCommand(app),
      kxtool::addImportLegacyCommand(app), kxtool::addPortsCommand(app),
      kxtool::addReadCommand(app),         kxtool::addWriteCommand(app),
      kxtool::addServiceCommand(app),      kxtool::addSheetCommand(app),
      kxtool::addExportCommand(app),       kxtool::addImportCommand(app),
      kxtool::addDiffCommand(app),         kxtool::addVerifyCommand(app),
  };

  // The first word that is not an option names the command; CLI11 would only say that one is
  // required.
  const auto named = [&](const kxtool::Command& command) {
    return command.parser->check_name(argv[1]);
  };
  if (argc > 1 && argv[1][0] != '-' && std::none_of(commands.begin(), commands.end(), named)) {
    std::cerr << "kxtool: unknown command '" << argv[1] << "'; the commands are:";
    for (const auto& command : commands)
      std::cerr << ' ' << command.parser->get_name();
    std::cerr << "\nRun with --help for more information.\n";
    return kxtool::kExitUsage;
  }

  try {
    app.parse(argc, argv);
  } catch (const CLI::CallForHelp& e) {
    return app.exit(e);
  } catch (const CLI::CallForAllHelp& e) {
    return app.exit(e);
  } catch (const CLI::CallForVersion& e) {
    return app.exit(e);
  } catch (const CLI::ParseError& e) {
    app.exit(e);
    return kxtool::kExitUsage;
  }

  for (const auto& command : commands) {
    if (command.parser->parsed()) return command.run();
  }
  return kxtool::kExitUsage;
}
