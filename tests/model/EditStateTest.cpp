#include <gtest/gtest.h>

#include <functional>

#include "model/ChangeCaption.h"
#include "model/EditState.h"
#include "model/RadioMemory.h"

namespace kx {
namespace {

TEST(EditStateTest, WorkingFieldsAreNoChangeButFileFieldsAndPatchesAre) {
  const CKX200Doc doc;
  RadioMemory memory;
  const EditState before = CaptureEditState(doc, memory);

  EditState after = before;
  after.doc.currentChannel = 7;  // an option dialog opened and cancelled
  after.doc.gmskToneWarned = 1;
  after.doc.sideFileValue = 3;
  EXPECT_TRUE(SameConfiguration(before, after));

  after.doc.channels[2].scan = 1;
  EXPECT_FALSE(SameConfiguration(before, after));

  EditState patched = before;
  patched.pendingFlags[0x1A] = 1;
  patched.pendingValues[0x1A] = 0;  // even a patch to the value zero
  EXPECT_FALSE(SameConfiguration(before, patched));
  // A value left over where no patch is flagged means nothing.
  EditState stale = before;
  stale.pendingValues[0x1A] = 9;
  EXPECT_TRUE(SameConfiguration(before, stale));
}

TEST(EditStateTest, RestorePutsBackConfigurationAndPatchesButKeepsThePort) {
  CKX200Doc doc;
  RadioMemory memory;
  doc.channels[0].rxFreqMHz = 150.0;
  memory.setPendingEdit(0x10, 0x42);
  const EditState saved = CaptureEditState(doc, memory);

  doc.channels[0].rxFreqMHz = 160.0;
  doc.sideFileValue = 101;  // the port chosen since
  doc.modelDialogCount = 1;
  memory.clearPendingEdits();
  RestoreEditState(saved, doc, memory);

  EXPECT_EQ(doc.channels[0].rxFreqMHz, 150.0);
  EXPECT_EQ(memory.pendingFlags[0x10], 1);
  EXPECT_EQ(memory.pendingValues[0x10], 0x42);
  EXPECT_EQ(doc.sideFileValue, 101);
  EXPECT_EQ(doc.modelDialogCount, 1);
}

TEST(ChangeCaptionTest, StepIsNamedAfterTheFieldThatLeads) {
  struct Case {
    std::function<void(EditState&)> edit;
    const char* caption;
  };
  const Case cases[] = {
      // A frequency entered copies itself to transmit: the receive side leads.
      {[](EditState& s) {
         s.doc.channels[2].rxFreqMHz = 150.0;
         s.doc.channels[2].txFreqMHz = 150.0;
       },
       "Channel 3 Rx frequency"},
      {[](EditState& s) { s.doc.channels[15].txCtcssHz = 100.0; }, "Channel 16 Tx option"},
      {[](EditState& s) { s.doc.channels[0].wide = 1; }, "Channel 1 bandwidth"},
      {[](EditState& s) { s.doc.busyLockoutEnabled = 1; }, "Busy channel lockout"},
      {[](EditState& s) { s.doc.gpsDataDelaySec = 60; }, "GPS data delay"},
      {[](EditState& s) {
         s.pendingFlags[0x1A] = 1;
         s.pendingValues[0x1A] = 7;
       },
       "EEPROM map byte 0x01A"},
      {[](EditState& s) { s.doc.reservedDouble1 = 1.5; }, "Configuration change"},
  };
  const EditState before = CaptureEditState(CKX200Doc{}, RadioMemory{});
  for (const Case& c : cases) {
    EditState after = before;
    c.edit(after);
    EXPECT_EQ(DescribeChange(before, after), c.caption);
  }
}

}  // namespace
}  // namespace kx
