#include "Command.h"

#include <iostream>

namespace kxtool {

CLI::Option* addModelOption(CLI::App& command, kx::ModelType& model) {
  return command
      .add_option_function<std::string>(
          "--model",
          [&model](const std::string& text) { model = *kx::model::parseSelectable(text); },
          "Radio model: " + kx::model::selectableNumbers() + " or " +
              kx::model::selectableNames(", ", ", "))
      ->check(CLI::Validator(
          [](std::string& text) -> std::string {
            return kx::model::parseSelectable(text) ? std::string{}
                                                    : "unknown model '" + text + "'";
          },
          "MODEL"));
}

namespace {
std::string terminalText(std::string text) {
  for (auto at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n", at))
    text.replace(at, 2, "\n");
  return text;
}
}  // namespace

int report(const kx::Outcome& outcome, const std::string& about) {
  for (const kx::Notice& message : outcome.messages) {
    // Messages from a text file's import name the file and line already.
    if (!message.text.starts_with(about + ":")) std::cerr << about << ": ";
    std::cerr << terminalText(message.text) << '\n';
    if (!message.detail.empty()) std::cerr << about << ": " << message.detail << '\n';
  }
  return outcome.ok ? kExitOk : kExitFailure;
}

kx::CKX200Doc freshDocument(kx::ModelType model) {
  kx::CKX200Doc doc;
  doc.ChooseModel(model);
  return doc;
}

}  // namespace kxtool
