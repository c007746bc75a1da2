#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <vector>

#include "rules/CalibrationConsole.h"

namespace kx {

// The buttons of the "SQUELCH" dialog that change with its mode. CLOSE and DEFAULT are always
// usable.
enum class SquelchControl : std::size_t { kCustom, kSetOpen, kSetClose, kSave };
constexpr std::size_t kSquelchControlCount = 4;

// The rules of the squelch dialog over a live radio: the preset and custom modes, which buttons
// may be used, and the command each sends. Each click returns the messages to show, in order,
// after the view has been shown.
class SquelchConsole {
 public:
  struct View {
    int channel = 1;  // 1..16; the dialog opens on 1 whatever channel the radio is on
    bool custom = false;
    std::string customCaption = " Custom Define ? ";
    std::string unmutedText;  // the preset thresholds, "- 115" and "- 120" dBm once open
    std::string mutedText;
    std::array<bool, kSquelchControlCount> enabled{true, true, true, true};
  };

  SquelchConsole(ServiceSession& session, CKX200Doc& doc);

  // Start-up: the port opened, the radio put into service mode; its channel and version are
  // kept, SET (OPEN), SET (CLOSE) and SAVE wait for custom mode.
  ServiceOpening Open(const PortChoice& port);

  const View& Shown() const { return view_; }
  bool Enabled(SquelchControl c) const { return view_.enabled[index(c)]; }

  // SET of "Change Channel" with the up-down control's position; outside 1..16 sends channel 1.
  std::vector<Notice> SetChannel(int position);
  // The custom toggle now shows custom mode (true) or the preset. Nothing is sent.
  std::vector<Notice> SetCustom(bool on);
  std::vector<Notice> SetOpen();
  std::vector<Notice> SetClose();
  std::vector<Notice> Save();
  std::vector<Notice> RestoreDefault();

 private:
  static std::size_t index(SquelchControl c) { return static_cast<std::size_t>(c); }
  void enable(SquelchControl c, bool on) { view_.enabled[index(c)] = on; }
  // Back to the preset after SAVE or DEFAULT.
  void leaveCustom();

  ServiceSession& session_;
  CKX200Doc& doc_;
  View view_;
};

}  // namespace kx
