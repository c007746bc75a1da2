#include <gtest/gtest.h>

#include "model/ImageCodec.h"
#include "model/MemoryMapNames.h"
#include "model/RadioMemory.h"
#include "rules/MapEdit.h"
#include "support/Documents.h"

namespace kx {
namespace {

TEST(MapTextTest, LabelsAddressesAndFieldNames) {
  EXPECT_EQ(map_text::Label(25), "19");  // the last row: 0x190 .. 0x19F
  EXPECT_EQ(map_text::CellAddress(0x005), "0x05");
  EXPECT_EQ(map_text::CellAddress(0x0A0), "0xa0");
  EXPECT_EQ(map_text::CellAddress(0x0B8), "0xb8");  // row 12, column 9 of the grid
  EXPECT_EQ(map_text::CellAddress(0x123), "0x123");
  EXPECT_EQ(image::DescribeAddress(0x013),
            "0x013: modem type, Tx forcing, Dumb mode, modem enabled, baud code");
  EXPECT_EQ(image::DescribeAddress(0x029),
            "0x029: channel 2: step, narrow, high power, receive count bits 16..14");
  EXPECT_EQ(image::DescribeAddress(0x0E3), "0x0E3: channel 2: tone B tolerance, upper side");
  EXPECT_EQ(image::DescribeAddress(0x19F), "0x19F: channel 16: tone B cycles");
  EXPECT_EQ(image::DescribeAddress(416), "");
}

TEST(MapEditTest, HexEntriesAreOneOrTwoDigits) {
  const struct {
    const char* typed;
    std::optional<std::uint8_t> value;
    const char* message;
  } cases[] = {
      {"a", 0x0A, ""},
      {"Ff", 0xFF, ""},
      {"07", 0x07, ""},
      {"G1", {}, "Wrong Hexa data input"},
      {"123", {}, "Wrong Hexa data input"},
      {"", {}, "Input Hexa code!"},
      {" 1", {}, "Wrong Hexa data input"},
  };
  for (const auto& c : cases) {
    const HexEntry e = ParseHexEntry(c.typed);
    EXPECT_EQ(e.value, c.value) << c.typed;
    EXPECT_EQ(e.notice ? e.notice->text : "", c.message) << c.typed;
  }
  EXPECT_TRUE(ParseHexEntry("").focusBack);
}

TEST(MapEditTest, TheAccessCodeUnlocksTheValueAndByteB8FollowsAtOnce) {
  CKX200Doc doc = test::DocumentOf(model::kKx600Uhf);
  RadioMemory memory;
  EncodeImage(doc, memory);
  for (const char* code : {"", "84130", "1234"}) {
    MapByteEditor editor(doc, memory, 0xB8);
    editor.TypeAccessCode(code);
    ASSERT_TRUE(editor.Input()) << code;
    EXPECT_EQ(editor.Input()->text, "Wrong password!");
    EXPECT_FALSE(editor.Confirm());  // OK without the code changes nothing
  }
  for (const char* code : {"8413", "08413", "8413abc"}) {
    MapByteEditor editor(doc, memory, 0xB8);
    editor.TypeAccessCode(code);
    EXPECT_FALSE(editor.Input()) << code;
    EXPECT_TRUE(editor.Confirm());
  }
  MapByteEditor editor(doc, memory, 0xB8);
  editor.TypeAccessCode("8413");
  editor.Input();
  EXPECT_FALSE(editor.LeaveValue("5").notice);
  EXPECT_EQ(doc.regB8, 0x05);  // before OK, as the radio software does
}

TEST(MapEditTest, ConfirmedEditsPileUpUntilARead) {
  CKX200Doc doc = test::DocumentOf(model::kKx400Vhf);
  RadioMemory memory;
  EncodeImage(doc, memory);
  memory.markShown();
  ApplyMapEdit(doc, memory, 0x0C, 0x42);
  ApplyMapEdit(doc, memory, 0xB6, 0x77);
  EXPECT_EQ(memory.pendingCount(), 2u);
  EXPECT_EQ(doc.regB6, 0x77);

  // Re-encoding a changed configuration: the patches stay over it, only the change shows.
  doc.txTimeoutSec = 120;
  EncodeImage(doc, memory);
  memory.applyPendingEdits();
  EXPECT_EQ(memory.working[0x0C], 0x42);
  EXPECT_EQ(memory.changedSinceShown(), std::vector<std::size_t>{0x01});
  memory.markShown();
  EXPECT_TRUE(memory.changedSinceShown().empty());
}

TEST(MapEditTest, EngineeringSettingsListTheStepOfEachRecord) {
  image::Image img{};
  img[0x20] = 0x80;
  img[0x29] = 0xC0;
  const auto lines = ChannelSteps(img);
  EXPECT_EQ(lines[0].step, "6.25");
  EXPECT_EQ(lines[0].byte, "0x020: 80");
  EXPECT_EQ(lines[1].step, "7.50");
  EXPECT_EQ(lines[2].step, "2.50");
  EXPECT_EQ(StepListText(img).substr(0, 12), "6.25\r\n7.50\r\n");
}

}  // namespace
}  // namespace kx
