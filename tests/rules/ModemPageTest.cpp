#include <gtest/gtest.h>

#include <random>

#include "model/ModelTraits.h"
#include "rules/ModemPage.h"
#include "support/Documents.h"

namespace kx {
namespace {

using Strings = std::vector<std::string>;

// A page loaded from a fresh configuration of the model, as the technician first sees it.
struct Page {
  explicit Page(ModelType type) : doc(test::DocumentOf(type)) {
    doc.modemCondition = 2;
    view = LoadModemPage(doc);
  }
  void take(const ModemUpdate& u) { view = u.view; }
  CKX200Doc doc;
  ModemView view;
};

TEST(ModemPageTest, TickedTypeShowsItsSortedBaudListsAndStoresTheirPositions) {
  const struct {
    ModelType model;
    ModemUpdate (*tick)(CKX200Doc&, ModemView, bool);
    Strings sItems, nItems;
    std::string sShown, nShown;
    int sIndex, nIndex;
  } cases[] = {
      {model::kKx600Uhf,
       ChooseFfsk,
       {"1200", "2400", "4800"},
       {"1200", "2400"},
       "4800",
       "2400",
       2,
       1},
      {model::kKx600Vhf, ChooseGmsk, {"4800", "9600"}, {"4800"}, "9600", "4800", 1, 0},
      {model::kKx600Uhf, ChooseAfsk, {"1200"}, {"1200"}, "1200", "1200", 0, 0},
  };
  for (const auto& c : cases) {
    Page p(c.model);
    const ModemUpdate u = c.tick(p.doc, p.view, true);
    EXPECT_EQ(u.view.sBand.items, c.sItems);
    EXPECT_EQ(u.view.nBand.items, c.nItems);
    EXPECT_EQ(u.view.sBand.Shown(), c.sShown);
    EXPECT_EQ(u.view.nBand.Shown(), c.nShown);
    EXPECT_EQ(p.doc.sBandBaudIndex, c.sIndex);
    EXPECT_EQ(p.doc.nBandBaudIndex, c.nIndex);
    EXPECT_TRUE(u.notices.empty());
  }
}

TEST(ModemPageTest, OneModemTypeAtATime) {
  Page p(model::kKx600Uhf);
  p.take(ChooseGmsk(p.doc, p.view, true));
  EXPECT_FALSE(p.view.ffsk.enabled);
  EXPECT_FALSE(p.view.afsk.enabled);
  EXPECT_FALSE(p.view.txDelay2.enabled);  // tone only
  p.take(ChooseGmsk(p.doc, p.view, false));
  EXPECT_TRUE(p.view.ffsk.enabled && p.view.afsk.enabled && p.view.txDelay2.enabled);

  // KX600 AFSK: BELL 202 runs in Dumb mode, V23 in Auto mode.
  p.doc.afskBell202 = 1;
  p.take(ChooseAfsk(p.doc, p.view, true));
  EXPECT_EQ(p.view.flavour, 1);
  EXPECT_EQ(p.doc.modemMode, 1);
  EXPECT_FALSE(p.view.modeEnabled);
  p.take(ChooseAfskFlavour(p.doc, p.view, false));
  EXPECT_TRUE(p.view.modeEnabled);
  EXPECT_EQ(p.doc.afskBell202, 0);
  p.take(ChooseAfskFlavour(p.doc, p.view, true));
  EXPECT_EQ(p.view.mode, 1);
  EXPECT_FALSE(p.view.gmsk.enabled || p.view.gmsk.checked);

  // The KX400 has AFSK only.
  Page kx400(model::kKx400Vhf);
  kx400.take(ChooseAfsk(kx400.doc, kx400.view, false));
  EXPECT_FALSE(kx400.view.gmsk.enabled);
  EXPECT_FALSE(kx400.view.ffsk.enabled);
}

TEST(ModemPageTest, ClearingTheTypeSwitchesTheModemOff) {
  Page p(model::kKx600Vhf);
  p.take(ChooseGmsk(p.doc, p.view, true));
  p.take(SwitchModem(p.doc, p.view, true));
  p.doc.gmskToneWarned = 1;
  const ModemUpdate off = ChooseGmsk(p.doc, p.view, false);
  EXPECT_EQ(p.doc.modemEnabled, 0);
  EXPECT_FALSE(off.view.modem.checked);
  EXPECT_EQ(off.view.modemCaption, "Modem Disable");
  EXPECT_FALSE(off.view.sBand.enabled);
  EXPECT_EQ(off.modemSwitched, false);
  EXPECT_EQ(p.doc.gmskToneWarned, 0);
  // Already off: nothing for the system page.
  EXPECT_FALSE(ChooseGmsk(p.doc, p.view, true).modemSwitched.has_value());
}

TEST(ModemPageTest, EnableButtonChecksInOrder) {
  constexpr const char* kExternal =
      "You cannot use Modem with External Modulation at the same time!\r\nYou should remove the "
      "check on the External Modulation on SYS/GPS tab.";
  const struct {
    std::int32_t CKX200Doc::*type;  // null: no modem type
    int externalModulation;
    int rxOption3, txOption7;  // signalling of channels 3 and 7
    int rxOption4;             // and 4
    Strings notices;
    int enabled;
  } cases[] = {
      {nullptr, 0, 0, 0, 0, {"You should select GMSK, FFSK or AFSK!"}, 0},
      {&CKX200Doc::afsk, 1, 0, 0, 0, {kExternal}, 0},
      {&CKX200Doc::gmsk, 0, kOptionCtcss, 0, 0, {"Tone isn't used in GMSK modem"}, 1},
      {&CKX200Doc::gmsk, 0, kOptionDcs, kOptionDcs, 0, Strings(2, "Tone isn't used in GMSK modem"),
       1},
      {&CKX200Doc::ffsk,
       0,
       kOptionCtcss,
       0,
       kOptionTwoTone,
       {"Two Tone isn't used in FFSK modem"},
       1},
      {&CKX200Doc::afsk, 0, kOptionTwoTone, 0, 0, {}, 1},
  };
  for (const auto& c : cases) {
    Page p(model::kKx600Uhf);
    if (c.type) p.doc.*c.type = 1;
    p.doc.externalModulation = c.externalModulation;
    p.doc.channels[2].rxOption = c.rxOption3;
    p.doc.channels[6].txOption = c.txOption7;
    p.doc.channels[3].rxOption = c.rxOption4;
    p.view = LoadModemPage(p.doc);
    const ModemUpdate u = SwitchModem(p.doc, p.view, true);
    Strings texts;
    for (const Notice& n : u.notices) {
      texts.push_back(n.text);
      EXPECT_EQ(n.kind, NoticeKind::kWarning);
    }
    EXPECT_EQ(texts, c.notices);
    EXPECT_EQ(p.doc.modemEnabled, c.enabled);
    EXPECT_EQ(u.view.modem.checked, c.enabled != 0);
    EXPECT_EQ(u.view.modemCaption, c.enabled ? "Modem Enable" : "Modem Disable");
    EXPECT_EQ(u.view.sBand.enabled, c.enabled != 0);
    EXPECT_EQ(u.modemSwitched, c.enabled ? std::optional<bool>(true) : std::nullopt);
  }
}

TEST(ModemPageTest, ScanningChannelsAskWhichStaysAndTheAnswerCountsOnce) {
  for (const bool yes : {true, false}) {
    Page p(model::kKx400Uhf);  // AFSK
    p.doc.channels[1].scan = p.doc.channels[4].scan = 1;
    const ModemUpdate start = SwitchModem(p.doc, p.view, true);
    ASSERT_TRUE(start.askScanWarning);
    EXPECT_EQ(p.doc.modemRequestPending, 1);
    AnswerScanWarning(p.doc, yes);
    AnswerScanWarning(p.doc, !yes);  // no request pending any more: nothing happens
    EXPECT_EQ(p.doc.modemRequestPending, 0);
    const ModemUpdate end = FinishModemSwitch(p.doc, start.view);
    EXPECT_EQ(p.doc.modemEnabled, yes ? 1 : 0);
    EXPECT_EQ(p.doc.channels[1].scan, yes ? 0 : 1);
    EXPECT_EQ(p.doc.channels[4].scan, yes ? 0 : 1);
    EXPECT_EQ(end.view.modem.checked, yes);
    EXPECT_EQ(end.view.modemCaption, yes ? "Modem Enable" : "Modem Disable");
  }
}

TEST(ModemPageTest, DelaysAreCheckedThenFlooredToTwoMilliseconds) {
  const struct {
    ModemDelay delay;
    const char* typed;
    int stored;
    const char* message;
  } cases[] = {
      {ModemDelay::kTxOn, "255", 0, "Valid Settings 0 - 255 ms"},
      {ModemDelay::kTxOn, "253", 252, ""},
      {ModemDelay::kTxOn, "254", 254, ""},
      {ModemDelay::kRxOn, "127", 0, "Valid Settings 0 - 127 ms"},
      {ModemDelay::kRxOn, "9", 8, ""},
      {ModemDelay::kTxOff, "17", 0, "Valid Settings 0 - 16 ms"},
      {ModemDelay::kTxOff, "-2", 0, "Valid Settings 0 - 16 ms"},
      {ModemDelay::kTxOff, "x", 0, ""},
      {ModemDelay::kTxOn, "99999999999", 0, "Valid Settings 0 - 255 ms"},
  };
  for (const auto& c : cases) {
    CKX200Doc doc;
    doc.txOffDelayMs = doc.txOnDelayMs = doc.rxOnDelayMs = 10;
    const TimeEdit e = ValidateModemDelay(doc, c.delay, c.typed);
    const int stored = c.delay == ModemDelay::kTxOff  ? doc.txOffDelayMs
                       : c.delay == ModemDelay::kTxOn ? doc.txOnDelayMs
                                                      : doc.rxOnDelayMs;
    EXPECT_EQ(stored, c.stored) << c.typed;
    EXPECT_EQ(e.text, std::to_string(c.stored)) << c.typed;
    EXPECT_EQ(e.notice ? e.notice->text : "", c.message) << c.typed;
  }
}

TEST(ModemPageTest, TxDelayTime2UnderFourHundredIsRefusedWhereTheModelHasNone) {
  const struct {
    ModelType model;
    int position, stored;
    const char* message;
  } cases[] = {
      {model::kFirstGenVhf, 3, 4, "KX210 dosen't have under 400 value"},
      {model::kKx400Vhf, 2, 4, "KX220 dosen't have under 400 value"},
      {model::kKx400Vhf, 5, 5, ""},
      {model::kKx400Uhf, 0, 0, ""},
      {model::kKx600Vhf, 1, 1, ""},
  };
  for (const auto& c : cases) {
    Page p(c.model);
    const ModemUpdate u = ChooseModemList(p.doc, p.view, ModemListId::kTxDelay2, c.position);
    EXPECT_EQ(p.doc.txDelay2Index, c.stored) << c.model;
    EXPECT_EQ(u.view.txDelay2.selected, c.stored) << c.model;
    EXPECT_EQ(u.notices.empty() ? "" : u.notices[0].text, c.message) << c.model;
  }
}

TEST(ModemPageTest, ModeFlowControlAndBaseBlockFollowEachOther) {
  Page p(model::kKx600Vhf);  // Auto mode
  p.take(SetBaseBlock(p.doc, p.view, true));
  EXPECT_TRUE(p.view.baseBlockSize.enabled);
  p.take(ChooseModemList(p.doc, p.view, ModemListId::kBaseBlockSize, 3));
  p.take(ChooseModemList(p.doc, p.view, ModemListId::kFlowControl, 0));
  EXPECT_EQ(p.doc.flowControl, 0);
  EXPECT_EQ(p.doc.baseBlockSizeIndex, 0);
  EXPECT_EQ(p.view.baseBlockSize.Shown(), "NONE");
  EXPECT_FALSE(p.view.baseBlockSize.enabled);
  p.take(ChooseModemList(p.doc, p.view, ModemListId::kFlowControl, 2));
  EXPECT_TRUE(p.view.baseBlockSize.enabled);

  p.take(ChooseModemMode(p.doc, p.view, true));
  EXPECT_EQ(p.view.flowControl.items, Strings{"NONE"});
  EXPECT_EQ(p.doc.flowControl, 0);
  EXPECT_EQ(p.doc.baseBlockEnabled, 0);
  EXPECT_FALSE(p.view.baseBlock.enabled || p.view.txDelay1.enabled || p.view.waitForBusy.enabled);
  // Dumb mode's one entry is the stored flow control: choosing it changes nothing, and after
  // DEFAULT it is the default one.
  p.take(ChooseModemList(p.doc, p.view, ModemListId::kFlowControl, 0));
  EXPECT_EQ(p.doc.flowControl, 0);
  p.take(RestoreModemDefaults(p.doc, p.view));
  EXPECT_EQ(p.view.flowControl.items, Strings{"Xon/Xoff"});
  EXPECT_EQ(p.doc.flowControl, 1);

  const ModemUpdate refused = SetBaseBlock(p.doc, p.view, true);
  ASSERT_EQ(refused.notices.size(), 1u);
  EXPECT_EQ(refused.notices[0].text, "It is not used in Dumb Mode!");
  EXPECT_FALSE(refused.view.baseBlock.checked);
  EXPECT_EQ(p.doc.baseBlockEnabled, 0);

  p.take(ChooseModemMode(p.doc, p.view, false));
  EXPECT_EQ(p.view.flowControl.Shown(), "Xon/Xoff");
  EXPECT_EQ(p.doc.flowControl, 1);
  EXPECT_TRUE(p.view.baseBlock.enabled && p.view.txDelay1.enabled);
}

TEST(ModemPageTest, DefaultButtonRestoresTheLinkParametersOfTheModel) {
  for (const ModelType type : model::kAllTypes) {
    Page p(type);
    p.doc.baseBlockEnabled = 1;
    p.doc.preambleSizeIndex = p.doc.waitForBusyIndex = p.doc.txDelay2Index = 5;
    const ModemUpdate u = RestoreModemDefaults(p.doc, p.view);
    const int txDelay2 = (type & 1) ? 1 : 4;
    EXPECT_EQ(p.doc.txDelay2Index, txDelay2) << type;
    EXPECT_EQ(u.view.txDelay2.Shown(), txDelay2 == 1 ? "250" : "400") << type;
    EXPECT_EQ(u.view.preamble.Shown(), "32");
    EXPECT_EQ(u.view.waitForBusy.Shown(), "1000");
    EXPECT_EQ(u.view.txDelay1.Shown(), "20");
    EXPECT_EQ(p.doc.flowControl, 1);
    EXPECT_EQ(p.doc.byteCountIndex, 2);
    EXPECT_FALSE(u.view.baseBlock.checked || u.view.baseBlockSize.enabled);
  }
}

TEST(ModemPageTest, LoadShowsTheDocumentAndAppliesTheModelRules) {
  // KX400: AFSK in Dumb mode, the other types and the mode out of reach.
  Page kx400(model::kKx400Uhf);
  EXPECT_TRUE(kx400.view.afsk.checked);
  EXPECT_FALSE(kx400.view.gmsk.enabled || kx400.view.ffsk.enabled || kx400.view.modeEnabled);
  EXPECT_FALSE(kx400.view.txDelay2.enabled);
  EXPECT_EQ(kx400.view.mode, 1);
  EXPECT_EQ(kx400.view.flowControl.items, Strings{"Xon/Xoff"});  // as stored
  EXPECT_EQ(kx400.view.flavour, 0);
  EXPECT_EQ(kx400.view.txOnDelay.text, "20");

  // A KX400 file with GMSK on becomes AFSK; with the modem off it has no type.
  kx400.doc.afsk = 0;
  kx400.doc.gmsk = kx400.doc.modemEnabled = 1;
  LoadModemPage(kx400.doc);
  EXPECT_EQ(kx400.doc.afsk, 1);
  EXPECT_EQ(kx400.doc.gmsk, 0);
  kx400.doc.modemEnabled = kx400.doc.afsk = 0;
  kx400.doc.ffsk = 1;
  LoadModemPage(kx400.doc);
  EXPECT_EQ(kx400.doc.ffsk, 0);

  // A file with the modem on and no type shows it off, and holds it off, as a write sends it.
  Page file(model::kKx600Uhf);
  file.doc.modemEnabled = 1;
  file.doc.preambleSizeIndex = 40;  // damaged: nothing selected, nothing changed
  CKX200Doc before = file.doc;
  const ModemView shown = LoadModemPage(file.doc);
  before.modemEnabled = 0;
  EXPECT_EQ(file.doc, before);
  EXPECT_FALSE(shown.modem.checked);
  EXPECT_EQ(shown.modemCaption, "Modem Disable");
  EXPECT_EQ(shown.preamble.selected, -1);

  // KX600 FFSK on; the delays that read 0 take their defaults.
  Page ffsk(model::kKx600Uhf);
  ffsk.doc.ffsk = ffsk.doc.modemEnabled = 1;
  ffsk.doc.sBandBaudIndex = 2;
  ffsk.doc.nBandBaudIndex = 1;
  ffsk.doc.txOnDelayMs = ffsk.doc.rxOnDelayMs = 0;
  const ModemView on = LoadModemPage(ffsk.doc);
  EXPECT_EQ(on.sBand.Shown(), "4800");
  EXPECT_EQ(on.nBand.Shown(), "2400");
  EXPECT_TRUE(on.modem.checked && on.sBand.enabled);
  EXPECT_EQ(on.modemCaption, "Modem Enable");
  EXPECT_FALSE(on.gmsk.enabled || on.afsk.enabled || on.flavourEnabled);
  EXPECT_EQ(ffsk.doc.txOnDelayMs, 20);
  EXPECT_EQ(ffsk.doc.rxOnDelayMs, 6);

  // KX600 AFSK V23 runs in Auto mode; one already there keeps its flow control.
  Page v23(model::kKx600Vhf);
  v23.doc.afsk = 1;
  v23.doc.flowControl = 2;
  EXPECT_EQ(LoadModemPage(v23.doc).flowControl.Shown(), "RTS/CTS");
  v23.doc.modemMode = 1;
  const ModemView auto_ = LoadModemPage(v23.doc);
  EXPECT_EQ(v23.doc.modemMode, 2);
  EXPECT_EQ(auto_.flowControl.Shown(), "Xon/Xoff");
  EXPECT_TRUE(auto_.modeEnabled);
}

TEST(ModemPageTest, ModemConditionLocksOrUnlocksThePage) {
  Page p(model::kKx600Uhf);
  p.doc.modemCondition = 1;
  const ModemView locked = LoadModemPage(p.doc);
  EXPECT_FALSE(locked.modem.enabled || locked.defaultEnabled || locked.txOnDelay.enabled);
  EXPECT_FALSE(locked.flowControl.enabled || locked.startBitErrors.enabled);

  p.doc.modemCondition = 2;
  p.doc.flowControl = 0;
  const ModemView unlocked = LoadModemPage(p.doc, locked);
  EXPECT_TRUE(unlocked.modem.enabled && unlocked.defaultEnabled && unlocked.txOnDelay.enabled);
  EXPECT_FALSE(unlocked.baseBlockSize.enabled);  // no flow control, no base block
}

// What the page must show of the document, and which controls the stored state leaves usable
// (the page open for editing): the failures, one line each.
Strings mismatches(const CKX200Doc& d, const ModemView& v) {
  Strings bad;
  auto expect = [&bad](bool ok, const char* what) {
    if (!ok) bad.push_back(what);
  };
  const ModelTraits& traits = Traits(d.modelType);
  const bool kx600 = !traits.modemAfskDumbOnly;
  const bool typeChosen = d.gmsk || d.ffsk || d.afsk;
  const bool autoMode = d.modemMode == 2;

  expect(v.gmsk.checked == (d.gmsk != 0), "GMSK shown");
  expect(v.ffsk.checked == (d.ffsk != 0), "FFSK shown");
  expect(v.afsk.checked == (d.afsk != 0), "AFSK shown");
  expect(v.modem.checked == (d.modemEnabled != 0), "modem button shown");
  expect(v.modemCaption == (d.modemEnabled ? "Modem Enable" : "Modem Disable"), "modem caption");
  if (d.gmsk) {
    expect(v.sBand.Shown() == (d.sBandBaudIndex == 1 ? "9600" : "4800"), "GMSK S - BAND");
    expect(v.nBand.Shown() == "4800", "GMSK N - BAND");
  } else if (d.ffsk) {
    expect(v.sBand.Shown() == Strings{"1200", "2400", "4800"}[d.sBandBaudIndex], "FFSK S - BAND");
    expect(v.nBand.Shown() == Strings{"1200", "2400"}[d.nBandBaudIndex], "FFSK N - BAND");
  } else if (d.afsk) {
    expect(v.sBand.Shown() == "1200" && v.nBand.Shown() == "1200", "AFSK baud rates");
  }
  if (d.afsk) expect(v.flavour == d.afskBell202, "AFSK flavour shown");
  expect(v.baseBlock.checked == (d.baseBlockEnabled != 0), "base block box shown");
  expect(v.baseBlockSize.selected == d.baseBlockSizeIndex, "base block size shown");
  expect(v.preamble.selected == d.preambleSizeIndex, "preamble shown");
  expect(v.waitForBusy.selected == d.waitForBusyIndex, "wait for busy shown");
  expect(v.flowControl.Shown() == Strings{"NONE", "Xon/Xoff", "RTS/CTS"}[d.flowControl],
         "flow control shown");
  expect(v.txDelay1.selected == d.txDelay1Index, "Tx delay 1 shown");
  expect(v.txDelay2.selected == d.txDelay2Index, "Tx delay 2 shown");
  expect(v.startBitErrors.selected == d.startBitErrors, "start bit errors shown");
  expect(v.mode == d.modemMode, "mode shown");
  expect(v.txForcing.checked == (d.txForcingMode != 0), "Tx forcing shown");
  expect(v.initDataForHt.checked == (d.initDataForHt != 0), "HT box shown");
  expect(v.txOffDelay.text == std::to_string(d.txOffDelayMs), "Tx OFF delay shown");
  expect(v.txOnDelay.text == std::to_string(d.txOnDelayMs), "Tx On delay shown");
  expect(v.rxOnDelay.text == std::to_string(d.rxOnDelayMs), "Rx On delay shown");

  expect(v.gmsk.enabled == (kx600 && !d.ffsk && !d.afsk), "GMSK usable");
  expect(v.ffsk.enabled == (kx600 && !d.gmsk && !d.afsk), "FFSK usable");
  expect(v.afsk.enabled == (!d.gmsk && !d.ffsk), "AFSK usable");
  expect(v.modem.enabled, "modem button usable");
  const bool baudUsable = typeChosen && d.modemEnabled;
  expect(v.sBand.enabled == baudUsable && v.nBand.enabled == baudUsable, "baud lists usable");
  expect(v.flavourEnabled == (d.afsk != 0), "flavour usable");
  expect(v.modeEnabled == (kx600 && !(d.afsk && d.afskBell202)), "mode radios usable");
  expect(v.baseBlock.enabled == autoMode, "base block box usable");
  expect(v.baseBlockSize.enabled == (autoMode && d.baseBlockEnabled && d.flowControl != 0),
         "base block size usable");
  expect(v.waitForBusy.enabled == autoMode, "wait for busy usable");
  expect(v.txDelay1.enabled == autoMode, "Tx delay 1 usable");
  expect(v.txDelay2.enabled == (kx600 && !d.gmsk), "Tx delay 2 usable");
  expect(v.preamble.enabled && v.flowControl.enabled && v.startBitErrors.enabled, "lists usable");
  expect(v.defaultEnabled && v.txForcing.enabled && v.initDataForHt.enabled,
         "SYSTEM OPTION usable");
  expect(v.txOffDelay.enabled && v.txOnDelay.enabled && v.rxOnDelay.enabled, "delays usable");
  return bad;
}

// The technician's clicks, on controls that can be used, in a random order.
class Technician {
 public:
  Technician(Page& page, unsigned seed) : p_(page), random_(seed) {}

