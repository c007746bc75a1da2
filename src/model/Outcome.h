#pragma once

#include <string>
#include <utility>
#include <vector>

namespace kx {

// How a message box presents a message: the icon it carries.
enum class NoticeKind {
  kInformation,  // a remark; nothing went wrong
  kWarning,      // a refusal or a value the technician should look at again
  kStop,         // an operation failed
};

// One message for the technician: the system's own text, and where it helps the system's reason
// (shown under the text in a message box, on the next line by kxtool).
struct Notice {
  std::string text;
  NoticeKind kind = NoticeKind::kInformation;
  std::string detail;

  static Notice information(std::string text) {
    return {std::move(text), NoticeKind::kInformation, {}};
  }
  static Notice warning(std::string text) { return {std::move(text), NoticeKind::kWarning, {}}; }
  static Notice stop(std::string text) { return {std::move(text), NoticeKind::kStop, {}}; }

  bool operator==(const Notice&) const = default;
};

// What an operation of the core did, in the words shown to the technician. The core never shows
// anything itself: the desktop app puts each message in a message box (in order), the
// command-line tool prints them. A successful operation may still carry notices, such as the
// legacy import's remarks about hang-on time.
struct Outcome {
  bool ok = true;
  std::vector<Notice> messages;

  static Outcome success() { return {}; }
  // A failure says why with a stop sign unless told otherwise.
  static Outcome failure(std::string text, std::string detail = {},
                         NoticeKind kind = NoticeKind::kStop) {
    return {false, {Notice{std::move(text), kind, std::move(detail)}}};
  }
  // A refusal: nothing failed, the request cannot be carried out as it stands.
  static Outcome refusal(std::string text) {
    return failure(std::move(text), {}, NoticeKind::kWarning);
  }
  // A refusal without anything to say (an ignored file extension, a dialog cancelled).
  static Outcome silentFailure() { return {false, {}}; }

  Outcome& notice(std::string text, NoticeKind kind = NoticeKind::kInformation) {
    messages.push_back({std::move(text), kind, {}});
    return *this;
  }
  // All message texts, one line each (without the details); empty when there is nothing to say.
  std::string text() const;
};

}  // namespace kx
