// Every way a radio lets a read or a write down, through the real serial port channel and a
// virtual radio on a pseudo-terminal, one row at a time. Whatever the radio does, the transfer
// ends with its status text, the port is closed and can be opened again at once, no thread is
// left behind, a failed read leaves the configuration as it was and a write the radio did not
// take whole is never reported as done. The radio's clock is the transfer's pauses, so every
// row comes out the same however busy the machine is.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <mutex>
#include <string>

#include "PausedLink.h"
#include "RadioLink.h"
#include "link/ImageTransfer.h"
#include "model/ImageCodec.h"
#include "model/KX200Doc.h"
#include "support/Documents.h"

namespace kx::test {
namespace {

using Result = TransferOutcome::Result;
using namespace std::chrono_literals;

constexpr const char* kNoAnswer = "Communication Error !!!   Check your radio connection to PC !!!";

struct Row {
  const char* name;
  bool write;
  std::vector<std::string> faults;
  Result result;
  const char* status;
  // A radio on a real line: both sides at 4800 baud, answering this long after it heard the
  // programmer, so its answers land near the end of the programmer's pauses.
  std::optional<std::chrono::milliseconds> pacedAnswer;
};

std::ostream& operator<<(std::ostream& out, const Row& row) {
  return out << row.name;
}

// Blocks are 0..25; a fault on block 5 leaves the transfer half done.
const Row kRows[] = {
    {"RefusedRead", false, {"refuse"}, Result::kRefused, "Read Fail..!", {}},
    {"RefusedWrite", true, {"refuse"}, Result::kRefused, "Write Fail..!", {}},
    {"SilentRead", false, {"silent"}, Result::kNoAnswer, kNoAnswer, {}},
    {"SilentWrite", true, {"silent"}, Result::kNoAnswer, kNoAnswer, {}},
    {"GarbageRead", false, {"garbage"}, Result::kNotUnderstood, "Reading.....!", {}},
    {"GarbageWrite", true, {"garbage"}, Result::kNotUnderstood, "Writing.....!", {}},
    // A zero byte before a block frame or an acknowledgement is not what the protocol allows.
    {"ZeroBytesRead", false, {"zeros=2"}, Result::kBlockFailed, "Read Fail!", {}},
    {"ZeroBytesWrite", true, {"zeros=2"}, Result::kBlockFailed, "Write Fail!", {}},
    {"DoubledReadyRead", false, {"double-aa"}, Result::kDone, "Reading.....!", {}},
    {"DoubledReadyWrite", true, {"double-aa"}, Result::kDone, "Writing.....!", {}},
    {"WrittenBlockRejectedOnce", true, {"nak-write=1@5"}, Result::kDone, "Writing.....!", {}},
    {"WrittenBlockRejectedTwice", true, {"nak-write=2@5"}, Result::kDone, "Writing.....!", {}},
    {"WrittenBlockRejectedThrice", true, {"nak-write=3@5"}, Result::kDone, "Writing.....!", {}},
    {"WrittenBlockRejectedFourTimes",
     true,
     {"nak-write=4@5"},
     Result::kBlockFailed,
     "Write Fail!",
     {}},
    {"ReadBlockBadOnce", false, {"bad-check=1@5"}, Result::kDone, "Reading.....!", {}},
    {"ReadBlockBadFourTimes", false, {"bad-check=4@5"}, Result::kDone, "Reading.....!", {}},
    {"ReadBlockBadFiveTimes", false, {"bad-check=5@5"}, Result::kBlockFailed, "Read Fail!", {}},
    {"RadioGoneDuringRead", false, {"vanish=5"}, Result::kBlockFailed, "Read Fail!", {}},
    {"RadioGoneDuringWrite", true, {"vanish=5"}, Result::kBlockFailed, "Write Fail!", {}},
    // A read block (22 bytes, 46 ms on the wire) answered 15 ms after the programmer's
    // acknowledgement is whole some 40 ms before the programmer looks for it; a written block's
    // acknowledgement comes 50 ms after the block, its last byte 52 ms after it: close to the
    // end of the pauses.
    {"SlowRadioRead", false, {}, Result::kDone, "Reading.....!", 15ms},
    {"SlowRadioWrite", true, {}, Result::kDone, "Writing.....!", 50ms},
};

// The port's watch threads in this process, by name.
std::size_t watchThreads() {
  std::size_t count = 0;
  for (const auto& task : std::filesystem::directory_iterator("/proc/self/task")) {
    std::ifstream comm(task.path() / "comm");
    std::string name;
    std::getline(comm, name);
    count += name == "ThreadWatchComm";
  }
  return count;
}

class TransferFaultTest : public ::testing::TestWithParam<Row> {
 protected:
  void SetUp() override {
    const Row& row = GetParam();
    sim::RadioSettings settings;
    settings.model = model::kKx600Uhf;
    for (const auto& text : row.faults) {
      std::string error;
      ASSERT_TRUE(sim::AddFault(text, settings.faults, &error)) << error;
    }
    if (row.pacedAnswer) {
      settings.timing = sim::RadioSettings::PacedTiming();
      settings.timing.answerDelay = *row.pacedAnswer;
      port.SetPacedWrites(true);
    }
    radio = std::make_unique<sim::VirtualRadio>(settings);
    link = std::make_unique<PausedLink>(port, *radio);
    std::string error;
    ASSERT_TRUE(radio->Start(&error)) << error;
    transfer = std::make_unique<ImageTransfer>(*link, memory, [this](int ms) { link->Pause(ms); });
    transfer->SetBackupFolder({});
    port.SetMessageSink([this](const Notice& notice) {
      std::lock_guard lock(mutex);
      portMessages.push_back(notice.text);
    });
  }

