#include <atomic>

#include "RadioLink.h"
#include "model/ImageCodec.h"
#include "model/KX200Doc.h"

namespace kx::test {
namespace {

using sim::Faults;
using sim::ModemType;
using sim::RadioSettings;

const Bytes kWakeUp = CommandBytes(protocol::command::kWakeUp);
const Bytes kReadRequest = CommandBytes(protocol::command::kReadRequest);
const Bytes kWriteRequest = CommandBytes(protocol::command::kWriteRequest);
const Bytes kEnd = CommandBytes(protocol::command::kEnd);

RadioSettings WithFaults(const std::vector<std::string>& texts) {
  RadioSettings settings;
  for (const auto& text : texts) {
    std::string error;
    EXPECT_TRUE(sim::AddFault(text, settings.faults, &error)) << error;
  }
  return settings;
}

// Reads the whole memory as the programmer does; each block checked and acknowledged.
image::Image ReadImage(RadioLink& link) {
  image::Image memory{};
  link.Send(kWakeUp);
  link.Send(kReadRequest);
  EXPECT_EQ(link.Next(2), (Bytes{0xAA, 0x21}));
  for (int k = 0; k < 26; ++k) {
    const Bytes frame = link.Next(22);
    const int at = k * 16;
    EXPECT_EQ(Bytes(frame.begin(), frame.begin() + 5),
              (Bytes{0xFF, 0x99, 0x14, static_cast<std::uint8_t>(at >> 8),
                     static_cast<std::uint8_t>(at & 0xFF)}))
        << "block " << k;
    const std::uint8_t check = CheckByte(frame.data() + 5);
    EXPECT_EQ(frame[21], check) << "block " << k;
    std::copy(frame.begin() + 5, frame.begin() + 21, memory.begin() + at);
    link.Send({0xA1, check});
  }
  link.Send(kEnd);
  return memory;
}

// Writes a memory image block by block; the radio's answer to each block.
Bytes WriteImage(RadioLink& link, const image::Image& memory, int blocks = 26) {
  link.Send(kWakeUp);
  link.Send(kWriteRequest);
  EXPECT_EQ(link.Next(2), (Bytes{0xAA, 0x21}));
  Bytes answers;
  for (int k = 0; k < blocks; ++k) {
    link.Send(WrittenBlock(k, memory));
    answers.push_back(link.Next(1).at(0));
  }
  return answers;
}

TEST(RadioProgrammingTest, ReadGivesAFactoryMemoryThatDecodes) {
  for (ModelType type : {model::kKx400Vhf, model::kKx400Uhf, model::kKx600Vhf, model::kKx600Uhf}) {
    RadioSettings settings;
    settings.model = type;
    RadioLink link(settings);
    ASSERT_TRUE(link.Open());
    const image::Image memory = ReadImage(link);
    EXPECT_EQ(memory, link.radio.Memory());
    EXPECT_TRUE(link.Heard("end of connection"));
    EXPECT_EQ(link.radio.State().readsCompleted, 1);

    CKX200Doc doc;
    ASSERT_TRUE(DecodeImage(doc, memory).ok) << "model " << type;
    EXPECT_EQ(doc.modelType, type);
    for (int i = 0; i < kChannelCount; ++i) {
      EXPECT_EQ(doc.channels[static_cast<std::size_t>(i)].isEmpty(), i >= 6) << i;
      EXPECT_EQ(doc.channels[static_cast<std::size_t>(i)].scan != 0, i < 3) << i;
    }
    EXPECT_EQ(doc.gmsk, 1);
  }
}

TEST(RadioProgrammingTest, PacedRadioSendsTheSameBytes) {
  RadioSettings settings;
  settings.timing = RadioSettings::PacedTiming();
  RadioLink link(settings);
  ASSERT_TRUE(link.Open());
  EXPECT_EQ(ReadImage(link), link.radio.Memory());
}

TEST(RadioProgrammingTest, CompletedWriteReplacesTheMemory) {
  RadioLink link;
  int writes = 0;
  link.radio.SetWriteSink([&](const image::Image&) { ++writes; });
  ASSERT_TRUE(link.Open());
  image::Image written{};
  for (std::size_t i = 0; i < written.size(); ++i)
    written[i] = static_cast<std::uint8_t>(i * 3);
  const image::Image before = link.radio.Memory();

  // Half a write changes nothing.
  EXPECT_EQ(WriteImage(link, written, 13), Bytes(13, 0xA1));
  EXPECT_EQ(link.radio.Memory(), before);

  EXPECT_EQ(WriteImage(link, written), Bytes(26, 0xA1));
  link.Send(kEnd);
  EXPECT_TRUE(link.Heard("end of connection"));
  EXPECT_EQ(link.radio.Memory(), written);
  EXPECT_EQ(link.radio.State().writesCompleted, 1);
  EXPECT_EQ(writes, 1);
}

TEST(RadioProgrammingTest, BadBlockIsRejectedAndMaySimplyComeAgain) {
  RadioLink link;
  ASSERT_TRUE(link.Open());
  const image::Image memory = link.radio.Memory();
  link.Send(kWakeUp);
  link.Send(kWriteRequest);
  ASSERT_EQ(link.Next(2), (Bytes{0xAA, 0x21}));

  Bytes badCheck = WrittenBlock(0, memory);
  badCheck[21] ^= 0x01;
  link.Send(badCheck);
  EXPECT_EQ(link.Next(1), Bytes{0x58});
  link.Send(WrittenBlock(1, memory));  // block 0 was due
  EXPECT_EQ(link.Next(1), Bytes{0x58});
  Bytes badTrailer = WrittenBlock(0, memory);
  badTrailer[23] = 0x00;
  link.Send(badTrailer);
  EXPECT_EQ(link.Next(1), Bytes{0x58});
  link.Send(WrittenBlock(0, memory));
  EXPECT_EQ(link.Next(1), Bytes{0xA1});
  link.Send(WrittenBlock(1, memory));
  EXPECT_EQ(link.Next(1), Bytes{0xA1});
}

TEST(RadioProgrammingTest, RequestsWantAWakeUpFirst) {
  RadioLink link;
  ASSERT_TRUE(link.Open());
  link.Send(kReadRequest);
  EXPECT_TRUE(link.Heard("read request not answered"));
  link.Send(kWakeUp);
  link.Send(kEnd);
  link.Send(kWriteRequest);
  EXPECT_TRUE(link.Heard("write request not answered"));
  EXPECT_TRUE(link.radio.BytesSent().empty());
}

TEST(RadioProgrammingTest, WakeUpStartsOverAfterAnAbandonedRead) {
  RadioLink link;
  ASSERT_TRUE(link.Open());
  link.Send(kWakeUp);
  link.Send(kReadRequest);
  ASSERT_EQ(link.Next(2 + 22).size(), 24u);
  // The programmer gave up without a word; the next connection starts from the top.
  link.port.Close();
  ASSERT_TRUE(link.Open());
  link.Drain();
  EXPECT_EQ(ReadImage(link), link.radio.Memory());
}

TEST(RadioProgrammingTest, NoiseOnTheLineIsIgnored) {
  RadioLink link;
  ASSERT_TRUE(link.Open());
  Bytes noise;
  std::uint32_t seed = 12345;
  for (int i = 0; i < 3000; ++i) {
    seed = seed * 1103515245u + 12345u;
    noise.push_back(static_cast<std::uint8_t>(seed >> 16));
  }
  link.Send(noise);
  EXPECT_TRUE(link.Heard("not understood"));
  link.Drain();
  EXPECT_EQ(ReadImage(link), link.radio.Memory());
}

class RadioServiceTest : public ::testing::Test {
 protected:
  static RadioSettings Settings(ModemType modem) {
    RadioSettings settings;
    settings.modem = modem;
    settings.channel = 7;
    settings.version = 0x12;
    return settings;
  }
  void Enter(RadioLink& link) {
    if (!link.port.IsOpen()) {
      ASSERT_TRUE(link.Open());
    }
    link.Send(Frame(0x88, 0x66));
    EXPECT_TRUE(link.Heard("service entry"));
  }
};

TEST_F(RadioServiceTest, IdentifiesWithChannelVersionAndModem) {
  for (auto [modem, code] : {std::pair{ModemType::kNone, 0xA0}, std::pair{ModemType::kGmsk, 0xA1},
                             std::pair{ModemType::kFfsk, 0xA2}}) {
    RadioLink link(Settings(modem));
    Enter(link);
    EXPECT_EQ(link.Command(0x53, 0x66, 4),
              (Bytes{0xAA, 0x07, 0x12, static_cast<std::uint8_t>(code)}));
  }
}

TEST_F(RadioServiceTest, CommandsChangeWhatTheRadioDoes) {
  RadioLink link(Settings(ModemType::kGmsk));
  Enter(link);
  const Bytes ok{0xA1};
  EXPECT_EQ(link.Command(0x64, 11), ok);
  EXPECT_EQ(link.radio.State().channel, 12);
  EXPECT_EQ(link.Command(0x61, 0x74), ok);
  EXPECT_TRUE(link.radio.State().transmitting);
  EXPECT_EQ(link.Command(0x61, 0x72), ok);
  EXPECT_FALSE(link.radio.State().transmitting);
  EXPECT_EQ(link.Command(0x62, 0x73), ok);
  EXPECT_EQ(link.radio.State().scan, sim::ScanMode::kStart);
  EXPECT_EQ(link.Command(0x6A, 0x01), ok);
  EXPECT_EQ(link.Command(0x63, 0x02), ok);
  EXPECT_EQ(link.Command(0x75, 0x78), ok);
  EXPECT_EQ(link.Command(0x7A, 0x01), ok);
  EXPECT_EQ(link.Command(0x85, 0x01), ok);
  const sim::RadioState state = link.radio.State();
  EXPECT_TRUE(state.gpsPower);
  EXPECT_EQ(state.gpsData, sim::GpsData::kRfTransmission);
  EXPECT_TRUE(state.testData);
  EXPECT_TRUE(state.gmskTransmit);
  EXPECT_TRUE(state.upgradeTransmit);
}

TEST_F(RadioServiceTest, SquelchIsSetFromTheSignalSavedAndRestored) {
  RadioLink link(Settings(ModemType::kGmsk));
  Enter(link);
  link.radio.SetSignalLevel(-100);
  link.Command(0x50, 0x01);
  link.radio.SetSignalLevel(-106);
  link.Command(0x51, 0x02);
  sim::RadioState state = link.radio.State();
  EXPECT_EQ(state.squelchOpenDbm, -100);
  EXPECT_EQ(state.squelchCloseDbm, -106);
  EXPECT_EQ(state.savedOpenDbm, sim::kPresetOpenDbm);
  link.Command(0x56, 0x04);
  state = link.radio.State();
  EXPECT_EQ(state.savedOpenDbm, -100);
  EXPECT_EQ(state.savedCloseDbm, -106);
  link.Command(0x52, 0x03);
  state = link.radio.State();
  EXPECT_EQ(state.squelchOpenDbm, sim::kPresetOpenDbm);
  EXPECT_EQ(state.savedCloseDbm, sim::kPresetCloseDbm);
}

TEST_F(RadioServiceTest, ToneTestsBelongToTheirModem) {
  RadioLink gmsk(Settings(ModemType::kGmsk));
  Enter(gmsk);
  EXPECT_EQ(gmsk.Command(0x7C, 0x01), Bytes{0x65});
  EXPECT_EQ(gmsk.Command(0x7E, 0x01), Bytes{0x65});
  EXPECT_EQ(gmsk.Command(0x7C, 0x00), Bytes{0xA1});

  RadioLink ffsk(Settings(ModemType::kFfsk));
  Enter(ffsk);
  EXPECT_EQ(ffsk.Command(0x7C, 0x01), Bytes{0xA1});
  EXPECT_EQ(ffsk.Command(0x7A, 0x01), Bytes{0x65});
  EXPECT_TRUE(ffsk.radio.State().markTone);
}

TEST_F(RadioServiceTest, RefusesBadArgumentsAndWantsServiceEntry) {
  RadioLink link(Settings(ModemType::kGmsk));
  ASSERT_TRUE(link.Open());
  link.Send(Frame(0x64, 0x02));
  EXPECT_TRUE(link.Heard("change to channel 3 not answered"));
  EXPECT_EQ(link.radio.State().channel, 7);
  Enter(link);
  EXPECT_EQ(link.Command(0x64, 0x10), Bytes{0x55});  // there is no channel 17
  EXPECT_EQ(link.Command(0x63, 0x03), Bytes{0x55});
  EXPECT_EQ(link.radio.State().channel, 7);
}

TEST(RadioFaultTest, AnswersToARequest) {
  struct Case {
    const char* fault;
    Bytes answer;
  };
  const Case cases[] = {
      {"refuse", {0x55}},
      {"double-aa", {0xAA, 0xAA, 0x21}},
      {"zeros=2", {0x00, 0x00, 0xAA, 0x21}},
  };
  for (const Case& c : cases) {
    RadioLink link(WithFaults({c.fault}));
    ASSERT_TRUE(link.Open());
    link.Send(kWakeUp);
    link.Send(kWriteRequest);
    EXPECT_EQ(link.Next(c.answer.size()), c.answer) << c.fault;
  }
}

TEST(RadioFaultTest, GarbageMeansNothing) {
  RadioLink link(WithFaults({"garbage"}));
  ASSERT_TRUE(link.Open());
  link.Send(kWakeUp);
  link.Send(kReadRequest);
  const Bytes answer = link.Next(6);
  for (std::uint8_t b : answer) {
    EXPECT_NE(b, 0x55);
    EXPECT_NE(b, 0xAA);
    EXPECT_NE(b, 0x00);
  }
  EXPECT_EQ(link.radio.State().readsCompleted, 0);
}

TEST(RadioFaultTest, SilentRadioSaysNothing) {
  RadioLink link(WithFaults({"silent"}));
  ASSERT_TRUE(link.Open());
  link.Send(kWakeUp);
  link.Send(kReadRequest);
  link.Send(Frame(0x88, 0x66));
  link.Send(Frame(0x53, 0x66));
  ASSERT_TRUE(link.WaitUntil([&] { return link.radio.BytesReceived().size() == 12; }));
  EXPECT_TRUE(link.Heard("not answered (silent)"));
  EXPECT_TRUE(link.radio.BytesSent().empty());
}

TEST(RadioFaultTest, WrittenBlockIsRejectedSoManyTimes) {
  RadioLink link(WithFaults({"nak-write=3@2"}));
  ASSERT_TRUE(link.Open());
  const image::Image memory = link.radio.Memory();
  EXPECT_EQ(WriteImage(link, memory, 3), (Bytes{0xA1, 0xA1, 0x58}));
  for (Bytes expected : {Bytes{0x58}, Bytes{0x58}, Bytes{0xA1}}) {
    link.Send(WrittenBlock(2, memory));
    EXPECT_EQ(link.Next(1), expected);
  }
}

TEST(RadioFaultTest, ReadBlockComesWithABadCheckSoManyTimes) {
  RadioLink link(WithFaults({"bad-check=2@0"}));
  ASSERT_TRUE(link.Open());
  link.Send(kWakeUp);
  link.Send(kReadRequest);
  ASSERT_EQ(link.Next(2).size(), 2u);
  for (bool good : {false, false, true}) {
    const Bytes frame = link.Next(22);
    const std::uint8_t check = CheckByte(frame.data() + 5);
    EXPECT_EQ(frame[21] == check, good);
    link.Send({static_cast<std::uint8_t>(good ? 0xA1 : 0x58), check});
  }
  EXPECT_EQ(link.Next(22)[4], 0x10) << "block 1 follows";
}

TEST(RadioFaultTest, RadioThatStopsAnswersAgainAfterAWakeUp) {
  RadioLink link(WithFaults({"stop-after=1"}));
  ASSERT_TRUE(link.Open());
  link.Send(kWakeUp);
  link.Send(kReadRequest);
  ASSERT_EQ(link.Next(2).size(), 2u);
  for (int k = 0; k < 2; ++k) {
    const Bytes frame = link.Next(22);
    link.Send({0xA1, CheckByte(frame.data() + 5)});
  }
  EXPECT_TRUE(link.Heard("block 1 accepted"));
  link.Send(Frame(0x88, 0x66));
  EXPECT_TRUE(link.Heard("not answered (stopped)"));
  EXPECT_EQ(link.radio.BytesSent().size(), 2u + 2 * 22);

  link.Send(kWakeUp);
  link.Send(kReadRequest);
  EXPECT_EQ(link.Next(2), (Bytes{0xAA, 0x21}));
}

TEST(RadioFaultTest, TransmitModeNotAllowed) {
  RadioLink link(WithFaults({"deny-tx"}));
  ASSERT_TRUE(link.Open());
  link.Send(Frame(0x88, 0x66));
  EXPECT_EQ(link.Command(0x61, 0x74), Bytes{0x65});
  EXPECT_FALSE(link.radio.State().transmitting);
}

TEST(RadioFaultTest, FaultTextsAreCheckedWhenGiven) {
  Faults faults;
  std::string error;
  EXPECT_TRUE(sim::AddFault("nak-write=4", faults, &error));
  EXPECT_EQ(faults.nakWrite, 4);
  EXPECT_EQ(faults.nakWriteBlock, -1);
  EXPECT_TRUE(sim::AddFault("vanish=25", faults, &error));
  EXPECT_EQ(faults.vanishAfterBlock, 25);
  EXPECT_TRUE(sim::AddFault("zeros", faults, &error));
  EXPECT_EQ(faults.zeroBytes, 1);
  for (const char* bad : {"vanish=26", "nak-write", "nak-write=0", "bad-check=2@x", "refuse=1",
                          "stop-after=", "explode", "zeros=65", "silent@3"}) {
    error.clear();
    EXPECT_FALSE(sim::AddFault(bad, faults, &error)) << bad;
    EXPECT_FALSE(error.empty()) << bad;
  }
}

}  // namespace
}  // namespace kx::test
