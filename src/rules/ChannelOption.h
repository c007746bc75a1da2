#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/ChannelRecord.h"
#include "model/Outcome.h"

namespace kx {

class CKX200Doc;

// The value buttons of the "CHANNEL OPTION" dialog.
enum class OptionValue { kRxCtcss, kRxDcs, kTwoTone, kTxCtcss, kTxDcs };
constexpr std::size_t kOptionValueCount = 5;

// What a tone is told by the modem it runs with: in the channel option dialog, and on the
// modem page when the modem changes under channels that have one.
constexpr const char* kGmskToneWarning = "Tone isn't used in GMSK modem";
constexpr const char* kFfskTwoToneWarning = "Two Tone isn't used in FFSK modem";

// The rules of one run of the "CHANNEL OPTION" dialog over the document: which kinds a channel's
// receive and transmit side use, with the pickers' values, the modem warnings and the two-tone
// lock. Every choice is written to the document at once; Cancel puts back the channel as it
// was when the dialog opened.
class ChannelOptionEditor {
 public:
  // What the dialog shows.
  struct View {
    int channel = 1;  // the working channel, 1..16
    int rxKind = 0;   // radio groups, OptionKind
    int txKind = 0;
    bool rxDcsAvailable = false;  // the radios that may be chosen
    bool twoToneAvailable = false;
    bool txDcsAvailable = false;
    std::array<bool, kOptionValueCount> valueEnabled{};
    std::array<std::string, kOptionValueCount> captions;
  };

  // Opens on the document's currentChannel (1..16).
  explicit ChannelOptionEditor(CKX200Doc& doc);

  const View& Shown() const { return view_; }
  bool Enabled(OptionValue v) const { return view_.valueEnabled[index(v)]; }
  const std::string& Caption(OptionValue v) const { return view_.captions[index(v)]; }

  // A radio of the RX group (none, CTCSS, DCS) or the TX group (none, CTCSS, DCS) was clicked.
  // The modem warnings to show come back; they never undo the choice.
  std::vector<Notice> ChooseRxKind(int kind);
  std::vector<Notice> ChooseTxKind(int kind);
  // "Two Tone" was clicked: the warnings, and whether the two-tone condition dialog must run
  // before the choice is made (FinishTwoTone then takes its result: true for ENABLE). While the
  // lock is on, only the access code stores two-tone; a wrong one leaves the channel as it was.
  struct TwoToneStart {
    std::vector<Notice> warnings;
    bool needsCondition = false;
  };
  TwoToneStart ChooseTwoTone();
  void FinishTwoTone(bool conditionAccepted);

  // A picker returned the text of its current cell; the two-tone dialog its group caption.
  void PickCtcss(bool rx, std::string_view text);
  void PickDcs(bool rx, std::string_view text);
  void SetTwoToneCaption(std::string caption);

  // Tab on Cancel: the next channel, or "Out of range channel" after the 16th and channel 1 (the
  // focus then goes to the channel text). The two-tone dialog follows the working channel.
  std::optional<Notice> Advance();

  // Cancel: the channel the dialog opened on gets its signalling back.
  void Cancel();

 private:
  static std::size_t index(OptionValue v) { return static_cast<std::size_t>(v); }
  ChannelRecord& working();
  void load();
  void enableValues();
  std::vector<Notice> toneWarning();

  CKX200Doc& doc_;
  View view_;
  int savedChannel_;
  ChannelRecord saved_;
};

}  // namespace kx
