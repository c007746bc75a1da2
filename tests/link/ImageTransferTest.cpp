#include <gtest/gtest.h>

#include <thread>

#include <filesystem>

#include "link/ImageBackup.h"
#include "link/ImageTransfer.h"
#include "link/RadioProtocol.h"
#include "model/ImageCodec.h"
#include "model/KX200Doc.h"
#include "support/Documents.h"
#include "support/Environment.h"
#ifdef _WIN32
#include "model/WideText.h"
#endif
#include "support/TempFolder.h"
#include "tests/link/ScriptedRadio.h"

namespace kx {
namespace {

using Result = TransferOutcome::Result;
using Bytes = std::vector<std::uint8_t>;

// The transfer against a scripted radio: the host's pauses are where the radio answers, so a
// whole transfer runs without waiting.
class ImageTransferTest : public ::testing::Test {
 protected:
  ImageTransferTest() : transfer(radio, memory, [this](int ms) { onPause(ms); }) {
    transfer.SetBackupFolder(backups.path().string());
    events.status = [this](const std::string& s) { statuses.push_back(s); };
    events.progress = [this](int p) { progress.push_back(p); };
    events.version = [this](const std::string& v) { version = v; };
    events.pllIc = [this](int i) { pllIc = i; };
  }

  void onPause(int ms) {
    pausedMs += ms;
    if (stopAtPause && radio.pauses + 1 == stopAtPause) transfer.RequestStop();
    radio.onPause();
  }

  CKX200Doc radioConfiguration() {
    CKX200Doc doc = test::DocumentOf(model::kKx600Uhf);
    doc.channels[0].rxFreqMHz = doc.channels[0].txFreqMHz = 445.5;
    doc.channels[0].rxOption = kOptionCtcss;
    doc.channels[0].rxCtcssHz = 100.0;
    doc.gpsEnabled = 1;
    return doc;
  }

  image::Image radioImage() {
    CKX200Doc doc = radioConfiguration();
    return BuildImage(doc);
  }

  int countOf(const protocol::CommandFrame& frame) const {
    int n = 0;
    const Bytes& b = radio.hostBytes;
    for (std::size_t i = 0; i + 3 <= b.size(); ++i)
      n += std::equal(frame.begin(), frame.end(), b.begin() + static_cast<long>(i));
    return n;
  }

