#include <gtest/gtest.h>

#include "ServiceBench.h"
#include "rules/CalibrationConsole.h"

namespace kx::test {
namespace {

using C = CalibrationControl;
namespace code = protocol::code;

struct Bench : ServiceBench<CalibrationConsole> {
  // Opens, then forgets the start-up exchange.
  explicit Bench(Bytes identification = {0xAA, 0x05, 0x21, protocol::modem_byte::kFfsk}) {
    radio.identification = std::move(identification);
    opening = Open();
    radio.frames.clear();
    radio.lines.clear();
  }
  const CalibrationConsole::View& view() const { return console.Shown(); }
  ServiceOpening opening;
};

std::vector<std::string> texts(const std::vector<Notice>& notices) {
  std::vector<std::string> all;
  for (const Notice& n : notices)
    all.push_back(n.text);
  return all;
}

struct IdentityCase {
  Bytes reply;
  int channel;
  int alignment;  // and with it which alignment radio is usable and which tones show
  const char* version;
};

TEST(CalibrationConsoleTest, IdentificationDecidesChannelAndAlignmentModem) {
  const IdentityCase cases[] = {
      {{0xAA, 0x05, 0x21, 0xA2}, 5, kAlignFfsk, "2.1"},
      {{0xAA, 0x0C, 0x13, 0xA1}, 12, kAlignGmsk, "1.3"},
      {{0xAA, 0x10, 0x21, 0xA0}, 16, kAlignNoModem, "2.1"},
      // A channel the radio cannot be on, a modem byte nobody knows.
      {{0xAA, 0x11, 0x21, 0xA7}, 1, kAlignNoModem, "2.1"},
      // Channel 0 goes with the zero bytes of the reply, and the record with it.
      {{0xAA, 0x00, 0x21, 0xA1}, 1, kAlignNoModem, nullptr},
      // Silence, or a record cut short.
      {{}, 1, kAlignNoModem, nullptr},
      {{0xAA, 0x05, 0x21}, 1, kAlignNoModem, nullptr},
  };
  for (const auto& c : cases) {
    Bench bench(c.reply);
    const auto& view = bench.view();
    SCOPED_TRACE(testing::PrintToString(c.reply));
    EXPECT_TRUE(bench.opening.ready);
    EXPECT_EQ(view.channel, c.channel);
    EXPECT_EQ(bench.doc.radioChannel, c.channel);
    EXPECT_EQ(view.alignmentModem, c.alignment);
    EXPECT_EQ(bench.console.Enabled(C::kGmsk), c.alignment == kAlignGmsk);
    EXPECT_EQ(bench.console.Enabled(C::kFfsk), c.alignment == kAlignFfsk);
    EXPECT_EQ(bench.console.Visible(C::kGmskTransmit), c.alignment == kAlignGmsk);
    EXPECT_EQ(bench.console.Visible(C::kMarkTone), c.alignment == kAlignFfsk);
    EXPECT_EQ(bench.opening.version.value_or("none"), c.version ? c.version : "none");
    // Scan Stop, from a new configuration; GPS data waits for GPS power.
    EXPECT_EQ(view.scan, 0);
    EXPECT_FALSE(bench.console.Enabled(C::kGpsDisable));
    EXPECT_FALSE(bench.console.Enabled(C::kGpsRfTransmission));
  }
}

TEST(CalibrationConsoleTest, RefusedStartUpSaysErrorAndStillKeepsTheRecord) {
  Bench refused({0x55, 0xAA, 0x03, 0x21, 0xA1});
  EXPECT_FALSE(refused.opening.ready);
  ASSERT_TRUE(refused.opening.notice);
  EXPECT_EQ(*refused.opening.notice, Notice::stop("Error!"));
  EXPECT_EQ(refused.opening.version, "2.1");
  EXPECT_EQ(refused.doc.radioChannel, 3);

  ServiceBench<CalibrationConsole> noPort;
  noPort.radio.openFails = true;
  const ServiceOpening failed = noPort.Open();
  EXPECT_FALSE(failed.ready);
  EXPECT_TRUE(failed.portFailed);
  EXPECT_EQ(*failed.notice,
            (Notice{"Fail to open PORT3", NoticeKind::kStop, "/dev/ttyS2: Permission denied"}));
}

struct ChannelCase {
  int position;
  std::uint8_t answer;
  Bytes sent;
  int shown;
  std::vector<std::string> messages;
  int scanAfter;
};

TEST(CalibrationConsoleTest, ChannelSetClampsAndExaminesOnlyChannelsNineTwelveFifteen) {
  const ChannelCase cases[] = {
      {0, 0xA1, {0x64, 0x00, 0x64}, 1, {}, kNoSelection},
      {17, 0xA1, {0x64, 0x00, 0x64}, 1, {}, kNoSelection},
      {16, 0x55, {0x64, 0x0F, 0x73}, 16, {}, kNoSelection},
      {9, 0x55, {0x64, 0x08, 0x6C}, 9, {"Invalid serial command transfer!"}, 0},
      {12, 0x65, {0x64, 0x0B, 0x6F}, 12, {"This command is not allowed!"}, 0},
      {15, 0xA1, {0x64, 0x0E, 0x72}, 15, {}, kNoSelection},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.position);
    Bench bench;
    bench.radio.answer = [&c](const Bytes&) { return Bytes{c.answer}; };
    EXPECT_EQ(texts(bench.console.SetChannel(c.position)), c.messages);
    EXPECT_EQ(bench.radio.frames, std::vector<Bytes>{c.sent});
    EXPECT_EQ(bench.view().channel, c.shown);
    EXPECT_EQ(bench.view().scan, c.scanAfter);
  }
}

TEST(CalibrationConsoleTest, TransmitModeRefusesEveryOtherCommandWithItsResets) {
  Bench bench;
  EXPECT_TRUE(bench.console.SetTransmit(true).empty());
  EXPECT_EQ(bench.radio.frames, std::vector<Bytes>{FrameOf(code::kRtxMode, 0x74)});
  EXPECT_EQ(bench.radio.lines, std::vector<std::string>{"DTR+"});
  EXPECT_EQ(bench.console.Caption(C::kRtxMode), "Tx Mode");
  for (C c : {C::kGpsPower, C::kTestData, C::kUpgrade})
    EXPECT_FALSE(bench.console.Enabled(c));
  bench.radio.frames.clear();

  const Notice txMode = Notice::warning("This is Tx Mode");
  EXPECT_EQ(bench.console.SetChannel(3), std::vector{txMode});
  EXPECT_EQ(bench.console.ChooseScan(1), std::vector{txMode});
  EXPECT_EQ(bench.console.ChooseAlignment(kAlignFfsk), std::vector{txMode});
  EXPECT_EQ(bench.console.SetMarkTone(true), std::vector{txMode});
  EXPECT_EQ(bench.console.SetTestData(true), std::vector{txMode});
  EXPECT_EQ(bench.console.ToggleUpgrade(), std::vector{txMode});
  EXPECT_TRUE(bench.radio.frames.empty());
  EXPECT_EQ(bench.view().scan, 0);
  EXPECT_EQ(bench.view().alignmentModem, kNoSelection);
  EXPECT_FALSE(bench.view().markTone || bench.view().testData);

  EXPECT_TRUE(bench.console.SetTransmit(false).empty());
  EXPECT_EQ(bench.radio.frames, std::vector<Bytes>{FrameOf(code::kRtxMode, 0x72)});
  EXPECT_EQ(bench.radio.lines, (std::vector<std::string>{"DTR+", "DTR-"}));
  EXPECT_EQ(bench.console.Caption(C::kRtxMode), "Rx Mode");
  for (C c : {C::kGpsPower, C::kTestData, C::kUpgrade})
    EXPECT_TRUE(bench.console.Enabled(c));
}

TEST(CalibrationConsoleTest, TransmitNotAllowedGoesBackToReceive) {
  Bench bench;
  bench.radio.answer = [](const Bytes&) { return Bytes{0x65}; };
  EXPECT_EQ(bench.console.SetTransmit(true),
            std::vector{Notice::stop("This command is not allowed!")});
  EXPECT_FALSE(bench.view().transmit);
  EXPECT_EQ(bench.console.Caption(C::kRtxMode), "Rx Mode");
  for (C c : {C::kRtxMode, C::kGpsPower, C::kTestData, C::kUpgrade})
    EXPECT_TRUE(bench.console.Enabled(c));
}

struct ToneCase {
  bool markBefore;
  bool space;  // the toggle turned on: space, else mark
  std::vector<Bytes> sent;
};

TEST(CalibrationConsoleTest, MarkAndSpaceExcludeEachOtherAndLockTheConsole) {
  const ToneCase cases[] = {
      {false, false, {{0x7E, 0x00, 0x7E}, {0x7C, 0x01, 0x7D}}},
      {false, true, {{0x7E, 0x01, 0x7F}}},
      {true, true, {{0x7C, 0x00, 0x7C}, {0x7E, 0x01, 0x7F}}},
  };
  for (const auto& c : cases) {
    Bench bench;
    if (c.markBefore) bench.console.SetMarkTone(true);
    bench.radio.frames.clear();
    if (c.space) {
      bench.console.SetSpaceTone(true);
    } else {
      bench.console.SetMarkTone(true);
    }
    EXPECT_EQ(bench.radio.frames, c.sent);
    EXPECT_EQ(bench.view().spaceTone, c.space);
    EXPECT_EQ(bench.view().markTone, !c.space);
    EXPECT_EQ(bench.console.Caption(C::kMarkTone), c.space ? "Mark Disable" : "Mark Enable");
    for (C locked : CalibrationConsole::kLockedByTone)
      EXPECT_FALSE(bench.console.Enabled(locked));
    EXPECT_TRUE(bench.console.Enabled(C::kUpgrade));

    c.space ? bench.console.SetSpaceTone(false) : bench.console.SetMarkTone(false);
    for (C locked : CalibrationConsole::kLockedByTone)
      EXPECT_TRUE(bench.console.Enabled(locked));
  }
}

TEST(CalibrationConsoleTest, AlignmentChoiceKeepsTheModemOfARunningTone) {
  Bench ffsk;
  ffsk.console.SetMarkTone(true);
  EXPECT_EQ(ffsk.console.ChooseAlignment(kAlignGmsk),
            std::vector{Notice::warning("This is FFSK Modem!")});
  EXPECT_EQ(ffsk.view().alignmentModem, kAlignFfsk);

  Bench gmsk({0xAA, 0x01, 0x21, protocol::modem_byte::kGmsk});
  gmsk.console.SetGmskTransmit(true);
  EXPECT_EQ(gmsk.console.ChooseAlignment(kAlignFfsk),
            std::vector{Notice::warning("This is GMSK Modem!")});
  gmsk.console.SetGmskTransmit(false);
  EXPECT_TRUE(gmsk.console.ChooseAlignment(kAlignFfsk).empty());
  EXPECT_TRUE(gmsk.console.Visible(C::kSpaceTone) && !gmsk.console.Visible(C::kGmskTransmit));
  EXPECT_EQ(gmsk.radio.frames.size(), 2u);  // the choices send nothing
}

TEST(CalibrationConsoleTest, UpgradeChangesOnlyWhenTheRadioAnswers) {
  Bench bench;
  bench.radio.answer = [](const Bytes&) { return Bytes{}; };
  EXPECT_TRUE(bench.console.ToggleUpgrade().empty());
  EXPECT_EQ(bench.radio.frames, std::vector<Bytes>{FrameOf(code::kUpgradeTransmit, 1)});
  EXPECT_FALSE(bench.view().upgrade);
  EXPECT_EQ(bench.console.Caption(C::kUpgrade), "Disable");

  bench.radio.answer = [](const Bytes&) { return Bytes{0xA1}; };
  bench.console.ToggleUpgrade();
  EXPECT_TRUE(bench.view().upgrade);
  EXPECT_EQ(bench.console.Caption(C::kUpgrade), "Enable");
  bench.console.ToggleUpgrade();
  EXPECT_FALSE(bench.view().upgrade);
  EXPECT_EQ(bench.radio.lines, (std::vector<std::string>{"DTR+", "DTR+", "DTR-"}));
}

TEST(CalibrationConsoleTest, TestDataHoldsEverythingAndLeavesGpsDataShutAfterwards) {
  Bench bench;
  bench.console.SetGpsPower(true);
  EXPECT_TRUE(bench.console.Enabled(C::kGpsExternalOutput));
  EXPECT_FALSE(bench.console.Enabled(C::kTestData));
  EXPECT_EQ(bench.view().gpsData, 0);

  bench.console.SetTestData(true);
  EXPECT_EQ(bench.console.Caption(C::kTestData), "Enable");
  for (std::size_t i = 0; i < kCalibrationControlCount; ++i)
    EXPECT_EQ(bench.view().enabled[i], static_cast<C>(i) == C::kTestData) << i;

  bench.radio.answer = [](const Bytes&) { return Bytes{0x55}; };
  EXPECT_EQ(texts(bench.console.SetTestData(false)),
            std::vector<std::string>{"Invalid serial command transfer!"});
  EXPECT_TRUE(bench.console.Enabled(C::kGpsPower));
  EXPECT_TRUE(bench.console.Enabled(C::kFfsk));
  EXPECT_FALSE(bench.console.Enabled(C::kGmsk));
  EXPECT_FALSE(bench.console.Enabled(C::kGpsDisable));
  EXPECT_FALSE(bench.console.Enabled(C::kGpsExternalOutput));
  EXPECT_FALSE(bench.console.Enabled(C::kGpsRfTransmission));
}

TEST(CalibrationConsoleTest, CommandsRepeatedUntilAnAnswerGiveUpAfterThreeSeconds) {
  const Notice noAnswer = Notice::stop("The radio did not answer!");
  Bench bench;
  bench.console.SetGpsPower(true);
  bench.console.ChooseGpsData(2);
  // Zero bytes are no answer.
  bench.radio.answer = [](const Bytes&) { return Bytes{0x00, 0x00}; };
  bench.radio.frames.clear();
  bench.radio.pausedMs = 0;

  EXPECT_EQ(bench.console.ChooseGpsData(1), std::vector{noAnswer});
  EXPECT_EQ(bench.view().gpsData, 2);
  EXPECT_EQ(bench.console.Caption(C::kGpsRfTransmission), " RF Transmission Enable");
  EXPECT_EQ(bench.console.SetGpsPower(false), std::vector{noAnswer});
  EXPECT_TRUE(bench.view().gpsPower);
  EXPECT_EQ(bench.console.Caption(C::kGpsPower), "Power Enable");
  EXPECT_FALSE(bench.console.Enabled(C::kTestData));
  EXPECT_LE(bench.radio.pausedMs, 2 * ServiceSession::kRepeatLimitMs);
  EXPECT_GT(bench.radio.frames.size(), 10u);
}

}  // namespace
}  // namespace kx::test
