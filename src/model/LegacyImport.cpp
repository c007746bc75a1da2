#include "model/LegacyImport.h"

#include <cstdio>

#include "model/ConfigFile.h"
#include "model/FileIo.h"
#include "model/FrequencyCodec.h"
#include "model/KX200Doc.h"

namespace kx {

namespace {

// KX100 memory layout.
constexpr std::size_t kChannelTriples = 6;  // receive triple then transmit triple per channel
constexpr std::size_t kHangOnCode = 5;      // low nibble of the transmit triple's last byte
constexpr std::size_t kSystemFlags = 114;   // b6 busy lockout, b5 time-out, b1 VHF radio
constexpr std::size_t kTxTimeout = 115;     // tens of seconds
constexpr std::size_t kPowerSaveOff = 116;
constexpr std::size_t kPowerSave = 117;  // b7 on, b6..b4 delay index, b3..b0 on time code
constexpr std::size_t kWideMask = 142;   // two bytes, bit per channel
constexpr std::size_t kStepMask = 144;   // two bytes, bit per channel: 6.25 kHz
constexpr int kMaxHangOnCode = 4;
constexpr int kHangOnMsPerCode = 500;
constexpr int kLongestHangOnMs = 2000;

int hexDigit(std::uint8_t c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return 0;  // anything else counts as 0
}

int hexByte(std::span<const std::uint8_t> record, std::size_t at) {
  return hexDigit(record[at]) * 16 + hexDigit(record[at + 1]);
}

// A frequency triple: a 17-bit count scattered over three bytes.
std::uint32_t tripleCount(const legacy::Image& img, std::size_t at) {
  const std::uint8_t t0 = img[at], t1 = img[at + 1], t2 = img[at + 2];
  const std::uint32_t v = t0 & 0x3F;
  std::uint32_t w = 2u * t1;
  if (t0 & 0x80) w += 1;
  if (t2 & 0x80) w += 512;
  if (t0 & 0x40) w += 1024;
  return 64 * w + v;
}

bool bitOf(const legacy::Image& img, std::size_t mask, int channel) {
  return (img[mask + static_cast<std::size_t>(channel / 8)] >> (channel % 8)) & 1;
}

void importHangOn(CKX200Doc& doc, const legacy::Image& img, Outcome& outcome) {
  auto code = [&](int e) {
    return img[kChannelTriples * static_cast<std::size_t>(e) + kHangOnCode] & 0x0F;
  };
  int held = code(0);
  bool differ = false;
  for (int e = 1; e < kChannelCount; ++e) {
    if (code(e) == held) continue;
    differ = true;
    if (code(e) != 0) held = code(e);
  }
  const std::string caption{GetBand(model::kKx600Uhf).caption};
  if (differ)
    outcome.notice("Hangon time for " + caption + " can be set \r\nonly one value for all channel",
                   NoticeKind::kWarning);
  if (held == 0) {
    doc.hangOnTimeMs = 0;
    doc.hangOnEnabled = 0;
  } else if (held <= kMaxHangOnCode) {
    doc.hangOnTimeMs = kHangOnMsPerCode * held;
    doc.hangOnEnabled = 1;
  } else {
    outcome.notice(caption + " is supported 180 - 2000 ms for hangon time", NoticeKind::kWarning);
    doc.hangOnTimeMs = kLongestHangOnMs;
    doc.hangOnEnabled = 1;
  }
}

void importOptions(CKX200Doc& doc, const legacy::Image& img, bool vhfBand, Outcome& outcome) {
  const std::uint8_t flags = img[kSystemFlags];
  if (flags & 0x20) {
    doc.txTimeoutEnabled = 1;
    doc.txTimeoutSec = img[kTxTimeout] * 10;
  }
  if (flags & 0x40) doc.busyLockoutEnabled = 1;
  if (((flags & 0x02) != 0) != vhfBand)
    outcome.notice(legacy_message::kModelWrong, NoticeKind::kWarning);

  const std::uint8_t powerSave = img[kPowerSave];
  if (powerSave & 0x80) {
    doc.powerSaveEnabled = 1;
    doc.powerSaveDelayIndex = (powerSave >> 4) & 0x07;
    doc.powerSaveOnMs = (powerSave & 0x0F) * 10 + 10;
    doc.powerSaveOffMs = img[kPowerSaveOff] * 50 + 50;
  }
}

void importChannels(CKX200Doc& doc, const legacy::Image& img, bool vhfBand) {
  for (int e = 0; e < kChannelCount; ++e) {
    ChannelRecord& c = doc.channels[static_cast<std::size_t>(e)];
    c.wide = bitOf(img, kWideMask, e) ? 1 : 0;
    const bool fineStep = bitOf(img, kStepMask, e);
    c.stepCode = fineStep ? kStep6250Hz : kStep5000Hz;
    const double stepHz = fineStep ? 6250.0 : 5000.0;

    const std::size_t rx = kChannelTriples * static_cast<std::size_t>(e);
    const std::size_t tx = rx + 3;
    if ((img[rx + 2] & 0x7F) == 0) c.highPower = 1;
    const std::uint32_t rxCount = tripleCount(img, rx);
    const std::uint32_t txCount = tripleCount(img, tx);
    const double offset = vhfBand ? -frequency::kIfOffsetHz : frequency::kIfOffsetHz;
    c.rxFreqMHz = rxCount == 0 ? 0 : (rxCount * stepHz + offset) / 1'000'000.0;
    c.txFreqMHz = txCount == 0 ? 0 : txCount * stepHz / 1'000'000.0;
  }
}

// The sub-band most of the file's frequencies fall into.
void chooseSubBand(CKX200Doc& doc, Outcome& outcome) {
  const BandEntry& vhf = GetBand(model::kKx400Vhf);
  const BandEntry& uhf = GetBand(model::kKx400Uhf);
  auto within = [](double f, double low, double high) { return f >= low && f <= high; };
  int nV = 0, nU1 = 0, nU2 = 0;
  for (const ChannelRecord& c : doc.channels) {
    for (double f : {c.rxFreqMHz, c.txFreqMHz}) {
      nV += within(f, vhf.lowMHz[0], vhf.highMHz[0]);
      nU1 += within(f, uhf.lowMHz[0], uhf.highMHz[0]);
      nU2 += within(f, uhf.lowMHz[1], uhf.highMHz[1]);
    }
  }
  const BandEntry* band = &vhf;
  std::size_t sub = 0;
  if (nV < nU1) {
    band = &uhf;
    sub = nU1 < nU2 ? 1 : 0;
  } else if (nV < nU2) {
    band = &uhf;
    sub = 1;
  }
  doc.subBandIndex = static_cast<std::uint8_t>(sub);

  const double low = band->lowMHz[sub], high = band->highMHz[sub];
  bool outside = false;
  for (const ChannelRecord& c : doc.channels) {
    for (double f : {c.rxFreqMHz, c.txFreqMHz})
      outside |= f != 0 && !within(f, low, high);
  }
  if (outside) {
    char text[96];
    std::snprintf(text, sizeof text, legacy_message::kOutOfBand, static_cast<int>(low),
                  static_cast<int>(high));
    outcome.notice(text, NoticeKind::kWarning);
  }
}

}  // namespace

legacy::ParsedFile legacy::ParseRecords(std::span<const std::uint8_t> text) {
  ParsedFile parsed;
  for (std::size_t r = 0; r < kRecordCount; ++r) {
    const std::size_t start = r * kRecordLength;
    // The last record may come without its line end.
    if (start + kRecordUsed > text.size()) break;
    const auto record = text.subspan(start, kRecordUsed);
    ++parsed.records;
    const int address = hexByte(record, 0);
    if (address * 2 + 1 >= static_cast<int>(kImageSize)) continue;
    parsed.image[static_cast<std::size_t>(address) * 2] =
        static_cast<std::uint8_t>(hexByte(record, 5));
    parsed.image[static_cast<std::size_t>(address) * 2 + 1] =
        static_cast<std::uint8_t>(hexByte(record, 3));
  }
  return parsed;
}

Outcome ImportLegacyBytes(CKX200Doc& doc, std::span<const std::uint8_t> text, bool vhfBand) {
  const legacy::ParsedFile parsed = legacy::ParseRecords(text);
  // A file cut short would leave the step and width bits of its last records at zero and
  // import wrong frequencies without a word; the format always has all its records.
  if (parsed.records < legacy::kRecordCount) return Outcome::failure(file_message::kCorrupted);

  CKX200Doc imported = doc;
  imported.ResetToDefaults();
  Outcome outcome;
  importHangOn(imported, parsed.image, outcome);
  importOptions(imported, parsed.image, vhfBand, outcome);
  importChannels(imported, parsed.image, vhfBand);
  chooseSubBand(imported, outcome);
  doc = imported;
  return outcome;
}

Outcome ImportLegacyFile(CKX200Doc& doc, const std::string& path, bool vhfBand) {
  std::string reason;
  const auto text = fileio::readPrefix(path, legacy::kRecordCount * legacy::kRecordLength, &reason);
  if (!text) return Outcome::failure(file_message::kCannotOpen, reason);
  return ImportLegacyBytes(doc, *text, vhfBand);
}

}  // namespace kx