  test::TempFolder backups;
  test::ScriptedRadio radio;
  RadioMemory memory;
  ImageTransfer transfer;
  TransferEvents events;
  PortChoice port{3, "/dev/ttyUSB2"};
  std::vector<std::string> statuses;
  std::vector<int> progress;
  std::string version;
  int pllIc = -1;
  int pausedMs = 0;
  int stopAtPause = 0;
};

TEST_F(ImageTransferTest, WriteSendsTheEncodedImageWithHandPatchedBytes) {
  CKX200Doc doc = radioConfiguration();
  memory.pendingFlags[0x123] = 1;
  memory.pendingValues[0x123] = 0x5A;
  radio.requestReply = {protocol::answer::kReady, protocol::answer::kReady,
                        0x11};  // a doubled AA, version 1.1

  const TransferOutcome outcome = transfer.OnWrite(doc, port, events);
  ASSERT_TRUE(outcome.ok()) << outcome.status;

  image::Image expected = BuildImage(doc);
  expected[0x123] = 0x5A;
  expected[0x10] = 3;  // firmware 1.1
  EXPECT_EQ(radio.memory, expected);
  EXPECT_EQ(memory.working, expected);
  EXPECT_EQ(version, "1 . 1");

  // Wake-up, DTR down, request, the 26 frames in order with their headers and check bytes, end.
  const Bytes start(radio.hostBytes.begin(), radio.hostBytes.begin() + 6);
  EXPECT_EQ(start, (Bytes{0x87, 0x00, 0x87, 0x76, 0x57, 0xCD}));
  EXPECT_EQ(radio.dtrClears, 1);
  ASSERT_EQ(radio.writtenFrames.size(), 26u);
  for (std::size_t k = 0; k < 26; ++k) {
    const Bytes& f = radio.writtenFrames[k];
    EXPECT_EQ(Bytes(f.begin(), f.begin() + 5),
              (Bytes{0xFF, 0x99, 0x14, static_cast<std::uint8_t>(k >> 4),
                     static_cast<std::uint8_t>((k * 16) & 0xFF)}));
    EXPECT_EQ(f[21], protocol::BlockCheck(f.data() + 5));
    EXPECT_EQ(Bytes(f.begin() + 22, f.end()), (Bytes{0xFF, 0x66}));
  }
  EXPECT_TRUE(radio.endOfConnectionSeen);
  EXPECT_FALSE(radio.open);
  EXPECT_EQ(statuses, (std::vector<std::string>{"Writing.....!"}));
  EXPECT_EQ(progress.back(), 0);
  EXPECT_EQ(*std::max_element(progress.begin(), progress.end()), 415);
  // The design pauses: 100 + 1000, the request's 100, then 50 + 100 for each block.
  EXPECT_EQ(pausedMs, 1200 + 26 * 150);
}

TEST_F(ImageTransferTest, WriteVersionOtherThanOneOneSendsTwo) {
  CKX200Doc doc = radioConfiguration();
  radio.requestReply = {0x00, protocol::answer::kReady, 0x12, protocol::answer::kRefused};
  ASSERT_TRUE(transfer.OnWrite(doc, port, events).ok());  // the first recognised byte wins
  EXPECT_EQ(version, "1 . 2");
  EXPECT_EQ(radio.memory[0x10], 2);
}

TEST_F(ImageTransferTest, WrittenBlockIsSentAtMostFourTimes) {
  CKX200Doc doc = radioConfiguration();
  radio.writeAck = [](std::size_t block, int sending) {
    return std::optional<Bytes>{
        {block == 7 && sending < 3 ? protocol::answer::kRejected : protocol::answer::kAccepted}};
  };
  EXPECT_TRUE(transfer.OnWrite(doc, port, events).ok());
  EXPECT_EQ(radio.writtenFrames.size(), 26u + 3u);

  radio.writtenFrames.clear();
  radio.writeAck = [](std::size_t block, int) {
    return std::optional<Bytes>{
        {block == 7 ? protocol::answer::kRejected : protocol::answer::kAccepted}};
  };
  const TransferOutcome outcome = transfer.OnWrite(doc, port, events);
  EXPECT_EQ(outcome.result, Result::kBlockFailed);
  EXPECT_EQ(outcome.status, "Write Fail!");
  EXPECT_EQ(radio.writtenFrames.size(), 7u + 4u);
  EXPECT_FALSE(radio.open);
}

TEST_F(ImageTransferTest, WriteFailuresAndTheirTexts) {
  struct Case {
    Bytes reply;
    std::optional<Bytes> blockAnswer;  // to every block
    Result result;
    std::string status;
    bool endSent;
  };
  const Case cases[] = {
      {{},
       {},
       Result::kNoAnswer,
       "Communication Error !!!   Check your radio connection to PC !!!",
       false},
      {{0x55}, {}, Result::kRefused, "Write Fail..!", false},
      {{0x00, 0x55, 0xAA, 0x10}, {}, Result::kRefused, "Write Fail..!", false},
      {{0x12, 0x34}, {}, Result::kNotUnderstood, "Writing.....!", true},
      {{0xAA, 0x10}, std::nullopt, Result::kBlockFailed, "Write Fail!", false},
      {{0xAA, 0x10}, Bytes{0x42}, Result::kBlockFailed, "Write Fail!", false},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.status);
    radio.hostBytes.clear();
    radio.endOfConnectionSeen = false;
    radio.requestReply = k.reply;
    radio.writeAck = [&k](std::size_t, int) { return k.blockAnswer; };
    CKX200Doc doc = radioConfiguration();
    const TransferOutcome outcome = transfer.OnWrite(doc, port, events);
    EXPECT_EQ(outcome.result, k.result);
    EXPECT_EQ(outcome.status, k.status);
    EXPECT_EQ(countOf(test::kEndFrame), k.endSent ? 1 : 0);
    EXPECT_FALSE(radio.open);
  }
}

TEST_F(ImageTransferTest, PortThatCannotBeOpenedIsNamed) {
  radio.openFails = true;
  CKX200Doc doc = radioConfiguration();
  const TransferOutcome outcome = transfer.OnRead(doc, port, events);
  EXPECT_EQ(outcome.result, Result::kPortFailed);
  EXPECT_EQ(outcome.status, "Fail to open PORT3");
  EXPECT_EQ(outcome.portError, "Permission denied");
  EXPECT_EQ(radio.closes, 1);
  EXPECT_TRUE(radio.hostBytes.empty());

  // A port named by its path, or one outside the numbering, is named by its path.
  const std::pair<PortChoice, std::string> named[] = {
      {{101, "/dev/ttyUSB0", true}, "Fail to open /dev/ttyUSB0"},
      {{0, "/dev/pts/3"}, "Fail to open /dev/pts/3"},
      {{7, {}}, "Fail to open PORT7"},
  };
  for (const auto& [choice, text] : named)
    EXPECT_EQ(transfer.OnWrite(doc, choice, events).status, text);
}

TEST_F(ImageTransferTest, ReadDecodesTheRadiosMemory) {
  radio.memory = radioImage();
  radio.requestReply = {protocol::answer::kReady, 0x21};
  memory.pendingFlags[5] = 1;

  CKX200Doc doc;
  const TransferOutcome outcome = transfer.OnRead(doc, port, events);
  ASSERT_TRUE(outcome.ok()) << outcome.status;
  CKX200Doc expected;
  ASSERT_TRUE(DecodeImage(expected, radio.memory).ok);
  EXPECT_EQ(doc, expected);
  EXPECT_EQ(doc.channels[0].rxFreqMHz, 445.5);
  EXPECT_EQ(memory.working, radio.memory);
  EXPECT_EQ(memory.pendingFlags[5], 0);  // a read clears the hand-patched bytes
  EXPECT_EQ(version, "2.1");
  EXPECT_EQ(pllIc, 1);  // PLL bit clear in byte 0x004
  EXPECT_TRUE(radio.endOfConnectionSeen);
  EXPECT_EQ(radio.hostAnswers.size(), 26u);
  EXPECT_EQ(radio.hostAnswers[0][0], protocol::answer::kAccepted);
  EXPECT_EQ(radio.hostAnswers[0][1], radio.readFrame(0, 0)[21]);
  EXPECT_EQ(progress.back(), 0);
  EXPECT_FALSE(outcome.backupPath.empty());
  EXPECT_EQ(test::readAll(outcome.backupPath), Bytes(radio.memory.begin(), radio.memory.end()));
}

TEST_F(ImageTransferTest, BackupThatCannotBeKeptIsReportedAndTheReadStillCounts) {
  radio.memory = radioImage();
  radio.requestReply = {protocol::answer::kReady, 0x21};
  const std::string blocked = backups.file("taken");
  test::writeText(blocked, "a file where the folder would be");
  transfer.SetBackupFolder(blocked + "/backups");

  CKX200Doc doc;
  const TransferOutcome outcome = transfer.OnRead(doc, port, events);
  EXPECT_TRUE(outcome.ok()) << outcome.status;
  EXPECT_TRUE(outcome.backupPath.empty());
#ifdef _WIN32
  const std::string reason = win32::ErrorText(3);  // ERROR_PATH_NOT_FOUND
#else
  const std::string reason = "Not a directory";
#endif
  EXPECT_EQ(outcome.BackupText(),
            "No backup of the radio memory could be kept: " + blocked + "/backups: " + reason);
}

TEST_F(ImageTransferTest, BadBlocksAreAskedForAgainFourTimes) {
  radio.memory = radioImage();
  const auto corrupt = [this](int badSendings) {
    return [this, badSendings](std::size_t block, int sending) {
      auto frame = protocol::MakeBlockFrame(radio.memory.data(), static_cast<int>(block));
      if (block == 9 && sending < badSendings) frame[21] ^= 0xFF;
      return Bytes(frame.begin(), frame.end());
    };
  };
  radio.readFrame = corrupt(4);
  CKX200Doc doc;
  EXPECT_TRUE(transfer.OnRead(doc, port, events).ok());
  EXPECT_EQ(radio.hostAnswers.size(), 26u + 4u);
  EXPECT_EQ(radio.hostAnswers[9][0], protocol::answer::kRejected);

  radio.hostAnswers.clear();
  radio.readFrame = corrupt(5);
  CKX200Doc untouched;
  const CKX200Doc before = untouched;
  const TransferOutcome outcome = transfer.OnRead(untouched, port, events);
  EXPECT_EQ(outcome.status, "Read Fail!");
  EXPECT_EQ(untouched, before);
  EXPECT_EQ(radio.hostAnswers.size(), 9u + 5u);
}

TEST_F(ImageTransferTest, BlockWithTheWrongAddressIsNeverAcknowledged) {
  radio.memory = radioImage();
  radio.readFrame = [this](std::size_t block, int sending) {
    // The radio sends block 3 where block 4 is due, once.
    auto frame = protocol::MakeBlockFrame(radio.memory.data(),
                                          block == 4 && sending == 0 ? 3 : static_cast<int>(block));
    return Bytes(frame.begin(), frame.end());
  };
  CKX200Doc doc;
  ASSERT_TRUE(transfer.OnRead(doc, port, events).ok());
  EXPECT_EQ(radio.hostAnswers[4][0], protocol::answer::kRejected);
  EXPECT_EQ(memory.received, radio.memory);
}

TEST_F(ImageTransferTest, ReadFailuresLeaveTheConfigurationAlone) {
  struct Case {
    Bytes reply;
    std::function<Bytes(std::size_t, int)> frame;
    std::string status;
  };
  const auto silentAfter = [](std::size_t last) {
    return [last](std::size_t block, int) {
      return block > last ? Bytes{} : Bytes{0xFF, 0x99, 0x14, 0, 0};  // first block short: bad
    };
  };
  const Case cases[] = {
      {{}, nullptr, "Communication Error !!!   Check your radio connection to PC !!!"},
      {{0x55}, nullptr, "Read Fail..!"},
      {{0xAA, 0x10}, [](std::size_t, int) { return Bytes{}; }, "Read Fail!"},
      {{0xAA, 0x10},
       [](std::size_t, int) {
         return Bytes{0x00, 0xFF, 0x99};
       },
       "Read Fail!"},
      {{0xAA, 0x10}, silentAfter(0), "Read Fail!"},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.status);
    radio.requestReply = k.reply;
    if (k.frame) radio.readFrame = k.frame;
    CKX200Doc doc = radioConfiguration();
    const CKX200Doc before = doc;
    const TransferOutcome outcome = transfer.OnRead(doc, port, events);
    EXPECT_FALSE(outcome.ok());
    EXPECT_EQ(outcome.status, k.status);
    EXPECT_EQ(doc, before);
    EXPECT_FALSE(radio.open);
  }
}

