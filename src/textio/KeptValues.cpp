#include "textio/KeptValues.h"

#include <algorithm>
#include <array>
#include <variant>

#include "model/KX200Doc.h"
#include "model/ModelTraits.h"
#include "model/ValueText.h"
#include "rules/ChannelFrequency.h"
#include "textio/SignallingText.h"
#include "textio/TextValues.h"

namespace kx {

namespace {

using D = CKX200Doc;
using C = ChannelRecord;

FieldTake refused(std::string text) {
  return {std::move(text), false};
}
std::string notA(std::string_view text, const char* what) {
  return text_values::Quoted(text) + " is not " + what;
}

bool always(const D&) {
  return true;
}

template <std::int32_t D::*F>
std::string showWhole(const D& d) {
  return std::to_string(d.*F);
}
template <std::int32_t D::*F>
FieldTake takeWhole(D& d, std::string_view text) {
  const auto v = text_values::ParseWhole(text);
  if (!v) return refused(notA(text, "a whole number"));
  d.*F = *v;
  return {};
}
template <double D::*F>
std::string showDouble(const D& d) {
  return text_values::NumberText(d.*F);
}
template <double D::*F>
FieldTake takeDouble(D& d, std::string_view text) {
  const auto v = text_values::ParseNumber(text);
  if (!v) return refused(notA(text, "a number"));
  d.*F = *v;
  return {};
}

// The modem type shows the S - BAND position for GMSK and FFSK, the N - BAND one for FFSK.
bool sBandHidden(const D& d) {
  return !d.gmsk && !d.ffsk;
}
bool nBandHidden(const D& d) {
  return !d.ffsk;
}

template <std::int32_t kind>
bool otherRxKind(const C& c) {
  return c.rxOption != kind;
}
template <std::int32_t kind>
bool otherTxKind(const C& c) {
  return c.txOption != kind;
}

template <double C::*F>
std::string showTone(const C& c) {
  return CtcssText(c.*F);
}
template <double C::*F>
FieldTake takeTone(const D&, C& c, std::string_view text) {
  const auto tone = ParseCtcss(text);
  if (const auto* error = std::get_if<std::string>(&tone)) return refused(*error);
  c.*F = std::get<double>(tone);
  return {};
}
template <std::int32_t C::*F>
std::string showCode(const C& c) {
  return DcsText(c.*F);
}
template <std::int32_t C::*F>
FieldTake takeCode(const D&, C& c, std::string_view text) {
  const auto code = ParseDcs(text);
  if (const auto* error = std::get_if<std::string>(&code)) return refused(*error);
  c.*F = std::get<std::int32_t>(code);
  return {};
}
std::string showGroup(const C& c) {
  return value_text::TwoToneGroup(c.twoToneSelect);
}
FieldTake takeGroup(const D&, C& c, std::string_view text) {
  const auto group = ParseTwoToneGroup(text);
  if (const auto* error = std::get_if<std::string>(&group)) return refused(*error);
  c.twoToneSelect = std::get<std::int32_t>(group);
  return {};
}

// A channel whose RX edit was cleared on its own keeps what its TX edit held; the TX edit shows
// it again and steers the step when an RX frequency is typed, so it must be one the edit could
// hold: in the sub-band, on a step of the model.
bool emptyChannel(const C& c) {
  return c.isEmpty();
}
std::string showLoneTx(const C& c) {
  return c.txFreqMHz == 0 ? std::string() : value_text::FrequencyMHz(c.txFreqMHz);
}
FieldTake takeLoneTx(const D& d, C& c, std::string_view text) {
  const auto mhz = text_values::ParseNumber(text);
  const auto hz = mhz ? WholeHz(*mhz) : std::nullopt;
  const BandLimits limits = LimitsOf(d);
  const ModelTraits& traits = Traits(d.modelType);
  const bool onStep =
      hz && std::any_of(traits.stepsHz.begin(), traits.stepsHz.begin() + traits.stepCount,
                        [&](int step) { return IsStepMultiple(*hz, step); });
  if (!onStep || *mhz < limits.lowMHz || *mhz > limits.highMHz)
    return refused(notA(text, "a frequency on a step of the sub-band"));
  c.txFreqMHz = *mhz;
  return {};
}

const std::array<KeptField, 11> kKept{{
    {"s_band_index", "s_band_bps", sBandHidden, showWhole<&D::sBandBaudIndex>,
     takeWhole<&D::sBandBaudIndex>},
    {"n_band_index", "n_band_bps", nBandHidden, showWhole<&D::nBandBaudIndex>,
     takeWhole<&D::nBandBaudIndex>},
    {"reserved_double_1", "", always, showDouble<&D::reservedDouble1>,
     takeDouble<&D::reservedDouble1>},
    {"reserved_double_2", "", always, showDouble<&D::reservedDouble2>,
     takeDouble<&D::reservedDouble2>},
    {"reserved_int_1", "", always, showWhole<&D::reservedInt1>, takeWhole<&D::reservedInt1>},
    {"tone_lookup_hz", "", always, showDouble<&D::toneLookupHz>, takeDouble<&D::toneLookupHz>},
    {"tone_lookup_dcs", "", always, showWhole<&D::toneLookupDcs>, takeWhole<&D::toneLookupDcs>},
    {"reserved_int_2", "", always, showWhole<&D::reservedInt2>, takeWhole<&D::reservedInt2>},
    {"byte_count_index", "", always, showWhole<&D::byteCountIndex>, takeWhole<&D::byteCountIndex>},
    {"spare_flag", "", always, showWhole<&D::spareFlag>, takeWhole<&D::spareFlag>},
    {"test_mode", "", always, showWhole<&D::testMode>, takeWhole<&D::testMode>},
}};

const std::array<KeptChannelField, 6> kKeptChannel{{
    {"tx_freq_mhz", "tx_freq_mhz", emptyChannel, showLoneTx, takeLoneTx},
    {"rx_ctcss_hz", "rx_option", otherRxKind<kOptionCtcss>, showTone<&C::rxCtcssHz>,
     takeTone<&C::rxCtcssHz>},
    {"rx_dcs_code", "rx_option", otherRxKind<kOptionDcs>, showCode<&C::rxDcsCode>,
     takeCode<&C::rxDcsCode>},
    {"tx_ctcss_hz", "tx_option", otherTxKind<kOptionCtcss>, showTone<&C::txCtcssHz>,
     takeTone<&C::txCtcssHz>},
    {"tx_dcs_code", "tx_option", otherTxKind<kOptionDcs>, showCode<&C::txDcsCode>,
     takeCode<&C::txDcsCode>},
    {"two_tone_group", "rx_option", otherRxKind<kOptionTwoTone>, showGroup, takeGroup},
}};

}  // namespace

std::span<const KeptField> KeptFields() {
  return kKept;
}

std::span<const KeptChannelField> KeptChannelFields() {
  return kKeptChannel;
}

}  // namespace kx
