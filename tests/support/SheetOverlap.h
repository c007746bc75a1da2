#pragma once

#include <string>
#include <vector>

#include "model/KX200Doc.h"
#include "report/DataSheet.h"
#include "support/Documents.h"

namespace kx::test {

// Configurations whose sheets between them print every text at its longest: a fresh one (flags
// off print ": OFF", ": Disable", ": -"), and one with every option on at its widest value and
// the channels through every signalling kind, scan, width and power.
inline std::vector<CKX200Doc> LongestSheetDocuments(ModelType type, bool testMode) {
  CKX200Doc fresh = DocumentOf(type);
  fresh.testMode = testMode ? 1 : 0;
  CKX200Doc wide = fresh;
  for (int n = 0; n < kChannelCount; ++n) {
    ChannelRecord& c = wide.channels[static_cast<std::size_t>(n)];
    c.rxFreqMHz = n % 4 == 3 ? 0.0 : 479.9875;
    c.txFreqMHz = n % 5 == 4 ? 0.0 : 479.9875;
    c.rxOption = n % 4;
    c.txOption = (n / 4) % 3;
    c.rxCtcssHz = c.txCtcssHz = 254.1;
    c.rxDcsCode = c.txDcsCode = 754;
    c.scan = n % 2;
    c.wide = (n / 2) % 2;
    c.highPower = (n / 8) % 2;
  }
  wide.hangOnEnabled = 1;
  wide.hangOnTimeMs = 2000;
  wide.powerSaveEnabled = 1;
  wide.powerSaveOnMs = 400;
  wide.powerSaveOffMs = 270;
  wide.squelchEnabled = 0;
  wide.scanDelayIndex = 14;
  wide.scanSpeedMs = 2000;
  wide.gmsk = wide.ffsk = 0;
  wide.afsk = wide.afskBell202 = wide.modemEnabled = 1;
  wide.txTimeoutSec = 990;
  wide.gpsEnabled = 1;
  wide.gpsCycleIndex = 23;
  wide.gpsDataTimeSec = 10;
  wide.gpsDataDelaySec = 300;
  wide.baseBlockSizeIndex = 9;
  wide.preambleSizeIndex = 15;
  wide.waitForBusyIndex = 15;
  wide.txDelay1Index = 1;
  wide.txDelay2Index = 5;
  wide.startBitErrors = 3;
  wide.txOffDelayMs = 16;
  wide.txOnDelayMs = 254;
  wide.rxOnDelayMs = 126;
  return {fresh, wide};
}

// Every pair of texts on one page whose boxes (charWidth per character across, the font's 180
// twips down from the top) share a point, named by their texts and positions.
inline std::vector<std::string> OverlappingTexts(const DataSheet& sheet, double charWidth) {
  constexpr int kHeight = -data_sheet::kFontHeight;
  auto right = [charWidth](const SheetText& t) {
    return t.x + charWidth * static_cast<double>(t.text.size());
  };
  auto name = [](const SheetText& t) {
    return "\"" + t.text + "\" at " + std::to_string(t.x) + "," + std::to_string(t.y);
  };
  std::vector<std::string> overlaps;
  for (std::size_t i = 0; i < sheet.items.size(); ++i) {
    for (std::size_t j = i + 1; j < sheet.items.size(); ++j) {
      const SheetText& a = sheet.items[i];
      const SheetText& b = sheet.items[j];
      const bool across = a.x < right(b) && b.x < right(a);
      const bool down = a.y > b.y - kHeight && b.y > a.y - kHeight;
      if (a.page == b.page && across && down) overlaps.push_back(name(a) + " / " + name(b));
    }
  }
  return overlaps;
}

}  // namespace kx::test
