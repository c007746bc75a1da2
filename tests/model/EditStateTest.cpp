#include <gtest/gtest.h>

#include <functional>

#include "model/ChangeCaption.h"
#include "model/EditState.h"
#include "model/RadioMemory.h"

namespace kx {
namespace {

TEST(EditStateTest, OnlyFileFieldsAndPatchesCountAndRestoreKeepsThePort) {
  CKX200Doc doc;
  RadioMemory memory;
  memory.setPendingEdit(0x10, 0);  // a patch to zero is a patch all the same
  const EditState saved = CaptureEditState(doc, memory);
  EXPECT_FALSE(SameConfiguration(saved, CaptureEditState(doc, RadioMemory{})));

  doc.currentChannel = 7;  // an option dialog opened and cancelled
  doc.sideFileValue = 101;
  memory.pendingValues[0x11] = 9;  // no patch flagged there
  EXPECT_TRUE(SameConfiguration(saved, CaptureEditState(doc, memory)));

  doc.channels[2].scan = 1;
  memory.clearPendingEdits();
  RestoreEditState(saved, doc, memory);
  EXPECT_EQ(doc.channels[2].scan, 0);
  EXPECT_EQ(memory.pendingFlags[0x10], 1);
  EXPECT_EQ(doc.sideFileValue, 101);  // the port chosen since stays
}

TEST(ChangeCaptionTest, StepIsNamedAfterTheFieldThatLeads) {
  const std::pair<std::function<void(EditState&)>, const char*> cases[] = {
      // A frequency entered copies itself to transmit: the receive side leads.
      {[](EditState& s) { s.doc.channels[2].rxFreqMHz = s.doc.channels[2].txFreqMHz = 150.0; },
       "Channel 3 Rx Freq(MHz)"},
      {[](EditState& s) { s.doc.channels[15].txCtcssHz = 100.0; }, "Channel 16 TxOption"},
      {[](EditState& s) { s.doc.busyLockoutEnabled = 1; }, "Busy channel lockout"},
      // The labels of the pages, a radio pair by the radio now set.
      {[](EditState& s) { s.doc.gpsCycleIndex = 5; }, "Transmission Cycle"},
      {[](EditState& s) { s.doc.gpsDataTimeSec = 9; }, "Data Transmission Time"},
      {[](EditState& s) { s.doc.hangOnEnabled = 1; }, "Hang Timer"},
      {[](EditState& s) { s.doc.squelchBusyPortCheck = 1; }, "Busy Port Check"},
      {[](EditState& s) { s.doc.channels[0].wide = 1; }, "Channel 1 BW"},
      // One control, several fields: the control's own field leads.
      {[](EditState& s) { s.doc.gmsk = s.doc.sBandBaudIndex = s.doc.modemEnabled = 1; }, "GMSK"},
      {[](EditState& s) { s.doc.afskBell202 = s.doc.modemMode = 1; }, "BELL 202"},
      {[](EditState& s) {
         s.doc.modemMode = 1;
         s.doc.flowControl = 0;
       },
       "Dumb Mode"},
      {[](EditState& s) {
         s.doc.flowControl = 0;
         s.doc.baseBlockSizeIndex = 0;
       },
       "Flow Control"},
      {[](EditState& s) { s.doc.modemEnabled = 1; }, "Modem Enable"},
      {[](EditState& s) {
         s.pendingFlags[0x1A] = 1;
         s.pendingValues[0x1A] = 7;
       },
       "EEPROM map byte 0x01A"},
      {[](EditState& s) { s.doc.reservedDouble1 = 1.5; }, "Configuration change"},
  };
  CKX200Doc base;  // Auto mode, a base block size chosen
  base.modemMode = 2;
  base.baseBlockSizeIndex = 3;
  const EditState before = CaptureEditState(base, RadioMemory{});
  for (const auto& [edit, caption] : cases) {
    EditState after = before;
    edit(after);
    EXPECT_EQ(DescribeChange(before, after), caption) << caption;
  }
}

}  // namespace
}  // namespace kx
