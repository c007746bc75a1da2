#include <iostream>
#include <memory>

#include "BenchRun.h"
#include "Command.h"
#include "OutputFile.h"
#include "TransferConsole.h"
#include "model/FileIo.h"

namespace kxtool {

namespace {
struct ReadOptions {
  std::vector<std::string> ports;
  std::string output;
  std::string image;
  std::string trace;
};

int readRadio(const ReadOptions& options) {
  if (isStandardOutput(options.output) && isStandardOutput(options.image)) {
    std::cerr << "-o -, --image -: standard output takes one of the two files\n";
    return kExitUsage;
  }
  kx::CKX200Doc doc;
  kx::RadioMemory memory;
  kx::TransferOutcome outcome;
  const int result = RunTransfer(
      options.ports.front(), options.trace, memory,
      [&doc](kx::ImageTransfer& transfer, const kx::PortChoice& port,
             const kx::TransferEvents& events) { return transfer.OnRead(doc, port, events); },
      outcome);
  if (result != kExitOk) return result;

  std::cerr << "Read done\n";
  ReportBackup(outcome);
  std::string error;
  if (!options.image.empty() &&
      !writeOutput(options.image, memory.working, OutputKind::kBinary, &error))
    return report(kx::Outcome::failure("cannot write the image: " + error), options.image);
  if (!options.output.empty())
    return report(saveConfiguration(doc, options.output), options.output);
  return kExitOk;
}

// FOLDER/<port>.dat and FOLDER/<port>.bin; the reason when either cannot be written.
std::string saveRadio(const std::string& folder, const std::string& name, kx::CKX200Doc& doc,
                      const kx::image::Image& image) {
  const std::string stem = kx::fileio::joinPath(folder, name);
  std::string error;
  if (!kx::fileio::writeAtomically(stem + ".bin", image, &error)) return stem + ".bin: " + error;
  const kx::Outcome saved = doc.OnSaveDocument(stem + ".dat");
  return saved.ok ? std::string{} : stem + ".dat: " + saved.text();
}

int readBench(const ReadOptions& options) {
  if (options.output.empty() || isStandardOutput(options.output) || !options.image.empty() ||
      !options.trace.empty()) {
    std::cerr << "-o: several radios are read into a folder (-o FOLDER), each as <port>.dat and "
                 "<port>.bin; --image and --trace follow one port only\n";
    return kExitUsage;
  }
  std::string error;
  const auto radios = ResolveBench(options.ports, error);
  if (!radios) {
    std::cerr << "--port: " << error << '\n';
    return kExitUsage;
  }
  if (!kx::fileio::makeFolders(options.output, &error))
    return report(kx::Outcome::failure("cannot make the folder", error), options.output);

  std::vector<kx::CKX200Doc> docs(radios->size());
  std::vector<kx::image::Image> images(radios->size());
  auto results = RunBench(
      *radios, [&](kx::ImageTransfer& transfer, kx::RadioMemory& memory, const kx::PortChoice& port,
                   const kx::TransferEvents& events, std::size_t i) {
        auto outcome = transfer.OnRead(docs[i], port, events);
        images[i] = memory.working;
        return outcome;
      });
  for (std::size_t i = 0; i < results.size(); ++i) {
    if (results[i].outcome.ok())
      results[i].fileError = saveRadio(options.output, results[i].name, docs[i], images[i]);
  }
  return ReportBench(results);
}
}  // namespace

Command addReadCommand(CLI::App& app) {
  auto options = std::make_shared<ReadOptions>();
  CLI::App* command = app.add_subcommand(
      "read", "Read a radio's memory into a configuration, or several radios at once");
  command
      ->add_option("--port", options->ports,
                   "Serial port: a number from 'kxtool ports' or a device. Give it once for each "
                   "radio to read several at once, each on its own port and thread, into the "
                   "folder of -o; a summary table (port, result, seconds, backup file) follows, "
                   "and the exit code is 0 only when every radio succeeded. A port named twice "
                   "is refused")
      ->required()
      ->allow_extra_args(false);
  command->add_option("-o,--output", options->output,
                      "Configuration file (.dat) to write, - for standard output when it is not a "
                      "terminal; with several ports, the folder (made when missing) that "
                      "receives <port>.dat and the memory image <port>.bin of each radio");
  command->add_option("--image", options->image,
                      "Also keep the raw 416-byte memory image (one port only; - for standard "
                      "output when it is not a terminal)");
  command->add_option("--trace", options->trace,
                      "Write every byte on the wire to this file (one port only)");

  return {command, [options] {
            return options->ports.size() == 1 ? readRadio(*options) : readBench(*options);
          }};
}

}  // namespace kxtool