  std::mutex mutex;
  std::vector<std::string> portMessages;
  std::unique_ptr<sim::VirtualRadio> radio;
  CCommPort port;
  std::unique_ptr<PausedLink> link;
  RadioMemory memory;
  std::unique_ptr<ImageTransfer> transfer;
};

TEST_P(TransferFaultTest, EndsCleanlyWithItsStatus) {
  const Row& row = GetParam();
  const image::Image radioBefore = radio->Memory();
  CKX200Doc doc = DocumentOf(model::kKx600Uhf);
  doc.channels[0].rxFreqMHz = doc.channels[0].txFreqMHz = 445.5;
  const CKX200Doc docBefore = doc;
  const std::string device = radio->SlavePath();

  std::string version;
  TransferEvents events;
  events.version = [&version](const std::string& text) { version = text; };

  const TransferOutcome outcome = row.write ? transfer->OnWrite(doc, {0, device}, events)
                                            : transfer->OnRead(doc, {0, device}, events);

  EXPECT_EQ(outcome.result, row.result);
  EXPECT_EQ(outcome.status, row.status);
  if (outcome.ok()) {
    EXPECT_EQ(version, row.write ? "2 . 1" : "2.1");  // a doubled 0xAA skipped
  }
  EXPECT_FALSE(port.IsOpen());
  // The port's watch thread is gone: joined by Close, it leaves the task list a moment after.
  EXPECT_TRUE(radio->WaitFor([] { return watchThreads() == 0; }, kPatience))
      << watchThreads() << " watch threads left";

  const bool gone = !row.faults.empty() && row.faults[0].starts_with("vanish");
  if (gone) {
    // The device went with the radio; the port itself takes the next one at once. The gone
    // device's name is not opened again: the system hands it to the next pseudo-terminal,
    // which may be another test's radio running beside this one.
    sim::VirtualRadio next;
    ASSERT_TRUE(next.Start());
    EXPECT_TRUE(port.Open(next.SlavePath(), 4800, 0)) << port.LastError();
    std::lock_guard lock(mutex);
    EXPECT_EQ(portMessages, std::vector<std::string>{port_message::kLineLost + device});
  } else {
    EXPECT_TRUE(port.Open(device, 4800, 0)) << port.LastError();
    std::lock_guard lock(mutex);
    EXPECT_TRUE(portMessages.empty());
  }
  port.Close();

  if (row.write) {
    const image::Image expected = outcome.ok() ? memory.working : radioBefore;
    EXPECT_TRUE(radio->WaitFor(
        [&] { return radio->State().writesCompleted == (outcome.ok() ? 1 : 0); }, kPatience));
    EXPECT_EQ(radio->Memory(), expected);
  } else if (outcome.ok()) {
    CKX200Doc expected = docBefore;
    ASSERT_TRUE(DecodeImage(expected, radioBefore).ok);
    EXPECT_EQ(doc, expected);
  } else {
    EXPECT_EQ(doc, docBefore);
  }
}

INSTANTIATE_TEST_SUITE_P(Rows, TransferFaultTest, ::testing::ValuesIn(kRows),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace kx::test
