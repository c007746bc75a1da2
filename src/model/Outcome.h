#pragma once

#include <string>
#include <utility>
#include <vector>

namespace kx {

// What an operation of the core did, in the words shown to the technician. The core never shows
// anything itself: the desktop app puts each message in a message box (in order), the
// command-line tool prints them. A successful operation may still carry notices, such as the
// legacy import's remarks about hang-on time.
struct Outcome {
  bool ok = true;
  std::vector<std::string> messages;

  static Outcome success() { return {}; }
  static Outcome failure(std::string message) { return {false, {std::move(message)}}; }
  // A refusal without anything to say (an ignored file extension, a dialog cancelled).
  static Outcome silentFailure() { return {false, {}}; }

  Outcome& notice(std::string message) {
    messages.push_back(std::move(message));
    return *this;
  }
  // All messages on one line each; empty when there is nothing to say.
  std::string text() const;
};

}  // namespace kx
