#include <gtest/gtest.h>

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

}  // namespace
}  // namespace kx
