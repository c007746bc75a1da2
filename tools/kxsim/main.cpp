// kxsim: a KX400/KX600 radio on a pseudo-terminal, for trying the programmer without a radio.
// Prints the device to open as its first line, then answers until it is killed.

#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <CLI/CLI.hpp>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <string>
#include <vector>

#include "VirtualRadio.h"
#include "model/ConfigFile.h"
#include "model/FileIo.h"
#include "model/ImageCodec.h"
#include "model/KX200Doc.h"

namespace {

using namespace kx;

constexpr int kUsageError = 2;

int failWith(const std::string& message) {
  std::cerr << "kxsim: " << message << "\n";
  return kUsageError;
}

// --version takes the radio's byte as the identification shows it: 0x21 is firmware 2.1.
std::optional<std::uint8_t> parseVersion(const std::string& text) {
  errno = 0;
  char* end = nullptr;
  const unsigned long value = std::strtoul(text.c_str(), &end, 0);
  if (errno != 0 || end == text.c_str() || *end != '\0' || value > 0xFF) return std::nullopt;
  return static_cast<std::uint8_t>(value);
}

bool makeLink(const std::string& link, const std::string& target, std::string* error) {
  struct stat info {};
  if (::lstat(link.c_str(), &info) == 0) {
    // An old link of an earlier run is replaced; anything else is someone's file.
    if (!S_ISLNK(info.st_mode)) {
      *error = link + " exists and is not a link";
      return false;
    }
    ::unlink(link.c_str());
  }
  if (::symlink(target.c_str(), link.c_str()) != 0) {
    *error = "Cannot make the link " + link + ": " + std::strerror(errno);
    return false;
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  CLI::App app{"A virtual KX400/KX600 radio on a pseudo-terminal"};
  std::string modelText = "kx400-vhf";
  std::string imagePath;
  std::string datPath;
  std::string versionText = "0x21";
  std::string modemText = "gmsk";
  int channel = 1;
  std::string linkPath;
  std::string savePath;
  bool pace = false;
  std::vector<std::string> faultTexts;
  bool verbose = false;

  app.add_option(
         "--model", modelText,
         "Model of the factory memory: kx400-vhf, kx400-uhf, kx600-vhf, kx600-uhf (or 2..5)")
      ->capture_default_str();
  auto* image = app.add_option("--image", imagePath, "Start with this 416-byte memory image");
  app.add_option("--dat", datPath, "Start with the memory of this configuration file")
      ->excludes(image);
  app.add_option("--version", versionText, "Firmware version byte, 0xMN for M.N")
      ->capture_default_str();
  app.add_option("--modem", modemText, "Modem fitted: none, gmsk, ffsk")->capture_default_str();
  app.add_option("--channel", channel, "Channel the radio is on, 1..16")
      ->check(CLI::Range(1, 16))
      ->capture_default_str();
  app.add_option("--link", linkPath, "Also make this symbolic link to the pseudo-terminal");
  app.add_option("--save", savePath, "Write the memory to this file after every completed write");
  app.add_flag("--pace", pace, "Send at 4800 baud wire speed and think before answering");
  app.add_option("--fault", faultTexts, std::string("Misbehave: ") + sim::kFaultHelp);
  app.add_flag("-v,--verbose", verbose, "Log every frame in both directions on standard error");
  try {
    app.parse(argc, argv);
  } catch (const CLI::Success& e) {  // --help
    return app.exit(e);
  } catch (const CLI::ParseError& e) {
    // Every mistake on the command line exits 2, whichever check found it.
    app.exit(e);
    return kUsageError;
  }

  sim::RadioSettings settings;
  const auto type = model::parseSelectable(modelText);
  if (!type) return failWith("Unknown model \"" + modelText + "\"");
  settings.model = *type;
  const auto version = parseVersion(versionText);
  if (!version) return failWith("The version is a byte, such as 0x21 for 2.1");
  settings.version = *version;
  if (modemText == "none") {
    settings.modem = sim::ModemType::kNone;
  } else if (modemText == "gmsk") {
    settings.modem = sim::ModemType::kGmsk;
  } else if (modemText == "ffsk") {
    settings.modem = sim::ModemType::kFfsk;
  } else {
    return failWith("Unknown modem \"" + modemText + "\" (none, gmsk or ffsk)");
  }
  settings.channel = channel;
  if (pace) settings.timing = sim::RadioSettings::PacedTiming();
  for (const auto& text : faultTexts) {
    std::string error;
    if (!sim::AddFault(text, settings.faults, &error)) return failWith(error);
  }
  if (!imagePath.empty()) {
    std::string error;
    const auto bytes = fileio::readPrefix(imagePath, image::kSize + 1, &error);
    if (!bytes) return failWith("Cannot read " + imagePath + ": " + error);
    if (bytes->size() != image::kSize)
      return failWith(imagePath + " is not a 416-byte memory image");
    image::Image memory{};
    std::copy(bytes->begin(), bytes->end(), memory.begin());
    settings.memory = memory;
  } else if (!datPath.empty()) {
    CKX200Doc doc;
    const Outcome loaded = LoadConfigFile(doc, datPath);
    if (!loaded.ok) return failWith(datPath + ": " + loaded.text());
    settings.memory = BuildImage(doc);
  }

  // The signals are taken by sigwait below; the radio's thread must not get them.
  sigset_t stopSignals;
  sigemptyset(&stopSignals);
  sigaddset(&stopSignals, SIGINT);
  sigaddset(&stopSignals, SIGTERM);
  sigaddset(&stopSignals, SIGHUP);
  pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);

  sim::VirtualRadio radio(settings);
  if (verbose) {
    const auto start = sim::Clock::now();
    radio.SetLogSink([start](const sim::LogEntry& entry) {
      std::fprintf(stderr, "%s\n", sim::FormatLogEntry(entry, start).c_str());
    });
  }
  if (!savePath.empty()) {
    radio.SetWriteSink([savePath](const image::Image& memory) {
      std::string error;
      if (!fileio::writeAtomically(savePath, memory, &error))
        std::fprintf(stderr, "kxsim: cannot save %s: %s\n", savePath.c_str(), error.c_str());
    });
  }
  std::string error;
  if (!radio.Start(&error)) return failWith(error);
  std::cout << radio.SlavePath() << std::endl;
  if (!linkPath.empty() && !makeLink(linkPath, radio.SlavePath(), &error)) {
    radio.Stop();
    return failWith(error);
  }

  const timespec look{0, 200'000'000};
  int signal = 0;
  while (signal <= 0) {
    signal = sigtimedwait(&stopSignals, nullptr, &look);
    if (signal < 0 && radio.State().vanished) {
      std::fprintf(stderr, "kxsim: the radio has gone (fault)\n");
      break;
    }
  }
  radio.Stop();
  if (!linkPath.empty()) ::unlink(linkPath.c_str());
  return 0;
}
