#include "rules/ChannelFrequency.h"

#include <algorithm>
#include <cmath>

#include "model/FormatText.h"
#include "model/KX200Doc.h"
#include "model/ModelTraits.h"
#include "model/ValueText.h"
#include "rules/DecimalText.h"

namespace kx {

namespace {

constexpr std::size_t kPointPosition = 3;  // "150.125": three digits of MHz before the point
constexpr double kLargestMHz = 1e6;        // 1 THz: far beyond any radio, well inside int64 Hz

std::string rangeMessage(const char* pattern, BandLimits limits) {
  return FormatText(pattern, limits.lowMHz, limits.highMHz);
}

// Outside the sub-band; 0 never is. Anything below the band counts, negative values included.
bool outside(BandLimits limits, double mhz) {
  if (mhz == 0) return false;
  return !(mhz >= limits.lowMHz && mhz <= limits.highMHz);
}

double toMHz(std::int64_t hz) {
  return static_cast<double>(hz) / 1e6;
}

// The 1-based position of the first step of the model that holds every given frequency.
template <typename... Hz>
int firstCommonStep(const ModelTraits& traits, Hz... hz) {
  for (int i = 0; i < traits.stepCount; ++i) {
    const int step = traits.stepsHz[static_cast<std::size_t>(i)];
    if ((IsStepMultiple(hz, step) && ...)) return i + 1;
  }
  return 0;
}

int stepHzOf(const ModelTraits& traits, int stepCode) {
  if (stepCode < 1 || stepCode > traits.stepCount) return 0;
  return traits.stepsHz[static_cast<std::size_t>(stepCode - 1)];
}

}  // namespace

BandLimits LimitsOf(const CKX200Doc& doc) {
  const BandEntry& band = doc.band();
  if (doc.subBandIndex >= band.subBandCount) return {};
  return {band.lowMHz[doc.subBandIndex], band.highMHz[doc.subBandIndex]};
}

std::string NormalizeFrequencyText(std::string_view text) {
  std::string s(text);
  const auto point = s.find('.');
  if (s.size() == kPointPosition && point != std::string::npos) {
    std::erase(s, '.');
  } else if (s.size() > kPointPosition && point == std::string::npos) {
    s.insert(kPointPosition, 1, '.');
  } else if (s.size() > kPointPosition && point > kPointPosition) {
    std::erase(s, '.');
    s.insert(kPointPosition, 1, '.');
  }
  return s;
}

std::optional<std::int64_t> WholeHz(double mhz) {
  if (!std::isfinite(mhz) || std::fabs(mhz) > kLargestMHz) return std::nullopt;
  return std::llround(mhz * 1e6);
}

bool IsStepMultiple(std::int64_t hz, int stepHz) {
  return stepHz > 0 && hz % stepHz == 0;
}

std::int64_t EvenMultiple(std::int64_t hz, int stepHz) {
  std::int64_t n = hz / stepHz;
  if (n % 2 != 0) n += 1;
  return n * stepHz;
}

SnappedFrequency SnapRxFrequency(const ModelTraits& traits, BandLimits limits, double rxMHz,
                                 double txMHz) {
  const auto rx = WholeHz(rxMHz);
  if (!rx) return {rxMHz, kStep6250Hz, true};
  // A transmit value no channel can have does not steer the step.
  const std::int64_t tx = WholeHz(txMHz).value_or(0);
  SnappedFrequency result{toMHz(*rx), 0, false};
  if (tx != 0) {
    if (const int both = firstCommonStep(traits, *rx, tx)) {
      result.stepCode = both;
    } else if (const int txStep = firstCommonStep(traits, tx)) {
      result.stepCode = txStep;
      result.mhz = toMHz(EvenMultiple(*rx, stepHzOf(traits, txStep)));
    }
  }
  if (result.stepCode == 0) {
    if (const int rxStep = firstCommonStep(traits, *rx)) {
      result.stepCode = rxStep;
    } else {
      result.stepCode = kStep6250Hz;
      result.mhz = toMHz(EvenMultiple(*rx, traits.stepsHz[0]));
    }
  }
  result.outOfBand = outside(limits, result.mhz);
  return result;
}

SnappedFrequency SnapTxFrequency(const ModelTraits& traits, BandLimits limits, double txMHz,
                                 double rxMHz, int stepCode) {
  const auto tx = WholeHz(txMHz);
  if (!tx) return {txMHz, stepCode, true};
  const std::int64_t rx = WholeHz(rxMHz).value_or(0);
  SnappedFrequency result{toMHz(*tx), stepCode, false};
  if (const int both = firstCommonStep(traits, *tx, rx)) result.stepCode = both;
  // A step the model does not list (7.5 kHz from a radio) leaves the frequency as it is.
  if (const int step = stepHzOf(traits, result.stepCode)) result.mhz = toMHz(*tx / step * step);
  result.outOfBand = outside(limits, result.mhz);
  return result;
}

FrequencyEdit ValidateRxFrequency(const CKX200Doc& doc, int index, std::string_view rxText,
                                  std::string_view txText) {
  const ChannelRecord& channel = doc.channels.at(static_cast<std::size_t>(index));
  FrequencyEdit edit{0, 0, channel.stepCode, {}, {}, {}, ChannelFocus::kStay};
  if (rxText.empty() && txText.empty()) return edit;

  const ModelTraits& traits = Traits(doc.modelType);
  const BandLimits limits = LimitsOf(doc);
  const double tx = ParseDecimalText(txText);
  SnappedFrequency r = SnapRxFrequency(traits, limits, ParseDecimalText(rxText), tx);
  if (r.outOfBand) {
    const double replacement = outside(limits, tx) || tx == 0 ? limits.middleMHz() : tx;
    r = SnapRxFrequency(traits, limits, replacement, tx);
    edit.notice = Notice::stop(rangeMessage("Valid Range : %.0f to %.0fMHz", limits));
    edit.focus = ChannelFocus::kRxOption;
  }
  edit.rxMHz = r.mhz;
  edit.stepCode = r.stepCode;
  edit.rxText = value_text::FrequencyMHz(r.mhz);
  edit.txMHz = channel.txFreqMHz;
  edit.txText = std::string(txText);
  if (tx == 0) {
    // The transmit frequency follows the receive one.
    edit.txMHz = r.mhz;
    edit.txText = edit.rxText;
    if (r.mhz == 0) edit.rxText = edit.txText = {};
  }
  return edit;
}

FrequencyEdit ValidateTxFrequency(const CKX200Doc& doc, int index, std::string_view rxText,
                                  std::string_view txText) {
  const ChannelRecord& channel = doc.channels.at(static_cast<std::size_t>(index));
  // A transmit frequency alone is taken as the receive frequency, and then follows it.
  if (rxText.empty() && !txText.empty())
    return ValidateRxFrequency(doc, index, value_text::FrequencyMHz(ParseDecimalText(txText)), {});

  FrequencyEdit edit{channel.rxFreqMHz,  0, channel.stepCode, std::string(rxText), {}, {},
                     ChannelFocus::kStay};
  const double rx = ParseDecimalText(rxText);
  if (txText.empty()) {
    if (rxText.empty()) return {0, 0, channel.stepCode, {}, {}, {}, ChannelFocus::kStay};
    edit.txMHz = rx;
    edit.txText = value_text::FrequencyMHz(rx);
    return edit;
  }

  const BandLimits limits = LimitsOf(doc);
  const SnappedFrequency t = SnapTxFrequency(Traits(doc.modelType), limits,
                                             ParseDecimalText(txText), rx, channel.stepCode);
  edit.stepCode = t.stepCode;
  edit.txMHz = t.mhz;
  if (t.outOfBand) {
    edit.notice = Notice::stop(rangeMessage("Valid Range %.0f to %.0fMHz", limits));
    edit.focus = ChannelFocus::kTxOption;
    // The receive frequency, unless it is no frequency of the sub-band either.
    edit.txMHz = rx != 0 && !outside(limits, rx) ? rx : limits.middleMHz();
  }
  edit.txText = value_text::FrequencyMHz(edit.txMHz);
  if (edit.txMHz == 0 && rx == 0) {
    edit.rxMHz = 0;
    edit.rxText = edit.txText = {};
  }
  return edit;
}

void ApplyFrequencyEdit(CKX200Doc& doc, int index, const FrequencyEdit& edit) {
  ChannelRecord& channel = doc.channels.at(static_cast<std::size_t>(index));
  channel.rxFreqMHz = edit.rxMHz;
  channel.txFreqMHz = edit.txMHz;
  channel.stepCode = edit.stepCode;
}

}  // namespace kx
