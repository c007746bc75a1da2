#include <gtest/gtest.h>

#include <algorithm>
#include <limits>

#include "model/KX200Doc.h"
#include "report/DataSheet.h"
#include "report/SheetPdf.h"
#include "support/DamagedConfigs.h"
#include "support/Documents.h"
#include "support/SheetOverlap.h"

namespace kx {
namespace {

// The text drawn at a position, or "" when nothing is.
std::string at(const DataSheet& sheet, int page, int x, int y) {
  for (const SheetText& t : sheet.items) {
    if (t.page == page && t.x == x && t.y == y) return t.text;
  }
  return {};
}

int rowY(int channel) {
  return -(1750 + 700 * channel);
}

TEST(DataSheetTest, ChannelTableOfARadioModel) {
  CKX200Doc doc = test::DocumentOf(model::kKx600Uhf);
  doc.hangOnTimeMs = 1000;
  ChannelRecord& c = doc.channels[0];
  c.rxFreqMHz = 440.0125;
  c.txFreqMHz = 445.0;
  c.rxOption = kOptionCtcss;
  c.rxCtcssHz = 67.0;
  c.txOption = kOptionDcs;
  c.txDcsCode = 23;
  c.scan = 1;
  c.wide = 1;
  c.highPower = 1;
  doc.channels[1].rxOption = kOptionTwoTone;

  const DataSheet sheet = LayoutDataSheet(doc);
  EXPECT_EQ(sheet.jobName, "KX600 UHF DATA SHEET");
  EXPECT_EQ(at(sheet, 1, 1300, -900), ": KX600 UHF");
  const int y = rowY(1);
  EXPECT_EQ(at(sheet, 1, 350, y), "1");
  EXPECT_EQ(at(sheet, 1, 700, y), "440.0125");
  EXPECT_EQ(at(sheet, 1, 2400, y + 115), " 67.0");
  EXPECT_EQ(at(sheet, 1, 2300, y - 115), "(CTCSS)");
  EXPECT_EQ(at(sheet, 1, 3500, y), "445.0000");
  EXPECT_EQ(at(sheet, 1, 5400, y + 115), "023");
  EXPECT_EQ(at(sheet, 1, 5300, y - 115), "(DCS)");
  EXPECT_EQ(at(sheet, 1, 6700, y), "ON");
  EXPECT_EQ(at(sheet, 1, 7500, y), " WIDE");
  EXPECT_EQ(at(sheet, 1, 8500, y), "HIGH");
  EXPECT_EQ(at(sheet, 1, 9400, y), "1000");
  EXPECT_EQ(at(sheet, 1, 250, y - 350), std::string(93, '-'));

  // An empty two-tone channel: dashes and nothing in the receive option column.
  const int y2 = rowY(2);
  EXPECT_EQ(at(sheet, 1, 700, y2), "  -");
  EXPECT_EQ(at(sheet, 1, 3700, y2), "-");
  EXPECT_EQ(at(sheet, 1, 2600, y2), "");
  EXPECT_EQ(at(sheet, 1, 5600, y2), "NO");
  EXPECT_EQ(at(sheet, 1, 7500, y2), "NARROW");
}

TEST(DataSheetTest, FirstGenerationPrintsTheOlderLayoutWithoutACaption) {
  CKX200Doc doc = test::DocumentOf(model::kFirstGenVhf);
  doc.channels[0].rxFreqMHz = 150.0;
  doc.channels[0].rxOption = kOptionCtcss;
  doc.channels[0].rxCtcssHz = 100.0;
  const DataSheet sheet = LayoutDataSheet(doc);
  EXPECT_EQ(sheet.jobName, " DATA SHEET");
  EXPECT_EQ(at(sheet, 1, 1300, -900), "");
  EXPECT_EQ(at(sheet, 1, 7000, -1900), "SCAN");
  EXPECT_EQ(at(sheet, 1, 8000, -1900), "WIDTH");
  EXPECT_EQ(at(sheet, 1, 800, rowY(1)), "150.0000");
  EXPECT_EQ(at(sheet, 1, 2300, rowY(1)), "100.0 (CTCSS)");
  EXPECT_EQ(at(sheet, 1, 3800, rowY(1)), "   -");
  EXPECT_EQ(at(sheet, 1, 7100, rowY(1)), "OFF");
  EXPECT_EQ(at(sheet, 1, 8100, rowY(1)), "Narrow");
  EXPECT_EQ(at(sheet, 1, 10200, rowY(1)), "   -");
}

TEST(DataSheetTest, ModemLinesFollowTheModemType) {
  CKX200Doc doc = test::DocumentOf(model::kKx600Vhf);
  doc.modemEnabled = 1;
  doc.gmsk = 1;
  doc.sBandBaudIndex = 1;
  DataSheet sheet = LayoutDataSheet(doc);
  EXPECT_EQ(at(sheet, 2, 500, -6800), "** GMSK **");
  EXPECT_EQ(at(sheet, 2, 3800, -7700), ": 9600 bps");
  EXPECT_EQ(at(sheet, 2, 3800, -8000), ": 4800 bps");
  EXPECT_EQ(at(sheet, 2, 9000, -8300), ": -");  // no tone delay with GMSK

  doc.gmsk = 0;
  sheet = LayoutDataSheet(doc);
  EXPECT_EQ(at(sheet, 2, 500, -6800), "Modem is not selected");
  EXPECT_EQ(at(sheet, 2, 3800, -7700), "");
  EXPECT_EQ(at(sheet, 2, 3800, -8000), "");

  doc.ffsk = 1;
  doc.sBandBaudIndex = 7;  // outside the list: that line only stays blank
  doc.nBandBaudIndex = 1;
  sheet = LayoutDataSheet(doc);
  EXPECT_EQ(at(sheet, 2, 3800, -7700), "");
  EXPECT_EQ(at(sheet, 2, 3800, -8000), ": 2400 bps");
}

TEST(DataSheetTest, OptionValuesAndTheirBlanks) {
  CKX200Doc doc = test::DocumentOf(model::kKx400Uhf);
  doc.preambleSizeIndex = 13;
  doc.waitForBusyIndex = 3;
  DataSheet sheet = LayoutDataSheet(doc);
  EXPECT_EQ(at(sheet, 2, 9000, -7100), ": 120 BIT");
  EXPECT_EQ(at(sheet, 2, 9000, -7400), ": -");  // the KX400 has no wait-for-busy time
  EXPECT_EQ(at(sheet, 2, 9000, -8000), ": -");
  EXPECT_EQ(at(sheet, 2, 3800, -2300), ": OFF");
  EXPECT_EQ(at(sheet, 2, 3800, -2600), ": -");
  EXPECT_EQ(at(sheet, 2, 9000, -5300), ": -");
  EXPECT_EQ(at(sheet, 2, 500, -2000), "** Rssi Level Check **");

  doc = test::DocumentOf(model::kKx600Uhf);
  doc.waitForBusyIndex = 3;
  doc.txDelay1Index = 10;
  doc.baseBlockSizeIndex = 12;  // past the table: the label stays, the value goes
  doc.squelchEnabled = 0;
  sheet = LayoutDataSheet(doc);
  EXPECT_EQ(at(sheet, 2, 9000, -7400), ": 400 ms");
  EXPECT_EQ(at(sheet, 2, 9000, -8000), ": 55ms");
  EXPECT_EQ(at(sheet, 2, 5400, -6800), "1. BASE BLOCK SIZE 1");
  EXPECT_EQ(at(sheet, 2, 9000, -6800), "");
  EXPECT_EQ(at(sheet, 2, 500, -2000), "** Squelch Disabled **");
}

TEST(DataSheetTest, TransmitOptionsStandBesideTheirOwnLabels) {
  CKX200Doc doc = test::DocumentOf(model::kKx600Vhf);
  doc.beepOnHangOn = 1;
  doc.txToneForDataInput = 0;
  doc.busyLockoutEnabled = 1;
  doc.txMatchedSatEnabled = 0;
  doc.txDelayEnabled = 0;
  const DataSheet sheet = LayoutDataSheet(doc);
  EXPECT_EQ(at(sheet, 2, 9000, -2300), ": ON");       // 2. BEEP WHEN HANG ON TIME
  EXPECT_EQ(at(sheet, 2, 9000, -2600), "");           // 3. TX TONE GENERATION ...
  EXPECT_EQ(at(sheet, 2, 9000, -2900), ": Disable");  // ... FOR DATA INPUT
  EXPECT_EQ(at(sheet, 2, 9000, -3200), ": ON");       // 4. BUSY CHANNEL LOCKOUT
  EXPECT_EQ(at(sheet, 2, 9000, -3500), ": OFF");      // 5. ENABLES TX MATCHED SAT
  EXPECT_EQ(at(sheet, 2, 9000, -3800), ": OFF");      // 6. TX DELAY
}

TEST(DataSheetTest, NoTwoTextsOfAnyModelsSheetOverlap) {
  for (const ModelType type : model::kAllTypes) {
    for (const bool testMode : {false, true}) {
      for (const CKX200Doc& doc : test::LongestSheetDocuments(type, testMode)) {
        const DataSheet sheet = LayoutDataSheet(doc);
        EXPECT_EQ(test::OverlappingTexts(sheet, data_sheet::kCharWidth), std::vector<std::string>{})
            << "model " << type << (testMode ? " in test mode" : "");
      }
    }
  }
  // Test mode still names itself beside "1. MODE".
  const DataSheet test = LayoutDataSheet(test::LongestSheetDocuments(model::kKx400Vhf, true)[0]);
  EXPECT_EQ(at(test, 2, 3500, -9800), "Test Mode Enable");
}

TEST(DataSheetTest, PdfHoldsBothPagesInCourierWithEscapedTexts) {
  CKX200Doc doc = test::DocumentOf(model::kKx400Uhf);
  doc.channels[0] = {.rxFreqMHz = 420, .txFreqMHz = 420, .rxOption = kOptionCtcss};
  const std::vector<std::uint8_t> bytes = RenderDataSheetPdf(LayoutDataSheet(doc));
  const std::string pdf(bytes.begin(), bytes.end());
  EXPECT_EQ(pdf.rfind("%PDF-1.4\n", 0), 0u);
  EXPECT_NE(pdf.find("/Count 2"), std::string::npos);
  EXPECT_NE(pdf.find("/BaseFont /Courier"), std::string::npos);
  EXPECT_NE(pdf.find("(===== PC PROGRAMMER DATA SHEET =====) Tj"), std::string::npos);
  EXPECT_NE(pdf.find("(\\(CTCSS\\)) Tj"), std::string::npos);
  EXPECT_NE(pdf.find("/Title (KX400 UHF DATA SHEET)"), std::string::npos);
  // The cross-reference table points at every object.
  const auto xref = pdf.find("\nxref\n");
  ASSERT_NE(xref, std::string::npos);
  EXPECT_NE(pdf.find("startxref\n" + std::to_string(xref + 1)), std::string::npos);
}

TEST(DataSheetTest, TextRenderingKeepsColumnsAndOrder) {
  CKX200Doc doc = test::DocumentOf(model::kKx400Vhf);
  doc.channels[0].rxFreqMHz = 150.0;
  const std::string text = RenderDataSheetText(LayoutDataSheet(doc));
  const auto title = text.find("===== PC PROGRAMMER DATA SHEET =====");
  const auto model = text.find("* MODEL  : KX400 VHF");
  const auto options = text.find("====  OPTION DATA  ====");
  ASSERT_NE(title, std::string::npos);
  ASSERT_NE(model, std::string::npos);
  ASSERT_NE(options, std::string::npos);
  EXPECT_LT(title, model);
  EXPECT_LT(model, options);
  EXPECT_NE(text.find("   1  150.0000"), std::string::npos);
}

// A damaged .dat (every 32-bit field at an extreme): an index outside its list prints nothing,
// before any sum could overflow into the next column; plain numbers print as stored.
TEST(DataSheetTest, IndicesOutsideTheirListsPrintNothing) {
  for (std::int32_t value :
       {std::numeric_limits<std::int32_t>::max(), std::numeric_limits<std::int32_t>::min(), -1}) {
    const DataSheet sheet = LayoutDataSheet(test::DamagedConfig(model::kKx600Uhf, value));
    EXPECT_EQ(at(sheet, 2, 3800, -2600), "");  // power save delay
    EXPECT_EQ(at(sheet, 2, 3800, -5000), "");  // scan delay
    EXPECT_EQ(at(sheet, 2, 9000, -5300), "");  // GPS cycle
    EXPECT_EQ(at(sheet, 2, 9000, -7100), "");  // preamble size
    EXPECT_EQ(at(sheet, 2, 9000, -2000), ": " + std::to_string(value) + " Sec");
    EXPECT_FALSE(RenderDataSheetText(sheet).empty());
  }
  for (double value : {std::numeric_limits<double>::quiet_NaN(), 1e300})
    EXPECT_FALSE(RenderDataSheetText(LayoutDataSheet(test::DamagedDoubles(model::kKx600Uhf, value)))
                     .empty());
}

}  // namespace
}  // namespace kx