  // One click; its name for the failure report.
  std::string click() {
    ModemView& v = p_.view;
    CKX200Doc& d = p_.doc;
    switch (pick(12)) {
      case 0:
        return v.gmsk.enabled ? (p_.take(ChooseGmsk(d, v, !v.gmsk.checked)), "GMSK") : "";
      case 1:
        return v.ffsk.enabled ? (p_.take(ChooseFfsk(d, v, !v.ffsk.checked)), "FFSK") : "";
      case 2:
        return v.afsk.enabled ? (p_.take(ChooseAfsk(d, v, !v.afsk.checked)), "AFSK") : "";
      case 3: {
        if (!v.flavourEnabled) return "";
        const bool bell202 = pick(2) != 0;
        p_.take(ChooseAfskFlavour(d, v, bell202));
        return bell202 ? "BELL 202" : "V23";
      }
      case 4:
        return switchModem();
      case 5:
        return chooseList();
      case 6:
        return v.baseBlock.enabled
                   ? (p_.take(SetBaseBlock(d, v, !v.baseBlock.checked)), "base block")
                   : "";
      case 7:
        return v.defaultEnabled ? (p_.take(RestoreModemDefaults(d, v)), "DEFAULT") : "";
      case 8: {
        if (!v.modeEnabled) return "";
        const bool dumb = pick(2) != 0;
        p_.take(ChooseModemMode(d, v, dumb));
        return dumb ? "Dumb Mode" : "Auto Mode";
      }
      case 9:
        SetTxForcing(d, !v.txForcing.checked);
        v.txForcing.checked = !v.txForcing.checked;
        SetInitDataForHt(d, !v.initDataForHt.checked);
        v.initDataForHt.checked = !v.initDataForHt.checked;
        return "Tx forcing and HT";
      case 10: {
        const auto delay = static_cast<ModemDelay>(pick(3));
        ModemEdit& edit = delay == ModemDelay::kTxOff  ? v.txOffDelay
                          : delay == ModemDelay::kTxOn ? v.txOnDelay
                                                       : v.rxOnDelay;
        edit.text = ValidateModemDelay(d, delay, std::to_string(pick(300) - 20)).text;
        return "delay";
      }
      default:
        v = LoadModemPage(d, v);
        return "reload";
    }
  }

