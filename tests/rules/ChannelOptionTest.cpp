#include <gtest/gtest.h>

#include "rules/ChannelOption.h"
#include "rules/TwoTone.h"
#include "support/Documents.h"

namespace kx {
namespace {

CKX200Doc withChannel(ModelType type, int rxOption) {
  CKX200Doc doc = test::DocumentOf(type);
  doc.channels[2] = {.rxFreqMHz = 150, .txFreqMHz = 150, .rxOption = rxOption};
  doc.currentChannel = 3;
  return doc;
}

TEST(ChannelOptionTest, KindsShowAsStoredOnlyWhereTwoToneExists) {
  CKX200Doc kx400 = withChannel(model::kKx400Uhf, kOptionTwoTone);
  ChannelOptionEditor onKx400(kx400);
  EXPECT_EQ(onKx400.Shown().rxKind, kOptionDcs);
  EXPECT_FALSE(onKx400.Shown().twoToneAvailable);
  EXPECT_FALSE(onKx400.Enabled(OptionValue::kTwoTone));

  // Locked, as every new configuration is, the radio still leads to the access code; only the
  // two-tone values stay shut.
  CKX200Doc locked = withChannel(model::kKx600Uhf, kOptionTwoTone);
  ChannelOptionEditor onLocked(locked);
  EXPECT_TRUE(onLocked.Shown().twoToneAvailable);
  EXPECT_FALSE(onLocked.Enabled(OptionValue::kTwoTone));

  CKX200Doc kx600 = withChannel(model::kKx600Uhf, kOptionTwoTone);
  kx600.twoToneLocked = 0;
  ChannelOptionEditor onKx600(kx600);
  EXPECT_EQ(onKx600.Shown().rxKind, kOptionTwoTone);
  EXPECT_TRUE(onKx600.Enabled(OptionValue::kTwoTone));
  EXPECT_EQ(onKx600.Caption(OptionValue::kRxCtcss), " 67.0");
  EXPECT_EQ(onKx600.Caption(OptionValue::kRxDcs), "023");
}

TEST(ChannelOptionTest, GmskWarningComesOnceAndCancelRestoresTheChannel) {
  CKX200Doc doc = withChannel(model::kKx600Vhf, kOptionNone);
  doc.gmsk = doc.modemEnabled = 1;
  ChannelOptionEditor editor(doc);
  auto warnings = editor.ChooseRxKind(kOptionCtcss);
  ASSERT_EQ(warnings.size(), 1u);
  EXPECT_EQ(warnings[0].text, "Tone isn't used in GMSK modem");
  EXPECT_TRUE(editor.ChooseTxKind(kOptionCtcss).empty());
  EXPECT_TRUE(editor.Enabled(OptionValue::kRxCtcss));
  editor.PickCtcss(true, "69.3");
  EXPECT_EQ(editor.Caption(OptionValue::kRxCtcss), "69.3");
  EXPECT_DOUBLE_EQ(doc.channels[2].rxCtcssHz, 69.3);
  editor.PickDcs(false, "754");
  EXPECT_EQ(doc.channels[2].txDcsCode, 754);

  editor.Cancel();
  EXPECT_EQ(doc.channels[2].rxOption, kOptionNone);
  EXPECT_EQ(doc.channels[2].txOption, kOptionNone);
  EXPECT_DOUBLE_EQ(doc.channels[2].rxCtcssHz, 67.0);
  EXPECT_EQ(doc.gmskToneWarned, 1);  // the warning is not given again
}

TEST(ChannelOptionTest, TwoToneNeedsTheAccessCodeOnce) {
  CKX200Doc doc = withChannel(model::kKx600Uhf, kOptionNone);
  doc.ffsk = doc.modemEnabled = 1;
  ChannelOptionEditor editor(doc);
  auto start = editor.ChooseTwoTone();
  ASSERT_EQ(start.warnings.size(), 1u);
  EXPECT_EQ(start.warnings[0].text, "Two Tone isn't used in FFSK modem");
  ASSERT_TRUE(start.needsCondition);

  // A wrong code while the lock is on chooses nothing.
  const ConditionResult wrong = EnableTwoTone(doc, "");
  EXPECT_TRUE(wrong.accepted);
  ASSERT_TRUE(wrong.notice);
  EXPECT_EQ(wrong.notice->text, "Wrong password!");
  editor.FinishTwoTone(wrong.accepted);
  EXPECT_EQ(doc.channels[2].rxOption, kOptionNone);
  EXPECT_EQ(editor.Shown().rxKind, kOptionNone);
  EXPECT_FALSE(editor.Enabled(OptionValue::kTwoTone));
  EXPECT_EQ(doc.twoToneUnlocked, 0);

  // Conversion stops at the first non-digit: "8413" and letters is the code.
  EXPECT_FALSE(EnableTwoTone(doc, "8413abc").notice);
  editor.FinishTwoTone(true);
  EXPECT_TRUE(editor.Enabled(OptionValue::kTwoTone));
  EXPECT_EQ(doc.twoToneUnlocked, 1);
  EXPECT_FALSE(editor.ChooseTwoTone().needsCondition);

  // Locking again takes two-tone off every channel, nothing else.
  doc.channels[9].rxOption = kOptionTwoTone;
  doc.channels[9].toneAHz = 1000;
  const ConditionResult locked = DisableTwoTone(doc, "8413");
  EXPECT_FALSE(locked.accepted);
  EXPECT_EQ(doc.twoToneLocked, 1);
  EXPECT_EQ(doc.channels[2].rxOption, kOptionNone);
  EXPECT_EQ(doc.channels[9].rxOption, kOptionNone);
  EXPECT_DOUBLE_EQ(doc.channels[9].toneAHz, 1000);
}

TEST(ChannelOptionTest, WithTheLockOnOnlyTheAccessCodeStoresTwoTone) {
  const struct {
    bool locked;
    const char* code;
    int rxOption, twoToneSelect;  // stored afterwards; the channel had DCS and "Tone A"
    bool valueEnabled;
  } cases[] = {
      {true, "", kOptionDcs, kToneA, false},
      {true, "1234", kOptionDcs, kToneA, false},
      {true, "841", kOptionDcs, kToneA, false},
      {true, "8413", kOptionTwoTone, kToneBoth, true},
      // With the lock already off a wrong code chooses two-tone, with no value to set.
      {false, "1234", kOptionTwoTone, kToneBoth, false},
  };
  for (const auto& c : cases) {
    CKX200Doc doc = withChannel(model::kKx600Vhf, kOptionDcs);
    doc.channels[2].twoToneSelect = kToneA;
    doc.twoToneLocked = c.locked ? 1 : 0;
    ChannelOptionEditor editor(doc);
    ASSERT_TRUE(editor.ChooseTwoTone().needsCondition);
    editor.FinishTwoTone(EnableTwoTone(doc, c.code).accepted);
    EXPECT_EQ(doc.channels[2].rxOption, c.rxOption) << c.locked << c.code;
    EXPECT_EQ(doc.channels[2].twoToneSelect, c.twoToneSelect) << c.locked << c.code;
    EXPECT_EQ(editor.Shown().rxKind, c.rxOption) << c.locked << c.code;
    EXPECT_EQ(editor.Enabled(OptionValue::kTwoTone), c.valueEnabled) << c.locked << c.code;
  }
}

TEST(ChannelOptionTest, TabOnCancelWalksTheChannelsAndWrapsWithAMessage) {
  CKX200Doc doc = withChannel(model::kKx400Vhf, kOptionNone);
  doc.currentChannel = 15;
  doc.channels[15].rxOption = kOptionDcs;
  ChannelOptionEditor editor(doc);
  EXPECT_FALSE(editor.Advance());
  EXPECT_EQ(editor.Shown().channel, 16);
  EXPECT_EQ(editor.Shown().rxKind, kOptionDcs);
  EXPECT_EQ(doc.currentChannel, 16);  // the two-tone dialog follows
  const auto wrapped = editor.Advance();
  ASSERT_TRUE(wrapped);
  EXPECT_EQ(wrapped->text, "Out of range channel");
  EXPECT_EQ(editor.Shown().channel, 1);
}

TEST(TwoToneDataTest, TonesAreFlooredToTenOrRefused) {
  const struct {
    bool frequency;
    const char* typed;
    std::optional<double> stored;
    const char* text;
  } cases[] = {
      {true, "305", 300, " 300"},  {true, "2999", 2990, "2990"}, {true, "3001", {}, "1000.0"},
      {true, "299", {}, "1000.0"}, {false, "99", {}, "1000.0"},  {false, "10009", 10000, "10000"},
      {false, "100", 100, " 100"},
  };
  for (const auto& c : cases) {
    const ToneFieldEdit e =
        c.frequency ? ValidateToneFrequency(c.typed, 1000) : ValidateToneDuration(c.typed, 1000);
    EXPECT_EQ(e.value, c.stored) << c.typed;
    EXPECT_EQ(e.text, c.text) << c.typed;
    EXPECT_EQ(e.notice.has_value(), !c.stored.has_value()) << c.typed;
  }
  EXPECT_EQ(ValidateToneFrequency("3001", 300).notice->text, "Valid Settings 300 - 3000 Hz");
  EXPECT_EQ(ValidateToneDuration("99", 300).notice->text, "Valid Settings 100 - 10000 ms");
  EXPECT_EQ(TwoToneEditsEnabled(kToneB), (std::array<bool, 4>{false, false, true, true}));
}

}  // namespace
}  // namespace kx
