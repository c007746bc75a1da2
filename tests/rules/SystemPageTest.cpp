#include <gtest/gtest.h>

#include "rules/SystemPage.h"
#include "support/Documents.h"

namespace kx {
namespace {

TEST(SystemPageTest, EditsAreFlooredToTheirStepOrRefused) {
  enum Edit { kScanSpeed, kDataTime, kDataDelay };
  constexpr int kStored = 7;  // what the document held before the edit
  const struct {
    Edit edit;
    const char* typed;
    int stored;
    const char* shown;
    const char* message;
  } cases[] = {
      {kScanSpeed, "2005", 2000, "2000", ""},
      {kScanSpeed, "105", 100, " 100", ""},
      {kScanSpeed, "45", 50, "  50", "Valid Settings 50 - 2000 ms "},
      {kScanSpeed, "2010", 50, "  50", "Valid Settings 50 - 2000 ms "},
      {kScanSpeed, "", 50, "  50", "Valid Settings 50 - 2000 ms "},
      {kScanSpeed, "99999999999999", 50, "  50", "Valid Settings 50 - 2000 ms "},
      {kDataTime, "0", kStored, "7", "Valid Settings 1 - 10"},
      {kDataTime, "11", kStored, "7", "Valid Settings 1 - 10"},
      {kDataTime, "-3", kStored, "7", "Valid Settings 1 - 10"},
      {kDataTime, "10", 10, "10", ""},
      {kDataTime, " 1s", 1, "1", ""},
      {kDataDelay, "305", 300, "300", ""},
      {kDataDelay, "59", 50, "50", ""},
      {kDataDelay, "40", kStored, "7", "Valid Settings 50 - 300"},
      {kDataDelay, "310", kStored, "7", "Valid Settings 50 - 300"},
      {kDataDelay, "abc", kStored, "7", "Valid Settings 50 - 300"},
  };
  for (const auto& c : cases) {
    const SystemEdit e = c.edit == kScanSpeed  ? ValidateScanSpeed(c.typed)
                         : c.edit == kDataTime ? ValidateGpsDataTime(c.typed, kStored)
                                               : ValidateGpsDataDelay(c.typed, kStored);
    EXPECT_EQ(e.value, c.stored) << c.typed;
    EXPECT_EQ(e.text, c.shown) << c.typed;
    EXPECT_EQ(e.notice ? e.notice->text : "", c.message) << c.typed;
    EXPECT_EQ(e.takeFocus, e.notice.has_value()) << c.typed;
    if (e.notice) {
      EXPECT_EQ(e.notice->kind, NoticeKind::kStop);
    }
  }
}

TEST(SystemPageTest, OnlyTheKx600HasTheOptionsAndTheBoxesGateTheirFields) {
  const struct {
    ModelType type;
    bool squelch, gps;
    bool full, radios, gpsFields;
  } cases[] = {
      {model::kKx400Uhf, true, true, false, false, false},
      {model::kKx400Vhf, true, true, false, false, false},
      {model::kKx600Vhf, true, true, true, true, true},
      {model::kKx600Uhf, false, true, true, false, true},
      {model::kKx600Uhf, true, false, true, true, false},
  };
  for (const auto& c : cases) {
    CKX200Doc doc = test::DocumentOf(c.type);
    doc.squelchEnabled = c.squelch;
    doc.gpsEnabled = c.gps;
    doc.viewFlagA = 1 - c.full;
    const SystemPageView view = LoadSystemPage(doc);
    const SystemPageEnabling& e = view.enabled;
    EXPECT_EQ(doc.viewFlagA, c.full ? 1 : 0) << c.type;
    for (bool usable : {e.squelchBox, e.scanDelay, e.scanSpeed, e.beepOnHangOn, e.txTone, e.gpsBox})
      EXPECT_EQ(usable, c.full) << c.type;
    EXPECT_EQ(e.squelchRadios, c.radios) << c.type;
    EXPECT_EQ(e.gpsFields, c.gpsFields) << c.type;
  }
}

TEST(SystemPageTest, ViewShowsTheStoredValuesAndNoItemForAnIndexOutsideItsList) {
  CKX200Doc doc = test::DocumentOf(model::kKx600Vhf);
  doc.squelchBusyPortCheck = 1;
  doc.scanDelayIndex = 14;
  doc.scanSpeedMs = 1230;
  doc.gpsEnabled = 0;  // the GPS values show while GPS is off
  doc.gpsCycleIndex = 23;
  doc.gpsDataTimeSec = 9;
  doc.gpsDataDelaySec = 120;
  doc.externalModulation = 1;
  SystemPageView view = SystemPageViewOf(doc);
  EXPECT_TRUE(view.busyPortCheck);
  EXPECT_TRUE(view.externalModulation);
  EXPECT_EQ(view.scanDelayItem, 14);
  EXPECT_EQ(view.scanSpeedText, "1230");
  EXPECT_EQ(view.gpsCycleItem, 23);
  EXPECT_EQ(view.gpsDataTimeText, "9");
  EXPECT_EQ(view.gpsDataDelayText, "120");

  // A radio image can hold a nibble 0 or a cycle byte beyond 24 hours.
  doc.scanDelayIndex = -1;
  doc.gpsCycleIndex = 200;
  view = SystemPageViewOf(doc);
  EXPECT_EQ(view.scanDelayItem, -1);
  EXPECT_EQ(view.gpsCycleItem, -1);
  EXPECT_EQ(doc.gpsCycleIndex, 200);  // left for the technician to choose
}

}  // namespace
}  // namespace kx
