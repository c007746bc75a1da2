#pragma once

#include <CLI/CLI.hpp>

#include <functional>
#include <string>

#include "model/KX200Doc.h"
#include "model/Outcome.h"

namespace kxtool {

// Exit codes: 0 done, 1 the radio, a port or a file said no, 2 the command line was wrong.
constexpr int kExitOk = 0;
constexpr int kExitFailure = 1;
constexpr int kExitUsage = 2;

// A subcommand: its CLI11 parser and what runs when it was chosen.
struct Command {
  CLI::App* parser;
  std::function<int()> run;
};

Command addNewCommand(CLI::App& app);
Command addShowCommand(CLI::App& app);
Command addEncodeCommand(CLI::App& app);
Command addDecodeCommand(CLI::App& app);
Command addImportLegacyCommand(CLI::App& app);
Command addPortsCommand(CLI::App& app);
Command addReadCommand(CLI::App& app);
Command addWriteCommand(CLI::App& app);
Command addServiceCommand(CLI::App& app);
Command addSheetCommand(CLI::App& app);
Command addExportCommand(CLI::App& app);
Command addImportCommand(CLI::App& app);
Command addDiffCommand(CLI::App& app);
Command addVerifyCommand(CLI::App& app);

// --model: a selectable model by its number or its name (the traits table's).
CLI::Option* addModelOption(CLI::App& command, kx::ModelType& model);

// Prints an outcome's messages on standard error (the radio's "\r\n" as line breaks), each with
// the system's reason on the next line when it has one, prefixed with the file they are about
// unless they name it themselves.
// Returns kExitOk or kExitFailure.
int report(const kx::Outcome& outcome, const std::string& about);

// A fresh configuration of a model, as the model dialog makes one.
kx::CKX200Doc freshDocument(kx::ModelType model);

}  // namespace kxtool
