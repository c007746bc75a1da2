#include "model/ConfigFile.h"

#include <algorithm>
#include <cctype>

#include "model/ByteOrder.h"
#include "model/FileIo.h"
#include "model/KX200Doc.h"
#include "model/ModelTraits.h"

namespace kx {

namespace {

// Moves fields between a document and the file bytes in file order. The same visit drives the
// writer and the reader, so the order is written down exactly once.
class FileWriter {
 public:
  explicit FileWriter(std::span<std::uint8_t> out) : out_(out) {}
  void i32(const std::int32_t& value) { le::putI32(out_, take(4), value); }
  void f64(const double& value) { le::putF64(out_, take(8), value); }
  void u8(const std::uint8_t& value) { le::putU8(out_, take(1), value); }
  void type(const ModelType& value) { i32(value); }

 private:
  std::size_t take(std::size_t n) {
    const std::size_t here = at_;
    at_ += n;
    return here;
  }
  std::span<std::uint8_t> out_;
  std::size_t at_ = 0;
};

class FileReader {
 public:
  explicit FileReader(std::span<const std::uint8_t> in) : in_(in) {}
  void i32(std::int32_t& value) { value = le::getI32(in_, take(4)); }
  void f64(double& value) { value = le::getF64(in_, take(8)); }
  void u8(std::uint8_t& value) { value = in_[take(1)]; }
  // Any 32-bit value; the load refuses a type that is not a model before it reads the rest.
  void type(ModelType& value) { value = static_cast<ModelType>(le::getI32(in_, take(4))); }

