#pragma once

#include <random>
#include <string>

#include "model/BandTable.h"
#include "model/FormatText.h"
#include "model/KX200Doc.h"
#include "model/ModelTraits.h"
#include "model/ToneTables.h"
#include "model/ValueText.h"
#include "rules/ChannelFrequency.h"
#include "rules/ChannelOption.h"
#include "rules/ChannelPage.h"
#include "rules/ModemPage.h"
#include "rules/SystemPage.h"
#include "rules/TwoTone.h"
#include "textio/PagesShown.h"

namespace kx::test {

// Configurations a technician could make on the pages: random values typed into the edits and
// picked from the lists and pickers, each through the page's own rule, ending as the pages
// show them.
class RuleBuiltConfig {
 public:
  RuleBuiltConfig(ModelType type, unsigned seed) : rng_(seed) {
    doc_.ChooseModel(type);
    if (doc_.band().subBandCount > 1 && chance(2)) doc_.ChangeSubBand(1);
    for (int i = 0; i < kChannelCount; ++i)
      channel(i);
    if (doc_.band().subBandCount > 1 && chance(8)) doc_.ChangeSubBand(0);
    timers();
    systemPage();
    modemPage();
    ShowOnPages(doc_);
  }
  const CKX200Doc& doc() const { return doc_; }