 private:
  int pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random_); }

  std::string switchModem() {
    ModemView& v = p_.view;
    if (!v.modem.enabled) return "";
    const ModemUpdate u = SwitchModem(p_.doc, v, !v.modem.checked);
    p_.take(u);
    if (u.askScanWarning) {
      AnswerScanWarning(p_.doc, pick(2) != 0);
      p_.take(FinishModemSwitch(p_.doc, v));
    }
    return "modem button";
  }

  std::string chooseList() {
    const auto id = static_cast<ModemListId>(pick(static_cast<int>(kModemListCount)));
    ModemView& v = p_.view;
    const ModemList* list = &v.List(id);
    if (!list->enabled || list->items.empty()) return "";
    const int position = pick(static_cast<int>(list->items.size()));
    p_.take(ChooseModemList(p_.doc, v, id, position));
    return "list " + std::to_string(static_cast<int>(id)) + " item " + std::to_string(position);
  }

  Page& p_;
  std::mt19937 random_;
};

TEST(ModemPageTest, AfterAnyClicksEveryControlShowsTheDocumentAndIsUsableWhenItMayBe) {
  for (unsigned seed = 1; seed <= 300; ++seed) {
    Page p(static_cast<ModelType>(seed % 6));
    p.doc.channels[static_cast<std::size_t>(seed % 16)].scan = seed % 3 == 0;
    p.doc.externalModulation = seed % 7 == 0;
    // As files bring them: the modem on with no type, BELL 202 in Auto mode.
    p.doc.modemEnabled = seed % 5 == 0;
    p.doc.afskBell202 = seed % 4 == 0;
    p.view = LoadModemPage(p.doc);
    ASSERT_EQ(mismatches(p.doc, p.view), Strings{}) << "model " << p.doc.modelType << " loaded";
    Technician technician(p, seed);
    std::string clicks;
    for (int step = 0; step < 60; ++step) {
      const std::string click = technician.click();
      if (click.empty()) continue;
      clicks += click + ", ";
      ASSERT_EQ(mismatches(p.doc, p.view), Strings{})
          << "model " << p.doc.modelType << " after " << clicks;
    }
  }
}

}  // namespace
}  // namespace kx
