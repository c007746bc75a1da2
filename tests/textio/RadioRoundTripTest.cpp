#include <gtest/gtest.h>

#include <random>

#include "RuleBuiltConfigs.h"
#include "model/ImageCodec.h"
#include "support/Documents.h"
#include "textio/CsvChannels.h"
#include "textio/YamlConfig.h"

namespace kx {
namespace {

constexpr ModelType kSelectable[] = {model::kKx400Vhf, model::kKx400Uhf, model::kKx600Vhf,
                                     model::kKx600Uhf};

// The first address where two images differ, or -1.
int firstDifference(const image::Image& a, const image::Image& b) {
  for (std::size_t i = 0; i < a.size(); ++i)
    if (a[i] != b[i]) return static_cast<int>(i);
  return -1;
}

// The configuration a read of a radio holding this image gives.
CKX200Doc readFrom(const image::Image& img) {
  CKX200Doc doc;
  EXPECT_TRUE(DecodeImage(doc, img).ok);
  return doc;
}

// Radios programmed on the pages, then read, exported, imported and written again: each gets the
// very image it held, through YAML and, for the channel table, CSV.
TEST(RadioRoundTripTest, ReadExportImportWriteSendsTheImageTheRadioHeld) {
  for (ModelType type : kSelectable) {
    for (unsigned seed = 0; seed < 40; ++seed) {
      CKX200Doc built = test::RuleBuiltConfig(type, seed).doc();
      const image::Image radio = BuildImage(built);
      const CKX200Doc read = readFrom(radio);
      CKX200Doc again = read;
      ASSERT_EQ(firstDifference(BuildImage(again), radio), -1)
          << "model " << type << " seed " << seed;

      const std::string yaml = ExportConfigYaml(read);
      CKX200Doc fromYaml = read;
      const Outcome y = ImportConfigYaml(fromYaml, yaml, "c.yaml");
      EXPECT_EQ(y.text(), "") << yaml;
      EXPECT_EQ(firstDifference(BuildImage(fromYaml), radio), -1)
          << "model " << type << " seed " << seed << '\n'
          << yaml;

      const std::string csv = ExportChannelsCsv(read);
      CKX200Doc fromCsv = read;
      const Outcome c = ImportChannelsCsv(fromCsv, csv, "c.csv");
      EXPECT_EQ(c.text(), "") << csv;
      EXPECT_EQ(firstDifference(BuildImage(fromCsv), radio), -1)
          << "model " << type << " seed " << seed << '\n'
          << csv;
    }
  }
}

// Random bytes where a radio keeps its own values; its channels on a step the band knows and
// with the counts of a frequency in the VHF or UHF range (the top count bits never 0).
image::Image radioMemory(std::mt19937& rng, int modelCode) {
  std::uniform_int_distribution<int> byte(0, 255);
  image::Image img{};
  for (auto& b : img)
    b = static_cast<std::uint8_t>(byte(rng));
  img[image::kModelCode.address] = static_cast<std::uint8_t>((img[0xBF] & 0xF0) | modelCode);
  const bool uhf = (modelCode - 1) % 2 == 1;
  for (int i = 0; i < kChannelCount; ++i) {
    namespace ch = image::channel;
    const std::size_t at = image::channelRecord(i);
    if (byte(rng) < 40) {
      img[at + ch::kRxHigh] = img[at + ch::kRxMid] = 0;  // empty
      continue;
    }
    const int stepBits = (uhf ? 1 : 0) + byte(rng) % 3;
    for (std::size_t high : {at + ch::kRxHigh, at + ch::kTxHigh}) {
      img[high] = static_cast<std::uint8_t>((img[high] & ~ch::kCountTopBits) | (1 + byte(rng) % 7));
    }
    img[at + ch::kRxHigh] =
        static_cast<std::uint8_t>((img[at + ch::kRxHigh] & 0x3F) | (stepBits << ch::kStepShift));
  }
  return img;
}

// Whatever a radio's memory held, the image a write of its read sends reads back to itself.
TEST(RadioRoundTripTest, EveryImageAWriteSendsReadsBackToItself) {
  std::mt19937 rng(23);
  for (int turn = 0; turn < 3000; ++turn) {
    const CKX200Doc first = readFrom(radioMemory(rng, 1 + turn % 6));
    CKX200Doc written = first;
    const image::Image sent = BuildImage(written);
    CKX200Doc second = readFrom(sent);
    const image::Image again = BuildImage(second);
    ASSERT_EQ(firstDifference(again, sent), -1) << "turn " << turn;
  }
}

}  // namespace
}  // namespace kx
