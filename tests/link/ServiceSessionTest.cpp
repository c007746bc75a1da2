#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "PausedLink.h"
#include "RadioLink.h"
#include "link/ServiceSession.h"

namespace kx {
namespace {

using Bytes = std::vector<std::uint8_t>;
using Events = std::vector<std::string>;
using Result = ServiceStart::Result;

std::string Hex(const Bytes& bytes) {
  std::string text;
  char cell[4];
  for (const auto b : bytes)
    text.append(cell, static_cast<std::size_t>(std::snprintf(cell, sizeof cell, " %02X", b)));
  return text.empty() ? text : text.substr(1);
}

// A radio in service mode without a port or a clock: each frame written is answered at the
// host's next pause. Writes, line changes and pauses go into one log, in order.
class ServiceLine : public SerialLink {
 public:
  std::function<Bytes(const Bytes& frame)> answer = [](const Bytes&) { return Bytes{}; };
  Bytes startUpReply{0xAA, 0x03, 0x21, 0xA1};
  bool openFails = false;
  Events events;
  Bytes queue;
  int pausedMs = 0;

  void OnPause(int ms) {
    events.push_back("pause " + std::to_string(ms));
    pausedMs += ms;
    for (const auto& frame : pending_) {
      const Bytes reply = frame == Bytes{0x53, 0x66, 0xB9} ? startUpReply : answer(frame);
      queue.insert(queue.end(), reply.begin(), reply.end());
    }
    pending_.clear();
  }

  bool Open(const std::string&, unsigned, std::uint16_t identifier) override {
    events.push_back("open " + std::to_string(identifier));
    return !openFails;
  }
  void Close() override { events.push_back("close"); }
  std::size_t Write(const std::uint8_t* bytes, std::size_t count) override {
    pending_.emplace_back(bytes, bytes + count);
    events.push_back(Hex(pending_.back()));
    return count;
  }
  void SetDtr() override { events.push_back("DTR set"); }
  void ClearDtr() override { events.push_back("DTR cleared"); }
  void ClearRts() override { events.push_back("RTS cleared"); }
  int Count() override { return static_cast<int>(queue.size()); }
  bool Take(std::uint8_t& byte) override {
    if (queue.empty()) return false;
    byte = queue.front();
    queue.erase(queue.begin());
    return true;
  }
  std::string LastError() const override { return "Permission denied"; }

 private:
  std::vector<Bytes> pending_;
};

class ServiceSessionTest : public ::testing::Test {
 protected:
  ServiceStart Start() { return session.Start({3, "/dev/ttyS2"}); }
  // Starts and returns where the commands' log begins.
  std::size_t Started() {
    EXPECT_TRUE(Start().ok());
    return line.events.size();
  }

