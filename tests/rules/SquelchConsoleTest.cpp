#include <gtest/gtest.h>

#include "ServiceBench.h"
#include "rules/SquelchConsole.h"

namespace kx::test {
namespace {

using S = SquelchControl;

struct Bench : ServiceBench<SquelchConsole> {
  Bench() {
    radio.identification = {0xAA, 0x07, 0x34, protocol::modem_byte::kGmsk};
    opening = Open();
    radio.frames.clear();
  }
  ServiceOpening opening;
};

TEST(SquelchConsoleTest, OpensInPresetModeAndClampsTheChannel) {
  Bench bench;
  EXPECT_EQ(bench.doc.radioChannel, 7);
  EXPECT_EQ(bench.console.Shown().channel, 1);
  EXPECT_EQ(bench.console.Shown().customCaption, " Custom Define ? ");
  for (S c : {S::kSetOpen, S::kSetClose, S::kSave})
    EXPECT_FALSE(bench.console.Enabled(c));
  EXPECT_TRUE(bench.console.SetChannel(20).empty());
  EXPECT_EQ(bench.radio.frames, std::vector<Bytes>{FrameOf(0x64, 0)});
}

struct LeaveCase {
  const char* name;
  std::vector<Notice> (SquelchConsole::*action)();
  Bytes sent;
  bool saveAfter;
};

TEST(SquelchConsoleTest, SaveAndDefaultReturnToThePreset) {
  const LeaveCase cases[] = {
      {"SAVE", &SquelchConsole::Save, {0x56, 0x04, 0x5A}, false},
      {"DEFAULT", &SquelchConsole::RestoreDefault, {0x52, 0x03, 0x55}, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Bench bench;
    bench.console.SetCustom(true);
    EXPECT_EQ(bench.console.Shown().customCaption, "Custom Mode");
    for (S s : {S::kSetOpen, S::kSetClose, S::kSave})
      EXPECT_TRUE(bench.console.Enabled(s));
    bench.console.SetOpen();
    bench.console.SetClose();
    EXPECT_TRUE((bench.console.*c.action)().empty());
    EXPECT_EQ(bench.radio.frames,
              (std::vector<Bytes>{{0x50, 0x01, 0x51}, {0x51, 0x02, 0x53}, c.sent}));
    EXPECT_FALSE(bench.console.Shown().custom);
    EXPECT_EQ(bench.console.Shown().customCaption, "Custom Define ?");
    EXPECT_FALSE(bench.console.Enabled(S::kSetOpen));
    EXPECT_FALSE(bench.console.Enabled(S::kSetClose));
    EXPECT_EQ(bench.console.Enabled(S::kSave), c.saveAfter);
  }

  // Leaving custom mode by its own toggle reads a little differently.
  Bench toggled;
  toggled.console.SetCustom(true);
  toggled.console.SetCustom(false);
  EXPECT_EQ(toggled.console.Shown().customCaption, "Custom Define?");
  EXPECT_FALSE(toggled.console.Enabled(S::kSave));
  EXPECT_TRUE(toggled.radio.frames.empty());
}

}  // namespace
}  // namespace kx::test
