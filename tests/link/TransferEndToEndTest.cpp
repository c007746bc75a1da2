#include <gtest/gtest.h>

#include "PausedLink.h"
#include "RadioLink.h"
#include "link/ImageTransfer.h"
#include "model/ImageCodec.h"
#include "model/KX200Doc.h"
#include "support/Documents.h"
#include "support/TempFolder.h"

namespace kx::test {
namespace {

using Result = TransferOutcome::Result;

// Reads and writes through the real serial port channel, against the virtual radio on a
// pseudo-terminal whose clock is the transfer's pauses, and looks at the wire from the radio's
// side. The retries and every answer a radio may give are covered by the scripted-radio tests.
class TransferEndToEndTest : public ::testing::Test {
 protected:
  void StartRadio(const std::vector<std::string>& faults = {}) {
    sim::RadioSettings settings;
    settings.model = model::kKx600Uhf;
    for (const auto& text : faults) {
      std::string error;
      ASSERT_TRUE(sim::AddFault(text, settings.faults, &error)) << error;
    }
    transfer.reset();
    link.reset();
    radio = std::make_unique<sim::VirtualRadio>(settings);
    link = std::make_unique<PausedLink>(port, *radio);
    std::string error;
    ASSERT_TRUE(radio->Start(&error)) << error;
    choice = {0, radio->SlavePath()};
    transfer = std::make_unique<ImageTransfer>(*link, memory, [this](int ms) { link->Pause(ms); });
    transfer->SetBackupFolder(backups.path().string());
    events.version = [this](const std::string& v) { version = v; };
  }

  static CKX200Doc Configuration() {
    CKX200Doc doc = test::DocumentOf(model::kKx600Uhf);
    doc.channels[0].rxFreqMHz = doc.channels[0].txFreqMHz = 445.5;
    doc.channels[0].scan = 1;
    doc.channels[1].rxFreqMHz = 430.0;
    doc.channels[1].txFreqMHz = 435.0;
    doc.channels[1].rxOption = kOptionDcs;
    doc.channels[1].rxDcsCode = 115;
    return doc;
  }

  // The bytes the radio heard, as the protocol says they must be for a good write of img.
  static Bytes ExpectedWrite(const image::Image& img) {
    Bytes wire = CommandBytes(protocol::command::kWakeUp);
    const Bytes request = CommandBytes(protocol::command::kWriteRequest);
    wire.insert(wire.end(), request.begin(), request.end());
    for (int k = 0; k < protocol::kBlockCount; ++k) {
      const Bytes block = WrittenBlock(k, img);
      wire.insert(wire.end(), block.begin(), block.end());
    }
    const Bytes end = CommandBytes(protocol::command::kEnd);
    wire.insert(wire.end(), end.begin(), end.end());
    return wire;
  }

