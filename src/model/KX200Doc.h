#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "model/BandTable.h"
#include "model/ChannelRecord.h"
#include "model/ModelType.h"
#include "model/Outcome.h"
#include "model/Version.h"

namespace kx {

constexpr int kChannelCount = 16;

namespace modem {
// How the modem runs (CKX200Doc::modemMode).
constexpr std::int32_t kDumbMode = 1;
constexpr std::int32_t kAutoMode = 2;
// The flow control the modem uses (CKX200Doc::flowControl).
constexpr std::int32_t kFlowNone = 0;
constexpr std::int32_t kFlowXonXoff = 1;
constexpr std::int32_t kFlowRtsCts = 2;
// What the model dialog leaves for the modem page (CKX200Doc::modemCondition): every control
// locked, or the ones the technician may change open for editing.
constexpr std::int32_t kConditionLocked = 1;
constexpr std::int32_t kConditionEditable = 2;
}  // namespace modem

// The whole programmable state of one radio: model, sixteen channels, the radio-wide options and
// the bytes the radio holds for itself. Editors, the file format, the memory image codec and the
// data sheet all work on these fields directly; there is no second copy of the configuration.
// Flags are 32-bit integers (0 off, non-zero on), frequencies MHz as doubles.
class CKX200Doc {
 public:
  // Builds a KX400 VHF configuration with every default in place.
  CKX200Doc();

  // Every radio-wide field, every channel and the radio-held bytes back to their defaults for
  // the current modelType (which it keeps). The sub-band and the serial port stay as they are.
  void ResetToDefaults();
  // What choosing a model does to the configuration: every field back to that model's defaults,
  // the first sub-band, and two-tone locked again.
  void ChooseModel(ModelType type);

  // Whether any channel has a receive or transmit frequency (a sub-band change clears them).
  bool HasProgrammedFrequencies() const;
  // Moves to another sub-band of the model: every channel's frequencies are cleared, all their
  // other fields stay.
  void ChangeSubBand(int index);

  // The framework's new-document step: it keeps every field (a model choice resets them).
  bool OnNewDocument() { return true; }
  // The configuration file (.dat). Load is all or nothing.
  Outcome OnOpenDocument(const std::string& path);
  Outcome OnSaveDocument(const std::string& path) const;
  // A KX100 channel file, vhfBand = 1 for a VHF model, 0 for UHF.
  Outcome ImportLegacyFile(const std::string& path, int vhfBand);
  // The 4-byte side file holding the serial port number.
  void ReadSideFile(const std::string& path);
  Outcome WriteSideFile(const std::string& path) const;

  static const BandEntry& GetBand(ModelType type) { return kx::GetBand(type); }
  const BandEntry& band() const { return kx::GetBand(modelType); }
  // Whatever the framework proposes, the window is always titled this.
  static constexpr std::string_view kWindowTitle = version::kWindowTitle;
  static std::string_view SetTitle(std::string_view /*frameworkTitle*/) { return kWindowTitle; }

  bool operator==(const CKX200Doc&) const = default;

  // The member initialisers below are the defaults ResetToDefaults restores; the rules that
  // depend on the model type are applied on top of them.

