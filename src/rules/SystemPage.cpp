#include "rules/SystemPage.h"

#include <utility>

#include "model/FormatText.h"
#include "model/KX200Doc.h"
#include "model/ModelTraits.h"
#include "rules/DecimalText.h"

namespace kx {

namespace {

constexpr int kScanSpeedStepMs = 10;
constexpr int kScanSpeedLowMs = 50;
constexpr int kScanSpeedHighMs = 2000;
constexpr int kDataTimeLowSec = 1;
constexpr int kDataTimeHighSec = 10;
constexpr int kDataDelayStepSec = 10;
constexpr int kDataDelayLowSec = 50;
constexpr int kDataDelayHighSec = 300;

// A list shows the stored index only when the list has that item.
int itemOf(int index, int items) {
  return index >= 0 && index < items ? index : -1;
}

SystemEdit refused(int value, std::string text, const char* message) {
  return {value, std::move(text), Notice::stop(message), true};
}

}  // namespace

SystemPageEnabling SystemPageEnablingOf(const CKX200Doc& doc) {
  const bool full = Traits(doc.modelType).fullSystemPage;
  SystemPageEnabling e;
  e.squelchBox = e.scanDelay = e.scanSpeed = e.beepOnHangOn = e.txTone = e.gpsBox = full;
  e.squelchRadios = full && doc.squelchEnabled != 0;
  e.gpsFields = full && doc.gpsEnabled != 0;
  return e;
}

SystemPageView SystemPageViewOf(const CKX200Doc& doc) {
  SystemPageView view;
  view.squelch = doc.squelchEnabled != 0;
  view.busyPortCheck = doc.squelchBusyPortCheck != 0;
  view.beepOnHangOn = doc.beepOnHangOn != 0;
  view.txToneForDataInput = doc.txToneForDataInput != 0;
  view.externalModulation = doc.externalModulation != 0;
  view.scanDelayItem = itemOf(doc.scanDelayIndex, system_page::kScanDelayItems);
  view.scanSpeedText = std::to_string(doc.scanSpeedMs);
  view.gps = doc.gpsEnabled != 0;
  view.gpsCycleItem = itemOf(doc.gpsCycleIndex, system_page::kGpsCycleItems);
  view.gpsDataTimeText = std::to_string(doc.gpsDataTimeSec);
  view.gpsDataDelayText = std::to_string(doc.gpsDataDelaySec);
  view.enabled = SystemPageEnablingOf(doc);
  return view;
}

SystemPageView LoadSystemPage(CKX200Doc& doc) {
  // The main form refreshes the page after New and Load only while this is set.
  doc.viewFlagA = Traits(doc.modelType).fullSystemPage ? 1 : 0;
  return SystemPageViewOf(doc);
}

SystemEdit ValidateScanSpeed(std::string_view text) {
  const int v = ParseDecimalInt(text) / kScanSpeedStepMs * kScanSpeedStepMs;
  if (v < kScanSpeedLowMs || v > kScanSpeedHighMs)
    return refused(kScanSpeedLowMs, FormatText("%4d", kScanSpeedLowMs),
                   "Valid Settings 50 - 2000 ms ");
  return {v, FormatText("%4d", v), std::nullopt, false};
}

SystemEdit ValidateGpsDataTime(std::string_view text, int stored) {
  const int v = ParseDecimalInt(text);
  if (v < kDataTimeLowSec || v > kDataTimeHighSec)
    return refused(stored, std::to_string(stored), "Valid Settings 1 - 10");
  return {v, std::to_string(v), std::nullopt, false};
}

SystemEdit ValidateGpsDataDelay(std::string_view text, int stored) {
  const int v = ParseDecimalInt(text) / kDataDelayStepSec * kDataDelayStepSec;
  if (v < kDataDelayLowSec || v > kDataDelayHighSec)
    return refused(stored, std::to_string(stored), "Valid Settings 50 - 300");
  return {v, std::to_string(v), std::nullopt, false};
}

}  // namespace kx