TEST_F(ImageTransferTest, ImageOfAnUnknownModelIsNotDecoded) {
  radio.memory = radioImage();
  radio.memory[0xBF] = 0x0C;
  CKX200Doc doc;
  const CKX200Doc before = doc;
  const TransferOutcome outcome = transfer.OnRead(doc, port, events);
  EXPECT_EQ(outcome.result, Result::kNotDecoded);
  EXPECT_EQ(outcome.status, "Unknown model type in the radio memory!");
  EXPECT_EQ(doc, before);
  EXPECT_TRUE(radio.endOfConnectionSeen);
}

TEST_F(ImageTransferTest, StopEndsTheConnectionCleanly) {
  CKX200Doc doc = radioConfiguration();
  stopAtPause = 10;  // in the middle of the blocks
  const TransferOutcome outcome = transfer.OnWrite(doc, port, events);
  EXPECT_EQ(outcome.result, Result::kStopped);
  EXPECT_EQ(outcome.status, "Stopped by the user!");
  EXPECT_EQ(countOf(test::kEndFrame), 1);
  EXPECT_FALSE(radio.open);
  EXPECT_LT(radio.writtenFrames.size(), 26u);

  // The next transfer starts afresh.
  stopAtPause = 0;
  EXPECT_TRUE(transfer.OnWrite(doc, port, events).ok());
}

