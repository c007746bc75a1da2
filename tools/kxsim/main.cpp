// kxsim: KX400/KX600 radios on pseudo-terminals, for trying the programmer without a radio.
// Prints the device of each radio to open, one a line, then answers until it is killed.

#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <CLI/CLI.hpp>
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <memory>
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
constexpr int kMostRadios = 64;

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

// The name of radio `number` of `count` for a path given once: the path itself for a single
// radio, else the number after the prefix (a link) or before the extension (a saved memory).
std::string numberedLink(const std::string& prefix, int number, int count) {
  return count == 1 ? prefix : prefix + std::to_string(number);
}
std::string numberedFile(const std::string& path, int number, int count) {
  if (count == 1) return path;
  const auto slash = path.rfind('/');
  const auto dot = path.rfind('.');
  const bool hasExtension =
      dot != std::string::npos && dot > 0 && (slash == std::string::npos || dot > slash + 1);
  if (!hasExtension) return path + std::to_string(number);
  return path.substr(0, dot) + std::to_string(number) + path.substr(dot);
}

// "--fault 3:corrupt=0x29" is radio 3's alone; a fault without a number is every radio's.
bool addFault(const std::string& text, int count, std::vector<sim::RadioSettings>& radios,
              std::string* error) {
  const auto colon = text.find(':');
  if (colon == std::string::npos) {
    for (auto& radio : radios) {
      if (!sim::AddFault(text, radio.faults, error)) return false;
    }
    return true;
  }
  const std::string numberText = text.substr(0, colon);
  char* end = nullptr;
  const long number = std::strtol(numberText.c_str(), &end, 10);
  if (numberText.empty() || *end != '\0' || number < 1 || number > count) {
    *error = "Unknown radio \"" + numberText + "\" in --fault " + text + " (radios are 1.." +
             std::to_string(count) + ")";
    return false;
  }
  return sim::AddFault(text.substr(colon + 1), radios[static_cast<std::size_t>(number - 1)].faults,
                       error);
}

void stopAll(std::vector<std::unique_ptr<sim::VirtualRadio>>& radios,
             const std::vector<std::string>& links) {
  for (auto& radio : radios)
    radio->Stop();
  for (const auto& link : links)
    ::unlink(link.c_str());
}

}  // namespace

int main(int argc, char** argv) {
  CLI::App app{"Virtual KX400/KX600 radios on pseudo-terminals"};
  int count = 1;
  std::string modelText(kx::model::selectableName(kx::model::kKx400Vhf));
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

  app.add_option("--model", modelText,
                 "Model of the factory memory: " + kx::model::selectableNames(", ", ", ") +
                     " (or " + kx::model::selectableNumbers() + ")")
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
  app.add_option("--count", count,
                 "Start this many independent radios (1.." + std::to_string(kMostRadios) +
                     "), each with its own pseudo-terminal, memory and options; their devices "
                     "are printed one a line, radio 1 first")
      ->check(CLI::Range(1, kMostRadios))
      ->capture_default_str();
  app.add_option("--link", linkPath,
                 "Also make this symbolic link to the pseudo-terminal; with --count N, the "
                 "links PATH1..PATHN");
  app.add_option("--save", savePath,
                 "Write the memory to this file after every completed write; with --count N, "
                 "the radio's number goes before the extension (mem.bin: mem1.bin..memN.bin)");
  app.add_flag("--pace", pace, "Send at 4800 baud wire speed and think before answering");
  app.add_option("--fault", faultTexts,
                 std::string("Misbehave (may be given more than once; RADIO:FAULT gives radio "
                             "RADIO of --count alone the fault, else every radio has it): ") +
                     sim::kFaultHelp);
  app.add_flag("-v,--verbose", verbose,
               "Log every frame in both directions on standard error (with --count, each line "
               "starts with the radio's number)");
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

  std::vector<sim::RadioSettings> perRadio(static_cast<std::size_t>(count), settings);
  for (const auto& text : faultTexts) {
    std::string error;
    if (!addFault(text, count, perRadio, &error)) return failWith(error);
  }

  // The signals are taken by sigwait below; the radios' threads must not get them.
  sigset_t stopSignals;
  sigemptyset(&stopSignals);
  sigaddset(&stopSignals, SIGINT);
  sigaddset(&stopSignals, SIGTERM);
  sigaddset(&stopSignals, SIGHUP);
  pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);

  std::vector<std::unique_ptr<sim::VirtualRadio>> radios;
  std::vector<std::string> links;
  const auto start = sim::Clock::now();
  for (int number = 1; number <= count; ++number) {
    auto& radio = *radios.emplace_back(
        std::make_unique<sim::VirtualRadio>(perRadio[static_cast<std::size_t>(number - 1)]));
    if (verbose) {
      const std::string prefix = count == 1 ? "" : std::to_string(number) + " ";
      radio.SetLogSink([start, prefix](const sim::LogEntry& entry) {
        std::fprintf(stderr, "%s%s\n", prefix.c_str(), sim::FormatLogEntry(entry, start).c_str());
      });
    }
    if (!savePath.empty()) {
      radio.SetWriteSink(
          [path = numberedFile(savePath, number, count)](const image::Image& memory) {
            std::string error;
            if (!fileio::writeAtomically(path, memory, &error))
              std::fprintf(stderr, "kxsim: cannot save %s: %s\n", path.c_str(), error.c_str());
          });
    }
    std::string error;
    if (!radio.Start(&error)) {
      stopAll(radios, links);
      return failWith(error);
    }
    if (!linkPath.empty()) {
      const std::string link = numberedLink(linkPath, number, count);
      if (!makeLink(link, radio.SlavePath(), &error)) {
        stopAll(radios, links);
        return failWith(error);
      }
      links.push_back(link);
    }
  }
  for (const auto& radio : radios)
    std::cout << radio->SlavePath() << '\n';
  std::cout << std::flush;

  // Runs until a stop signal, or until every radio has gone (fault).
  std::vector<bool> gone(radios.size(), false);
  const timespec look{0, 200'000'000};
  int signal = 0;
  while (signal <= 0) {
    signal = sigtimedwait(&stopSignals, nullptr, &look);
    if (signal > 0) break;
    for (std::size_t i = 0; i < radios.size(); ++i) {
      if (gone[i] || !radios[i]->State().vanished) continue;
      gone[i] = true;
      if (count == 1)
        std::fprintf(stderr, "kxsim: the radio has gone (fault)\n");
      else
        std::fprintf(stderr, "kxsim: radio %zu has gone (fault)\n", i + 1);
    }
    if (std::all_of(gone.begin(), gone.end(), [](bool g) { return g; })) break;
  }
  stopAll(radios, links);
  return 0;
}