 private:
  int pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng_); }
  bool chance(int oneIn) { return pick(oneIn) == 0; }

  // A frequency of the sub-band as typed, on a step or not; now and then outside it.
  std::string frequencyText() {
    const BandLimits band = LimitsOf(doc_);
    const double mhz = band.lowMHz - 2 + pick(100000) * (band.highMHz - band.lowMHz + 4) / 1e5;
    return FormatText("%.4f", mhz);
  }

  void typeFrequencies(int i) {
    const std::string rx = frequencyText();
    const FrequencyEdit r = ValidateRxFrequency(doc_, i, rx, "");
    ApplyFrequencyEdit(doc_, i, r);
    if (chance(2)) {
      const FrequencyEdit t = ValidateTxFrequency(doc_, i, r.rxText, frequencyText());
      ApplyFrequencyEdit(doc_, i, t);
    }
    // The RX edit again, beside whatever the TX edit shows now.
    if (chance(3)) {
      const std::string tx = RowView(doc_.channels[static_cast<std::size_t>(i)]).txText;
      ApplyFrequencyEdit(doc_, i, ValidateRxFrequency(doc_, i, frequencyText(), tx));
    }
  }

  void chooseSignalling(int i) {
    doc_.currentChannel = i + 1;
    ChannelOptionEditor option(doc_);
    for (int turn = pick(4); turn > 0; --turn) {
      const bool rx = chance(2);
      const int kind = pick(3);
      if (rx)
        option.ChooseRxKind(kind);
      else
        option.ChooseTxKind(kind);
      if (kind == kOptionCtcss)
        option.PickCtcss(rx, value_text::CtcssCell(CtcssToneTable[pick(CtcssToneTable.size())]));
      if (kind == kOptionDcs)
        option.PickDcs(rx, value_text::DcsCode(DcsCodeTable[pick(DcsCodeTable.size())]));
    }
    if (Traits(doc_.modelType).twoToneChoice && chance(3)) {
      EnableTwoTone(doc_, "8413");
      if (option.ChooseTwoTone().needsCondition) option.FinishTwoTone(true);
      ChannelRecord& c = doc_.channels[static_cast<std::size_t>(i)];
      c.twoToneSelect = pick(3);
      for (double* f : {&c.toneAHz, &c.toneBHz})
        if (auto e = ValidateToneFrequency(std::to_string(200 + pick(3000)), *f); e.value)
          *f = *e.value;
      for (double* d : {&c.toneAMs, &c.toneBMs})
        if (auto e = ValidateToneDuration(std::to_string(pick(11000)), *d); e.value) *d = *e.value;
    }
  }

  void channel(int i) {
    if (chance(4)) return;
    typeFrequencies(i);
    chooseSignalling(i);
    ChannelRecord& c = doc_.channels[static_cast<std::size_t>(i)];
    c.wide = pick(2);
    c.highPower = pick(2);
    c.scan = pick(2);
    // Cleared afterwards: the channel is empty and keeps the rest.
    if (chance(6)) ApplyFrequencyEdit(doc_, i, ValidateRxFrequency(doc_, i, "", ""));
    // Only the RX edit cleared: the channel is empty, its TX edit keeps the frequency.
    if (chance(10) && c.txFreqMHz != 0)
      ApplyFrequencyEdit(doc_, i,
                         ValidateRxFrequency(doc_, i, "", value_text::FrequencyMHz(c.txFreqMHz)));
  }

  void timers() {
    ChooseTimeout(doc_, pick(channel_page::kTimeoutItems));
    ChooseHangTime(doc_, pick(channel_page::kHangItems));
    SetBusyLockout(doc_, chance(2));
    doc_.txMatchedSatEnabled = doc_.busyLockoutEnabled && chance(2);
    doc_.txDelayEnabled = chance(2);
    SetPowerSave(doc_, chance(2));
    doc_.powerSaveDelayIndex = pick(channel_page::kDelayItems);
    doc_.powerSaveOnMs = ValidateRxOffTime(std::to_string(pick(420))).value;
    doc_.powerSaveOffMs = ValidateRxOnTime(std::to_string(pick(280))).value;
  }

  void systemPage() {
    if (!Traits(doc_.modelType).fullSystemPage) {
      doc_.externalModulation = chance(3);
      return;
    }
    doc_.squelchEnabled = chance(2);
    doc_.squelchBusyPortCheck = chance(2);
    doc_.beepOnHangOn = chance(2);
    doc_.txToneForDataInput = chance(2);
    doc_.externalModulation = chance(3);
    doc_.scanDelayIndex = pick(system_page::kScanDelayItems);
    doc_.scanSpeedMs = ValidateScanSpeed(std::to_string(pick(2100))).value;
    doc_.gpsEnabled = chance(2);
    doc_.gpsCycleIndex = pick(system_page::kGpsCycleItems);
    doc_.gpsDataTimeSec = ValidateGpsDataTime(std::to_string(pick(12)), doc_.gpsDataTimeSec).value;
    doc_.gpsDataDelaySec =
        ValidateGpsDataDelay(std::to_string(pick(320)), doc_.gpsDataDelaySec).value;
  }

  // Only what the page lets a technician use at that moment.
  void modemPage() {
    ModemView v = LoadModemPage(doc_);
    for (int turn = 2 + pick(8); turn > 0; --turn) {
      switch (pick(10)) {
        case 0:
          if (v.gmsk.enabled) v = ChooseGmsk(doc_, v, !v.gmsk.checked).view;
          break;
        case 1:
          if (v.ffsk.enabled) v = ChooseFfsk(doc_, v, !v.ffsk.checked).view;
          break;
        case 2:
          if (v.afsk.enabled) v = ChooseAfsk(doc_, v, !v.afsk.checked).view;
          break;
        case 3:
          if (v.flavourEnabled) v = ChooseAfskFlavour(doc_, v, chance(2)).view;
          break;
        case 4:
          if (v.modeEnabled) v = ChooseModemMode(doc_, v, chance(2)).view;
          break;
        case 5:
          if (v.modem.enabled) {
            ModemUpdate u = SwitchModem(doc_, v, !v.modem.checked);
            if (u.askScanWarning) {
              AnswerScanWarning(doc_, chance(2));
              u = FinishModemSwitch(doc_, u.view);
            }
            v = u.view;
          }
          break;
        case 6: {
          const auto list = static_cast<ModemListId>(pick(static_cast<int>(kModemListCount)));
          const ModemList& shown = v.List(list);
          if (shown.enabled && !shown.items.empty())
            v = ChooseModemList(doc_, v, list, pick(static_cast<int>(shown.items.size()))).view;
          break;
        }
        case 7:
          if (v.baseBlock.enabled) v = SetBaseBlock(doc_, v, !v.baseBlock.checked).view;
          break;
        case 8:
          SetTxForcing(doc_, chance(2));
          SetInitDataForHt(doc_, chance(2));
          ValidateModemDelay(doc_, static_cast<ModemDelay>(pick(3)), std::to_string(pick(260)));
          break;
        default:
          if (v.defaultEnabled) v = RestoreModemDefaults(doc_, v).view;
      }
    }
  }

  std::mt19937 rng_;
  CKX200Doc doc_;
};

}  // namespace kx::test
