#include <gtest/gtest.h>

#include "rules/ChannelPage.h"
#include "support/Documents.h"

namespace kx {
namespace {

TEST(ChannelPageTest, PowerSaveTimesAreFlooredOrRefused) {
  const struct {
    bool rxOff;  // Rx Off Time (20..400) or Rx On Time (30..270)
    const char* typed;
    int stored;
    const char* message;
  } cases[] = {
      {true, "15", 200, "Valid Settings 20 to 400"},
      {true, "399", 390, ""},
      {true, "401", 400, ""},
      {true, "410", 200, "Valid Settings 20 to 400"},
      {false, "290", 50, "Valid Settings 30 to 260"},
      {false, "275", 270, ""},
      {false, "45", 50, ""},
      {false, "19", 50, "Valid Settings 30 to 260"},
      {false, "nan", 50, "Valid Settings 30 to 260"},
  };
  for (const auto& c : cases) {
    const TimeEdit e = c.rxOff ? ValidateRxOffTime(c.typed) : ValidateRxOnTime(c.typed);
    EXPECT_EQ(e.value, c.stored) << c.typed;
    EXPECT_EQ(e.text, std::to_string(c.stored));
    EXPECT_EQ(e.notice ? e.notice->text : "", c.message) << c.typed;
  }
}

TEST(ChannelPageTest, LoadingAppliesThePageRulesToTheDocument) {
  CKX200Doc doc = test::DocumentOf(model::kKx600Uhf);
  doc.ffsk = doc.modemEnabled = doc.txDelayEnabled = 1;
  doc.busyLockoutEnabled = 0;
  doc.txMatchedSatEnabled = 1;
  doc.hangOnEnabled = 0;
  doc.hangOnTimeMs = 500;
  doc.txTimeoutEnabled = 1;
  doc.txTimeoutSec = 120;
  doc.powerSaveEnabled = 0;
  doc.channels[0] = {.rxFreqMHz = 420, .txFreqMHz = 0};

  const ChannelPageView view = LoadChannelPage(doc);
  EXPECT_FALSE(view.txDelay);
  EXPECT_FALSE(view.txDelayEnabled);
  EXPECT_EQ(doc.txDelayEnabled, 0);
  EXPECT_FALSE(view.txMatchedSatEnabled);
  EXPECT_EQ(doc.txMatchedSatEnabled, 0);
  EXPECT_EQ(doc.hangOnTimeMs, 0);
  EXPECT_EQ(view.timeoutItem, 12);
  EXPECT_FALSE(view.powerSaveControlsEnabled);
  EXPECT_EQ(view.rxOffText, "0");
  EXPECT_EQ(doc.powerSaveOnMs, 200);  // kept while shown as 0
  EXPECT_EQ(view.rows[0].rxText, "420.00000");
  EXPECT_EQ(view.rows[0].txText, "0.00000");
  EXPECT_EQ(view.rows[0].rx.caption, "");  // no options without both frequencies
  EXPECT_EQ(view.rows[1].rxText, "");

  // A hang time the list cannot show (a damaged file) shows as the nearest item.
  doc.hangOnEnabled = 1;
  for (const auto& [ms, item] : {std::pair{180, 1}, {2000, 183}, {0, 1}, {INT32_MIN, 1}}) {
    doc.hangOnTimeMs = ms;
    EXPECT_EQ(LoadChannelPage(doc).hangItem, item) << ms;
  }
  ChooseHangTime(doc, 183);
  EXPECT_EQ(doc.hangOnTimeMs, 2000);
  EXPECT_EQ(channel_page::HangItemText(183), "2000");
  EXPECT_EQ(channel_page::TimeoutItemText(99), "990");
}

TEST(ChannelPageTest, OptionButtonsShowTheSignallingInItsColourClass) {
  ChannelRecord c{.rxFreqMHz = 150, .txFreqMHz = 150};
  EXPECT_EQ(RxOptionLook(c).caption, "NO");
  c.rxOption = kOptionCtcss;
  c.rxCtcssHz = 69.3;
  EXPECT_EQ(RxOptionLook(c).caption, " 69.3");
  EXPECT_EQ(BackgroundOf(RxOptionLook(c).colourClass), 0xFFCCFFu);
  c.rxCtcssHz = 71.9;
  EXPECT_EQ(BackgroundOf(RxOptionLook(c).colourClass), 0xCCFFFFu);
  c.rxOption = kOptionTwoTone;
  c.twoToneSelect = kToneB;
  EXPECT_EQ(RxOptionLook(c).caption, "Tone B");
  c.txOption = kOptionDcs;
  c.txDcsCode = 23;
  EXPECT_EQ(TxOptionLook(c).caption, "023");
  EXPECT_EQ(BackgroundOf(TxOptionLook(c).colourClass), 0xFFFFCCu);
  EXPECT_FALSE(OptionDialogRefusal(c));
  c.txFreqMHz = 0;
  ASSERT_TRUE(OptionDialogRefusal(c));
  EXPECT_EQ(OptionDialogRefusal(c)->text, "Fill Rx/Tx Freq. first");
}

}  // namespace
}  // namespace kx
