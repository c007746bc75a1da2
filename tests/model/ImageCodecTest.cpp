#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "model/ByteOrder.h"
#include "model/ConfigFile.h"
#include "model/ImageCodec.h"
#include "model/KX200Doc.h"
#include "model/MemoryMap.h"
#include "model/ModelTraits.h"
#include "model/ToneTables.h"
#include "model/TwoToneCodec.h"
#include "support/Documents.h"

namespace kx {
namespace {

std::array<std::uint8_t, 9> recordOf(const image::Image& img, int index) {
  std::array<std::uint8_t, 9> record{};
  std::copy_n(img.begin() + static_cast<long>(image::channelRecord(index)), 9, record.begin());
  return record;
}

// The document back from its own image, starting from a fresh document of another model so
// that nothing survives by accident.
CKX200Doc roundTrip(CKX200Doc& doc) {
  const image::Image img = BuildImage(doc);
  CKX200Doc decoded =
      test::DocumentOf(doc.modelType == model::kKx400Vhf ? model::kKx600Uhf : model::kKx400Vhf);
  EXPECT_TRUE(DecodeImage(decoded, img).ok);
  return decoded;
}

TEST(MemoryMapTest, BitsAndFieldsAreSetAndClearedInPlace) {
  image::Image img{};
  img[0xB2] = 0xFF;
  image::set(img, image::kUhfKx400Family, false);  // b3
  EXPECT_EQ(img[0xB2], 0xF7);
  image::set(img, image::kUhfKx400Family, true);
  EXPECT_EQ(img[0xB2], 0xFF);
  const image::Field low{0xB2, 0, 3};
  image::set(img, low, 2);
  EXPECT_EQ(img[0xB2], 0xFA);  // the field replaced, the rest of the byte kept
}

TEST(ImageCodecChannelTest, UhfChannelAt440MHzHasTheRadiosBytes) {
  CKX200Doc doc = test::DocumentOf(model::kKx400Uhf);
  ChannelRecord& c = doc.channels[0];
  c.rxFreqMHz = c.txFreqMHz = 440.0;
  c.stepCode = kStep6250Hz;
  c.wide = 1;
  const image::Image img = BuildImage(doc);
  const auto record = recordOf(img, 0);
  // (440,000,000 - 45,100,000) / 6250 = 63184: step bits 2, wide, count 0x0F6D0.
  EXPECT_EQ(record[0], 0x83);
  EXPECT_EQ(record[1], 0xDB);
  EXPECT_EQ(record[2], 0x10);
  // Transmit 440,000,000 / 6250 = 70400 = 0x11300, no narrow marker on a wide channel.
  EXPECT_EQ(record[4], 0x04);
  EXPECT_EQ(record[5], 0x4C);
  EXPECT_EQ(record[6], 0x00);
  unsigned sum = 0;
  for (int k = 0; k < 8; ++k)
    sum += record[static_cast<std::size_t>(k)];
  EXPECT_EQ(record[8], 0xFF - sum % 256);

  const CKX200Doc back = roundTrip(doc);
  EXPECT_EQ(back.channels[0].rxFreqMHz, 440.0);
  EXPECT_EQ(back.channels[0].txFreqMHz, 440.0);
  EXPECT_EQ(back.channels[0].stepCode, kStep6250Hz);
  EXPECT_EQ(back.channels[0].wide, 1);
}

TEST(ImageCodecChannelTest, EmptyChannelsWriteNothingButTheirMaskBit) {
  CKX200Doc doc = test::DocumentOf(model::kKx600Vhf);
  doc.channels[1].rxFreqMHz = doc.channels[1].txFreqMHz = 150.0;
  doc.channels[9].rxFreqMHz = doc.channels[9].txFreqMHz = 160.0;
  doc.channels[0].rxOption = kOptionCtcss;  // options of an empty channel are not sent
  const image::Image img = BuildImage(doc);
  for (int i : {0, 2, 15}) {
    for (std::uint8_t b : recordOf(img, i))
      EXPECT_EQ(b, 0) << "channel " << i + 1;
  }
  EXPECT_EQ(img[image::kEmptyMaskLow], 0xFD);
  EXPECT_EQ(img[image::kEmptyMaskHigh], 0xFD);
  EXPECT_EQ(img[0x0A], 0x91);  // first index 1, last index 9

  const CKX200Doc none = test::DocumentOf(model::kKx600Vhf);
  CKX200Doc empty = none;
  EXPECT_EQ(BuildImage(empty)[0x0A], 0);
  CKX200Doc onlyFirst = none;
  onlyFirst.channels[0].rxFreqMHz = 150.0;
  EXPECT_EQ(BuildImage(onlyFirst)[0x0A], 0x00);  // the last-channel search stops at index 1
}

TEST(ImageCodecChannelTest, EveryModelAndStepRoundTrips) {
  struct Case {
    ModelType type;
    double rx, tx;
  };
  const Case cases[] = {{model::kFirstGenVhf, 150.0, 155.0},    {model::kFirstGenUhf, 420.0, 425.0},
                        {model::kKx400Vhf, 146.0, 173.9975},    {model::kKx400Uhf, 400.05, 439.9},
                        {model::kKx600Vhf, 160.0125, 160.0125}, {model::kKx600Uhf, 479.95, 470.0}};
  for (const Case& k : cases) {
    for (int step : {kStep6250Hz, kStep5000Hz, kStep2500Hz, kStep7500Hz}) {
      const bool uhf = Traits(k.type).uhf;
      if ((uhf && step == kStep2500Hz) || (!uhf && step == kStep7500Hz)) continue;
      SCOPED_TRACE(::testing::Message() << "type " << k.type << " step " << step);
      const double stepMHz = step == kStep6250Hz   ? 0.00625
                             : step == kStep5000Hz ? 0.005
                             : step == kStep2500Hz ? 0.0025
                                                   : 0.0075;
      // Frequencies on the step grid of the channel's own counts.
      const double rx = (k.type % 2 ? 45.1 : -45.1) +
                        std::round((k.rx - (k.type % 2 ? 45.1 : -45.1)) / stepMHz) * stepMHz;
      const double tx = std::round(k.tx / stepMHz) * stepMHz;
      CKX200Doc doc = test::DocumentOf(k.type);
      ChannelRecord& c = doc.channels[5];
      c.rxFreqMHz = rx;
      c.txFreqMHz = tx;
      c.stepCode = step;
      c.wide = step % 2;
      c.highPower = 1;
      c.scan = 1;
      c.rxOption = kOptionDcs;
      c.rxDcsCode = 754;
      c.txOption = kOptionCtcss;
      c.txCtcssHz = 69.3;
      const CKX200Doc back = roundTrip(doc);
      const ChannelRecord& b = back.channels[5];
      EXPECT_EQ(back.modelType, k.type);
      EXPECT_NEAR(b.rxFreqMHz, rx, 1e-9);
      EXPECT_NEAR(b.txFreqMHz, tx, 1e-9);
      EXPECT_EQ(b.stepCode, step);
      EXPECT_EQ(b.wide, step % 2);
      // The first generation has no power bit.
      EXPECT_EQ(b.highPower, Traits(k.type).highPowerBit ? 1 : 0);
      EXPECT_EQ(b.scan, 1);
      EXPECT_EQ(b.rxOption, kOptionDcs);
      EXPECT_EQ(b.rxDcsCode, 754);
      EXPECT_EQ(b.txOption, kOptionCtcss);
      EXPECT_EQ(b.txCtcssHz, 69.3);
    }
  }
}

TEST(ImageCodecChannelTest, SevenAndAHalfKilohertzUhfChannelReadsAndWritesLosslessly) {
  // A radio programmed elsewhere on the 7.5 kHz raster.
  CKX200Doc doc = test::DocumentOf(model::kKx600Uhf);
  image::Image img = BuildImage(doc);
  const std::size_t rec = image::channelRecord(3);
  const std::uint32_t rxCount = 52000, txCount = 58000;  // 435.1 MHz receive, 435.0 MHz transmit
  img[rec + 0] = static_cast<std::uint8_t>(0xC0 | (rxCount >> 14));
  img[rec + 1] = static_cast<std::uint8_t>((rxCount >> 6) & 0xFF);
  img[rec + 2] = rxCount & 0x3F;
  img[rec + 4] = static_cast<std::uint8_t>(0x00 | (txCount >> 14));
  img[rec + 5] = static_cast<std::uint8_t>((txCount >> 6) & 0xFF);
  img[rec + 6] = txCount & 0x3F;
  unsigned sum = 0;
  for (int k = 0; k < 8; ++k)
    sum += img[rec + static_cast<std::size_t>(k)];
  img[rec + 8] = static_cast<std::uint8_t>(0xFF - sum % 256);

  ASSERT_TRUE(DecodeImage(doc, img).ok);
  EXPECT_EQ(doc.channels[3].stepCode, kStep7500Hz);
  EXPECT_DOUBLE_EQ(doc.channels[3].rxFreqMHz, 435.1);
  EXPECT_DOUBLE_EQ(doc.channels[3].txFreqMHz, 435.0);

  const image::Image again = BuildImage(doc);
  for (std::size_t k = 0; k < 9; ++k)
    EXPECT_EQ(again[rec + k], img[rec + k]) << k;
}

TEST(ImageCodecChannelTest, StepsTheBandCannotSendUseItsFinestStep) {
  // 2.5 kHz divides every 7.5 kHz VHF channel exactly.
  CKX200Doc vhf = test::DocumentOf(model::kKx400Vhf);
  vhf.channels[0].rxFreqMHz = vhf.channels[0].txFreqMHz = 150.0075;
  vhf.channels[0].stepCode = kStep7500Hz;
  const CKX200Doc vhfBack = roundTrip(vhf);
  EXPECT_EQ(vhfBack.channels[0].stepCode, kStep2500Hz);
  EXPECT_DOUBLE_EQ(vhfBack.channels[0].rxFreqMHz, 150.0075);
  EXPECT_DOUBLE_EQ(vhfBack.channels[0].txFreqMHz, 150.0075);

  CKX200Doc uhf = test::DocumentOf(model::kKx400Uhf);
  uhf.channels[0].rxFreqMHz = uhf.channels[0].txFreqMHz = 430.005;
  uhf.channels[0].stepCode = 9;  // not a step at all
  const CKX200Doc uhfBack = roundTrip(uhf);
  EXPECT_EQ(uhfBack.channels[0].stepCode, kStep5000Hz);
  EXPECT_DOUBLE_EQ(uhfBack.channels[0].txFreqMHz, 430.005);
}

TEST(ImageCodecChannelTest, UnlistedStepBitsKeepTheStepCodeAndTakeTheCountAsHertz) {
  CKX200Doc doc = test::DocumentOf(model::kKx400Uhf);
  doc.channels[0].stepCode = kStep6250Hz;
  image::Image img = BuildImage(doc);
  const std::size_t rec = image::channelRecord(0);
  img[rec + 0] = 0x01;  // UHF step bits 0 do not exist
  img[rec + 1] = 0x00;
  img[rec + 2] = 0x05;
  ASSERT_TRUE(DecodeImage(doc, img).ok);
  EXPECT_EQ(doc.channels[0].stepCode, kStep6250Hz);
  EXPECT_DOUBLE_EQ(doc.channels[0].rxFreqMHz, (16384 + 5 + 45'100'000.0) / 1e6);
}

TEST(ImageCodecChannelTest, FrequencyJustBelowTheRasterStillLandsOnIt) {
  CKX200Doc doc = test::DocumentOf(model::kKx400Uhf);
  doc.channels[0].rxFreqMHz = 440.0 - 1e-10;
  doc.channels[0].txFreqMHz = 440.0 - 1e-10;
  doc.channels[0].stepCode = kStep6250Hz;
  const image::Image img = BuildImage(doc);
  EXPECT_EQ(img[image::channelRecord(0) + 2], 0x10);
}

TEST(ImageCodecChannelTest, OutOfRangeCountsNeverSpillIntoTheFlagBits) {
  CKX200Doc doc = test::DocumentOf(model::kKx400Uhf);
  doc.channels[0].rxFreqMHz = 5000.0;
  doc.channels[0].txFreqMHz = -3.0;
  doc.channels[0].wide = 1;
  const image::Image img = BuildImage(doc);
  const std::size_t rec = image::channelRecord(0);
  EXPECT_EQ(img[rec] & 0xF8, 0x40);  // only the 5 kHz step bits above the count
  EXPECT_EQ(img[rec + 4] & 0xF8, 0x00);
  EXPECT_EQ(img[rec + 4] & 0x07, 0x00);  // a negative frequency sends count 0
}

TEST(ImageCodecToneTest, ToneCodesAndMarkers) {
  CKX200Doc doc = test::DocumentOf(model::kKx400Vhf);
  auto& c = doc.channels[0];
  c.rxFreqMHz = c.txFreqMHz = 150.0;
  c.rxOption = kOptionCtcss;
  c.rxCtcssHz = 67.0;
  c.txOption = kOptionDcs;
  c.txDcsCode = 23;
  auto& d = doc.channels[1];
  d.rxFreqMHz = d.txFreqMHz = 150.0;
  d.rxOption = kOptionDcs;
  d.rxDcsCode = 754;
  d.txOption = kOptionCtcss;
  d.txCtcssHz = 254.1;
  auto& off = doc.channels[2];
  off.rxFreqMHz = off.txFreqMHz = 150.0;
  off.rxOption = kOptionCtcss;
  off.rxCtcssHz = 68.0;  // not a tone of the table
  off.txOption = kOptionDcs;
  off.txDcsCode = 24;  // not a code of the table

  const image::Image img = BuildImage(doc);
  EXPECT_EQ(recordOf(img, 0)[3], 1);
  EXPECT_EQ(recordOf(img, 0)[4] & 0xC0, 0x40);
  EXPECT_EQ(recordOf(img, 0)[7], 50);
  EXPECT_EQ(recordOf(img, 1)[3], 153);
  EXPECT_EQ(recordOf(img, 1)[4] & 0xC0, 0x80);
  EXPECT_EQ(recordOf(img, 1)[7], 49);
  EXPECT_EQ(recordOf(img, 2)[3], 49);
  EXPECT_EQ(recordOf(img, 2)[7], 153);
}

TEST(ImageCodecToneTest, TwoToneBothAt1000HzHasTheRadiosCounts) {
  CKX200Doc doc = test::DocumentOf(model::kKx600Uhf);
  auto& c = doc.channels[2];
  c.rxFreqMHz = c.txFreqMHz = 440.0;
  c.rxOption = kOptionTwoTone;
  c.twoToneSelect = kToneBoth;
  c.toneAHz = c.toneBHz = 1000.0;
  c.toneAMs = c.toneBMs = 300.0;
  const image::Image img = BuildImage(doc);
  EXPECT_EQ(recordOf(img, 2)[3], 156);
  const std::size_t rec = image::twoToneRecord(2);
  EXPECT_EQ(le::getU16(img, rec + 0), 5000);
  EXPECT_EQ(le::getU16(img, rec + 2), 121);
  EXPECT_EQ(le::getU16(img, rec + 4), 5000);
  EXPECT_EQ(le::getU16(img, rec + 6), 121);
  EXPECT_EQ(img[rec + 8], 5);
  EXPECT_EQ(img[rec + 9], 5);
  EXPECT_EQ(img[image::toneATolerance(2)], 0xB5);
  EXPECT_EQ(img[image::toneATolerance(2) + 1], 0xA9);
  EXPECT_EQ(img[image::toneBTolerance(2)], 0xB5);

  const CKX200Doc back = roundTrip(doc);
  EXPECT_EQ(back.channels[2].rxOption, kOptionTwoTone);
  EXPECT_EQ(back.channels[2].twoToneSelect, kToneBoth);
  EXPECT_EQ(back.channels[2].toneAHz, 1000.0);
  EXPECT_EQ(back.channels[2].toneBMs, 300.0);
}

TEST(ImageCodecToneTest, TwoToneIsNotAKx400Signalling) {
  CKX200Doc doc = test::DocumentOf(model::kKx400Uhf);
  auto& c = doc.channels[0];
  c.rxFreqMHz = c.txFreqMHz = 440.0;
  c.rxOption = kOptionTwoTone;
  const image::Image img = BuildImage(doc);
  EXPECT_EQ(recordOf(img, 0)[3], 0);
  for (std::size_t a = image::kTwoToneBase; a < image::kSize; ++a)
    EXPECT_EQ(img[a], 0);

  // A KX400 image with a two-tone code leaves the receive option as it was.
  image::Image patched = img;
  patched[image::channelRecord(0) + 3] = 156;
  CKX200Doc decoded = test::DocumentOf(model::kKx400Uhf);
  decoded.channels[0].rxOption = kOptionDcs;
  ASSERT_TRUE(DecodeImage(decoded, patched).ok);
  EXPECT_EQ(decoded.channels[0].rxOption, kOptionDcs);
}

TEST(TwoToneCodecTest, CycleBandsAndTheirOverlaps) {
  EXPECT_EQ(two_tone::CycleNumber(300), 1);
  EXPECT_EQ(two_tone::CycleNumber(399.5), 1);  // in both 299..400 and 399..600: lower wins
  EXPECT_EQ(two_tone::CycleNumber(400), 2);
  EXPECT_EQ(two_tone::CycleNumber(1000), 5);
  EXPECT_EQ(two_tone::CycleNumber(1349.5), 5);
  EXPECT_EQ(two_tone::CycleNumber(2400.5), 11);
  EXPECT_EQ(two_tone::CycleNumber(2401), 13);
  EXPECT_EQ(two_tone::CycleNumber(2900), 15);
  EXPECT_EQ(two_tone::CycleNumber(3000), 16);
  EXPECT_EQ(two_tone::RoundHundredths(1.6908), 169);
  EXPECT_EQ(two_tone::RoundHundredths(1.815), 182);
  EXPECT_EQ(two_tone::RoundHundredths(1.8149), 181);
}

TEST(TwoToneCodecTest, TonesOutsideTheDecoderRangeAreBroughtToItsEdge) {
  const auto low = two_tone::EncodeTone(120.0, 300.0, false);
  const auto edge = two_tone::EncodeTone(300.0, 300.0, false);
  EXPECT_EQ(low.cycles, 1);
  EXPECT_EQ(low.count, edge.count);
  const auto high = two_tone::EncodeTone(5000.0, 300.0, false);
  EXPECT_EQ(high.cycles, 16);
  // The count is whole microseconds, so 3000 Hz comes back as the radio hears it.
  EXPECT_NEAR(two_tone::DecodeToneHz(high.cycles, high.count), 3000.0, 0.5);
  // A duration too short for the decoder's latency is sent as 0, not as a wrapped count.
  EXPECT_EQ(two_tone::EncodeTone(1000.0, 10.0, true).durationCount, 0);
}

TEST(TwoToneCodecTest, DecodeLimits) {
  EXPECT_EQ(two_tone::DecodeToneHz(5, 0), 300.0);      // no tone programmed
  EXPECT_EQ(two_tone::DecodeToneHz(1, 60000), 300.0);  // 16.66 Hz raised to the floor
  EXPECT_EQ(two_tone::DecodeToneHz(5, 4999), 1000.2);
  EXPECT_EQ(two_tone::DecodeDurationMs(0, false), 100.0);
  EXPECT_EQ(two_tone::DecodeDurationMs(121, true), 300.0);
  EXPECT_EQ(two_tone::DecodeDurationMs(126, false), 300.0);
}

// A read followed by a write sends the radio the very counts it held: every tone the decoder
// range holds (to the hundredth of a hertz, finer than a count), every duration count, and the
// editors' 10 Hz and 10 ms values come back as typed.
TEST(TwoToneCodecTest, EveryStoredToneAndDurationReadsBackToTheSameCounts) {
  int toneMisses = 0, gridMisses = 0;
  for (int hundredths = 30'000; hundredths <= 300'000; ++hundredths) {
    const double hz = hundredths / 100.0;
    const auto sent = two_tone::EncodeTone(hz, 300, false);
    const double read = two_tone::DecodeToneHz(sent);
    const auto again = two_tone::EncodeTone(read, 300, false);
    toneMisses += again.cycles != sent.cycles || again.count != sent.count ||
                  again.lowerTolerance != sent.lowerTolerance ||
                  again.upperTolerance != sent.upperTolerance;
    gridMisses += hundredths % 1000 == 0 && read != hz;
  }
  EXPECT_EQ(toneMisses, 0);
  EXPECT_EQ(gridMisses, 0);

  int durationMisses = 0;
  for (bool both : {false, true}) {
    const int shortest = two_tone::EncodeTone(1000, 100, both).durationCount;
    for (int count = shortest; count <= 65535; ++count) {
      const double ms = two_tone::DecodeDurationMs(static_cast<std::uint16_t>(count), both);
      durationMisses += two_tone::EncodeTone(1000, ms, both).durationCount != count;
    }
    for (int ms = 100; ms <= 10000; ms += 10) {
      const auto sent = two_tone::EncodeTone(1000, ms, both);
      durationMisses += two_tone::DecodeDurationMs(sent.durationCount, both) != ms;
    }
  }
  EXPECT_EQ(durationMisses, 0);
}

TEST(ImageCodecSystemTest, OptionsRoundTripThroughTheirBytes) {
  CKX200Doc doc = test::DocumentOf(model::kKx600Vhf);
  doc.squelchBusyPortCheck = 1;
  doc.hangOnEnabled = 1;
  doc.hangOnTimeMs = 1000;
  doc.txTimeoutEnabled = 1;
  doc.txTimeoutSec = 120;
  doc.txDelayEnabled = 1;
  doc.busyLockoutEnabled = 1;
  doc.txMatchedSatEnabled = 1;
  doc.gpsEnabled = 1;
  doc.gpsCycleIndex = 23;
  doc.gpsDataTimeSec = 10;
  doc.gpsDataDelaySec = 300;
  doc.scanDelayIndex = 14;
  doc.scanSpeedMs = 2000;
  doc.powerSaveEnabled = 1;
  doc.powerSaveDelayIndex = 7;
  doc.powerSaveOnMs = 170;
  doc.powerSaveOffMs = 330;
  doc.beepOnHangOn = 1;
  doc.externalModulation = 1;
  doc.txOnDelayMs = 254;
  doc.txOffDelayMs = 16;
  doc.rxOnDelayMs = 126;
  doc.preambleSizeIndex = 15;
  doc.baseBlockSizeIndex = 5;
  doc.baseBlockEnabled = 1;
  doc.afskBell202 = 1;
  doc.startBitErrors = 3;
  doc.waitForBusyIndex = 15;
  doc.txDelay1Index = 15;
  doc.txDelay2Index = 5;
  doc.flowControl = 2;
  doc.initDataForHt = 1;
  doc.squelchEnabled = 0;
  doc.txToneForDataInput = 1;
  doc.subBandIndex = 0;

  const image::Image img = BuildImage(doc);
  EXPECT_EQ(img[0x00], 0xFE);  // every flag but "some channel scans"
  EXPECT_EQ(img[0x01], 12);
  EXPECT_EQ(img[0x04], 0xFA);  // delay 15, const, VHF, GPS
  EXPECT_EQ(img[0x06], 0xFF);
  EXPECT_EQ(img[0x11], 82);
  EXPECT_EQ(img[0xB5], 0xE6);  // base block, constants, squelch disabled, KX600
  EXPECT_EQ(img[0xB7], 0xFF);
  EXPECT_EQ(img[0xBF], 0x05);

  const CKX200Doc back = roundTrip(doc);
  EXPECT_EQ(back.initDataForHt, 4);  // the bit comes back unshifted
  EXPECT_EQ(back.squelchBusyPortCheck, 1);
  EXPECT_EQ(back.hangOnTimeMs, 1000);
  EXPECT_EQ(back.txTimeoutSec, 120);
  EXPECT_EQ(back.gpsEnabled, 1);
  EXPECT_EQ(back.gpsCycleIndex, 23);
  EXPECT_EQ(back.gpsDataDelaySec, 300);
  EXPECT_EQ(back.scanDelayIndex, 14);
  EXPECT_EQ(back.scanSpeedMs, 2000);
  EXPECT_EQ(back.powerSaveDelayIndex, 7);
  EXPECT_EQ(back.powerSaveOnMs, 170);
  EXPECT_EQ(back.powerSaveOffMs, 330);
  EXPECT_EQ(back.beepOnHangOn, 1);
  EXPECT_EQ(back.externalModulation, 1);
  EXPECT_EQ(back.txOnDelayMs, 254);
  EXPECT_EQ(back.rxOnDelayMs, 126);
  EXPECT_EQ(back.preambleSizeIndex, 15);
  EXPECT_EQ(back.baseBlockSizeIndex, 5);
  EXPECT_EQ(back.baseBlockEnabled, 1);
  EXPECT_EQ(back.afskBell202, 1);
  EXPECT_EQ(back.startBitErrors, 3);
  EXPECT_EQ(back.waitForBusyIndex, 15);
  EXPECT_EQ(back.txDelay1Index, 15);
  EXPECT_EQ(back.txDelay2Index, 5);
  EXPECT_EQ(back.flowControl, 2);
  EXPECT_EQ(back.squelchEnabled, 0);
  EXPECT_EQ(back.txToneForDataInput, 1);
  EXPECT_EQ(back.reg0B, doc.reg0B);
  EXPECT_EQ(back.regB6, 33 | 0x20);
}

TEST(ImageCodecSystemTest, PowerSaveOffWritesNothingButTheOnTime) {
  CKX200Doc doc = test::DocumentOf(model::kKx400Vhf);
  doc.powerSaveEnabled = 0;
  doc.powerSaveDelayIndex = 7;
  EXPECT_EQ(BuildImage(doc)[0x06], 0);
  EXPECT_EQ(BuildImage(doc)[0x07], 18);
  doc.powerSaveOnMs = 0;
  EXPECT_EQ(BuildImage(doc)[0x07], 0);
}

// A .dat file may hold any 32-bit value in any field; the encoder's arithmetic (offsets and
// units of the timing bytes, indexes counted from 1) stays defined for all of them, which the
// sanitizer builds check.
TEST(ImageCodecSystemTest, ExtremeValuesFromAFileEncode) {
  for (const std::int32_t word :
       {std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()}) {
    std::vector<std::uint8_t> file(config_file::kSize);
    for (std::size_t at = 0; at + 4 <= file.size(); at += 4)
      le::putI32(file, at, word);
    le::putI32(file, 0, model::kKx600Uhf);
    CKX200Doc doc;
    ASSERT_TRUE(DecodeConfigFile(doc, file).ok);
    ASSERT_EQ(doc.scanSpeedMs, word);
    const image::Image img = BuildImage(doc);
    EXPECT_EQ(img[image::kConstB4], 0x40);  // the constant bytes are written all the same
  }
}

TEST(ImageCodecSystemTest, ScanBitsAndTheAnyChannelScansFlag) {
  CKX200Doc doc = test::DocumentOf(model::kKx400Vhf);
  EXPECT_EQ(BuildImage(doc)[0x00] & 1, 0);
  doc.channels[0].scan = 1;
  doc.channels[15].scan = 1;
  const image::Image img = BuildImage(doc);
  EXPECT_EQ(img[0x00] & 1, 1);
  EXPECT_EQ(img[0x02], 0x01);
  EXPECT_EQ(img[0x03], 0x80);
}

struct ModemCase {
  int gmsk, ffsk, afsk, s, n;
  std::uint8_t code;
};

TEST(ImageCodecModemTest, BaudCodesBothWays) {
  const ModemCase cases[] = {
      {1, 0, 0, 0, 0, 0}, {1, 0, 0, 1, 0, 4}, {0, 1, 0, 0, 0, 0},
      {0, 1, 0, 0, 1, 1}, {0, 1, 0, 1, 0, 4}, {0, 1, 0, 1, 1, 5},
      {0, 1, 0, 2, 0, 8}, {0, 1, 0, 2, 1, 9}, {0, 0, 1, 0, 0, 0},
  };
  for (const ModemCase& k : cases) {
    SCOPED_TRACE(::testing::Message() << k.gmsk << k.ffsk << k.afsk << " " << k.s << k.n);
    CKX200Doc doc = test::DocumentOf(model::kKx600Uhf);
    doc.gmsk = k.gmsk;
    doc.ffsk = k.ffsk;
    doc.afsk = k.afsk;
    doc.modemEnabled = 1;
    doc.sBandBaudIndex = k.s;
    doc.nBandBaudIndex = k.n;
    const image::Image img = BuildImage(doc);
    EXPECT_EQ(img[0x13] & 0x0F, k.code);
    const CKX200Doc back = roundTrip(doc);
    EXPECT_EQ(back.gmsk, k.gmsk);
    EXPECT_EQ(back.ffsk, k.ffsk);
    EXPECT_EQ(back.afsk, k.afsk);
    EXPECT_EQ(back.sBandBaudIndex, k.s);
    EXPECT_EQ(back.nBandBaudIndex, k.n);
  }
}

TEST(ImageCodecModemTest, ModeNormalisationAndDisabledModem) {
  CKX200Doc doc = test::DocumentOf(model::kKx600Uhf);
  doc.ffsk = 1;
  doc.modemEnabled = 0;
  doc.sBandBaudIndex = 2;
  doc.modemMode = 7;
  const image::Image img = BuildImage(doc);
  EXPECT_EQ(doc.modemMode, 2);     // anything but dumb mode is auto mode
  EXPECT_EQ(img[0x13] & 0x2F, 0);  // no dumb-mode bit, no baud code while disabled

  // With no modem type bit set the radio is an FFSK radio; a disabled modem keeps the indices.
  CKX200Doc decoded = test::DocumentOf(model::kKx600Uhf);
  decoded.sBandBaudIndex = 1;
  ASSERT_TRUE(DecodeImage(decoded, img).ok);
  EXPECT_EQ(decoded.ffsk, 1);
  EXPECT_EQ(decoded.modemMode, 2);
  EXPECT_EQ(decoded.sBandBaudIndex, 1);
}

TEST(ImageCodecModelTest, ModelNibbleZeroIsAKx400Uhf) {
  CKX200Doc doc = test::DocumentOf(model::kKx400Vhf);
  image::Image img = BuildImage(doc);
  img[0xBF] = 0x10;
  ASSERT_TRUE(DecodeImage(doc, img).ok);
  EXPECT_EQ(doc.modelType, model::kKx400Uhf);
  EXPECT_EQ(doc.subBandIndex, 1);
}

TEST(ImageCodecModelTest, UnknownModelOrSizeIsRefusedAndNothingChanges) {
  CKX200Doc source = test::DocumentOf(model::kKx600Vhf);
  source.channels[0].rxFreqMHz = source.channels[0].txFreqMHz = 150.0;
  image::Image img = BuildImage(source);
  const CKX200Doc before = test::DocumentOf(model::kKx400Uhf);
  for (std::uint8_t nibble : {7, 8, 15}) {
    img[0xBF] = nibble;
    CKX200Doc doc = before;
    const Outcome outcome = DecodeImage(doc, img);
    EXPECT_FALSE(outcome.ok);
    EXPECT_EQ(outcome.text(), "Unknown model type in the radio memory!");
    EXPECT_EQ(doc, before);
  }
  CKX200Doc doc = before;
  EXPECT_FALSE(DecodeImage(doc, std::span(img).first(415)).ok);
  EXPECT_EQ(doc, before);
}

TEST(ImageCodecModelTest, EncodeKeepsTheShownImageAndClearsTheReceivedOne) {
  CKX200Doc doc = test::DocumentOf(model::kKx400Uhf);
  RadioMemory memory;
  memory.working.fill(0x11);
  memory.received.fill(0x22);
  ASSERT_TRUE(EncodeImage(doc, memory));
  EXPECT_EQ(memory.shown[0], 0x11);
  EXPECT_EQ(memory.received, image::Image{});
  EXPECT_EQ(memory.working, BuildImage(doc));
}

TEST(ImageCodecModelTest, DecodedRadioHeldBytesGoBackUnchanged) {
  CKX200Doc doc = test::DocumentOf(model::kKx600Uhf);
  image::Image img = BuildImage(doc);
  img[0x0E] = 0x41;
  img[0x0F] = 0x42;
  img[0x10] = 3;
  img[0x12] = 0x80 | 0x33;
  img[0x1A] = 1;
  img[0x1D] = 0x99;
  img[0xB8] = 9;
  ASSERT_TRUE(DecodeImage(doc, img).ok);
  const image::Image again = BuildImage(doc);
  for (std::size_t a : {0x0Eu, 0x0Fu, 0x10u, 0x12u, 0x1Au, 0x1Du, 0xB8u}) {
    EXPECT_EQ(again[a], img[a]) << std::hex << a;
  }
}

}  // namespace
}  // namespace kx