  ServiceLine line;
  ServiceSession session{line, [this](int ms) { line.OnPause(ms); }};
};

TEST_F(ServiceSessionTest, StartUpDropsTheLinesEntersServiceModeAndIdentifies) {
  const ServiceStart start = Start();
  ASSERT_EQ(start.result, Result::kReady);
  EXPECT_EQ(line.events, (Events{"open 2", "RTS cleared", "DTR cleared", "pause 100", "88 66 EE",
                                 "pause 400", "53 66 B9", "pause 400", "RTS cleared"}));
  ASSERT_TRUE(start.identity);
  EXPECT_EQ(start.identity->channel, 3);
  EXPECT_EQ(start.identity->VersionText(), "2.1");
  EXPECT_EQ(start.identity->modem, 0xA1);
  EXPECT_TRUE(session.IsOpen());
}

TEST_F(ServiceSessionTest, PortThatWillNotOpenIsReportedWithTheSystemsReason) {
  line.openFails = true;
  const ServiceStart start = Start();
  EXPECT_EQ(start.result, Result::kPortFailed);
  EXPECT_EQ(start.status, "Fail to open PORT3");
  EXPECT_EQ(start.portError, "Permission denied");
  EXPECT_FALSE(session.IsOpen());
  EXPECT_FALSE(session.GpsPowerOff());  // a closed session sends nothing, and does not wait
  EXPECT_EQ(line.events, (Events{"open 2", "close"}));
}

TEST_F(ServiceSessionTest, EveryPositionOfTheStartUpReplyIsExamined) {
  struct Case {
    Bytes reply;
    Result result;
    int channel;  // -1: no identification
    int modem;
  };
  const Case cases[] = {
      // A channel of 0 is a zero byte, dropped like any other: the record comes out cut short.
      {{0xAA, 0x00, 0x21, 0xA1}, Result::kReady, -1, 0},
      {{0xAA, 0x11, 0x21, 0xA1}, Result::kReady, 17, 0xA1},   // as reported: the dialog clamps
      {{0xAA, 0x03, 0x55, 0xA1}, Result::kRefused, 3, 0xA1},  // a version of 0x55 is a refusal
      {{0x55, 0xAA, 0x05, 0x21, 0xA2}, Result::kRefused, 5, 0xA2},      // record after the refusal
      {{0xAA, 0x03, 0x21, 0xB7}, Result::kReady, 3, 0xB7},              // unknown modem kept
      {{0xAA, 0x03, 0x21}, Result::kReady, -1, 0},                      // cut short: ignored
      {{0x00, 0xAA, 0x03, 0x00, 0x21, 0xA1}, Result::kReady, 3, 0xA1},  // zeros dropped
      {{0xAA, 0x03, 0x21, 0xA1, 0xAA, 0x07, 0x22, 0xA2}, Result::kReady, 7, 0xA2},  // the last
      {{}, Result::kReady, -1, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(Hex(c.reply));
    ServiceLine radio;
    radio.startUpReply = c.reply;
    ServiceSession s(radio, [&](int ms) { radio.OnPause(ms); });
    const ServiceStart start = s.Start({1, "/dev/ttyS0"});
    EXPECT_EQ(start.result, c.result);
    EXPECT_EQ(start.status, c.result == Result::kRefused ? "Error!" : "");
    EXPECT_EQ(s.IsOpen(), c.result == Result::kReady);
    ASSERT_EQ(start.identity.has_value(), c.channel >= 0);
    if (start.identity) {
      EXPECT_EQ(start.identity->channel, c.channel);
      EXPECT_EQ(start.identity->modem, c.modem);
    }
  }
}

TEST_F(ServiceSessionTest, EachCommandSendsItsFrameWithItsLineControlAndPause) {
  struct Case {
    std::function<void(ServiceSession&)> command;
    Events expected;
  };
  const Case cases[] = {
      {[](auto& s) { s.ChangeChannel(1); }, {"64 00 64", "pause 40"}},
      {[](auto& s) { s.ChangeChannel(16); }, {"64 0F 73", "pause 40"}},
      {[](auto& s) { s.ChangeChannel(17); }, {"64 00 64", "pause 40"}},
      {[](auto& s) { s.ReceiveMode(); }, {"61 72 D3", "DTR cleared", "pause 40"}},
      {[](auto& s) { s.TransmitMode(); }, {"61 74 D5", "DTR set", "pause 40"}},
      {[](auto& s) { s.Scan(ScanCommand::kStop); }, {"62 46 A8", "pause 40"}},
      {[](auto& s) { s.Scan(ScanCommand::kStart); }, {"62 73 D5", "pause 40"}},
      {[](auto& s) { s.Scan(ScanCommand::kDelete); }, {"62 4F B1", "pause 40"}},
      {[](auto& s) { s.GpsData(GpsDataCommand::kDisable); }, {"63 00 63", "pause 40"}},
      {[](auto& s) { s.GpsData(GpsDataCommand::kExternalOutput); }, {"63 01 64", "pause 40"}},
      {[](auto& s) { s.GpsData(GpsDataCommand::kRfTransmission); }, {"63 02 65", "pause 40"}},
      {[](auto& s) { s.GpsPowerOff(); }, {"6A 00 6A", "pause 40"}},
      {[](auto& s) { s.GpsPowerOn(); }, {"6A 01 6B", "pause 40"}},
      {[](auto& s) { s.TestDataOn(); }, {"75 78 ED", "pause 40"}},
      {[](auto& s) { s.TestDataOff(); }, {"75 79 EE", "pause 40"}},
      {[](auto& s) { s.MarkTone(false); }, {"7C 00 7C", "pause 40"}},
      {[](auto& s) { s.MarkTone(true); }, {"7C 01 7D", "pause 40"}},
      {[](auto& s) { s.SpaceTone(false); }, {"7E 00 7E", "pause 40"}},
      {[](auto& s) { s.SpaceTone(true); }, {"7E 01 7F", "pause 40"}},
      {[](auto& s) { s.GmskTransmit(false); }, {"7A 00 7A", "pause 40"}},
      {[](auto& s) { s.GmskTransmit(true); }, {"7A 01 7B", "pause 40"}},
      {[](auto& s) { s.UpgradeTransmit(true); }, {"85 01 86", "DTR set", "pause 40"}},
      {[](auto& s) { s.UpgradeTransmit(false); }, {"85 00 85", "DTR cleared", "pause 40"}},
      {[](auto& s) { s.SquelchOpen(); }, {"50 01 51", "pause 40"}},
      {[](auto& s) { s.SquelchClose(); }, {"51 02 53", "pause 40"}},
      {[](auto& s) { s.SquelchDefault(); }, {"52 03 55", "pause 40"}},
      {[](auto& s) { s.SquelchSave(); }, {"56 04 5A", "pause 40"}},
  };
  line.answer = [](const Bytes&) { return Bytes{0xA1}; };
  const std::size_t from = Started();
  std::size_t at = from;
  for (const Case& c : cases) {
    c.command(session);
    const Events sent(line.events.begin() + static_cast<long>(at), line.events.end());
    EXPECT_EQ(sent, c.expected);
    at = line.events.size();
    line.queue.clear();  // one-byte commands leave nothing here, but keep the cases apart
  }
}

TEST_F(ServiceSessionTest, ExaminedRepliesReportTheRadiosRefusal) {
  Started();
  line.answer = [](const Bytes&) { return Bytes{0x55}; };
  EXPECT_EQ(session.ChangeChannel(9), ReplyVerdict::kInvalidTransfer);
  EXPECT_EQ(session.ChangeChannel(8), ReplyVerdict::kNone);  // taken and ignored
  line.answer = [](const Bytes&) { return Bytes{0xA1, 0x65}; };
  EXPECT_EQ(session.ChangeChannel(12), ReplyVerdict::kNotAllowed);
  EXPECT_EQ(session.TransmitMode(), ReplyVerdict::kNotAllowed);
  line.answer = [](const Bytes&) { return Bytes{0x55, 0xA1}; };
  EXPECT_EQ(session.TestDataOff(), ReplyVerdict::kInvalidTransfer);
  EXPECT_EQ(line.queue, Bytes{0xA1});  // one byte taken, the rest left for the next reply
}

TEST_F(ServiceSessionTest, ReplyKeepsAtMost2048NonZeroBytesAndTakesTheRest) {
  Started();
  line.queue.assign(100, 0x00);
  line.queue.insert(line.queue.end(), 3000, 0x41);
  EXPECT_EQ(session.CollectReply(), Bytes(ServiceSession::kReplyCapacity, 0x41));
  EXPECT_TRUE(line.queue.empty());
}

TEST_F(ServiceSessionTest, UpgradeTransmitWithoutAnAnswerIsFalse) {
  Started();
  EXPECT_FALSE(session.UpgradeTransmit(true));
  line.answer = [](const Bytes&) { return Bytes{0x00, 0x00}; };
  EXPECT_FALSE(session.UpgradeTransmit(true));
  line.answer = [](const Bytes&) { return Bytes{0xA1}; };
  EXPECT_TRUE(session.UpgradeTransmit(true));
}

TEST_F(ServiceSessionTest, RepeatedCommandsGiveUpAfterThreeSecondsOfPauses) {
  const std::size_t from = Started();
  line.answer = [](const Bytes&) { return Bytes{0x00}; };  // zeros are no answer
  line.pausedMs = 0;
  EXPECT_FALSE(session.GpsPowerOff());
  EXPECT_FALSE(session.GpsData(GpsDataCommand::kDisable));
  EXPECT_FALSE(session.GpsData(GpsDataCommand::kExternalOutput));
  const Events log(line.events.begin() + static_cast<long>(from), line.events.end());
  EXPECT_EQ(std::count(log.begin(), log.end(), "6A 00 6A"), 22);  // 140 ms an attempt
  EXPECT_EQ(std::count(log.begin(), log.end(), "63 00 63"), 22);
  EXPECT_EQ(line.pausedMs, 3 * (22 * 140 - 100));  // the last attempt has no 100 ms after it

  int attempts = 0;
  line.answer = [&](const Bytes&) { return ++attempts == 3 ? Bytes{0xA1} : Bytes{}; };
  EXPECT_TRUE(session.GpsPowerOff());
  EXPECT_EQ(attempts, 3);
}

// Through the real serial port channel to the virtual radio on a pseudo-terminal whose clock is
// the session's pauses.
class ServiceEndToEndTest : public ::testing::Test {
 protected:
  std::unique_ptr<test::RadioLink> Radio(const std::vector<std::string>& faults = {}) {
    sim::RadioSettings settings;
    settings.channel = 7;
    settings.version = 0x13;
    settings.modem = sim::ModemType::kFfsk;
    for (const auto& text : faults) {
      std::string error;
      EXPECT_TRUE(sim::AddFault(text, settings.faults, &error)) << error;
    }
    return std::make_unique<test::RadioLink>(settings);
  }
};

TEST_F(ServiceEndToEndTest, RadioIsIdentifiedAndFollowsTheCommands) {
  auto link = Radio({"zeros=2"});
  test::PausedLink paused(link->port, link->radio);
  ServiceSession session(paused, [&paused](int ms) { paused.Pause(ms); });
  const ServiceStart start = session.Start({1, link->radio.SlavePath()});
  ASSERT_TRUE(start.ok()) << start.portError;
  ASSERT_TRUE(start.identity);
  EXPECT_EQ(start.identity->channel, 7);
  EXPECT_EQ(start.identity->VersionText(), "1.3");
  EXPECT_EQ(start.identity->modem, protocol::modem_byte::kFfsk);

  EXPECT_EQ(session.ChangeChannel(12), ReplyVerdict::kNone);
  EXPECT_EQ(session.TransmitMode(), ReplyVerdict::kNone);
  EXPECT_TRUE(session.GpsPowerOff());
  session.SquelchOpen();
  EXPECT_TRUE(link->WaitUntil([&] {
    const sim::RadioState state = link->radio.State();
    return state.channel == 12 && state.transmitting && state.squelchOpenDbm == state.signalDbm;
  }));
}

// A radio whose line goes away is not asked again and again: the session knows the port is
// lost, and a command that repeats until the radio answers gives up at its first attempt.
TEST_F(ServiceEndToEndTest, RadioThatGoesAwayIsNotWaitedFor) {
  auto link = Radio();
  link->port.SetMessageSink([](const Notice&) {});
  int pausedMs = 0;
  ServiceSession session(link->port, [&pausedMs](int ms) {
    pausedMs += ms;
    Pause(ms);
  });
  ASSERT_TRUE(session.Start({1, link->radio.SlavePath()}).ok());
  EXPECT_FALSE(session.LineLost());
  link->radio.Stop();
  ASSERT_TRUE(link->WaitUntil([&] { return session.LineLost(); }));
  pausedMs = 0;
  EXPECT_FALSE(session.GpsPowerOff());
  EXPECT_EQ(pausedMs, 40);
}

TEST_F(ServiceEndToEndTest, RadioThatDeniesTransmitSaysSo) {
  auto link = Radio({"deny-tx"});
  test::PausedLink paused(link->port, link->radio);
  ServiceSession session(paused, [&paused](int ms) { paused.Pause(ms); });
  ASSERT_TRUE(session.Start({1, link->radio.SlavePath()}).ok());
  EXPECT_EQ(session.TransmitMode(), ReplyVerdict::kNotAllowed);
  EXPECT_FALSE(link->radio.State().transmitting);
}

}  // namespace
}  // namespace kx
