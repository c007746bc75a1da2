#include "model/ImageCodec.h"

#include "model/ByteOrder.h"
#include "model/FrequencyCodec.h"
#include "model/KX200Doc.h"
#include "model/ModelTraits.h"
#include "model/ToneTables.h"
#include "model/TwoToneCodec.h"

namespace kx {

using image::Image;
namespace ch = image::channel;

namespace {

constexpr std::uint8_t kConst0CValue = 0x23;
constexpr std::uint8_t kConst0DValue = 0x1D;
constexpr std::uint8_t kConst18Value = 0x11;
constexpr std::uint8_t kConst19Value = 0x0F;
constexpr std::uint8_t kConstB4Value = 0x40;
constexpr int kCtcssNotListed = 49;
constexpr int kDcsNotListed = 104;

std::uint8_t byteOf(int value) {
  return static_cast<std::uint8_t>(value);
}
// A document value in the units of its image byte: (value - offset) / unit. A file can hold any
// 32-bit value here, so the sum is taken in 64 bits; the byte keeps its low eight bits.
std::uint8_t unitsOf(std::int32_t value, int offset, int unit) {
  return static_cast<std::uint8_t>((std::int64_t{value} - offset) / unit);
}
// An index counted from 1 in the image; any value a file holds wraps as the field's bits do.
unsigned fromOne(std::int32_t index) {
  return static_cast<unsigned>(index) + 1u;
}
bool on(std::int32_t flag) {
  return flag != 0;
}
std::size_t at(int index, std::size_t offset) {
  return image::channelRecord(index) + offset;
}

std::uint8_t ctcssCode(double toneHz) {
  const int position = CtcssPosition(toneHz);
  return byteOf(position ? position : kCtcssNotListed);
}

std::uint8_t dcsCode(int code) {
  const int position = DcsPosition(code);
  return byteOf(image::tone_code::kFirstDcs + (position ? position : kDcsNotListed) - 1);
}

// ---------------------------------------------------------------- encode

void encodeFixedBytes(const CKX200Doc& doc, Image& img) {
  img[image::kReg0E] = doc.reg0E;
  img[image::kReg0F] = doc.reg0F;
  image::set(img, image::kReg0B, doc.reg0B);
  img[image::kReg10] = doc.reg10;
  image::set(img, image::kReg12, doc.reg12);
  img[image::kReg18] = kConst18Value;
  img[image::kReg19] = kConst19Value;
  img[image::kReg1A] = doc.reg1A;
  img[image::kReg1B] = doc.reg1B;
  img[image::kReg1C] = doc.reg1C;
  img[image::kReg1D] = doc.reg1D;
  img[image::kConstB4] = kConstB4Value;
  img[image::kRegB8] = doc.regB8;
  img[image::kRegB6] = doc.regB6;
}

void putCount(Image& img, std::size_t high, std::uint32_t count) {
  img[high] |= byteOf(static_cast<int>(count >> 14) & ch::kCountTopBits);
  img[high + 1] = byteOf(static_cast<int>(count >> 6) & 0xFF);
  img[high + 2] = byteOf(static_cast<int>(count) & ch::kCountLowBits);
}

void encodeChannel(const CKX200Doc& doc, int index, Image& img) {
  const ChannelRecord& c = doc.channels[static_cast<std::size_t>(index)];
  if (c.isEmpty()) return;
  const ModelType type = doc.modelType;
  const frequency::StepBits step = frequency::EncodeStep(type, c.stepCode);

  std::uint8_t& rxHigh = img[at(index, ch::kRxHigh)];
  rxHigh |= byteOf(static_cast<int>(step.bits << ch::kStepShift));
  if (!on(c.wide)) rxHigh |= ch::kNarrow;
  if (Traits(type).highPowerBit && on(c.highPower)) rxHigh |= ch::kHighPower;

  std::uint8_t& txHigh = img[at(index, ch::kTxHigh)];
  switch (c.rxOption) {
    case kOptionCtcss:
      img[at(index, ch::kRxTone)] = ctcssCode(c.rxCtcssHz);
      txHigh |= ch::kRxCtcssMarker;
      break;
    case kOptionDcs:
      img[at(index, ch::kRxTone)] = dcsCode(c.rxDcsCode);
      txHigh |= ch::kRxDcsMarker;
      break;
    case kOptionTwoTone:
      if (Traits(type).twoToneInImage)
        img[at(index, ch::kRxTone)] = static_cast<std::uint8_t>(
            image::tone_code::kFirstTwoTone + static_cast<unsigned>(c.twoToneSelect));
      break;
    default:
      break;
  }
  if (c.txOption == kOptionCtcss) img[at(index, ch::kTxTone)] = ctcssCode(c.txCtcssHz);
  if (c.txOption == kOptionDcs) img[at(index, ch::kTxTone)] = dcsCode(c.txDcsCode);

  putCount(img, at(index, ch::kRxHigh), frequency::RxCount(type, c.rxFreqMHz, step.hz));
  putCount(img, at(index, ch::kTxHigh), frequency::TxCount(c.txFreqMHz, step.hz));
  if (Traits(type).narrowMarkerAlways || !on(c.wide)) txHigh |= ch::kTxNarrowMarker;
}

void encodeSystemFlags(const CKX200Doc& doc, Image& img) {
  image::set(img, image::kBusyPortSquelch, on(doc.squelchBusyPortCheck));
  image::set(img, image::kHangOnEnabled, on(doc.hangOnEnabled));
  image::set(img, image::kTxTimeoutEnabled, on(doc.txTimeoutEnabled));
  image::set(img, image::kTxDelayEnabled, on(doc.txDelayEnabled));
  image::set(img, image::kBusyLockout, on(doc.busyLockoutEnabled));
  image::set(img, image::kTxMatchedSat, on(doc.txMatchedSatEnabled));
  image::set(img, image::kGpsEnabledCopy, on(doc.gpsEnabled));
  img[image::kTxTimeout] = byteOf(doc.txTimeoutSec / 10);
  for (int i = 0; i < kChannelCount; ++i) {
    if (!on(doc.channels[static_cast<std::size_t>(i)].scan)) continue;
    image::set(img, image::kAnyChannelScans, true);
    img[i < 8 ? image::kScanMaskLow : image::kScanMaskHigh] |= byteOf(1 << (i % 8));
  }
  image::set(img, image::kBeepOnHangOn, on(doc.beepOnHangOn));
  image::set(img, image::kExternalModulation, on(doc.externalModulation));
}

void encodeScanAndPowerSave(const CKX200Doc& doc, Image& img) {
  image::set(img, image::kScanDelay, fromOne(doc.scanDelayIndex));
  img[image::kScanSpeed] = unitsOf(doc.scanSpeedMs, 10, 10);
  if (on(doc.powerSaveEnabled)) {
    image::set(img, image::kPowerSaveEnabled, true);
    image::set(img, image::kPowerSaveDelay, static_cast<unsigned>(doc.powerSaveDelayIndex));
    image::set(img, image::kPowerSaveOffTime, unitsOf(doc.powerSaveOffMs, 30, 20));
  }
  img[image::kPowerSaveOnTime] = doc.powerSaveOnMs == 0 ? 0 : unitsOf(doc.powerSaveOnMs, 20, 10);
}

void encodeChannelSpan(const CKX200Doc& doc, Image& img) {
  int first = 0;
  for (int i = 0; i < kChannelCount; ++i) {
    if (!doc.channels[static_cast<std::size_t>(i)].isEmpty()) {
      first = i;
      break;
    }
  }
  int last = 0;
  for (int i = kChannelCount - 1; i >= 1; --i) {
    if (!doc.channels[static_cast<std::size_t>(i)].isEmpty()) {
      last = i;
      break;
    }
  }
  image::set(img, image::kFirstChannel, static_cast<unsigned>(first));
  image::set(img, image::kLastChannel, static_cast<unsigned>(last));
}

void encodeEmptyMasks(const CKX200Doc& doc, Image& img) {
  for (int i = 0; i < kChannelCount; ++i) {
    if (doc.channels[static_cast<std::size_t>(i)].isEmpty())
      img[i < 8 ? image::kEmptyMaskLow : image::kEmptyMaskHigh] |= byteOf(1 << (i % 8));
  }
}

void encodeChecksums(Image& img) {
  for (int i = 0; i < kChannelCount; ++i) {
    const std::size_t base = image::channelRecord(i);
    if (img[base] == 0 && img[base + 1] == 0 && img[base + 2] == 0) continue;
    unsigned sum = 0;
    for (std::size_t k = 0; k < ch::kChecksum; ++k)
      sum += img[base + k];
    img[base + ch::kChecksum] = byteOf(0xFF - static_cast<int>(sum % 256));
  }
}

void encodeTwoTone(const CKX200Doc& doc, Image& img) {
  if (!Traits(doc.modelType).twoToneInImage) return;
  for (int i = 0; i < kChannelCount; ++i) {
    const ChannelRecord& c = doc.channels[static_cast<std::size_t>(i)];
    if (c.isEmpty() || c.rxOption != kOptionTwoTone) continue;
    const bool both = c.twoToneSelect == kToneBoth;
    const auto a = two_tone::EncodeTone(c.toneAHz, c.toneAMs, both);
    const auto b = two_tone::EncodeTone(c.toneBHz, c.toneBMs, both);
    const std::size_t rec = image::twoToneRecord(i);
    le::putU16(img, rec + image::two_tone::kToneACount, a.count);
    le::putU16(img, rec + image::two_tone::kToneADuration, a.durationCount);
    le::putU16(img, rec + image::two_tone::kToneBCount, b.count);
    le::putU16(img, rec + image::two_tone::kToneBDuration, b.durationCount);
    img[rec + image::two_tone::kToneACycles] = a.cycles & image::two_tone::kCycleBits;
    img[rec + image::two_tone::kToneBCycles] = b.cycles & image::two_tone::kCycleBits;
    img[image::toneATolerance(i)] = a.lowerTolerance;
    img[image::toneATolerance(i) + 1] = a.upperTolerance;
    img[image::toneBTolerance(i)] = b.lowerTolerance;
    img[image::toneBTolerance(i) + 1] = b.upperTolerance;
  }
}

void encodeGps(const CKX200Doc& doc, Image& img) {
  image::set(img, image::kAlwaysSet04, true);
  image::set(img, image::kUhfBand, Traits(doc.modelType).uhf);
  image::set(img, image::kGpsEnabled, on(doc.gpsEnabled));
  image::set(img, image::kPllIc, doc.pllIcIndex == 1);
  img[image::kGpsDataDelay] = unitsOf(doc.gpsDataDelaySec, 50, 10);
  img[image::kGpsDataTime] = byteOf(doc.gpsDataTimeSec);
  img[image::kGpsCycle] = static_cast<std::uint8_t>(fromOne(doc.gpsCycleIndex));
}

// S-band index x 4 + N-band index for FFSK; GMSK has only the S-band choice of 9600 bps.
unsigned baudCode(const CKX200Doc& doc) {
  if (on(doc.gmsk)) return doc.sBandBaudIndex == 1 ? 4 : 0;
  if (on(doc.ffsk))
    return static_cast<unsigned>(doc.sBandBaudIndex) * 4u +
           static_cast<unsigned>(doc.nBandBaudIndex);
  return 0;
}

void encodeModem(CKX200Doc& doc, Image& img) {
  if (doc.modemMode != modem::kDumbMode) doc.modemMode = modem::kAutoMode;
  image::set(img, image::kGmsk, on(doc.gmsk));
  image::set(img, image::kTxForcingMode, on(doc.txForcingMode));
  image::set(img, image::kDumbMode, doc.modemMode == modem::kDumbMode);
  image::set(img, image::kModemEnabled, on(doc.modemEnabled));
  if (on(doc.modemEnabled)) image::set(img, image::kBaudCode, baudCode(doc));
  image::set(img, image::kAfsk, on(doc.afsk));
  image::set(img, image::kTxToneForDataInput, on(doc.txToneForDataInput));
  img[image::kTxOnDelay] = byteOf(doc.txOnDelayMs / 2);
  img[image::kTxOffDelay] = byteOf(doc.txOffDelayMs / 2);
  img[image::kRxOnDelay] = byteOf(doc.rxOnDelayMs / 2);
}

void encodeLinkOptions(const CKX200Doc& doc, Image& img) {
  const ModelTraits& traits = Traits(doc.modelType);
  image::set(img, image::kPreambleSize, static_cast<unsigned>(doc.preambleSizeIndex));
  if (doc.baseBlockSizeIndex != 0)
    image::set(img, image::kBaseBlockSize, fromOne(doc.baseBlockSizeIndex));
  image::set(img, image::kAfskBell202, on(doc.afskBell202));
  image::set(img, image::kStartBitErrors, static_cast<unsigned>(doc.startBitErrors));
  image::set(img, image::kWaitForBusy, static_cast<unsigned>(doc.waitForBusyIndex));
  image::set(img, image::kTxDelay1, static_cast<unsigned>(doc.txDelay1Index));
  image::set(img, image::kUhfKx400Family, traits.uhfKx400FamilyBit);
  image::set(img, image::kInitDataForHt, on(doc.initDataForHt));
  image::set(img, image::kFlowControl, static_cast<unsigned>(doc.flowControl));
  image::set(img, image::kTxDelay2, static_cast<unsigned>(doc.txDelay2Index));
  img[image::kBaseBlockEnabled.address] |= image::kAlwaysSetB5;
  image::set(img, image::kBaseBlockEnabled, on(doc.baseBlockEnabled));
  image::set(img, image::kSquelchDisabled, !on(doc.squelchEnabled));
  image::set(img, image::kOlderModel, traits.olderModelBit);
  img[image::kRegB6] |= image::kRegB6AlwaysSet;
  img[image::kVhfMarker] = traits.uhf ? 0x00 : 0xFF;
}

void encodeModel(const CKX200Doc& doc, Image& img) {
  image::set(img, image::kModelCode, static_cast<unsigned>(doc.modelType + 1));
  image::set(img, image::kSubBand, doc.subBandIndex);
}

// ---------------------------------------------------------------- decode

void decodeChannelFrequencies(CKX200Doc& doc, const Image& img, int index) {
  ChannelRecord& c = doc.channels[static_cast<std::size_t>(index)];
  const std::uint8_t rxHigh = img[at(index, ch::kRxHigh)];
  if (rxHigh == 0 && img[at(index, ch::kRxMid)] == 0) {
    c.rxFreqMHz = c.txFreqMHz = 0;
    c.wide = c.highPower = 0;
    return;
  }
  c.wide = (rxHigh & ch::kNarrow) ? 0 : 1;
  c.highPower = (rxHigh & ch::kHighPower) ? 1 : 0;

  // Step bits the band does not know leave stepCode alone and the count is taken as hertz.
  std::uint32_t stepHz = 1;
  if (const auto step = frequency::DecodeStep(doc.modelType, rxHigh >> ch::kStepShift)) {
    c.stepCode = step->stepCode;
    stepHz = step->hz;
  }
  auto count = [&](std::size_t high) {
    return static_cast<std::uint32_t>((img[high] & ch::kCountTopBits) * 16384 + img[high + 1] * 64 +
                                      (img[high + 2] & ch::kCountLowBits));
  };
  c.rxFreqMHz = frequency::RxFreqMHz(doc.modelType, count(at(index, ch::kRxHigh)), stepHz);
  c.txFreqMHz = frequency::TxFreqMHz(count(at(index, ch::kTxHigh)), stepHz);
}

// One side's tone code: CTCSS or DCS, or nothing; codes from 154 up are not this side's to say.
bool decodeToneCode(std::uint8_t code, std::int32_t& option, double& ctcssHz, std::int32_t& dcs) {
  if (code == image::tone_code::kNone) {
    option = kOptionNone;
  } else if (code < image::tone_code::kFirstDcs) {
    option = kOptionCtcss;
    ctcssHz = CtcssToneAt(code);
  } else if (code < image::tone_code::kFirstTwoTone) {
    option = kOptionDcs;
    dcs = DcsCodeAt(code - image::tone_code::kFirstDcs + 1);
  } else {
    return false;
  }
  return true;
}

// A tone is read back with its tolerance bytes, so that it encodes to all of them again.
two_tone::ToneCounts storedTone(const Image& img, std::size_t record, std::size_t countOffset,
                                std::size_t cycleOffset, std::size_t tolerance) {
  two_tone::ToneCounts stored{};
  stored.count = le::getU16(img, record + countOffset);
  stored.cycles =
      static_cast<std::uint8_t>(img[record + cycleOffset] & image::two_tone::kCycleBits);
  stored.lowerTolerance = img[tolerance];
  stored.upperTolerance = img[tolerance + 1];
  return stored;
}

void decodeTwoTone(ChannelRecord& c, const Image& img, int index) {
  namespace tt = image::two_tone;
  const std::size_t rec = image::twoToneRecord(index);
  const bool both = c.twoToneSelect == kToneBoth;
  c.toneAHz = two_tone::DecodeToneHz(
      storedTone(img, rec, tt::kToneACount, tt::kToneACycles, image::toneATolerance(index)));
  c.toneBHz = two_tone::DecodeToneHz(
      storedTone(img, rec, tt::kToneBCount, tt::kToneBCycles, image::toneBTolerance(index)));
  c.toneAMs = two_tone::DecodeDurationMs(le::getU16(img, rec + tt::kToneADuration), both);
  c.toneBMs = two_tone::DecodeDurationMs(le::getU16(img, rec + tt::kToneBDuration), both);
}

void decodeChannelTones(CKX200Doc& doc, const Image& img, int index) {
  ChannelRecord& c = doc.channels[static_cast<std::size_t>(index)];
  if (img[at(index, ch::kTxHigh)] == 0) {
    c.rxOption = c.txOption = kOptionNone;
    return;
  }
  const std::uint8_t rxCode = img[at(index, ch::kRxTone)];
  if (!decodeToneCode(rxCode, c.rxOption, c.rxCtcssHz, c.rxDcsCode) &&
      Traits(doc.modelType).twoToneInImage) {
    c.rxOption = kOptionTwoTone;
    if (rxCode <= image::tone_code::kFirstTwoTone + kToneBoth) {
      c.twoToneSelect = rxCode - image::tone_code::kFirstTwoTone;
      decodeTwoTone(c, img, index);
    }
  }
  decodeToneCode(img[at(index, ch::kTxTone)], c.txOption, c.txCtcssHz, c.txDcsCode);
}

void decodeModem(CKX200Doc& doc, const Image& img) {
  doc.modemMode = image::get(img, image::kDumbMode) ? modem::kDumbMode : modem::kAutoMode;
  doc.txForcingMode = image::get(img, image::kTxForcingMode);
  doc.modemEnabled = image::get(img, image::kModemEnabled);
  // A radio without GMSK or AFSK is an FFSK radio, on the models that have FFSK; the others
  // run AFSK only, and without its bit no modem type is chosen.
  doc.gmsk = image::get(img, image::kGmsk);
  doc.afsk = !doc.gmsk && image::get(img, image::kAfsk);
  doc.ffsk = !doc.gmsk && !doc.afsk && !Traits(doc.modelType).modemAfskDumbOnly;
  if (on(doc.modemEnabled)) {
    const unsigned code = image::get(img, image::kBaudCode);
    if (on(doc.gmsk) && (code == 0 || code == 4)) {
      doc.sBandBaudIndex = code == 4 ? 1 : 0;
      doc.nBandBaudIndex = 0;
    } else if (on(doc.afsk)) {
      doc.sBandBaudIndex = doc.nBandBaudIndex = 0;
    } else if (on(doc.ffsk) && code % 4 <= 1 && code <= 9) {
      doc.sBandBaudIndex = static_cast<std::int32_t>(code / 4);
      doc.nBandBaudIndex = static_cast<std::int32_t>(code % 4);
    }
  }
  doc.txToneForDataInput = image::get(img, image::kTxToneForDataInput);
  doc.txOnDelayMs = img[image::kTxOnDelay] * 2;
  doc.txOffDelayMs = img[image::kTxOffDelay] * 2;
  doc.rxOnDelayMs = img[image::kRxOnDelay] * 2;
}

void decodePowerSave(CKX200Doc& doc, const Image& img) {
  doc.powerSaveEnabled = image::get(img, image::kPowerSaveEnabled);
  doc.powerSaveDelayIndex = static_cast<std::int32_t>(image::get(img, image::kPowerSaveDelay));
  doc.powerSaveOffMs =
      static_cast<std::int32_t>(image::get(img, image::kPowerSaveOffTime)) * 20 + 30;
  doc.powerSaveOnMs = img[image::kPowerSaveOnTime] * 10 + 20;
}

void decodeSystemFlags(CKX200Doc& doc, const Image& img) {
  doc.squelchBusyPortCheck = image::get(img, image::kBusyPortSquelch);
  doc.hangOnEnabled = image::get(img, image::kHangOnEnabled);
  doc.txTimeoutEnabled = image::get(img, image::kTxTimeoutEnabled);
  doc.txDelayEnabled = image::get(img, image::kTxDelayEnabled);
  doc.busyLockoutEnabled = image::get(img, image::kBusyLockout);
  doc.txMatchedSatEnabled = image::get(img, image::kTxMatchedSat);
  doc.gpsEnabled = image::get(img, image::kGpsEnabledCopy);
  doc.txTimeoutSec = img[image::kTxTimeout] * 10;
  for (int i = 0; i < kChannelCount; ++i) {
    const std::uint8_t mask = img[i < 8 ? image::kScanMaskLow : image::kScanMaskHigh];
    doc.channels[static_cast<std::size_t>(i)].scan = (mask >> (i % 8)) & 1;
  }
  doc.beepOnHangOn = image::get(img, image::kBeepOnHangOn);
  doc.externalModulation = image::get(img, image::kExternalModulation);
  doc.scanDelayIndex = static_cast<std::int32_t>(image::get(img, image::kScanDelay)) - 1;
  doc.scanSpeedMs = img[image::kScanSpeed] * 10 + 10;
  doc.hangOnTimeMs = img[image::kHangOnTime] * 10 + 180;
}

void decodeGps(CKX200Doc& doc, const Image& img) {
  doc.gpsEnabled = image::get(img, image::kGpsEnabled);
  doc.gpsDataDelaySec = img[image::kGpsDataDelay] * 10 + 50;
  doc.gpsDataTimeSec = img[image::kGpsDataTime];
  doc.gpsCycleIndex = img[image::kGpsCycle] - 1;
}

void decodeLinkOptions(CKX200Doc& doc, const Image& img) {
  doc.preambleSizeIndex = static_cast<std::int32_t>(image::get(img, image::kPreambleSize));
  const unsigned blockSize = image::get(img, image::kBaseBlockSize);
  doc.baseBlockSizeIndex = blockSize == 0 ? 0 : static_cast<std::int32_t>(blockSize) - 1;
  doc.afskBell202 = image::get(img, image::kAfskBell202);
  doc.startBitErrors = static_cast<std::int32_t>(image::get(img, image::kStartBitErrors));
  doc.waitForBusyIndex = static_cast<std::int32_t>(image::get(img, image::kWaitForBusy));
  doc.txDelay1Index = static_cast<std::int32_t>(image::get(img, image::kTxDelay1));
  doc.initDataForHt = image::get(img, image::kInitDataForHt) ? 4 : 0;
  doc.flowControl = static_cast<std::int32_t>(image::get(img, image::kFlowControl));
  doc.txDelay2Index = static_cast<std::int32_t>(image::get(img, image::kTxDelay2));
  doc.baseBlockEnabled = image::get(img, image::kBaseBlockEnabled);
  doc.squelchEnabled = image::get(img, image::kSquelchDisabled) ? 0 : 1;
}

void decodeRadioHeldBytes(CKX200Doc& doc, const Image& img) {
  doc.reg0B = static_cast<std::uint8_t>(image::get(img, image::kReg0B));
  doc.reg0D = img[image::kReg0D];
  doc.reg0E = img[image::kReg0E];
  doc.reg0F = img[image::kReg0F];
  doc.reg10 = img[image::kReg10];
  doc.reg12 = static_cast<std::uint8_t>(image::get(img, image::kReg12));
  doc.reg18 = img[image::kReg18];
  doc.reg19 = img[image::kReg19];
  doc.reg1A = img[image::kReg1A];
  doc.reg1B = img[image::kReg1B];
  doc.reg1C = img[image::kReg1C];
  doc.reg1D = img[image::kReg1D];
  doc.regB6 = img[image::kRegB6];
  doc.regB8 = img[image::kRegB8];
}

}  // namespace

Image BuildImage(CKX200Doc& doc) {
  Image img{};
  encodeFixedBytes(doc, img);
  for (int i = 0; i < kChannelCount; ++i)
    encodeChannel(doc, i, img);
  encodeSystemFlags(doc, img);
  encodeScanAndPowerSave(doc, img);
  encodeChannelSpan(doc, img);
  img[image::kHangOnTime] =
      on(doc.hangOnEnabled) ? byteOf((doc.hangOnTimeMs / 2 - 90) / 5) : std::uint8_t{0};
  encodeEmptyMasks(doc, img);
  encodeChecksums(img);
  img[image::kConst0C] = kConst0CValue;
  img[image::kReg0D] = kConst0DValue;
  encodeTwoTone(doc, img);
  encodeGps(doc, img);
  encodeModem(doc, img);
  encodeLinkOptions(doc, img);
  encodeModel(doc, img);
  return img;
}

bool EncodeImage(CKX200Doc& doc, RadioMemory& memory) {
  memory.shown = memory.working;
  memory.received.fill(0);
  memory.working = BuildImage(doc);
  return true;
}

Outcome DecodeImage(CKX200Doc& doc, std::span<const std::uint8_t> bytes) {
  if (bytes.size() != image::kSize) return Outcome::failure(image_message::kWrongSize);
  Image img{};
  std::copy(bytes.begin(), bytes.end(), img.begin());

  const unsigned modelCode = image::get(img, image::kModelCode);
  const std::int32_t number =
      modelCode == 0 ? std::int32_t{model::kKx400Uhf} : static_cast<std::int32_t>(modelCode) - 1;
  if (!model::isValid(number)) return Outcome::failure(image_message::kUnknownModel);
  const auto type = static_cast<ModelType>(number);

  CKX200Doc decoded = doc;
  decoded.modelType = type;
  decoded.subBandIndex = static_cast<std::uint8_t>(image::get(img, image::kSubBand));
  for (int i = 0; i < kChannelCount; ++i)
    decodeChannelFrequencies(decoded, img, i);
  decodeModem(decoded, img);
  decodePowerSave(decoded, img);
  decodeSystemFlags(decoded, img);
  for (int i = 0; i < kChannelCount; ++i)
    decodeChannelTones(decoded, img, i);
  decodeGps(decoded, img);
  decodeLinkOptions(decoded, img);
  decodeRadioHeldBytes(decoded, img);
  doc = decoded;
  return Outcome::success();
}

}  // namespace kx
