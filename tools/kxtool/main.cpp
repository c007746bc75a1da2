// kxtool: the programming tool's work from a shell, for scripts and batches.
#include <CLI/CLI.hpp>

#include <iostream>
#include <vector>

#include "Command.h"

int main(int argc, char** argv) {
  CLI::App app{"Programming tool for KX400 / KX600 data radios", "kxtool"};
  app.require_subcommand(1);
  app.set_version_flag("--version", "kxtool 1.61");

  const std::vector<kxtool::Command> commands{
      kxtool::addNewCommand(app),          kxtool::addShowCommand(app),
      kxtool::addEncodeCommand(app),       kxtool::addDecodeCommand(app),
      kxtool::addImportLegacyCommand(app), kxtool::addPortsCommand(app),
      kxtool::addReadCommand(app),         kxtool::addWriteCommand(app),
  };

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