// Ctrl+C at any pause of a write or a read: the frame on its way goes out whole, the radio's
// answer to it is taken, and the end of the connection is heard as such, never as the check
// byte of a block cut short.
TEST_F(ImageTransferTest, StopComesBetweenFramesOnly) {
  radio.memory = radioImage();
  for (const bool write : {true, false}) {
    Result result = Result::kStopped;
    for (int at = 1; result == Result::kStopped; ++at) {
      SCOPED_TRACE((write ? "write stopped at pause " : "read stopped at pause ") +
                   std::to_string(at));
      radio.hostBytes.clear();
      radio.writtenFrames.clear();
      radio.endOfConnectionSeen = false;
      stopAtPause = radio.pauses + at;
      CKX200Doc doc = radioConfiguration();
      result =
          (write ? transfer.OnWrite(doc, port, events) : transfer.OnRead(doc, port, events)).result;
      ASSERT_TRUE(result == Result::kStopped || result == Result::kDone);
      EXPECT_TRUE(radio.endOfConnectionSeen);
      ASSERT_GE(radio.hostBytes.size(), 3u);
      EXPECT_EQ(Bytes(radio.hostBytes.end() - 3, radio.hostBytes.end()),
                Bytes(test::kEndFrame.begin(), test::kEndFrame.end()));
      for (const Bytes& f : radio.writtenFrames) {
        EXPECT_EQ(f[21], protocol::BlockCheck(f.data() + 5));
        EXPECT_EQ(Bytes(f.begin() + 22, f.end()), (Bytes{0xFF, 0x66}));
      }
      if (result == Result::kDone) {
        EXPECT_EQ(radio.writtenFrames.size(), write ? 26u : 0u);
      }
    }
  }
  stopAtPause = 0;
}