  TempFolder backups;
  CCommPort port;
  std::unique_ptr<sim::VirtualRadio> radio;
  std::unique_ptr<PausedLink> link;
  RadioMemory memory;
  std::unique_ptr<ImageTransfer> transfer;
  TransferEvents events;
  PortChoice choice;
  std::string version;
};

TEST_F(TransferEndToEndTest, GoodWriteLeavesTheEncodedImageWithHandPatchesInTheRadio) {
  StartRadio();
  CKX200Doc doc = Configuration();
  memory.pendingFlags[0x123] = 1;
  memory.pendingValues[0x123] = 0x5A;

  const TransferOutcome outcome = transfer->OnWrite(doc, choice, events);
  ASSERT_TRUE(outcome.ok()) << outcome.status;
  image::Image expected = BuildImage(doc);
  expected[0x123] = 0x5A;
  expected[0x10] = 2;  // firmware 2.1
  EXPECT_TRUE(radio->WaitFor([&] { return radio->State().writesCompleted == 1; }, kPatience));
  EXPECT_EQ(radio->Memory(), expected);
  EXPECT_EQ(version, "2 . 1");
  EXPECT_TRUE(
      radio->WaitFor([&] { return radio->BytesReceived() == ExpectedWrite(expected); }, kPatience));
  EXPECT_FALSE(port.IsOpen());
  EXPECT_EQ(test::readAll(outcome.backupPath), Bytes(expected.begin(), expected.end()));
}

TEST_F(TransferEndToEndTest, GoodReadGivesTheRadiosConfiguration) {
  StartRadio();
  CKX200Doc doc;
  const TransferOutcome outcome = transfer->OnRead(doc, choice, events);
  ASSERT_TRUE(outcome.ok()) << outcome.status;
  CKX200Doc expected;
  ASSERT_TRUE(DecodeImage(expected, radio->Memory()).ok);
  EXPECT_EQ(doc, expected);
  EXPECT_EQ(doc.modelType, model::kKx600Uhf);
  EXPECT_EQ(version, "2.1");

  // Every block acknowledged with its own check byte, then the end of the connection.
  const image::Image img = radio->Memory();
  Bytes wire = CommandBytes(protocol::command::kWakeUp);
  const Bytes request = CommandBytes(protocol::command::kReadRequest);
  wire.insert(wire.end(), request.begin(), request.end());
  for (int k = 0; k < protocol::kBlockCount; ++k) {
    wire.push_back(protocol::answer::kAccepted);
    wire.push_back(protocol::BlockCheck(&img[static_cast<std::size_t>(k) * 16]));
  }
  const Bytes end = CommandBytes(protocol::command::kEnd);
  wire.insert(wire.end(), end.begin(), end.end());
  EXPECT_TRUE(radio->WaitFor([&] { return radio->BytesReceived() == wire; }, kPatience));
}

TEST_F(TransferEndToEndTest, RadioThatRefusesOrStaysSilent) {
  struct Case {
    std::string fault;
    Result result;
    std::string status;
  };
  const Case cases[] = {
      {"refuse", Result::kRefused, "Write Fail..!"},
      {"silent", Result::kNoAnswer,
       "Communication Error !!!   Check your radio connection to PC !!!"},
      {"garbage", Result::kNotUnderstood, "Writing.....!"},
      {"zeros=2", Result::kBlockFailed, "Write Fail!"},  // the 00 before A1 is not an answer
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.fault);
    StartRadio({k.fault});
    CKX200Doc doc = Configuration();
    const TransferOutcome outcome = transfer->OnWrite(doc, choice, events);
    EXPECT_EQ(outcome.result, k.result);
    EXPECT_EQ(outcome.status, k.status);
    EXPECT_FALSE(port.IsOpen());
    radio->Stop();
  }
}

TEST_F(TransferEndToEndTest, RadioThatDisappearsMidReadFailsCleanly) {
  StartRadio({"vanish=4"});
  CKX200Doc doc = Configuration();
  const CKX200Doc before = doc;
  const TransferOutcome outcome = transfer->OnRead(doc, choice, events);
  EXPECT_EQ(outcome.status, "Read Fail!");
  EXPECT_EQ(doc, before);
  EXPECT_FALSE(port.IsOpen());
}

TEST_F(TransferEndToEndTest, VerifiedWriteReadsTheRadioBackWithoutTouchingTheDocument) {
  StartRadio();
  CKX200Doc doc = Configuration();
  const TransferOutcome outcome = transfer->OnWriteAndVerify(doc, choice, events);
  ASSERT_TRUE(outcome.ok()) << outcome.status;
  EXPECT_TRUE(outcome.differences.empty());
  // The radio counts the read once it has heard the last acknowledgement, after the host is done.
  EXPECT_TRUE(radio->WaitFor([&] { return radio->State().readsCompleted == 1; }, kPatience));
  EXPECT_EQ(memory.working, radio->Memory());
  EXPECT_EQ(doc, Configuration());
  EXPECT_FALSE(outcome.backupPath.empty());  // the write's backup, not a second one
  EXPECT_FALSE(port.IsOpen());

  // The configuration alone, as a file holds it: byte 0x010 is the firmware's, as a write sets it.
  CKX200Doc file = Configuration();
  image::Image stored{};
  EXPECT_TRUE(transfer->OnVerify(BuildImage(file), choice, events, &stored).ok());
  EXPECT_EQ(stored, radio->Memory());
}

TEST_F(TransferEndToEndTest, RadioThatStoresAnotherByteFailsTheVerificationByAddress) {
  StartRadio({"corrupt=0x029"});
  CKX200Doc doc = Configuration();
  const TransferOutcome outcome = transfer->OnWriteAndVerify(doc, choice, events);
  EXPECT_EQ(outcome.result, Result::kVerifyFailed);
  const std::uint8_t wrote = memory.working[0x029];
  ASSERT_EQ(outcome.differences,
            (std::vector<ByteDifference>{{0x029, wrote, static_cast<std::uint8_t>(wrote ^ 1)}}));
  EXPECT_EQ(outcome.status, VerifyFailureText(outcome.differences));
  EXPECT_TRUE(outcome.status.starts_with("Verify failed: 1 byte differs (0x029: wrote "));
  EXPECT_FALSE(port.IsOpen());

  CKX200Doc file = Configuration();
  EXPECT_EQ(transfer->OnVerify(BuildImage(file), choice, events).differences, outcome.differences);
}

}  // namespace
}  // namespace kx::test
