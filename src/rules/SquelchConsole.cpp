#include "rules/SquelchConsole.h"

namespace kx {

namespace {
using S = SquelchControl;

// The radio's preset thresholds, in dBm.
constexpr const char* kPresetUnmuted = "- 115";
constexpr const char* kPresetMuted = "- 120";
// The toggle's text after SAVE and DEFAULT; the toggle itself says "Custom Define?".
constexpr const char* kPresetCaption = "Custom Define ?";

std::vector<Notice> portClosed() {
  return {Notice::stop(service_text::kPortError)};
}
}  // namespace

SquelchConsole::SquelchConsole(ServiceSession& session, CKX200Doc& doc)
    : session_(session), doc_(doc) {}

ServiceOpening SquelchConsole::Open(const PortChoice& port) {
  view_.channel = 1;
  const ServiceOpening opening = OpenServiceSession(session_, doc_, port);
  enable(S::kSetOpen, false);
  enable(S::kSetClose, false);
  enable(S::kSave, false);
  view_.unmutedText = kPresetUnmuted;
  view_.mutedText = kPresetMuted;
  return opening;
}

std::vector<Notice> SquelchConsole::SetChannel(int position) {
  view_.channel = position >= 1 && position <= 16 ? position : 1;
  if (const auto text = VerdictText(session_.ChangeChannel(view_.channel)))
    return {Notice::stop(*text)};
  return {};
}

std::vector<Notice> SquelchConsole::SetCustom(bool on) {
  view_.custom = on;
  view_.customCaption = on ? "Custom Mode" : "Custom Define?";
  enable(S::kSetOpen, on);
  enable(S::kSetClose, on);
  enable(S::kSave, on);
  return {};
}

std::vector<Notice> SquelchConsole::SetOpen() {
  // Nothing can reach a radio whose port has closed.
  if (!session_.IsOpen()) return portClosed();
  session_.SquelchOpen();
  enable(S::kSetClose, true);
  return {};
}

std::vector<Notice> SquelchConsole::SetClose() {
  if (!session_.IsOpen()) return portClosed();
  session_.SquelchClose();
  return {};
}

void SquelchConsole::leaveCustom() {
  view_.custom = false;
  view_.customCaption = kPresetCaption;
  enable(S::kCustom, true);
  enable(S::kSetOpen, false);
  enable(S::kSetClose, false);
}

std::vector<Notice> SquelchConsole::Save() {
  if (!session_.IsOpen()) return portClosed();
  session_.SquelchSave();
  leaveCustom();
  enable(S::kSave, false);
  return {};
}

std::vector<Notice> SquelchConsole::RestoreDefault() {
  // SAVE is left as it was.
  leaveCustom();
  session_.SquelchDefault();
  return {};
}

}  // namespace kx
