#include "report/DataSheet.h"

#include <algorithm>
#include <array>
#include <map>
#include <optional>

#include "model/FormatText.h"
#include "model/KX200Doc.h"
#include "model/ModelTraits.h"
#include "model/RadioOptions.h"
#include "model/ToneTables.h"
#include "model/ValueText.h"

namespace kx {

namespace {

const std::string kSeparator(93, '-');
constexpr int kSeparatorX = 250;
constexpr int kUp = 115;  // the two lines of a tone cell sit this far above and below the row

const char* flagText(std::int32_t flag, const char* on, const char* off) {
  return flag ? on : off;
}

// The value text of an option's line.
std::string value(OptionId id, const CKX200Doc& doc) {
  return Option(id).sheetValue(doc);
}

class Page {
 public:
  Page(DataSheet& sheet, int number) : sheet_(sheet), number_(number) {}
  void text(int x, int y, std::string s) { sheet_.items.push_back({number_, x, y, std::move(s)}); }

 private:
  DataSheet& sheet_;
  int number_;
};

int rowY(int channel) {
  return -(1750 + 700 * channel);
}

// Column positions of the channel table. Layout A serves the four radio models; the first
// generation (types 0 and 1) prints its older layout B.
struct ChannelColumns {
  int rxFreqHeading, rxOptionHeading, txFreqHeading, txOptionHeading;
  int scanHeading, widthHeading, powerHeading, hangOnHeading;
};
constexpr ChannelColumns kLayoutA{700, 2200, 3500, 5200, 6700, 7500, 8500, 9400};
// Layout B's SCAN column stands left of where the first generation printed it (heading 7900,
// cells 8000), where it ran into WIDTH: "SWIDTH", and "ONarrow" in every row.
constexpr ChannelColumns kLayoutB{700, 2300, 3600, 5300, 7000, 8000, 9000, 10000};

void headings(Page& page, const ChannelColumns& c) {
  constexpr int y = -1900;
  page.text(c.rxFreqHeading, y, "RX_FREQ(MHz)");
  page.text(c.rxOptionHeading, y, "RX_OPTION");
  page.text(c.txFreqHeading, y, "TX_FREQ(MHz)");
  page.text(c.txOptionHeading, y, "TX_OPTION");
  page.text(c.scanHeading, y, "SCAN");
  page.text(c.widthHeading, y, "WIDTH");
  page.text(c.powerHeading, y, "POWER");
  page.text(c.hangOnHeading, y, "HANG-ON");
}

// Layout A: a tone takes two lines, its value above the row and its kind below.
void toneCellA(Page& page, int y, int noX, int valueX, int option, double ctcssHz, int dcsCode) {
  if (option == kOptionNone) {
    page.text(noX, y, "NO");
  } else if (option == kOptionCtcss) {
    page.text(valueX, y + kUp, value_text::CtcssTone(ctcssHz));
    page.text(valueX - 100, y - kUp, "(CTCSS)");
  } else if (option == kOptionDcs) {
    page.text(valueX, y + kUp, value_text::DcsCode(dcsCode));
    page.text(valueX - 100, y - kUp, "(DCS)");
  }
}

void channelRowA(Page& page, const CKX200Doc& doc, const ChannelRecord& c, int y) {
  page.text(700, y, c.rxFreqMHz == 0.0 ? "  -" : FormatText("%8.4f", c.rxFreqMHz));
  toneCellA(page, y, 2600, 2400, c.rxOption, c.rxCtcssHz, c.rxDcsCode);
  if (c.txFreqMHz == 0.0)
    page.text(3700, y, "-");
  else
    page.text(3500, y, FormatText("%8.4f", c.txFreqMHz));
  toneCellA(page, y, 5600, 5400, c.txOption, c.txCtcssHz, c.txDcsCode);
  page.text(6700, y, flagText(c.scan, "ON", "OFF"));
  page.text(7500, y, flagText(c.wide, " WIDE", "NARROW"));
  page.text(8500, y, flagText(c.highPower, "HIGH", "LOW"));
  page.text(9400, y, doc.hangOnTimeMs == 0 ? "  -" : FormatText("%d", doc.hangOnTimeMs));
}

void toneCellB(Page& page, int y, int noX, int valueX, int option, double ctcssHz, int dcsCode) {
  if (option == kOptionNone)
    page.text(noX, y, "NO");
  else if (option == kOptionCtcss)
    page.text(valueX, y, FormatText("%0.1f (CTCSS)", ctcssHz));
  else if (option == kOptionDcs)
    page.text(valueX, y, value_text::DcsCode(dcsCode) + " (DCS)");
}

void channelRowB(Page& page, const CKX200Doc& doc, const ChannelRecord& c, int y) {
  page.text(800, y, c.rxFreqMHz == 0.0 ? "   -" : FormatText("%8.4f", c.rxFreqMHz));
  // The receive tone under its heading: at 2400 a tone of three digits reached the transmit
  // frequency.
  toneCellB(page, y, 2700, 2300, c.rxOption, c.rxCtcssHz, c.rxDcsCode);
  page.text(3800, y, c.txFreqMHz == 0.0 ? "   -" : FormatText("%8.4f", c.txFreqMHz));
  toneCellB(page, y, 5700, 5400, c.txOption, c.txCtcssHz, c.txDcsCode);
  page.text(7100, y, flagText(c.scan, "S", "OFF"));
  page.text(8100, y, flagText(c.wide, "Wide", "Narrow"));
  page.text(9100, y, flagText(c.highPower, "High", "Low"));
  page.text(10200, y, doc.hangOnTimeMs == 0 ? "   -" : FormatText("%d", doc.hangOnTimeMs));
}

void channelPage(Page& page, const CKX200Doc& doc) {
  const ModelTraits& traits = Traits(doc.modelType);
  if (traits.sheetModelCaption)
    page.text(1300, -900, FormatText(": %s", std::string(doc.band().caption).c_str()));
  page.text(3400, -600, "===== PC PROGRAMMER DATA SHEET =====");
  page.text(400, -900, "* MODEL");
  page.text(kSeparatorX, -1700, kSeparator);
  page.text(500, -1400, "## CHANNEL DATA ##");
  page.text(300, -1900, "CH");
  page.text(kSeparatorX, -2100, kSeparator);

  const bool layoutB = traits.sheetLayout == SheetLayout::kB;
  headings(page, layoutB ? kLayoutB : kLayoutA);
  for (int n = 1; n <= kChannelCount; ++n) {
    const int y = rowY(n);
    page.text(350, y, FormatText("%d", n));
    page.text(kSeparatorX, y - 350, kSeparator);
    const ChannelRecord& c = doc.channels[static_cast<std::size_t>(n - 1)];
    if (layoutB)
      channelRowB(page, doc, c, y);
    else
      channelRowA(page, doc, c, y);
  }
}

// ---------------------------------------------------------------- page 2

constexpr int kLeftHeadingX = 700, kLeftLabelX = 500, kLeftSubLabelX = 800, kLeftValueX = 3800;
constexpr int kRightHeadingX = 5600, kRightLabelX = 5400, kRightMoreX = 5700, kRightValueX = 9000;

// "Test Mode Enable" is longer than any other left value: it starts earlier so that it ends
// a character clear of the right column's "1. TX OFF DELAY".
int modeLineX(const CKX200Doc& doc) {
  return doc.testMode ? 3500 : kLeftValueX;
}

void leftColumn(Page& page, const CKX200Doc& doc) {
  page.text(kLeftHeadingX, -1700, "### RX OPTION ###");
  page.text(kLeftLabelX, -2000, value(OptionId::kSquelch, doc));
  page.text(kLeftLabelX, -2300, "1. POWER SAVE MODE");
  page.text(kLeftValueX, -2300, value(OptionId::kPowerSave, doc));
  page.text(kLeftLabelX, -2600, "2. DELAY TIME");
  page.text(kLeftValueX, -2600, value(OptionId::kPowerSaveDelay, doc));
  page.text(kLeftLabelX, -2900, "3. POWER SAVE ON TIME");
  page.text(kLeftValueX, -2900, value(OptionId::kRxOffTime, doc));
  page.text(kLeftLabelX, -3200, "4. POWER SAVE OFF TIME");
  page.text(kLeftValueX, -3200, value(OptionId::kRxOnTime, doc));

  page.text(kLeftHeadingX, -4700, "### SCAN OPTION ###");
  page.text(kLeftLabelX, -5000, "1. SCAN DELAY TIME");
  page.text(kLeftValueX, -5000, value(OptionId::kScanDelay, doc));
  page.text(kLeftLabelX, -5300, "2. SCAN SPEED TIME");
  page.text(kLeftValueX, -5300, value(OptionId::kScanSpeed, doc));

  const std::string sBaud = value(OptionId::kSBandBaud, doc);
  const std::string nBaud = value(OptionId::kNBandBaud, doc);
  page.text(kLeftHeadingX, -6500, "### MODEM OPTION ###");
  page.text(kLeftLabelX, -6800, value(OptionId::kModemType, doc));
  page.text(kLeftLabelX, -7100, "1. MODEM");
  page.text(kLeftValueX, -7100, value(OptionId::kModem, doc));
  page.text(kLeftLabelX, -7400, "2. MODEM BAUD RATE");
  page.text(kLeftSubLabelX, -7700, "2.1 S BAND");
  if (!sBaud.empty()) page.text(kLeftValueX, -7700, sBaud);
  page.text(kLeftSubLabelX, -8000, "2.2 N BAND");
  if (!nBaud.empty()) page.text(kLeftValueX, -8000, nBaud);

  page.text(kLeftHeadingX, -9500, "### SYSTEM OPTION 1 ###");
  page.text(kLeftLabelX, -9800, "1. MODE");
  page.text(modeLineX(doc), -9800, value(OptionId::kModemMode, doc));
  page.text(kLeftLabelX, -10100, "2. TX FORCING MODE");
  page.text(kLeftValueX, -10100, value(OptionId::kTxForcing, doc));
  page.text(kLeftLabelX, -10400, "3. INITIALIZING DATA FOR HT");
  page.text(kLeftValueX, -10400, value(OptionId::kInitDataForHt, doc));
}

void rightTxAndGps(Page& page, const CKX200Doc& doc) {
  page.text(kRightHeadingX, -1700, "### TX OPTION ###");
  page.text(kRightLabelX, -2000, "1. TX TIME OUT TIME");
  page.text(kRightValueX, -2000, value(OptionId::kTimeoutTimer, doc));
  // Each value beside its own label (the radio software printed several one line off).
  page.text(kRightLabelX, -2300, "2. BEEP WHEN HANG ON TIME");
  page.text(kRightValueX, -2300, value(OptionId::kBeepOnHangOn, doc));
  page.text(kRightLabelX, -2600, "3. TX TONE GENERATION");
  page.text(kRightMoreX, -2900, "FOR DATA INPUT");
  // On the line of "FOR DATA INPUT": half a line lower it touched the busy lockout's value.
  page.text(kRightValueX, -2900, value(OptionId::kTxToneForDataInput, doc));
  page.text(kRightLabelX, -3200, "4. BUSY CHANNEL LOCKOUT");
  page.text(kRightValueX, -3200, value(OptionId::kBusyLockout, doc));
  page.text(kRightLabelX, -3500, "5. ENABLES TX MATCHED SAT");
  page.text(kRightValueX, -3500, value(OptionId::kTxMatchedSat, doc));
  page.text(kRightLabelX, -3800, "6. TX DELAY");
  page.text(kRightValueX, -3800, value(OptionId::kTxDelay, doc));

  page.text(kRightHeadingX, -4700, "### GPS OPTION ###");
  page.text(kRightLabelX, -5000, "1. GPS");
  page.text(kRightValueX, -5000, value(OptionId::kGps, doc));
  page.text(kRightLabelX, -5300, "2. TRASMISSION CYCLE");
  page.text(kRightValueX, -5300, value(OptionId::kGpsCycle, doc));
  page.text(kRightLabelX, -5600, "3. DATA TRANSMISSION TIME");
  page.text(kRightValueX, -5600, value(OptionId::kGpsDataTime, doc));
  page.text(kRightLabelX, -5900, "4. DATA DELAY TIME");
  page.text(kRightValueX, -5900, value(OptionId::kGpsDataDelay, doc));
}

void rightSystem(Page& page, const CKX200Doc& doc) {
  page.text(kRightHeadingX, -6500, "### SYSTEM OPTION 2 ###");
  page.text(kRightLabelX, -6800, "1. BASE BLOCK SIZE 1");
  page.text(kRightValueX, -6800, value(OptionId::kBaseBlockSize, doc));
  page.text(kRightLabelX, -7100, "2. PREAMBLE DATA SIZE");
  page.text(kRightValueX, -7100, value(OptionId::kPreamble, doc));
  page.text(kRightLabelX, -7400, "3. WAIT FOR BUSY TIME");
  page.text(kRightValueX, -7400, value(OptionId::kWaitForBusy, doc));
  page.text(kRightLabelX, -7700, "4. FLOW CONTROL");
  page.text(kRightValueX, -7700, value(OptionId::kFlowControl, doc));
  page.text(kRightLabelX, -8000, "5. TX DELAY TIME 1");
  page.text(kRightValueX, -8000, value(OptionId::kTxDelay1, doc));
  page.text(kRightLabelX, -8300, "6. TX DELAY TIME 2(TONE ONLY)");
  page.text(kRightValueX, -8300, value(OptionId::kTxDelay2, doc));
  page.text(kRightLabelX, -8600, "7. NUMBER OF ALLOWABLE ERRORS");
  page.text(kRightValueX, -8750, value(OptionId::kStartBitErrors, doc));
  page.text(kRightMoreX, -8900, "FOR START BIT");

  page.text(kRightHeadingX, -9500, "### SYSTEM OPTION 3 ###");
  page.text(kRightLabelX, -9800, "1. TX OFF DELAY");
  page.text(kRightValueX, -9800, value(OptionId::kTxOffDelay, doc));
  page.text(kRightLabelX, -10100, "2. TX ON TIME");
  page.text(kRightValueX, -10100, value(OptionId::kTxOnDelay, doc));
  page.text(kRightLabelX, -10400, "3. RX ON DELAY");
  page.text(kRightValueX, -10400, value(OptionId::kRxOnDelay, doc));
}

void optionPage(Page& page, const CKX200Doc& doc) {
  page.text(4000, -900, "====  OPTION DATA  ====");
  leftColumn(page, doc);
  rightTxAndGps(page, doc);
  rightSystem(page, doc);
}

}  // namespace

DataSheet LayoutDataSheet(const CKX200Doc& doc) {
  DataSheet sheet;
  sheet.jobName = std::string(doc.band().caption) + data_sheet::kJobSuffix;
  Page first(sheet, 1);
  channelPage(first, doc);
  Page second(sheet, 2);
  optionPage(second, doc);
  // An empty text draws nothing; it is left out so that every item is something on paper.
  std::erase_if(sheet.items, [](const SheetText& t) { return t.text.empty(); });
  return sheet;
}

std::string RenderDataSheetText(const DataSheet& sheet) {
  using data_sheet::kCharWidth;
  std::string out;
  for (int page = 1; page <= 2; ++page) {
    std::map<int, std::string, std::greater<>> lines;  // top of the page first
    for (const SheetText& item : sheet.items) {
      if (item.page != page) continue;
      std::string& line = lines[item.y];
      const auto column = static_cast<std::size_t>(std::max(0, item.x / kCharWidth));
      if (line.size() < column + item.text.size()) line.resize(column + item.text.size(), ' ');
      line.replace(column, item.text.size(), item.text);
    }
    if (page == 2) out += '\n';
    for (const auto& [y, line] : lines)
      out += line + '\n';
  }
  return out;
}

}  // namespace kx
