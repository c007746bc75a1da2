#include "textio/OptionFields.h"

#include <array>
#include <cstdint>

#include "model/FormatText.h"
#include "model/KX200Doc.h"
#include "model/ModelTraits.h"
#include "model/ModemSteps.h"
#include "rules/ChannelPage.h"
#include "rules/ModemPage.h"
#include "rules/SystemPage.h"
#include "textio/TextValues.h"

namespace kx {

namespace {

using text_values::EqualNoCase;
using text_values::Trimmed;
using Field = std::int32_t CKX200Doc::*;

constexpr const char* kNoTimer = "No Timer";
constexpr const char* kAfskDumbOnly = "this model runs AFSK in Dumb Mode only";
constexpr std::string_view kNoModem = "none";

FieldTake refused(std::string text) {
  return {std::move(text), false};
}
std::string quoted(std::string_view text) {
  return text_values::Quoted(text);
}

// ---- on/off

template <Field F>
std::string showFlag(const CKX200Doc& d) {
  return text_values::FlagText(d.*F);
}
template <Field F>
FieldTake takeFlag(CKX200Doc& d, std::string_view text) {
  const auto flag = text_values::ParseFlag(text);
  if (!flag) return refused(quoted(text) + " is not ON or OFF");
  d.*F = *flag;
  return {};
}

// ---- list entries that are numbers: first, first + step, ... (count entries)

using Steps = ValueSteps;

std::string stepsText(const Steps& s) {
  const int last = s.last();
  if (s.step == 1) return FormatText("one of %d .. %d", s.first, last);
  return FormatText("one of %d .. %d in steps of %d", s.first, last, s.step);
}

// In 64 bits: a written number may be anything a 32-bit field holds.
std::optional<int> positionIn(const Steps& s, std::string_view text) {
  const auto v = text_values::ParseWhole(text);
  if (!v) return std::nullopt;
  const std::int64_t offset = std::int64_t{*v} - s.first;
  if (offset % s.step != 0 || offset < 0 || offset / s.step >= s.count) return std::nullopt;
  return static_cast<int>(offset / s.step);
}

// A position outside the list (a damaged file holds any 32-bit value) is written as it is,
// before any arithmetic, and refused on the way back.
template <Field F, Steps S>
std::string showStep(const CKX200Doc& d) {
  const std::int32_t position = d.*F;
  if (position < 0 || position >= S.count) return "index " + std::to_string(position);
  return std::to_string(S.first + position * S.step);
}
template <Field F, Steps S>
FieldTake takeStep(CKX200Doc& d, std::string_view text) {
  const auto position = positionIn(S, text);
  if (!position) return refused(quoted(text) + " is not " + stepsText(S));
  d.*F = *position;
  return {};
}

// ---- list entries that are words; several words may name one value, the first is written

struct Named {
  std::string_view text;
  std::int32_t value;
};

template <std::size_t N>
std::string namesText(const std::array<Named, N>& names) {
  std::string list;
  for (const Named& n : names) {
    if (list.find(std::string(n.text)) == std::string::npos)
      list += (list.empty() ? "" : ", ") + std::string(n.text);
  }
  return list;
}

template <std::size_t N>
std::optional<std::int32_t> valueNamed(const std::array<Named, N>& names, std::string_view text) {
  for (const Named& n : names) {
    if (EqualNoCase(Trimmed(text), n.text)) return n.value;
  }
  return std::nullopt;
}

template <std::size_t N>
std::string nameOf(const std::array<Named, N>& names, std::int32_t value) {
  for (const Named& n : names) {
    if (n.value == value) return std::string(n.text);
  }
  return std::to_string(value);  // no entry has it (a damaged file): refused on the way back
}

constexpr std::array<Named, 4> kSquelchChecks{
    {{"Rssi Level Check", 0}, {"Busy Port Check", 1}, {"Rssi Level", 0}, {"Busy Port", 1}}};
constexpr std::array<Named, 3> kFlowControls{{{"NONE", 0}, {"Xon/Xoff", 1}, {"RTS/CTS", 2}}};
constexpr std::array<Named, 6> kBaseBlockSizes{
    {{"NONE", 0}, {"32", 1}, {"64", 2}, {"128", 3}, {"256", 4}, {"512", 5}}};
constexpr std::array<Named, 3> kFlavours{{{"V23", 0}, {"BELL 202", 1}, {"BELL202", 1}}};
constexpr std::array<Named, 4> kModes{{{"Dumb Mode", modem::kDumbMode},
                                       {"Auto Mode", modem::kAutoMode},
                                       {"Dumb", modem::kDumbMode},
                                       {"Auto", modem::kAutoMode}}};

template <Field F, const auto& Names>
std::string showNamed(const CKX200Doc& d) {
  return nameOf(Names, d.*F);
}
template <Field F, const auto& Names>
FieldTake takeNamed(CKX200Doc& d, std::string_view text) {
  const auto value = valueNamed(Names, text);
  if (!value) return refused(quoted(text) + " is not one of " + namesText(Names));
  d.*F = *value;
  return {};
}

// ---- the timers' lists: "No Timer" or a time of the list

struct TimerList {
  int first, step, items;  // items counts "No Timer" too
};
constexpr TimerList kTimeoutList{10, 10, channel_page::kTimeoutItems};
constexpr TimerList kHangList{180, 10, channel_page::kHangItems};

template <const TimerList& L>
std::optional<int> timerItem(std::string_view text) {
  const std::string_view t = Trimmed(text);
  if (EqualNoCase(t, kNoTimer) || EqualNoCase(t, "OFF") || t == "0") return 0;
  const auto position = positionIn({L.first, L.step, L.items - 1}, t);
  if (!position) return std::nullopt;
  return *position + 1;
}
template <const TimerList& L>
std::string timerRange() {
  return FormatText("%s or %d .. %d in steps of %d", kNoTimer, L.first,
                    L.first + (L.items - 2) * L.step, L.step);
}

std::string showTimeout(const CKX200Doc& d) {
  return d.txTimeoutEnabled ? std::to_string(d.txTimeoutSec) : kNoTimer;
}
FieldTake takeTimeout(CKX200Doc& d, std::string_view text) {
  const auto item = timerItem<kTimeoutList>(text);
  if (!item) return refused(quoted(text) + " is not " + timerRange<kTimeoutList>());
  ChooseTimeout(d, *item);
  return {};
}
std::string showHang(const CKX200Doc& d) {
  return d.hangOnEnabled ? std::to_string(d.hangOnTimeMs) : kNoTimer;
}
FieldTake takeHang(CKX200Doc& d, std::string_view text) {
  const auto item = timerItem<kHangList>(text);
  if (!item) return refused(quoted(text) + " is not " + timerRange<kHangList>());
  ChooseHangTime(d, *item);
  return {};
}

// ---- edits checked when they are left: the page's own rule and message

template <Field F>
std::string showNumber(const CKX200Doc& d) {
  return std::to_string(d.*F);
}

// The edit's text for a written number, which must be one. A number too large for the field
// keeps all its digits, so the page's rule refuses it with its own message.
std::optional<std::string> editText(std::string_view text) {
  const auto v = text_values::ParseNumber(text);
  if (!v) return std::nullopt;
  return text_values::EditText(*v);
}

template <Field F, typename Edit>
FieldTake stored(CKX200Doc& d, std::string_view text, const Edit& edit) {
  if (edit.notice) return refused(edit.notice->text);
  d.*F = edit.value;
  return {std::nullopt, *text_values::ParseNumber(text) != edit.value};
}

template <Field F, TimeEdit (*Validate)(std::string_view)>
FieldTake takeTime(CKX200Doc& d, std::string_view text) {
  const auto edit = editText(text);
  if (!edit) return refused(quoted(text) + " is not a number");
  return stored<F>(d, text, Validate(*edit));
}
template <Field F, SystemEdit (*Validate)(std::string_view, int)>
FieldTake takeSystemEdit(CKX200Doc& d, std::string_view text) {
  const auto edit = editText(text);
  if (!edit) return refused(quoted(text) + " is not a number");
  return stored<F>(d, text, Validate(*edit, d.*F));
}
SystemEdit scanSpeed(std::string_view text, int) {
  return ValidateScanSpeed(text);
}
template <Field F, ModemDelay D>
FieldTake takeModemDelay(CKX200Doc& d, std::string_view text) {
  const auto edit = editText(text);
  if (!edit) return refused(quoted(text) + " is not a number");
  return stored<F>(d, text, ValidateModemDelay(d, D, *edit));
}

// ---- the modem type and its baud lists

std::string_view modemType(const CKX200Doc& d) {
  if (d.gmsk) return "GMSK";
  if (d.ffsk) return "FFSK";
  if (d.afsk) return "AFSK";
  return kNoModem;
}
std::string showModemType(const CKX200Doc& d) {
  return std::string(modemType(d));
}
FieldTake takeModemType(CKX200Doc& d, std::string_view text) {
  const std::string_view t = Trimmed(text);
  const bool none = EqualNoCase(t, kNoModem) || EqualNoCase(t, "NO");
  const bool gmsk = EqualNoCase(t, "GMSK"), ffsk = EqualNoCase(t, "FFSK");
  const bool afsk = EqualNoCase(t, "AFSK");
  if (!none && !gmsk && !ffsk && !afsk)
    return refused(quoted(text) + " is not one of none, GMSK, FFSK, AFSK");
  if ((gmsk || ffsk) && Traits(d.modelType).modemAfskDumbOnly) return refused(kAfskDumbOnly);
  // Ticking the type's box starts its baud lists at the page's rates; only those are taken
  // from the page's rule here, the rates the file names come next.
  CKX200Doc ticked = d;
  if (gmsk) ChooseGmsk(ticked, InitialModemView(), true);
  if (ffsk) ChooseFfsk(ticked, InitialModemView(), true);
  if (afsk) ChooseAfsk(ticked, InitialModemView(), true);
  d.sBandBaudIndex = ticked.sBandBaudIndex;
  d.nBandBaudIndex = ticked.nBandBaudIndex;
  d.gmsk = gmsk;
  d.ffsk = ffsk;
  d.afsk = afsk;
  return {};
}

// The rates a list shows for the modem type, in list order; one fixed rate where the list has
// only one entry, whatever position is stored.
struct BaudList {
  std::span<const std::string_view> rates;
  bool followsIndex;
};
constexpr std::array<std::string_view, 2> kGmskS{"4800", "9600"};
constexpr std::array<std::string_view, 1> kGmskN{"4800"};
constexpr std::array<std::string_view, 3> kFfskS{"1200", "2400", "4800"};
constexpr std::array<std::string_view, 2> kFfskN{"1200", "2400"};
constexpr std::array<std::string_view, 1> kAfsk{"1200"};

std::optional<BaudList> baudList(const CKX200Doc& d, bool sBand) {
  if (d.gmsk) return sBand ? BaudList{kGmskS, true} : BaudList{kGmskN, false};
  if (d.ffsk) return sBand ? BaudList{kFfskS, true} : BaudList{kFfskN, true};
  if (d.afsk) return BaudList{kAfsk, false};
  return std::nullopt;
}

template <bool SBand>
std::string showBaud(const CKX200Doc& d) {
  const auto list = baudList(d, SBand);
  if (!list) return {};
  if (!list->followsIndex) return std::string(list->rates.front());
  const std::int32_t index = SBand ? d.sBandBaudIndex : d.nBandBaudIndex;
  if (index < 0 || index >= static_cast<int>(list->rates.size()))
    return "index " + std::to_string(index);
  return std::string(list->rates[static_cast<std::size_t>(index)]);
}
template <bool SBand>
FieldTake takeBaud(CKX200Doc& d, std::string_view text) {
  const auto list = baudList(d, SBand);
  if (!list) return refused("there is no baud rate without a modem type");
  std::string rates;
  for (std::size_t i = 0; i < list->rates.size(); ++i) {
    rates += (i ? ", " : "") + std::string(list->rates[i]);
    if (Trimmed(text) != list->rates[i]) continue;
    if (list->followsIndex) (SBand ? d.sBandBaudIndex : d.nBandBaudIndex) = static_cast<int>(i);
    return {};
  }
  return refused(quoted(text) + " is not one of " + rates);
}

FieldTake takeFlavour(CKX200Doc& d, std::string_view text) {
  FieldTake took = takeNamed<&CKX200Doc::afskBell202, kFlavours>(d, text);
  // With AFSK the flavour's radio sets the mode as on the page (BELL 202 runs in Dumb mode);
  // the mode, flow control and base block the file names come next.
  if (!took.refusal && d.afsk) ChooseAfskFlavour(d, InitialModemView(), d.afskBell202 != 0);
  return took;
}

FieldTake takeModemMode(CKX200Doc& d, std::string_view text) {
  const auto mode = valueNamed(kModes, text);
  if (mode && *mode != modem::kDumbMode && Traits(d.modelType).modemAfskDumbOnly)
    return refused(kAfskDumbOnly);
  return takeNamed<&CKX200Doc::modemMode, kModes>(d, text);
}

constexpr Steps kTxDelay2 = modem_steps::kTxDelay2Ms;
FieldTake takeTxDelay2(CKX200Doc& d, std::string_view text) {
  const auto position = positionIn(kTxDelay2, text);
  if (!position) return refused(quoted(text) + " is not " + stepsText(kTxDelay2));
  // The list's own rule: some models refuse the times under 400 ms.
  const ModemUpdate u = ChooseModemList(d, InitialModemView(), ModemListId::kTxDelay2, *position);
  if (!u.notices.empty()) return refused(u.notices.front().text);
  return {};
}

// ---- bytes the radio holds for itself

template <std::uint8_t CKX200Doc::*F>
std::string showByte(const CKX200Doc& d) {
  return std::to_string(d.*F);
}
template <std::uint8_t CKX200Doc::*F>
FieldTake takeByte(CKX200Doc& d, std::string_view text) {
  const auto v = text_values::ParseWhole(text);
  if (!v || *v < 0 || *v > 255) return refused(quoted(text) + " is not a byte 0 .. 255");
  d.*F = static_cast<std::uint8_t>(*v);
  return {};
}

using D = CKX200Doc;

const std::array<OptionField, 41> kFields{{
    // The channel page's radio-wide controls.
    {"timers", "time_out_timer_sec", "time-out timer", "sec", showTimeout, takeTimeout},
    {"timers", "hang_timer_ms", "hang timer", "ms", showHang, takeHang},
    {"timers", "busy_channel_lockout", "busy channel lockout", "", showFlag<&D::busyLockoutEnabled>,
     takeFlag<&D::busyLockoutEnabled>},
    {"timers", "tx_matched_sat", "Tx matched SAT", "", showFlag<&D::txMatchedSatEnabled>,
     takeFlag<&D::txMatchedSatEnabled>},
    {"timers", "tx_delay", "Tx delay", "", showFlag<&D::txDelayEnabled>,
     takeFlag<&D::txDelayEnabled>},
    {"timers", "power_save", "power save", "", showFlag<&D::powerSaveEnabled>,
     takeFlag<&D::powerSaveEnabled>},
    {"timers", "power_save_delay_sec", "power save delay time", "sec",
     showStep<&D::powerSaveDelayIndex, Steps{1, 1, channel_page::kDelayItems}>,
     takeStep<&D::powerSaveDelayIndex, Steps{1, 1, channel_page::kDelayItems}>},
    {"timers", "rx_off_time_ms", "Rx off time", "ms", showNumber<&D::powerSaveOnMs>,
     takeTime<&D::powerSaveOnMs, ValidateRxOffTime>},
    {"timers", "rx_on_time_ms", "Rx on time", "ms", showNumber<&D::powerSaveOffMs>,
     takeTime<&D::powerSaveOffMs, ValidateRxOnTime>},
    // The system option page.
    {"system", "squelch", "squelch", "", showFlag<&D::squelchEnabled>,
     takeFlag<&D::squelchEnabled>},
    {"system", "squelch_check", "squelch check", "",
     showNamed<&D::squelchBusyPortCheck, kSquelchChecks>,
     takeNamed<&D::squelchBusyPortCheck, kSquelchChecks>},
    {"system", "beep_on_hang_on_time", "beep on hang on time", "", showFlag<&D::beepOnHangOn>,
     takeFlag<&D::beepOnHangOn>},
    {"system", "tx_tone_for_data_input", "Tx tone generation for data input", "",
     showFlag<&D::txToneForDataInput>, takeFlag<&D::txToneForDataInput>},
    {"system", "external_modulation", "external modulation", "", showFlag<&D::externalModulation>,
     takeFlag<&D::externalModulation>},
    {"system", "scan_delay_sec", "scan delay time", "sec",
     showStep<&D::scanDelayIndex, Steps{1, 1, system_page::kScanDelayItems}>,
     takeStep<&D::scanDelayIndex, Steps{1, 1, system_page::kScanDelayItems}>},
    {"system", "scan_speed_ms", "scan speed", "ms", showNumber<&D::scanSpeedMs>,
     takeSystemEdit<&D::scanSpeedMs, scanSpeed>},
    // Its GPS part.
    {"gps", "gps_enabled", "GPS", "", showFlag<&D::gpsEnabled>, takeFlag<&D::gpsEnabled>},
    {"gps", "gps_cycle_hours", "GPS transmission cycle", "hours",
     showStep<&D::gpsCycleIndex, Steps{1, 1, system_page::kGpsCycleItems}>,
     takeStep<&D::gpsCycleIndex, Steps{1, 1, system_page::kGpsCycleItems}>},
    {"gps", "gps_data_time_sec", "GPS data transmission time", "sec",
     showNumber<&D::gpsDataTimeSec>, takeSystemEdit<&D::gpsDataTimeSec, ValidateGpsDataTime>},
    {"gps", "gps_data_delay_sec", "GPS data delay time", "sec", showNumber<&D::gpsDataDelaySec>,
     takeSystemEdit<&D::gpsDataDelaySec, ValidateGpsDataDelay>},
    // The modem page; the type first, the baud lists depend on it.
    {"modem", "modem_type", "modem type", "", showModemType, takeModemType},
    {"modem", "afsk_flavour", "AFSK flavour", "", showNamed<&D::afskBell202, kFlavours>,
     takeFlavour},
    {"modem", "modem_enabled", "modem", "", showFlag<&D::modemEnabled>, takeFlag<&D::modemEnabled>},
    {"modem", "s_band_bps", "S-band baud rate", "bps", showBaud<true>, takeBaud<true>},
    {"modem", "n_band_bps", "N-band baud rate", "bps", showBaud<false>, takeBaud<false>},
    {"modem", "base_block", "base block", "", showFlag<&D::baseBlockEnabled>,
     takeFlag<&D::baseBlockEnabled>},
    {"modem", "base_block_size_bytes", "base block size", "bytes",
     showNamed<&D::baseBlockSizeIndex, kBaseBlockSizes>,
     takeNamed<&D::baseBlockSizeIndex, kBaseBlockSizes>},
    {"modem", "preamble_size_bits", "preamble data size", "bits",
     showStep<&D::preambleSizeIndex, modem_steps::kPreambleBits>,
     takeStep<&D::preambleSizeIndex, modem_steps::kPreambleBits>},
    {"modem", "wait_for_busy_ms", "wait for busy time", "ms",
     showStep<&D::waitForBusyIndex, modem_steps::kWaitForBusyMs>,
     takeStep<&D::waitForBusyIndex, modem_steps::kWaitForBusyMs>},
    {"modem", "flow_control", "flow control", "", showNamed<&D::flowControl, kFlowControls>,
     takeNamed<&D::flowControl, kFlowControls>},
    {"modem", "tx_delay_1_ms", "Tx delay time 1", "ms",
     showStep<&D::txDelay1Index, modem_steps::kTxDelay1Ms>,
     takeStep<&D::txDelay1Index, modem_steps::kTxDelay1Ms>},
    {"modem", "tx_delay_2_ms", "Tx delay time 2", "ms", showStep<&D::txDelay2Index, kTxDelay2>,
     takeTxDelay2},
    {"modem", "start_bit_errors", "allowable errors for start bit", "",
     showStep<&D::startBitErrors, modem_steps::kStartBitErrors>,
     takeStep<&D::startBitErrors, modem_steps::kStartBitErrors>},
    {"modem", "modem_mode", "modem mode", "", showNamed<&D::modemMode, kModes>, takeModemMode},
    {"modem", "tx_forcing", "Tx forcing mode", "", showFlag<&D::txForcingMode>,
     takeFlag<&D::txForcingMode>},
    {"modem", "init_data_for_ht", "initializing data for HT", "", showFlag<&D::initDataForHt>,
     takeFlag<&D::initDataForHt>},
    {"modem", "tx_off_delay_ms", "Tx off delay", "ms", showNumber<&D::txOffDelayMs>,
     takeModemDelay<&D::txOffDelayMs, ModemDelay::kTxOff>},
    {"modem", "tx_on_delay_ms", "Tx on delay", "ms", showNumber<&D::txOnDelayMs>,
     takeModemDelay<&D::txOnDelayMs, ModemDelay::kTxOn>},
    {"modem", "rx_on_delay_ms", "Rx on delay", "ms", showNumber<&D::rxOnDelayMs>,
     takeModemDelay<&D::rxOnDelayMs, ModemDelay::kRxOn>},
    // Bytes of the radio's memory the configuration file carries.
    {"radio_held", "reg_b8", "radio byte 0x0B8", "", showByte<&D::regB8>, takeByte<&D::regB8>},
    {"radio_held", "reg_b6", "radio byte 0x0B6", "", showByte<&D::regB6>, takeByte<&D::regB6>},
}};

}  // namespace

std::span<const OptionField> OptionFields() {
  return kFields;
}

const OptionField* FindOptionField(std::string_view group, std::string_view key) {
  for (const OptionField& f : kFields) {
    if (f.group == group && f.key == key) return &f;
  }
  return nullptr;
}

}  // namespace kx
