// The edges of every rule: the value on an edge is taken, the one just beyond it is not, and
// what an edit takes at its ends fits the image byte the radio keeps it in.
#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>

#include "model/BandTable.h"
#include "model/FormatText.h"
#include "model/ImageCodec.h"
#include "model/ModelTraits.h"
#include "model/TwoToneCodec.h"
#include "rules/ChannelFrequency.h"
#include "rules/ChannelPage.h"
#include "rules/ModemPage.h"
#include "rules/SystemPage.h"
#include "rules/TwoTone.h"
#include "support/Documents.h"

namespace kx {
namespace {

constexpr double kBeyondMHz = 0.0125;  // one 12.5 kHz channel past an edge

std::string mhzText(double mhz) {
  return FormatText("%.5f", mhz);
}

TEST(RuleEdgeTest, EverySubBandTakesItsEdgesAndRefusesTheChannelBeyond) {
  int subBands = 0;
  for (const ModelType type : model::kAllTypes) {
    for (int s = 0; s < GetBand(type).subBandCount; ++s, ++subBands) {
      CKX200Doc doc = test::DocumentOf(type);
      doc.ChangeSubBand(s);
      const BandLimits limits = LimitsOf(doc);
      const struct {
        double rx, tx;
        bool refused;
      } cases[] = {
          {limits.lowMHz, limits.highMHz, false},
          {limits.highMHz, limits.lowMHz, false},
          {limits.lowMHz - kBeyondMHz, limits.lowMHz, true},
          {limits.highMHz + kBeyondMHz, limits.highMHz, true},
      };
      for (const auto& c : cases) {
        SCOPED_TRACE("model " + std::to_string(type) + " sub-band " + std::to_string(s) + " rx " +
                     mhzText(c.rx) + " tx " + mhzText(c.tx));
        const FrequencyEdit rx = ValidateRxFrequency(doc, 0, mhzText(c.rx), "");
        EXPECT_EQ(rx.notice.has_value(), c.refused);
        EXPECT_DOUBLE_EQ(rx.rxMHz, c.refused ? rx.rxMHz : c.rx);
        // The same value typed as the transmit frequency of a channel already on the other edge.
        const FrequencyEdit tx = ValidateTxFrequency(doc, 0, mhzText(c.tx), mhzText(c.rx));
        EXPECT_EQ(tx.notice.has_value(), c.refused);
        EXPECT_DOUBLE_EQ(tx.txMHz, c.refused ? tx.txMHz : c.rx);
      }
    }
  }
  EXPECT_GE(subBands, 4);
}

// Each edit as a function from the typed text to what it stores, nothing when refused.
using EditRule = std::function<std::optional<double>(std::string_view)>;

template <typename Edit>
std::optional<double> storedBy(const Edit& e) {
  if (e.notice) return std::nullopt;
  return e.value;
}

std::optional<double> modemDelay(ModemDelay delay, std::string_view text) {
  CKX200Doc doc = test::DocumentOf(model::kKx600Uhf);
  return storedBy(ValidateModemDelay(doc, delay, text));
}

const EditRule kRxOffTime = [](std::string_view t) { return storedBy(ValidateRxOffTime(t)); };
const EditRule kRxOnTime = [](std::string_view t) { return storedBy(ValidateRxOnTime(t)); };
const EditRule kScanSpeed = [](std::string_view t) { return storedBy(ValidateScanSpeed(t)); };
const EditRule kGpsTime = [](std::string_view t) { return storedBy(ValidateGpsDataTime(t, 5)); };
const EditRule kGpsDelay = [](std::string_view t) { return storedBy(ValidateGpsDataDelay(t, 50)); };
const EditRule kToneHz = [](std::string_view t) -> std::optional<double> {
  return ValidateToneFrequency(t, 300).value;
};
const EditRule kToneMs = [](std::string_view t) -> std::optional<double> {
  return ValidateToneDuration(t, 300).value;
};
const EditRule kTxOffDelay = [](std::string_view t) { return modemDelay(ModemDelay::kTxOff, t); };
const EditRule kTxOnDelay = [](std::string_view t) { return modemDelay(ModemDelay::kTxOn, t); };
const EditRule kRxOnDelay = [](std::string_view t) { return modemDelay(ModemDelay::kRxOn, t); };

TEST(RuleEdgeTest, EveryEditTakesItsEndsAndRefusesBeyondThem) {
  // Per edit: the lowest text taken and what it stores, the text just below it; the highest
  // text taken and what it stores, the text just above it.
  const struct {
    const char* edit;
    const EditRule& rule;
    const char* low;
    double lowStored;
    const char* below;
    const char* high;
    double highStored;
    const char* above;
  } cases[] = {
      {"Rx Off Time", kRxOffTime, "20", 20, "19", "409", 400, "410"},
      {"Rx On Time", kRxOnTime, "20", 30, "19", "279", 270, "280"},
      {"Scan Speed", kScanSpeed, "50", 50, "49", "2009", 2000, "2010"},
      {"GPS time", kGpsTime, "1", 1, "0", "10", 10, "11"},
      {"GPS delay", kGpsDelay, "50", 50, "49", "309", 300, "310"},
      {"Tone Hz", kToneHz, "300", 300, "299.99", "3000", 3000, "3000.01"},
      {"Tone ms", kToneMs, "100", 100, "99", "10009", 10000, "10010"},
      {"Tx Off Delay", kTxOffDelay, "0", 0, "-1", "16", 16, "17"},
      {"Tx On Delay", kTxOnDelay, "0", 0, "-1", "254", 254, "255"},
      {"Rx On Delay", kRxOnDelay, "0", 0, "-1", "126", 126, "127"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.edit);
    EXPECT_EQ(c.rule(c.low), c.lowStored) << c.low;
    EXPECT_EQ(c.rule(c.below), std::nullopt) << c.below;
    EXPECT_EQ(c.rule(c.high), c.highStored) << c.high;
    EXPECT_EQ(c.rule(c.above), std::nullopt) << c.above;
  }
}

// What each edit takes at its ends comes back from the image unchanged: the rule's range never
// asks more of a field than its bits hold.
TEST(RuleEdgeTest, EachEditsEndsSurviveTheImage) {
  using Field = std::int32_t CKX200Doc::*;
  const struct {
    Field field;
    int low, high;
  } fields[] = {
      {&CKX200Doc::powerSaveOnMs, 20, 400},   {&CKX200Doc::powerSaveOffMs, 30, 270},
      {&CKX200Doc::scanSpeedMs, 50, 2000},    {&CKX200Doc::gpsDataTimeSec, 1, 10},
      {&CKX200Doc::gpsDataDelaySec, 50, 300}, {&CKX200Doc::txOffDelayMs, 0, 16},
      {&CKX200Doc::txOnDelayMs, 0, 254},      {&CKX200Doc::rxOnDelayMs, 0, 126},
  };
  for (const bool top : {false, true}) {
    CKX200Doc doc = test::DocumentOf(model::kKx600Uhf);
    doc.powerSaveEnabled = 1;
    doc.gpsEnabled = 1;
    for (const auto& f : fields)
      doc.*f.field = top ? f.high : f.low;
    CKX200Doc read = test::DocumentOf(model::kKx600Uhf);
    const image::Image img = BuildImage(doc);
    ASSERT_TRUE(DecodeImage(read, img).ok);
    for (const auto& f : fields)
      EXPECT_EQ(read.*f.field, doc.*f.field)
          << (top ? "top " : "bottom ") << f.low << ".." << f.high;
  }
}

// The two-tone duration is a 16-bit count of 2.048 ms ticks: the longest count is kept for every
// duration beyond it, never wrapped to a short one.
TEST(RuleEdgeTest, TwoToneDurationCountStopsAtItsLargestValue) {
  const auto ticks = [](double ms) { return two_tone::EncodeTone(1000, ms, false).durationCount; };
  double edge = 0;  // the shortest duration that fills the count
  for (double ms = 130000; ms < 140000 && edge == 0; ms += 0.5)
    if (ticks(ms) == 65535) edge = ms;
  ASSERT_GT(edge, 0);
  EXPECT_EQ(ticks(edge - 0.5), 65534);
  for (const double ms : {edge + 2.048, edge + 4.096, 1e6, 1e300})
    EXPECT_EQ(ticks(ms), 65535) << ms;
}

}  // namespace
}  // namespace kx