 private:
  std::size_t take(std::size_t n) {
    const std::size_t here = at_;
    at_ += n;
    return here;
  }
  std::span<const std::uint8_t> in_;
  std::size_t at_ = 0;
};

template <typename Channel, typename Io>
void visitChannel(Channel& ch, Io& io) {
  io.f64(ch.rxFreqMHz);
  io.f64(ch.txFreqMHz);
  io.i32(ch.scan);
  io.i32(ch.stepCode);
  io.i32(ch.wide);
  io.i32(ch.rxOption);
  io.i32(ch.txOption);
  io.f64(ch.rxCtcssHz);
  io.f64(ch.txCtcssHz);
  io.i32(ch.rxDcsCode);
  io.i32(ch.txDcsCode);
  io.i32(ch.twoToneSelect);
  // The file keeps both tone frequencies before both durations.
  io.f64(ch.toneAHz);
  io.f64(ch.toneBHz);
  io.f64(ch.toneAMs);
  io.f64(ch.toneBMs);
  io.i32(ch.highPower);
}

template <typename Doc, typename Io>
void visitRadioWide(Doc& d, Io& io) {
  io.type(d.modelType);
  io.i32(d.ffsk);
  io.i32(d.gmsk);
  io.i32(d.squelchBusyPortCheck);
  io.i32(d.busyLockoutEnabled);
  io.f64(d.reservedDouble1);
  io.f64(d.reservedDouble2);
  io.i32(d.reservedInt1);
  io.f64(d.toneLookupHz);
  io.i32(d.toneLookupDcs);
  io.i32(d.reservedInt2);
  io.i32(d.txTimeoutSec);
  io.i32(d.txTimeoutEnabled);
  io.i32(d.txDelayEnabled);
  io.i32(d.txMatchedSatEnabled);
  io.i32(d.scanDelayIndex);
  io.i32(d.scanSpeedMs);
  io.i32(d.powerSaveEnabled);
  io.i32(d.powerSaveDelayIndex);
  io.i32(d.gpsCycleIndex);
  io.i32(d.powerSaveOnMs);
  io.i32(d.powerSaveOffMs);
  io.i32(d.hangOnEnabled);
  io.i32(d.hangOnTimeMs);
  io.i32(d.gpsEnabled);
  io.i32(d.gpsDataTimeSec);
  io.i32(d.gpsDataDelaySec);
  io.i32(d.spareFlag);
  io.i32(d.testMode);
  io.i32(d.modemMode);
  io.i32(d.txOffDelayMs);
  io.i32(d.txOnDelayMs);
  io.i32(d.rxOnDelayMs);
  io.i32(d.modemEnabled);
  io.i32(d.sBandBaudIndex);
  io.i32(d.nBandBaudIndex);
  io.i32(d.baseBlockSizeIndex);
  io.i32(d.preambleSizeIndex);
  io.i32(d.waitForBusyIndex);
  io.i32(d.byteCountIndex);
  io.i32(d.flowControl);
  io.i32(d.txDelay1Index);
  io.i32(d.txDelay2Index);
  io.i32(d.txForcingMode);
  io.i32(d.beepOnHangOn);
  io.i32(d.txToneForDataInput);
  io.i32(d.startBitErrors);
  io.i32(d.squelchEnabled);
  io.i32(d.baseBlockEnabled);
  io.i32(d.initDataForHt);
  io.i32(d.afsk);
  io.i32(d.afskBell202);
}

template <typename Doc, typename Io>
void visitFile(Doc& d, Io& io) {
  visitRadioWide(d, io);
  for (auto& ch : d.channels)
    visitChannel(ch, io);
  io.u8(d.regB8);
  io.u8(d.regB6);
  io.u8(d.subBandIndex);
  io.i32(d.externalModulation);
}

std::string upperExtension(const std::string& path) {
  const std::string name = fileio::nameOf(path);
  const auto dot = name.find_last_of('.');
  if (dot == std::string::npos) return {};
  std::string ext = name.substr(dot + 1);
  std::transform(ext.begin(), ext.end(), ext.begin(),
                 [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
  return ext;
}

}  // namespace

std::array<std::uint8_t, config_file::kSize> EncodeConfigFile(const CKX200Doc& doc) {
  std::array<std::uint8_t, config_file::kSize> bytes{};
  FileWriter writer(bytes);
  visitFile(doc, writer);
  return bytes;
}

Outcome DecodeConfigFile(CKX200Doc& doc, std::span<const std::uint8_t> bytes) {
  if (bytes.size() < config_file::kSize) return Outcome::failure(file_message::kCorrupted);
  if (!model::isValid(le::getI32(bytes, 0))) return Outcome::failure(file_message::kCorrupted);

  CKX200Doc loaded = doc;
  FileReader reader(bytes.first(config_file::kSize));
  visitFile(loaded, reader);

  // The radio-held bytes in the file are not trusted: they follow the model.
  loaded.regB6 = kRegB6Value;
  if (Traits(loaded.modelType).regB8FromModel) loaded.regB8 = DefaultRegB8(loaded.modelType);
  loaded.reg0B = DefaultReg0B(loaded.modelType);

  doc = loaded;
  return Outcome::success();
}

Outcome SaveConfigFile(const CKX200Doc& doc, const std::string& path) {
  const auto bytes = EncodeConfigFile(doc);
  std::string reason;
  if (!fileio::writeAtomically(path, bytes, &reason))
    return Outcome::failure(file_message::kCannotSave, reason);
  return Outcome::success();
}

Outcome LoadConfigFile(CKX200Doc& doc, const std::string& path) {
  // Bytes past the layout are never looked at, so they are not read either.
  std::string reason;
  const auto bytes = fileio::readPrefix(path, config_file::kSize, &reason);
  if (!bytes) return Outcome::failure(file_message::kCannotOpen, reason);
  return DecodeConfigFile(doc, *bytes);
}

Outcome OpenConfigurationFile(CKX200Doc& doc, const std::string& path) {
  const std::string ext = upperExtension(path);
  if (ext == "DAT") return doc.OnOpenDocument(path);
  // KX100 files go into a model of the same band that the model dialog offers.
  const ModelTraits& traits = Traits(doc.modelType);
  if (ext == "UHF") {
    if (!traits.selectable || !traits.uhf) return Outcome::refusal(file_message::kUhfMismatch);
    return doc.ImportLegacyFile(path, 0);
  }
  if (ext == "VHF") {
    if (!traits.selectable || traits.uhf) return Outcome::refusal(file_message::kVhfMismatch);
    return doc.ImportLegacyFile(path, 1);
  }
  return Outcome::silentFailure();
}

bool HasConfigurationExtension(const std::string& path) {
  const std::string ext = upperExtension(path);
  return ext == "DAT" || ext == "UHF" || ext == "VHF";
}

}  // namespace kx
