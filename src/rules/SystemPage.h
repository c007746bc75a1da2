#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "model/Outcome.h"
#include "model/ValueText.h"

namespace kx {

class CKX200Doc;

namespace system_page {
constexpr int kScanDelayItems = value_text::kScanDelayEntries;
constexpr int kGpsCycleItems = value_text::kGpsCycleEntries;
}  // namespace system_page

// Which controls of the system option / GPS page can be used. Below the KX600 none of these;
// "Enables External Modulation" is not among them: only the modem page takes it away.
struct SystemPageEnabling {
  bool squelchBox = false;
  bool squelchRadios = false;  // Rssi Level Check / Busy Port Check, while squelch is on
  bool scanDelay = false, scanSpeed = false;
  bool beepOnHangOn = false, txTone = false;
  bool gpsBox = false;
  bool gpsFields = false;  // the cycle list and both GPS edits, while GPS is on
};
SystemPageEnabling SystemPageEnablingOf(const CKX200Doc& doc);

// The whole page as it shows a document.
struct SystemPageView {
  bool squelch = false;
  bool busyPortCheck = false;  // the Busy Port Check radio, else Rssi Level Check
  bool beepOnHangOn = false, txToneForDataInput = false, externalModulation = false;
  int scanDelayItem = -1;  // -1: no item (an index from a damaged image or file)
  std::string scanSpeedText;
  bool gps = false;
  int gpsCycleItem = -1;
  std::string gpsDataTimeText, gpsDataDelayText;
  SystemPageEnabling enabled;
};
SystemPageView SystemPageViewOf(const CKX200Doc& doc);
// The view, and the document learns through viewFlagA whether the model has these options.
SystemPageView LoadSystemPage(CKX200Doc& doc);

// An edit of the page lost the focus: the value the document keeps, the text the edit shows,
// and on a refusal the message, after which the edit takes the focus.
struct SystemEdit {
  int value = 0;
  std::string text;
  std::optional<Notice> notice;
  bool takeFocus = false;
};
// scanSpeedMs: 50..2000 ms, floored to 10 ms; a refusal stores 50.
SystemEdit ValidateScanSpeed(std::string_view text);
// gpsDataTimeSec: 1..10 s; a refusal keeps the stored value.
SystemEdit ValidateGpsDataTime(std::string_view text, int stored);
// gpsDataDelaySec: 50..300 s, floored to 10 s; a refusal keeps the stored value.
SystemEdit ValidateGpsDataDelay(std::string_view text, int stored);

}  // namespace kx
