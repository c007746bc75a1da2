#include <algorithm>
#include <array>
#include <charconv>
#include <cstdio>
#include <functional>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "Command.h"
#include "TransferConsole.h"
#include "link/CommPort.h"
#include "link/RadioProtocol.h"
#include "link/ServiceSession.h"

namespace kxtool {

namespace {
using kx::ServiceSession;

// One command of a run: what it is called in the output and what it sends. run is false when a
// command that repeats until the radio answers gave up.
struct Step {
  std::string label;
  std::function<bool(ServiceSession&)> run;  // empty for ident, which only reports
};

// A command word followed by one of a few settings, each a frame of its own.
struct Choice {
  const char* word;
  std::vector<const char*> settings;
  std::function<bool(ServiceSession&, std::size_t setting)> run;
};

const std::vector<Choice>& Choices() {
  using kx::GpsDataCommand;
  using kx::ScanCommand;
  static const std::vector<Choice> choices{
      {"scan",
       {"stop", "start", "delete"},
       [](ServiceSession& s, std::size_t i) {
         constexpr std::array kScans{ScanCommand::kStop, ScanCommand::kStart, ScanCommand::kDelete};
         s.Scan(kScans[i]);
         return true;
       }},
      {"gps-power",
       {"on", "off"},
       [](ServiceSession& s, std::size_t i) {
         if (i == 1) return s.GpsPowerOff();
         s.GpsPowerOn();
         return true;
       }},
      {"gps-data",
       {"disable", "external", "rf"},
       [](ServiceSession& s, std::size_t i) {
         constexpr std::array kData{GpsDataCommand::kDisable, GpsDataCommand::kExternalOutput,
                                    GpsDataCommand::kRfTransmission};
         return s.GpsData(kData[i]);
       }},
      {"squelch",
       {"open", "close", "default", "save"},
       [](ServiceSession& s, std::size_t i) {
         using Member = void (ServiceSession::*)();
         constexpr std::array<Member, 4> kSquelch{
             &ServiceSession::SquelchOpen, &ServiceSession::SquelchClose,
             &ServiceSession::SquelchDefault, &ServiceSession::SquelchSave};
         (s.*kSquelch[i])();
         return true;
       }},
      {"test-data",
       {"on", "off"},
       [](ServiceSession& s, std::size_t i) {
         if (i == 0)
           s.TestDataOn();
         else
           s.TestDataOff();
         return true;
       }},
      {"mark",
       {"on", "off"},
       [](ServiceSession& s, std::size_t i) {
         s.MarkTone(i == 0);
         return true;
       }},
      {"space",
       {"on", "off"},
       [](ServiceSession& s, std::size_t i) {
         s.SpaceTone(i == 0);
         return true;
       }},
      {"gmsk-tx",
       {"on", "off"},
       [](ServiceSession& s, std::size_t i) {
         s.GmskTransmit(i == 0);
         return true;
       }},
      {"upgrade-tx",
       {"on", "off"},
       [](ServiceSession& s, std::size_t i) {
         s.UpgradeTransmit(i == 0);
         return true;
       }},
  };
  return choices;
}

std::string Join(const std::vector<const char*>& words, const char* separator) {
  std::string text;
  for (const char* word : words)
    text += (text.empty() ? "" : separator) + std::string(word);
  return text;
}

// The steps of a command line, or the reason it is wrong.
bool ParseSteps(const std::vector<std::string>& words, std::vector<Step>& steps,
                std::string& error) {
  for (std::size_t at = 0; at < words.size(); ++at) {
    const std::string& word = words[at];
    const bool last = at + 1 == words.size();
    if (word == "ident") {
      steps.push_back({word, {}});
    } else if (word == "rx") {
      steps.push_back({word, [](ServiceSession& s) {
                         s.ReceiveMode();
                         return true;
                       }});
    } else if (word == "tx") {
      steps.push_back({word, [](ServiceSession& s) {
                         s.TransmitMode();
                         return true;
                       }});
    } else if (word == "channel") {
      int channel = 0;
      const std::string text = last ? "" : words[at + 1];
      const auto [end, failed] = std::from_chars(text.data(), text.data() + text.size(), channel);
      if (text.empty() || failed != std::errc{} || end != text.data() + text.size() ||
          channel < 1 || channel > 16) {
        error = "channel takes a number 1..16" + (text.empty() ? "" : ", not '" + text + "'");
        return false;
      }
      ++at;
      steps.push_back({"channel " + text, [channel](ServiceSession& s) {
                         s.ChangeChannel(channel);
                         return true;
                       }});
    } else {
      const auto& choices = Choices();
      const auto choice = std::find_if(choices.begin(), choices.end(),
                                       [&](const Choice& c) { return word == c.word; });
      if (choice == choices.end()) {
        std::vector<const char*> names{"ident", "channel", "rx", "tx"};
        for (const auto& c : choices)
          names.push_back(c.word);
        error = "unknown command '" + word + "'; the commands are: " + Join(names, " ");
        return false;
      }
      const std::string setting = last ? "" : words[at + 1];
      const auto& settings = choice->settings;
      const auto found = std::find_if(settings.begin(), settings.end(),
                                      [&](const char* s) { return setting == s; });
      if (found == settings.end()) {
        error = word + " takes " + Join(settings, "|") +
                (setting.empty() ? "" : ", not '" + setting + "'");
        return false;
      }
      ++at;
      const auto index = static_cast<std::size_t>(found - settings.begin());
      const auto& run = choice->run;
      steps.push_back(
          {word + " " + setting, [run, index](ServiceSession& s) { return run(s, index); }});
    }
  }
  return true;
}

std::string ModemText(std::uint8_t modem) {
  switch (modem) {
    case kx::protocol::modem_byte::kNone:
      return "no modem";
    case kx::protocol::modem_byte::kGmsk:
      return "GMSK modem";
    case kx::protocol::modem_byte::kFfsk:
      return "FFSK modem";
    default:
      break;
  }
  char text[32];
  std::snprintf(text, sizeof text, "unknown modem 0x%02X", modem);
  return text;
}

// What the radio's reply to one command said: empty when it was accepted.
std::string Judge(const std::vector<std::uint8_t>& received) {
  std::vector<std::uint8_t> reply;
  for (const auto byte : received)
    if (byte != 0) reply.push_back(byte);
  if (reply.empty()) return kx::service_text::kNoAnswer;
  return kx::VerdictText(ServiceSession::Examine(reply)).value_or("");
}
}  // namespace

Command addServiceCommand(CLI::App& app) {
  struct Options {
    std::string port;
    std::string trace;
    std::vector<std::string> words;
  };
  auto options = std::make_shared<Options>();
  CLI::App* command = app.add_subcommand(
      "service", "Drive a connected radio with the service commands of the calibration console");
  command
      ->add_option("--port", options->port, "Serial port: a number from 'kxtool ports' or a device")
      ->required();
  command->add_option("--trace", options->trace, "Write every byte on the wire to this file");
  command
      ->add_option("commands", options->words,
                   "In order: ident, channel 1..16, rx, tx, scan stop|start|delete, "
                   "gps-power on|off, gps-data disable|external|rf, "
                   "squelch open|close|default|save, test-data on|off, mark on|off, "
                   "space on|off, gmsk-tx on|off, upgrade-tx on|off")
      ->required();
  command->footer(
      "Exit 0 when the radio answered and accepted every command, 1 when it refused or did not "
      "answer one or the port failed, 2 for a wrong command line.");

  return {command, [options] {
            std::vector<Step> steps;
            std::string error;
            if (!ParseSteps(options->words, steps, error)) {
              std::cerr << "service: " << error << '\n';
              return kExitUsage;
            }
            const auto port = ResolvePort(options->port, error);
            if (!port) {
              std::cerr << "--port: " << error << '\n';
              return kExitUsage;
            }
            std::unique_ptr<std::FILE, int (*)(std::FILE*)> trace(nullptr, std::fclose);
            if (!options->trace.empty()) {
              trace.reset(OpenTraceFile(options->trace, error));
              if (!trace)
                return report(kx::Outcome::failure("Cannot write the trace", error),
                              options->trace);
            }

            kx::CCommPort serial;
            // A lost port is said once, as the verdict of the command it cuts short; whatever
            // else the port has to say goes to standard error as it happens.
            serial.SetMessageSink([](const kx::Notice& notice) {
              if (!notice.text.starts_with(kx::port_message::kLineLost))
                std::cerr << notice.text << '\n';
            });
            ServiceSession session(serial);
            // What the radio sent since the current command went out, for its verdict.
            std::vector<std::uint8_t> received;
            session.traffic = [&](bool sent, const std::uint8_t* bytes, std::size_t count) {
              WriteTrace(trace.get(), sent, bytes, count);
              for (std::size_t i = 0; !sent && i < count; ++i)
                if (received.size() < ServiceSession::kReplyCapacity) received.push_back(bytes[i]);
            };

            const kx::ServiceStart start = session.Start(*port);
            if (start.result == kx::ServiceStart::Result::kPortFailed) {
              std::cerr << start.status << '\n' << PortHint(*port, start.portError) << '\n';
              return kExitFailure;
            }
            if (start.result == kx::ServiceStart::Result::kRefused) {
              std::cerr << start.status << '\n';
              return kExitFailure;
            }

            const std::string lost = kx::port_message::kLineLost + serial.PortName();
            int exitCode = kExitOk;
            for (const Step& step : steps) {
              std::string verdict;
              if (session.LineLost()) {
                verdict = lost;
              } else if (!step.run) {
                if (start.identity) {
                  const kx::RadioIdentity& id = *start.identity;
                  std::cout << "Channel " << id.channel << ", version " << id.VersionText() << ", "
                            << ModemText(id.modem) << '\n';
                  continue;
                }
                verdict = kx::service_text::kNoAnswer;
              } else {
                received.clear();
                const bool answered = step.run(session);
                // A command that takes one byte of its reply leaves the rest queued (a zero
                // byte may come first); it is this command's all the same, and the next one is
                // judged on its own reply alone.
                session.CollectReply();
                verdict = answered ? Judge(received) : kx::service_text::kNoAnswer;
                if (verdict == kx::service_text::kNoAnswer && session.LineLost()) verdict = lost;
              }
              std::cout << step.label << ": " << (verdict.empty() ? "done" : verdict) << '\n';
              if (!verdict.empty()) exitCode = kExitFailure;
              // Nothing after it can reach the radio.
              if (verdict == lost) break;
            }
            session.Close();
            return exitCode;
          }};
}

}  // namespace kxtool
