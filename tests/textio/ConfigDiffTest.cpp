#include <gtest/gtest.h>

#include "RuleBuiltConfigs.h"
#include "model/ImageCodec.h"
#include "support/Documents.h"
#include "textio/ConfigDiff.h"

namespace kx {
namespace {

TEST(ConfigDiffTest, OneLinePerDifferingValueInTheTechniciansTerms) {
  const CKX200Doc a = test::DocumentOf(model::kKx600Vhf);
  CKX200Doc b = a;
  ChannelRecord& three = b.channels[2];
  three.rxFreqMHz = three.txFreqMHz = 150.25;
  three.rxOption = kOptionCtcss;
  three.rxCtcssHz = 100.0;
  b.scanSpeedMs = 120;
  b.gmsk = 1;
  b.sBandBaudIndex = 1;
  EXPECT_EQ(
      DiffConfigurations(a, b),
      (std::vector<std::string>{
          "channel 3 Rx Freq(MHz): - -> 150.25000", "channel 3 RxOption: - -> 100.0",
          "channel 3 Tx Freq(MHz): - -> 150.25000", "channel 3 TxOption: - -> NO",
          "channel 3 step: - -> 5 kHz", "scan speed: 100 ms -> 120 ms", "modem type: none -> GMSK",
          "S-band baud rate: - -> 9600 bps", "N-band baud rate: - -> 4800 bps"}));
}

TEST(ConfigDiffTest, WhatThePagesDoNotShowDiffersFromNothing) {
  const CKX200Doc a = test::DocumentOf(model::kKx600Uhf);
  CKX200Doc b = a;
  b.channels[0].rxDcsCode = 754;  // the option dialog's memory of an unused kind
  b.txOnDelayMs = 0;              // the modem page shows an empty Tx On delay as 20 ms
  b.hangOnTimeMs = 500;           // the hang timer is off
  b.reservedInt2 = 9;
  EXPECT_TRUE(DiffConfigurations(a, b).empty());
  b.regB8 = 9;
  EXPECT_EQ(DiffConfigurations(a, b), std::vector<std::string>{"radio byte 0x0B8: 4 -> 9"});
}

// kxtool diff of a configuration and its own memory image: the image cannot tell a modem type
// of none from FFSK, nor carry a power-save delay while power save is off.
TEST(ConfigDiffTest, AConfigurationAndItsOwnImageHoldTheSame) {
  for (ModelType type : {model::kKx400Vhf, model::kKx400Uhf, model::kKx600Vhf, model::kKx600Uhf}) {
    for (unsigned seed = 0; seed < 40; ++seed) {
      CKX200Doc doc = seed == 0 ? test::DocumentOf(type) : test::RuleBuiltConfig(type, seed).doc();
      const CKX200Doc original = doc;
      CKX200Doc read;
      ASSERT_TRUE(DecodeImage(read, BuildImage(doc)).ok);
      const auto lines = DiffRadioContents(original, read);
      EXPECT_TRUE(lines.empty()) << "model " << type << " seed " << seed << ": " << lines.front();
    }
  }
}

TEST(ConfigDiffTest, ACorruptedByteShowsAsTheValueItChanged) {
  CKX200Doc doc = test::DocumentOf(model::kKx600Vhf);
  ChannelRecord& one = doc.channels[0];
  one.rxFreqMHz = one.txFreqMHz = 150;
  one.rxOption = kOptionCtcss;
  one.rxCtcssHz = 67.0;
  ChannelRecord& two = doc.channels[1];
  two.rxFreqMHz = two.txFreqMHz = 160;
  two.rxOption = kOptionTwoTone;
  two.toneAHz = 1200;
  const image::Image sent = BuildImage(doc);
  const struct {
    std::size_t address;
    std::uint8_t value;
    std::vector<std::string> lines;
  } cases[] = {
      {image::kScanSpeed, 10, {"scan speed: 100 ms -> 110 ms"}},
      {image::channelRecord(0) + image::channel::kRxTone, 2, {"channel 1 RxOption: 67.0 -> 69.3"}},
      {image::twoToneRecord(1) + image::two_tone::kToneACount,
       0x50,
       {"channel 2 Tone A(Hz): 1200 -> 1197.31"}},
      {image::channelRecord(0) + image::channel::kChecksum,
       0,
       {}},  // the radio checks it, no value
  };
  for (const auto& c : cases) {
    image::Image held = sent;
    held[c.address] = c.value;
    EXPECT_EQ(DiffImages(doc, sent, held), c.lines) << c.address;
  }
}

}  // namespace
}  // namespace kx