  // ---- held in the configuration file, in file order ----
  ModelType modelType = model::kKx400Vhf;
  std::int32_t ffsk = 0;
  std::int32_t gmsk = 0;
  std::int32_t squelchBusyPortCheck = 0;  // 1 "Busy Port Check", 0 "Rssi Level Check"
  std::int32_t busyLockoutEnabled = 0;
  double reservedDouble1 = 0;
  double reservedDouble2 = 0;
  std::int32_t reservedInt1 = 0;  // the calibration console's initial scan selection
  double toneLookupHz = 0;        // work values of the tone look-ups, kept in the file
  std::int32_t toneLookupDcs = 0;
  std::int32_t reservedInt2 = 0;
  std::int32_t txTimeoutSec = 0;  // multiple of 10
  std::int32_t txTimeoutEnabled = 0;
  std::int32_t txDelayEnabled = 0;
  std::int32_t txMatchedSatEnabled = 0;
  std::int32_t scanDelayIndex = 3;  // seconds - 1
  std::int32_t scanSpeedMs = 100;
  std::int32_t powerSaveEnabled = 0;
  std::int32_t powerSaveDelayIndex = 4;  // seconds - 1
  std::int32_t gpsCycleIndex = 0;        // hours - 1
  std::int32_t powerSaveOnMs = 200;
  std::int32_t powerSaveOffMs = 50;
  std::int32_t hangOnEnabled = 0;
  std::int32_t hangOnTimeMs = 0;
  std::int32_t gpsEnabled = 0;
  std::int32_t gpsDataTimeSec = 5;
  std::int32_t gpsDataDelaySec = 50;
  std::int32_t spareFlag = 0;
  std::int32_t testMode = 0;
  std::int32_t modemMode = modem::kAutoMode;  // "Dumb Mode" or "Auto Mode"
  std::int32_t txOffDelayMs = 0;
  std::int32_t txOnDelayMs = 20;
  std::int32_t rxOnDelayMs = 6;
  std::int32_t modemEnabled = 0;
  std::int32_t sBandBaudIndex = 0;  // position in the modem page's S-band list
  std::int32_t nBandBaudIndex = 0;
  std::int32_t baseBlockSizeIndex = 0;  // 0 "NONE", 1..5 = 32..512 bytes
  std::int32_t preambleSizeIndex = 2;   // 16 + 8 n bits
  std::int32_t waitForBusyIndex = 9;    // 100 (n + 1) ms
  std::int32_t byteCountIndex = 2;      // kept in the file, never sent to the radio
  std::int32_t flowControl = 1;         // 0 none, 1 Xon/Xoff, 2 RTS/CTS
  std::int32_t txDelay1Index = 3;       // 5 (n + 1) ms
  std::int32_t txDelay2Index = 4;       // 200 + 50 n ms
  std::int32_t txForcingMode = 0;
  std::int32_t beepOnHangOn = 0;
  std::int32_t txToneForDataInput = 0;
  std::int32_t startBitErrors = 0;
  std::int32_t squelchEnabled = 1;
  std::int32_t baseBlockEnabled = 0;
  std::int32_t initDataForHt = 0;  // any non-zero value is on (a radio read gives 4)
  std::int32_t afsk = 0;
  std::int32_t afskBell202 = 0;  // 1 "BELL 202", 0 "V23"
  std::array<ChannelRecord, kChannelCount> channels{};
  std::uint8_t regB8 = 2;
  std::uint8_t regB6 = 33;
  std::uint8_t subBandIndex = 0;
  std::int32_t externalModulation = 0;

  // ---- not in the file ----
  std::uint8_t pllIcIndex = 0;  // 0 "MB15A02SL", 1 "MB15E03SL"
  std::int32_t twoToneLocked = 1;
  std::string modelName = "KX400";
  std::int32_t sideFileValue = 1;  // serial port number; 1 until a side file says otherwise
  std::int32_t viewFlagA = 0;
  std::int32_t viewFlagB = 0;

  // Radio-held bytes: values the radio keeps at fixed image addresses, carried from a read to
  // the next write. Only regB6 and regB8 are in the file.
  std::uint8_t reg10 = 2;
  std::uint8_t reg12 = 5;   // bits 6..0
  std::uint8_t reg0B = 12;  // bits 6..0
  std::uint8_t reg0D = 0x1D;
  std::uint8_t reg0E = 35;
  std::uint8_t reg0F = 29;
  std::uint8_t reg18 = 0x11;
  std::uint8_t reg19 = 0x0F;
  std::uint8_t reg1A = 6;
  std::uint8_t reg1B = 6;
  std::uint8_t reg1C = 10;
  std::uint8_t reg1D = 166;

  // Working fields of the editors and service dialogs.
  std::int32_t currentChannel = 1;
  std::int32_t modemRequestPending = 0;
  std::int32_t gmskToneWarned = 0;
  std::int32_t ffskTwoToneWarned = 0;
  std::int32_t twoToneUnlocked = 0;
  std::int32_t twoToneCodeEntered = 0;
  std::int32_t modemCondition = 0;
  std::int32_t radioChannel = 0;
  std::int32_t modelDialogCount = 0;

 private:
  // A document holding only the member initialisers above, which are the reset defaults.
  struct DefaultsOnly {};
  explicit CKX200Doc(DefaultsOnly) {}
};

// Type-dependent defaults that the file load also applies.
std::uint8_t DefaultRegB8(ModelType type);
std::uint8_t DefaultReg0B(ModelType type);
constexpr std::uint8_t kRegB6Value = 33;

}  // namespace kx