TEST_F(ImageTransferTest, EndConnectionTellsTheRadio) {
  transfer.EndConnection(port);
  EXPECT_EQ(radio.hostBytes, (Bytes{0x89, 0x00, 0x89}));
  EXPECT_FALSE(radio.open);
  radio.hostBytes.clear();
  radio.openFails = true;
  transfer.EndConnection(port);
  EXPECT_TRUE(radio.hostBytes.empty());
}

TEST(ImageBackupTest, KeepsTheNewestHundred) {
  test::TempFolder folder;
  const std::string dir = folder.file("backups");  // made on the first save
  image::Image img{};
  std::string first;
  for (int i = 0; i < 103; ++i) {
    img[0] = static_cast<std::uint8_t>(i);
    const auto path = SaveBackup(dir, img, i % 2 ? "read" : "write");
    ASSERT_TRUE(path);
    if (i == 0) first = *path;
  }
  int count = 0;
  for (const auto& entry : std::filesystem::directory_iterator(dir))
    count += entry.is_regular_file();
  EXPECT_EQ(count, 100);
  EXPECT_FALSE(std::filesystem::exists(first));
}

// Threads here; a name is claimed in the file system, so separate programs saving at once are
// kept apart the same way.
TEST(ImageBackupTest, RadiosSavingAtOnceNeverOverwriteOneAnother) {
  test::TempFolder folder;
  const std::string dir = folder.file("backups");
  constexpr int kRadios = 8;
  constexpr int kEach = 10;
  std::vector<std::thread> radios;
  for (int r = 0; r < kRadios; ++r) {
    radios.emplace_back([&dir, r] {
      image::Image img{};
      img[0] = static_cast<std::uint8_t>(r);
      for (int i = 0; i < kEach; ++i)
        SaveBackup(dir, img, "write");
    });
  }
  for (auto& radio : radios)
    radio.join();
  int count = 0;
  for (const auto& entry : std::filesystem::directory_iterator(dir))
    count += entry.is_regular_file();
  EXPECT_EQ(count, kRadios * kEach);
}

TEST(ImageBackupTest, LivesInTheUsersDataFolder) {
#ifdef _WIN32
  const test::ScopedVariable data("LOCALAPPDATA", "C:\\Users\\tech\\AppData\\Local");
  EXPECT_EQ(BackupFolder(), "C:\\Users\\tech\\AppData\\Local\\kxprog\\backups");
#else
  const test::ScopedVariable data("XDG_DATA_HOME", "/srv/tech");
  EXPECT_EQ(BackupFolder(), "/srv/tech/kxprog/backups");
#endif
}

}  // namespace
}  // namespace kx
