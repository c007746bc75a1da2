#include <gtest/gtest.h>

#include <cstdio>

#include "model/KX200Doc.h"
#include "model/LegacyImport.h"
#include "support/Documents.h"
#include "support/TempFolder.h"

namespace kx {
namespace {

// Builds KX100 files: a 200-byte memory written out as 100 "AA:HHLL" records.
struct LegacyFile {
  legacy::Image image{};

  // The KX100 scatters a 17-bit count over three bytes.
  void setTriple(std::size_t at, std::uint32_t count, std::uint8_t lowNibbleOfLast = 0) {
    const std::uint32_t v = count & 0x3F, w = count >> 6;
    image[at] = static_cast<std::uint8_t>(v | ((w & 1) << 7) | (((w >> 10) & 1) << 6));
    image[at + 1] = static_cast<std::uint8_t>((w >> 1) & 0xFF);
    image[at + 2] = static_cast<std::uint8_t>((((w >> 9) & 1) << 7) | lowNibbleOfLast);
  }
  void setChannel(int e, std::uint32_t rxCount, std::uint32_t txCount, int hangOn = 0) {
    setTriple(6 * static_cast<std::size_t>(e), rxCount, 1);  // rx t2 non-zero: low power
    setTriple(6 * static_cast<std::size_t>(e) + 3, txCount, static_cast<std::uint8_t>(hangOn));
  }
  void setHangOn(int e, int code) {
    auto& b = image[6 * static_cast<std::size_t>(e) + 5];
    b = static_cast<std::uint8_t>((b & 0xF0) | code);
  }
  std::string text(std::size_t records = 100) const {
    std::string out;
    for (std::size_t a = 0; a < records; ++a) {
      char record[16];
      std::snprintf(record, sizeof record, "%02X:%02X%02X \r\n", static_cast<unsigned>(a),
                    image[2 * a + 1], image[2 * a]);
      out += record;
    }
    return out;
  }
};

std::span<const std::uint8_t> bytesOf(const std::string& text) {
  return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

constexpr std::uint32_t kUhf440At6250 = 63184;  // (440 - 45.1) MHz / 6.25 kHz
constexpr std::uint32_t kTx445At6250 = 71200;   // 445 MHz / 6.25 kHz

CKX200Doc uhfDocument() {
  return test::DocumentOf(model::kKx600Uhf);
}

TEST(LegacyParseTest, RecordsFillTheWordsOfTheMemory) {
  const std::string text = "00:1234 \r\n05:ABcd \r\n63:00FF \r\n64:EEEE \r\n";
  const auto parsed = legacy::ParseRecords(bytesOf(text));
  EXPECT_EQ(parsed.records, 4u);
  EXPECT_EQ(parsed.image[0], 0x34);
  EXPECT_EQ(parsed.image[1], 0x12);
  EXPECT_EQ(parsed.image[10], 0xCD);
  EXPECT_EQ(parsed.image[11], 0xAB);
  EXPECT_EQ(parsed.image[198], 0xFF);  // word 0x63 = 99, the last one
  // Word 100 is past the memory and ignored.
}

TEST(LegacyParseTest, CharactersThatAreNotHexCountAsZero) {
  // "G5" is 0x05, "zz" is 0x00, "x1" 0x01.
  const auto parsed = legacy::ParseRecords(bytesOf("G5:zzx1 \r\n"));
  EXPECT_EQ(parsed.image[10], 0x01);
  EXPECT_EQ(parsed.image[11], 0x00);
  const auto badAddress = legacy::ParseRecords(bytesOf("??:4142 \r\n"));
  EXPECT_EQ(badAddress.image[0], 0x42);
  EXPECT_EQ(badAddress.image[1], 0x41);
}

TEST(LegacyParseTest, ShortFilesGiveTheRecordsTheyHold) {
  EXPECT_EQ(legacy::ParseRecords(bytesOf("")).records, 0u);
  EXPECT_EQ(legacy::ParseRecords(bytesOf("00:12")).records, 0u);
  // The last record may come without its line end.
  EXPECT_EQ(legacy::ParseRecords(bytesOf("00:1234 \r\n01:5678")).records, 2u);
}

TEST(LegacyImportTest, ChannelsAndOptionsAreCarriedOver) {
  LegacyFile file;
  file.setChannel(0, kUhf440At6250, kTx445At6250);
  file.setChannel(1, 63000, 0);  // 5 kHz step: (63000 * 5000 + 45.1 MHz) = 360.1 MHz
  file.setTriple(6 * 1, 63000);  // receive t2 without its low bits: high power
  file.image[142] = 0x01;        // channel 1 wide
  file.image[144] = 0x01;        // channel 1 on 6.25 kHz
  file.image[114] = 0x60;        // time-out and busy lockout, UHF radio
  file.image[115] = 12;
  file.image[117] = 0x80 | 0x30 | 0x05;
  file.image[116] = 3;

  CKX200Doc doc = uhfDocument();
  doc.gpsEnabled = 1;  // the import starts from defaults
  const Outcome outcome = ImportLegacyBytes(doc, bytesOf(file.text()), false);
  EXPECT_TRUE(outcome.ok);

  const ChannelRecord& first = doc.channels[0];
  EXPECT_DOUBLE_EQ(first.rxFreqMHz, 440.0);
  EXPECT_DOUBLE_EQ(first.txFreqMHz, 445.0);
  EXPECT_EQ(first.stepCode, kStep6250Hz);
  EXPECT_EQ(first.wide, 1);
  EXPECT_EQ(first.highPower, 0);
  const ChannelRecord& second = doc.channels[1];
  EXPECT_DOUBLE_EQ(second.rxFreqMHz, 360.1);
  EXPECT_EQ(second.txFreqMHz, 0.0);
  EXPECT_EQ(second.stepCode, kStep5000Hz);
  EXPECT_EQ(second.wide, 0);
  EXPECT_EQ(second.highPower, 1);
  EXPECT_TRUE(doc.channels[2].isEmpty());

  EXPECT_EQ(doc.txTimeoutEnabled, 1);
  EXPECT_EQ(doc.txTimeoutSec, 120);
  EXPECT_EQ(doc.busyLockoutEnabled, 1);
  EXPECT_EQ(doc.powerSaveEnabled, 1);
  EXPECT_EQ(doc.powerSaveDelayIndex, 3);
  EXPECT_EQ(doc.powerSaveOnMs, 60);
  EXPECT_EQ(doc.powerSaveOffMs, 200);
  EXPECT_EQ(doc.gpsEnabled, 0);
  EXPECT_EQ(doc.modelType, model::kKx600Uhf);
}

TEST(LegacyImportTest, OneHangOnTimeForAllChannels) {
  struct Case {
    std::vector<int> codes;  // channels 1.. ; the rest stay 0
    int timeMs;
    bool differ;
    bool tooLong;
  };
  const Case cases[] = {
      {{0, 2, 0}, 1000, true, false},  // the only non-zero code wins
      {{3, 3, 3}, 1500, true, false},  // the empty channels' 0 differs too
      {std::vector<int>(16, 2), 1000, false, false},
      {{}, 0, false, false},
      {{1, 4}, 2000, true, false},  // the last non-zero code is held
      {{7}, 2000, true, true},
  };
  for (const Case& k : cases) {
    LegacyFile file;
    for (std::size_t e = 0; e < k.codes.size(); ++e)
      file.setHangOn(static_cast<int>(e), k.codes[e]);
    CKX200Doc doc = uhfDocument();
    const Outcome outcome = ImportLegacyBytes(doc, bytesOf(file.text()), false);
    SCOPED_TRACE(outcome.text());
    const std::string text = outcome.text();
    EXPECT_EQ(
        text.find("Hangon time for KX600 UHF can be set \r\nonly one value for all channel") !=
            std::string::npos,
        k.differ);
    EXPECT_EQ(
        text.find("KX600 UHF is supported 180 - 2000 ms for hangon time") != std::string::npos,
        k.tooLong);
    EXPECT_EQ(doc.hangOnTimeMs, k.timeMs);
    EXPECT_EQ(doc.hangOnEnabled, k.timeMs != 0 ? 1 : 0);
  }
}

TEST(LegacyImportTest, WrongBandStillImportsAfterItsMessage) {
  LegacyFile file;
  file.setChannel(0, 38600, 30000);  // VHF: 38600 * 5 kHz - 45.1 MHz = 147.9 MHz
  file.image[114] = 0x00;            // a UHF radio's file
  CKX200Doc doc;
  const Outcome outcome = ImportLegacyBytes(doc, bytesOf(file.text()), true);
  EXPECT_TRUE(outcome.ok);
  ASSERT_FALSE(outcome.messages.empty());
  EXPECT_EQ(outcome.messages.front().text, "Model type is wrong.");
  EXPECT_DOUBLE_EQ(doc.channels[0].rxFreqMHz, 147.9);
  EXPECT_DOUBLE_EQ(doc.channels[0].txFreqMHz, 150.0);
}

TEST(LegacyImportTest, SubBandFollowsTheMajorityAndWarnsOnlyAboutStrays) {
  LegacyFile inside;
  inside.setChannel(0, kUhf440At6250, kTx445At6250);  // 440 and 445: both in U2
  inside.image[144] = 0x01;
  CKX200Doc doc = uhfDocument();
  Outcome outcome = ImportLegacyBytes(doc, bytesOf(inside.text()), false);
  EXPECT_EQ(doc.subBandIndex, 1);
  EXPECT_TRUE(outcome.messages.empty()) << outcome.text();

  LegacyFile stray = inside;
  stray.setChannel(1, 63000, 72000);  // 360.1 MHz and 360 MHz: outside every sub-band
  doc = uhfDocument();
  outcome = ImportLegacyBytes(doc, bytesOf(stray.text()), false);
  EXPECT_EQ(doc.subBandIndex, 1);
  ASSERT_EQ(outcome.messages.size(), 1u);
  EXPECT_EQ(outcome.messages[0].text, "The frequency is out of band.\r\nIt should be in 440 - 480");
}

TEST(LegacyImportTest, EmptyMissingOrTruncatedFilesLeaveTheDocumentAlone) {
  test::TempFolder folder;
  CKX200Doc doc = uhfDocument();
  doc.channels[0].rxFreqMHz = 450.0;
  const CKX200Doc before = doc;

  test::writeText(folder.file("empty.UHF"), "");
  Outcome outcome = doc.ImportLegacyFile(folder.file("empty.UHF"), 0);
  EXPECT_FALSE(outcome.ok);
  EXPECT_EQ(outcome.text(), "This file is corrupted or wrong file type!");
  EXPECT_EQ(doc, before);

  outcome = doc.ImportLegacyFile(folder.file("absent.UHF"), 0);
  EXPECT_FALSE(outcome.ok);
  EXPECT_EQ(outcome.text(), "Cannot Open File!");
  EXPECT_EQ(doc, before);

  // Cut before the step and width bits: refused rather than imported on the wrong step. The
  // last record needs its data (characters 0..6) but not its line end.
  LegacyFile file;
  file.setChannel(0, kUhf440At6250, kTx445At6250);
  file.image[144] = 0x01;
  const std::string whole = file.text();
  for (std::size_t length : {std::size_t{600}, std::size_t{996}}) {
    test::writeText(folder.file("short.UHF"), whole.substr(0, length));
    outcome = doc.ImportLegacyFile(folder.file("short.UHF"), 0);
    EXPECT_EQ(outcome.text(), "This file is corrupted or wrong file type!") << length;
    EXPECT_EQ(doc, before);
  }
  test::writeText(folder.file("short.UHF"), whole.substr(0, 997));
  EXPECT_TRUE(doc.ImportLegacyFile(folder.file("short.UHF"), 0).ok);
  EXPECT_DOUBLE_EQ(doc.channels[0].rxFreqMHz, 440.0);
}

}  // namespace
}  // namespace kx
