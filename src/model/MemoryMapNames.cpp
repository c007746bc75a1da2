#include "model/MemoryMapNames.h"

#include <array>
#include <string_view>

#include "model/FormatText.h"
#include "model/MemoryMap.h"

namespace kx::image {

namespace {

// 0x00..0x1F: system options.
constexpr std::array<std::string_view, 0x20> kSystemBytes{
    "squelch by busy port, hang-on, Tx time-out, Tx delay, busy lockout, Tx matched SAT, GPS "
    "copy, any channel scans",
    "Tx time-out (s / 10)",
    "scan list, channels 1..8",
    "scan list, channels 9..16",
    "scan delay, UHF band, GPS enabled, PLL IC",
    "scan speed ((ms - 10) / 10)",
    "power save, delay time, Rx on time",
    "power save Rx off time ((ms - 20) / 10)",
    "empty channels 1..8",
    "empty channels 9..16",
    "first and last programmed channel",
    "Tx tone for data input, radio-held bits",
    "constant 0x23",
    "radio-held byte",
    "radio-held byte",
    "radio-held byte",
    "firmware write marker (3 for version 1.1)",
    "hang-on time ((ms - 180) / 10)",
    "beep on hang-on, radio-held bits",
    "modem type, Tx forcing, Dumb mode, modem enabled, baud code",
    "Tx on delay (ms / 2)",
    "Tx off delay (ms / 2)",
    "Rx on delay (ms / 2)",
    "GPS data delay ((s - 50) / 10)",
    "radio-held byte",
    "radio-held byte",
    "radio-held byte",
    "radio-held byte",
    "radio-held byte",
    "radio-held byte",
    "GPS data transmission time (s)",
    "GPS transmission cycle (h)",
};

// The nine bytes of a channel record.
constexpr std::array<std::string_view, kChannelRecordSize> kChannelBytes{
    "step, narrow, high power, receive count bits 16..14",
    "receive count bits 13..6",
    "receive count bits 5..0",
    "receive tone code",
    "receive DCS / CTCSS markers, narrow, transmit count bits 16..14",
    "transmit count bits 13..6",
    "transmit count bits 5..0",
    "transmit tone code",
    "record check byte",
};

// 0xB0..0xBF: modem link options, squelch, model.
constexpr std::array<std::string_view, 0x10> kLinkBytes{
    "preamble size, base block size",
    "AFSK BELL 202, AFSK, start bit errors, wait for busy",
    "Tx delay time 1, UHF KX400 family, data for HT, flow control",
    "Tx delay time 2",
    "constant 0x40",
    "base block enabled, squelch disabled, older model",
    "radio-held byte",
    "VHF marker (0xFF VHF, 0x00 UHF)",
    "radio-held byte",
    "unused",
    "External Modulation",
    "unused",
    "unused",
    "unused",
    "unused",
    "sub-band, model code",
};

// The ten bytes of a two-tone record.
constexpr std::array<std::string_view, kTwoToneRecordSize> kTwoToneBytes{
    "tone A count, low byte",
    "tone A count, high byte",
    "tone A duration, low byte",
    "tone A duration, high byte",
    "tone B count, low byte",
    "tone B count, high byte",
    "tone B duration, low byte",
    "tone B duration, high byte",
    "tone A cycles",
    "tone B cycles",
};

std::string channelField(std::size_t channel, std::string_view what) {
  return FormatText("channel %zu: ", channel + 1) + std::string(what);
}

std::string fieldAt(std::size_t at) {
  if (at < kChannelBase) return std::string(kSystemBytes[at]);
  if (at < channelRecord(16)) {
    const std::size_t offset = at - kChannelBase;
    return channelField(offset / kChannelRecordSize, kChannelBytes[offset % kChannelRecordSize]);
  }
  if (at < kToneATolerance) return std::string(kLinkBytes[at - channelRecord(16)]);
  if (at < kTwoToneBase) {
    const bool toneA = at < kToneBTolerance;
    const std::size_t offset = at - (toneA ? kToneATolerance : kToneBTolerance);
    return channelField(offset / 2,
                        std::string(toneA ? "tone A" : "tone B") +
                            (offset % 2 ? " tolerance, upper side" : " tolerance, lower side"));
  }
  const std::size_t offset = at - kTwoToneBase;
  return channelField(offset / kTwoToneRecordSize, kTwoToneBytes[offset % kTwoToneRecordSize]);
}

}  // namespace

std::string DescribeAddress(std::size_t address) {
  if (address >= kSize) return {};
  return FormatText("0x%03zX: ", address) + fieldAt(address);
}

}  // namespace kx::image
