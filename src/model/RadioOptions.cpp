#include "model/RadioOptions.h"

#include <algorithm>
#include <optional>
#include <type_traits>

#include "model/FormatText.h"
#include "model/KX200Doc.h"
#include "model/ModelTraits.h"
#include "model/ValueText.h"

namespace kx {

namespace {

using D = CKX200Doc;
using Id = OptionId;
using Form = OptionForm;

// ---- the document fields

template <auto Member>
bool differs(const CKX200Doc& a, const CKX200Doc& b) {
  return !(a.*Member == b.*Member);
}
template <auto Member>
std::int32_t valueOf(const CKX200Doc& d) {
  return static_cast<std::int32_t>(d.*Member);
}
template <auto Member>
void store(CKX200Doc& d, std::int32_t value) {
  using Field = std::remove_cvref_t<decltype(d.*Member)>;
  d.*Member = static_cast<Field>(value);
}
template <auto Member>
constexpr OptionMember field(std::string_view name) {
  return {
      .differs = differs<Member>, .value = valueOf<Member>, .store = store<Member>, .name = name};
}
template <auto Member>
constexpr OptionMember pair(std::int32_t offValue, std::string_view offName,
                            std::string_view onName) {
  return {.differs = differs<Member>,
          .value = valueOf<Member>,
          .store = store<Member>,
          .name = offName,
          .offValue = offValue,
          .onName = onName};
}
template <auto Member>
constexpr std::array<OptionMember, 3> only(std::string_view name) {
  return {field<Member>(name)};
}

// ---- the words of the lists

constexpr std::array<OptionChoice, 4> kSquelchChecks{
    {{"Rssi Level Check", 0}, {"Busy Port Check", 1}, {"Rssi Level", 0}, {"Busy Port", 1}}};
constexpr std::array<OptionChoice, 3> kFlowControls{{{"NONE", 0}, {"Xon/Xoff", 1}, {"RTS/CTS", 2}}};
constexpr std::array<OptionChoice, 6> kBaseBlockSizes{
    {{"NONE", 0}, {"32", 1}, {"64", 2}, {"128", 3}, {"256", 4}, {"512", 5}}};
constexpr std::array<OptionChoice, 3> kFlavours{{{"V23", 0}, {"BELL 202", 1}, {"BELL202", 1}}};
constexpr std::array<OptionChoice, 4> kModes{{{"Dumb Mode", modem::kDumbMode},
                                              {"Auto Mode", modem::kAutoMode},
                                              {"Dumb", modem::kDumbMode},
                                              {"Auto", modem::kAutoMode}}};

// ---- the data sheet's value texts

template <auto Member>
std::string onOff(const CKX200Doc& d) {
  return d.*Member ? ": ON" : ": OFF";
}
template <auto Member>
std::string enabled(const CKX200Doc& d) {
  return d.*Member ? ": Enable" : ": Disable";
}
template <auto Member>
std::string milliseconds(const CKX200Doc& d) {
  return FormatText(": %d ms", d.*Member);
}
template <auto Member>
std::string seconds(const CKX200Doc& d) {
  return FormatText(": %d Sec", d.*Member);
}

// A number in a format; nothing for a stored index outside its list.
std::string numberText(const char* format, std::optional<int> number) {
  return number ? FormatText(format, *number) : std::string();
}
// A value from a table of texts; nothing for an index outside it.
template <std::size_t N>
std::string pick(const std::array<const char*, N>& texts, std::int32_t index) {
  if (index < 0 || static_cast<std::size_t>(index) >= N) return {};
  return texts[static_cast<std::size_t>(index)];
}

// The power-save and GPS values are printed only while their part is on.
template <auto Member>
std::string whilePowerSave(const CKX200Doc& d) {
  return d.powerSaveEnabled ? milliseconds<Member>(d) : ": -";
}
std::string powerSaveDelay(const CKX200Doc& d) {
  return d.powerSaveEnabled
             ? numberText(": %d Sec", value_text::PowerSaveDelaySeconds(d.powerSaveDelayIndex))
             : ": -";
}
std::string scanDelay(const CKX200Doc& d) {
  return numberText(": %d Sec", value_text::ScanDelaySeconds(d.scanDelayIndex));
}
template <auto Member>
std::string whileGps(const CKX200Doc& d) {
  return d.gpsEnabled ? seconds<Member>(d) : ": -";
}
std::string gpsCycle(const CKX200Doc& d) {
  return d.gpsEnabled ? numberText(": %d Hour", value_text::StoredGpsCycleHours(d.gpsCycleIndex))
                      : ": -";
}
std::string squelchLine(const CKX200Doc& d) {
  if (!d.squelchEnabled) return "** Squelch Disabled **";
  return d.squelchBusyPortCheck ? "** Busy Port Check **" : "** Rssi Level Check **";
}
std::string txMatchedSat(const CKX200Doc& d) {
  return d.busyLockoutEnabled && d.txMatchedSatEnabled ? ": ON" : ": OFF";
}

// A rate of a baud list: ": 4800 bps"; nothing for a position outside it.
std::string rateText(std::span<const int> rates, std::int32_t position) {
  if (position < 0 || static_cast<std::size_t>(position) >= rates.size()) return {};
  return FormatText(": %d bps", rates[static_cast<std::size_t>(position)]);
}

// The S-band and N-band lines; three independent tests, a later one overwriting an earlier one.
std::pair<std::string, std::string> baudLines(const CKX200Doc& d) {
  using namespace modem_rates;
  if (!d.modemEnabled) return {": -", ": -"};
  std::string s, n;
  if (d.gmsk) {
    s = rateText(kGmskSBand, d.sBandBaudIndex);
    n = s.empty() ? std::string{} : rateText(kGmskNBand, 0);
  }
  if (d.ffsk) {
    s = rateText(kFfskSBand, d.sBandBaudIndex);
    n = rateText(kFfskNBand, d.nBandBaudIndex);
  }
  if (d.afsk) s = n = rateText(kAfskBand, 0);
  return {s, n};
}
std::string sBandBaud(const CKX200Doc& d) {
  return baudLines(d).first;
}
std::string nBandBaud(const CKX200Doc& d) {
  return baudLines(d).second;
}

constexpr std::array<const char*, 10> kBaseBlockTexts{
    ": NONE",     ": 32 BYTE",   ": 64 BYTE",   ": 128 BYTE",  ": 256 BYTE",
    ": 512 BYTE", ": 1024 BYTE", ": 2048 BYTE", ": 4096 BYTE", ": 8192 BYTE"};
constexpr std::array<const char*, 16> kTxDelay1Texts{
    ": 5 ms",  ": 10 ms", ": 15 ms", ": 20 ms", ": 25 ms", ": 30 ms", ": 35 ms", ": 40 ms",
    ": 45 ms", ": 50ms",  ": 55ms",  ": 60ms",  ": 65ms",  ": 70ms",  ": 75ms",  ": 80ms"};
constexpr std::array<const char*, 6> kTxDelay2Texts{": 200 ms", ": 250 ms", ": 300 ms",
                                                    ": 350 ms", ": 400 ms", ": 450 ms"};
constexpr std::array<const char*, 4> kStartBitTexts{": 0 BIT", ": 1 BIT", ": 2 BIT", ": 3 BIT"};
// The sheet's own spellings (": 50ms" has no blank), one for every item of the page's lists.
static_assert(kTxDelay1Texts.size() == modem_steps::kTxDelay1Ms.count &&
              kTxDelay2Texts.size() == modem_steps::kTxDelay2Ms.count &&
              kStartBitTexts.size() == modem_steps::kStartBitErrors.count);
constexpr std::array<const char*, 3> kFlowControlTexts{": NONE", ": Xon / Xoff", ": RTS / CTS"};

std::string baseBlockSize(const CKX200Doc& d) {
  return pick(kBaseBlockTexts, d.baseBlockSizeIndex);
}
std::string flowControl(const CKX200Doc& d) {
  return pick(kFlowControlTexts, d.flowControl);
}
std::string startBitErrors(const CKX200Doc& d) {
  return pick(kStartBitTexts, d.startBitErrors);
}
std::string preamble(const CKX200Doc& d) {
  const ValueSteps& s = modem_steps::kPreambleBits;
  if (d.preambleSizeIndex < 0 || d.preambleSizeIndex >= s.count) return {};
  return FormatText(": %d BIT", s.valueAt(d.preambleSizeIndex));
}

// The KX400's timings are its own: the sheet prints none of them, nor a GMSK modem's tone delay.
bool kx400Timings(const CKX200Doc& d) {
  return Traits(d.modelType).sheetKx400ModemTimings;
}
std::string waitForBusy(const CKX200Doc& d) {
  const ValueSteps& s = modem_steps::kWaitForBusyMs;
  if (kx400Timings(d)) return ": -";
  if (d.waitForBusyIndex < 0 || d.waitForBusyIndex >= s.count) return {};
  return FormatText(": %d ms", s.valueAt(d.waitForBusyIndex));
}
std::string txDelay1(const CKX200Doc& d) {
  return kx400Timings(d) ? ": -" : pick(kTxDelay1Texts, d.txDelay1Index);
}
std::string txDelay2(const CKX200Doc& d) {
  return kx400Timings(d) || d.gmsk ? ": -" : pick(kTxDelay2Texts, d.txDelay2Index);
}
std::string modeLine(const CKX200Doc& d) {
  if (d.testMode) return "Test Mode Enable";
  return d.modemMode == modem::kAutoMode ? ": Auto Mode" : ": Dumb Mode";
}

// ---- the table, in the order of the text forms (a YAML file is written in it, and a value
// read may depend on one before it: the baud rates on the modem type)

constexpr std::array<RadioOption, 44> kOptions{{
    {.id = Id::kModel,
     .members = only<&D::modelType>("Model choice"),
     .form = Form::kOwn,
     .namedFirst = 5},
    {.id = Id::kSubBand,
     .members = only<&D::subBandIndex>("Band choice"),
     .form = Form::kOwn,
     .namedFirst = 4},
    {.id = Id::kTimeoutTimer,
     .group = "timers",
     .key = "time_out_timer_sec",
     .label = "time-out timer",
     .unit = "sec",
     .members = {field<&D::txTimeoutEnabled>("Time out Timer"),
                 field<&D::txTimeoutSec>("Time out Timer")},
     .form = Form::kOwn,
     .sheetValue = seconds<&D::txTimeoutSec>},
    {.id = Id::kHangTimer,
     .group = "timers",
     .key = "hang_timer_ms",
     .label = "hang timer",
     .unit = "ms",
     .members = {field<&D::hangOnEnabled>("Hang Timer"), field<&D::hangOnTimeMs>("Hang Timer")},
     .form = Form::kOwn},
    {.id = Id::kBusyLockout,
     .group = "timers",
     .key = "busy_channel_lockout",
     .label = "busy channel lockout",
     .members = only<&D::busyLockoutEnabled>("Busy channel lockout"),
     .form = Form::kFlag,
     .sheetValue = onOff<&D::busyLockoutEnabled>},
    {.id = Id::kTxMatchedSat,
     .group = "timers",
     .key = "tx_matched_sat",
     .label = "Tx matched SAT",
     .members = only<&D::txMatchedSatEnabled>("Enables Tx matched SAT"),
     .form = Form::kFlag,
     .sheetValue = txMatchedSat},
    {.id = Id::kTxDelay,
     .group = "timers",
     .key = "tx_delay",
     .label = "Tx delay",
     .members = only<&D::txDelayEnabled>("Tx Delay"),
     .form = Form::kFlag,
     .sheetValue = onOff<&D::txDelayEnabled>},
    {.id = Id::kPowerSave,
     .group = "timers",
     .key = "power_save",
     .label = "power save",
     .members = only<&D::powerSaveEnabled>("Power Save"),
     .form = Form::kFlag,
     .sheetValue = onOff<&D::powerSaveEnabled>},
    {.id = Id::kPowerSaveDelay,
     .group = "timers",
     .key = "power_save_delay_sec",
     .label = "power save delay time",
     .unit = "sec",
     .members = only<&D::powerSaveDelayIndex>("Delay Time"),
     .form = Form::kSteps,
     .steps = option_steps::kPowerSaveDelaySec,
     .sheetValue = powerSaveDelay},
    {.id = Id::kRxOffTime,
     .group = "timers",
     .key = "rx_off_time_ms",
     .label = "Rx off time",
     .unit = "ms",
     .members = only<&D::powerSaveOnMs>("Rx Off Time"),
     .form = Form::kNumber,
     .sheetValue = whilePowerSave<&D::powerSaveOnMs>},
    {.id = Id::kRxOnTime,
     .group = "timers",
     .key = "rx_on_time_ms",
     .label = "Rx on time",
     .unit = "ms",
     .members = only<&D::powerSaveOffMs>("Rx On Time"),
     .form = Form::kNumber,
     .sheetValue = whilePowerSave<&D::powerSaveOffMs>},

    {.id = Id::kSquelch,
     .group = "system",
     .key = "squelch",
     .label = "squelch",
     .members = only<&D::squelchEnabled>("Enables Squelch"),
     .form = Form::kFlag,
     .sheetValue = squelchLine},
    {.id = Id::kSquelchCheck,
     .group = "system",
     .key = "squelch_check",
     .label = "squelch check",
     .members = {pair<&D::squelchBusyPortCheck>(0, "Rssi Level Check", "Busy Port Check")},
     .form = Form::kChoice,
     .choices = kSquelchChecks},
    {.id = Id::kBeepOnHangOn,
     .group = "system",
     .key = "beep_on_hang_on_time",
     .label = "beep on hang on time",
     .members = only<&D::beepOnHangOn>("Beep ON When Hang ON Time"),
     .form = Form::kFlag,
     .sheetValue = onOff<&D::beepOnHangOn>},
    {.id = Id::kTxToneForDataInput,
     .group = "system",
     .key = "tx_tone_for_data_input",
     .label = "Tx tone generation for data input",
     .members = only<&D::txToneForDataInput>("Tx Tone Generation For Data Input"),
     .form = Form::kFlag,
     .sheetValue = enabled<&D::txToneForDataInput>},
    {.id = Id::kExternalModulation,
     .group = "system",
     .key = "external_modulation",
     .label = "external modulation",
     .members = only<&D::externalModulation>("Enables External Modulation"),
     .form = Form::kFlag},
    {.id = Id::kScanDelay,
     .group = "system",
     .key = "scan_delay_sec",
     .label = "scan delay time",
     .unit = "sec",
     .members = only<&D::scanDelayIndex>("Scan Delay Time"),
     .form = Form::kSteps,
     .steps = {1, 1, value_text::kScanDelayEntries},
     .sheetValue = scanDelay},
    {.id = Id::kScanSpeed,
     .group = "system",
     .key = "scan_speed_ms",
     .label = "scan speed",
     .unit = "ms",
     .members = only<&D::scanSpeedMs>("Scan Speed Time"),
     .form = Form::kNumber,
     .sheetValue = milliseconds<&D::scanSpeedMs>},
    {.id = Id::kGps,
     .group = "gps",
     .key = "gps_enabled",
     .label = "GPS",
     .members = only<&D::gpsEnabled>("Enables GPS"),
     .form = Form::kFlag,
     .sheetValue = enabled<&D::gpsEnabled>},
    {.id = Id::kGpsCycle,
     .group = "gps",
     .key = "gps_cycle_hours",
     .label = "GPS transmission cycle",
     .unit = "hours",
     .members = only<&D::gpsCycleIndex>("Transmission Cycle"),
     .form = Form::kSteps,
     .steps = {1, 1, value_text::kGpsCycleEntries},
     .sheetValue = gpsCycle},
    {.id = Id::kGpsDataTime,
     .group = "gps",
     .key = "gps_data_time_sec",
     .label = "GPS data transmission time",
     .unit = "sec",
     .members = only<&D::gpsDataTimeSec>("Data Transmission Time"),
     .form = Form::kNumber,
     .sheetValue = whileGps<&D::gpsDataTimeSec>},
    {.id = Id::kGpsDataDelay,
     .group = "gps",
     .key = "gps_data_delay_sec",
     .label = "GPS data delay time",
     .unit = "sec",
     .members = only<&D::gpsDataDelaySec>("Data Delay Time"),
     .form = Form::kNumber,
     .sheetValue = whileGps<&D::gpsDataDelaySec>},

    {.id = Id::kModemType,
     .group = "modem",
     .key = "modem_type",
     .label = "modem type",
     .members = {field<&D::gmsk>("GMSK"), field<&D::ffsk>("FFSK"), field<&D::afsk>("AFSK")},
     .form = Form::kOwn,
     .sheetValue = value_text::ModemTypeLine,
     .namedFirst = 3},
    {.id = Id::kAfskFlavour,
     .group = "modem",
     .key = "afsk_flavour",
     .label = "AFSK flavour",
     .members = {pair<&D::afskBell202>(0, "V23", "BELL 202")},
     .form = Form::kChoice,
     .choices = kFlavours,
     .namedFirst = 3},
    {.id = Id::kModem,
     .group = "modem",
     .key = "modem_enabled",
     .label = "modem",
     .members = {pair<&D::modemEnabled>(0, "Modem Disable", "Modem Enable")},
     .form = Form::kFlag,
     .sheetValue = enabled<&D::modemEnabled>},
    {.id = Id::kSBandBaud,
     .group = "modem",
     .key = "s_band_bps",
     .label = "S-band baud rate",
     .unit = "bps",
     .members = only<&D::sBandBaudIndex>("S - BAND"),
     .form = Form::kOwn,
     .sheetValue = sBandBaud},
    {.id = Id::kNBandBaud,
     .group = "modem",
     .key = "n_band_bps",
     .label = "N-band baud rate",
     .unit = "bps",
     .members = only<&D::nBandBaudIndex>("N - BAND"),
     .form = Form::kOwn,
     .sheetValue = nBandBaud},
    {.id = Id::kBaseBlock,
     .group = "modem",
     .key = "base_block",
     .label = "base block",
     .members = only<&D::baseBlockEnabled>("Base Block Size 1"),
     .form = Form::kFlag},
    {.id = Id::kBaseBlockSize,
     .group = "modem",
     .key = "base_block_size_bytes",
     .label = "base block size",
     .unit = "bytes",
     .members = only<&D::baseBlockSizeIndex>("Base Block Size 1 ( byte )"),
     .form = Form::kChoice,
     .choices = kBaseBlockSizes,
     .sheetValue = baseBlockSize},
    {.id = Id::kPreamble,
     .group = "modem",
     .key = "preamble_size_bits",
     .label = "preamble data size",
     .unit = "bits",
     .members = only<&D::preambleSizeIndex>("Preamble Data Size ( bit )"),
     .form = Form::kSteps,
     .steps = modem_steps::kPreambleBits,
     .sheetValue = preamble},
    {.id = Id::kWaitForBusy,
     .group = "modem",
     .key = "wait_for_busy_ms",
     .label = "wait for busy time",
     .unit = "ms",
     .members = only<&D::waitForBusyIndex>("Wait For Busy Time ( ms )"),
     .form = Form::kSteps,
     .steps = modem_steps::kWaitForBusyMs,
     .sheetValue = waitForBusy},
    {.id = Id::kFlowControl,
     .group = "modem",
     .key = "flow_control",
     .label = "flow control",
     .members = only<&D::flowControl>("Flow Control"),
     .form = Form::kChoice,
     .choices = kFlowControls,
     .sheetValue = flowControl,
     .namedFirst = 1},
    {.id = Id::kTxDelay1,
     .group = "modem",
     .key = "tx_delay_1_ms",
     .label = "Tx delay time 1",
     .unit = "ms",
     .members = only<&D::txDelay1Index>("Tx Delay Time 1 (ms)"),
     .form = Form::kSteps,
     .steps = modem_steps::kTxDelay1Ms,
     .sheetValue = txDelay1},
    {.id = Id::kTxDelay2,
     .group = "modem",
     .key = "tx_delay_2_ms",
     .label = "Tx delay time 2",
     .unit = "ms",
     .members = only<&D::txDelay2Index>("Tx Delay Time 2 (ms, Tone Only)"),
     .form = Form::kSteps,
     .steps = modem_steps::kTxDelay2Ms,
     .sheetValue = txDelay2},
    {.id = Id::kStartBitErrors,
     .group = "modem",
     .key = "start_bit_errors",
     .label = "allowable errors for start bit",
     .members = only<&D::startBitErrors>("Number of Allowable Errors for Start Bit"),
     .form = Form::kSteps,
     .steps = modem_steps::kStartBitErrors,
     .sheetValue = startBitErrors},
    // Kept in the file, never sent to the radio; no control but DEFAULT changes it.
    {.id = Id::kByteCount, .members = only<&D::byteCountIndex>("DEFAULT"), .form = Form::kOwn},
    {.id = Id::kModemMode,
     .group = "modem",
     .key = "modem_mode",
     .label = "modem mode",
     .members = {pair<&D::modemMode>(modem::kDumbMode, "Dumb Mode", "Auto Mode")},
     .form = Form::kChoice,
     .choices = kModes,
     .sheetValue = modeLine,
     .namedFirst = 2},
    {.id = Id::kTxForcing,
     .group = "modem",
     .key = "tx_forcing",
     .label = "Tx forcing mode",
     .members = only<&D::txForcingMode>("Enables Tx Forcing Mode"),
     .form = Form::kFlag,
     .sheetValue = enabled<&D::txForcingMode>},
    {.id = Id::kInitDataForHt,
     .group = "modem",
     .key = "init_data_for_ht",
     .label = "initializing data for HT",
     .members = only<&D::initDataForHt>("Enables Initializing Data For HT"),
     .form = Form::kFlag,
     .sheetValue = enabled<&D::initDataForHt>},
    {.id = Id::kTxOffDelay,
     .group = "modem",
     .key = "tx_off_delay_ms",
     .label = "Tx off delay",
     .unit = "ms",
     .members = only<&D::txOffDelayMs>("Tx OFF Delay"),
     .form = Form::kNumber,
     .range = {0, 16, 2},
     .sheetValue = milliseconds<&D::txOffDelayMs>},
    {.id = Id::kTxOnDelay,
     .group = "modem",
     .key = "tx_on_delay_ms",
     .label = "Tx on delay",
     .unit = "ms",
     .members = only<&D::txOnDelayMs>("Tx On Delay"),
     .form = Form::kNumber,
     .range = {0, 254, 2},
     .sheetValue = milliseconds<&D::txOnDelayMs>},
    {.id = Id::kRxOnDelay,
     .group = "modem",
     .key = "rx_on_delay_ms",
     .label = "Rx on delay",
     .unit = "ms",
     .members = only<&D::rxOnDelayMs>("Rx On Delay"),
     .form = Form::kNumber,
     .range = {0, 126, 2},
     .sheetValue = milliseconds<&D::rxOnDelayMs>},

    {.id = Id::kRegB8,
     .group = "radio_held",
     .key = "reg_b8",
     .label = "radio byte 0x0B8",
     .members = only<&D::regB8>(""),
     .form = Form::kByte},
    {.id = Id::kRegB6,
     .group = "radio_held",
     .key = "reg_b6",
     .label = "radio byte 0x0B6",
     .members = only<&D::regB6>(""),
     .form = Form::kByte},
}};

constexpr bool inIdOrder() {
  for (std::size_t i = 0; i < kOptions.size(); ++i) {
    if (kOptions[i].id != static_cast<OptionId>(i)) return false;
  }
  return true;
}
static_assert(inIdOrder(), "row i of the table is option i");

}  // namespace

std::span<const OptionMember> RadioOption::Members() const {
  const auto end = std::ranges::find(members, nullptr, &OptionMember::differs);
  return {members.begin(), end};
}

std::span<const RadioOption> RadioOptions() {
  return kOptions;
}

const RadioOption& Option(OptionId id) {
  return kOptions[static_cast<std::size_t>(id)];
}

}  // namespace kx
