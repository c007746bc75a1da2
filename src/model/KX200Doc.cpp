#include "model/KX200Doc.h"

#include <algorithm>

#include "model/ConfigFile.h"
#include "model/LegacyImport.h"
#include "model/ModelTraits.h"
#include "model/SideFile.h"

namespace kx {

std::uint8_t DefaultRegB8(ModelType type) {
  return Traits(type).defaultRegB8;
}

std::uint8_t DefaultReg0B(ModelType type) {
  return Traits(type).defaultReg0B;
}

CKX200Doc::CKX200Doc() {
  modelType = model::kKx400Vhf;
  modelName = "KX400";
  subBandIndex = 0;
  ResetToDefaults();
}

void CKX200Doc::ResetToDefaults() {
  CKX200Doc fresh{DefaultsOnly{}};

  // What the reset leaves alone.
  fresh.modelType = modelType;
  fresh.subBandIndex = subBandIndex;
  fresh.sBandBaudIndex = sBandBaudIndex;
  fresh.nBandBaudIndex = nBandBaudIndex;
  fresh.modelName = modelName;
  fresh.sideFileValue = sideFileValue;
  fresh.viewFlagA = viewFlagA;
  fresh.viewFlagB = viewFlagB;
  fresh.reg0D = reg0D;
  fresh.reg18 = reg18;
  fresh.reg19 = reg19;
  fresh.currentChannel = currentChannel;
  fresh.twoToneCodeEntered = twoToneCodeEntered;
  fresh.modemCondition = modemCondition;
  fresh.modelDialogCount = modelDialogCount;

  // Defaults that depend on the model.
  const ModelTraits& traits = Traits(modelType);
  fresh.txDelay2Index = traits.defaultTxDelay2Index;
  if (traits.defaultAfskDumbForcing) {
    fresh.afsk = 1;
    fresh.modemMode = modem::kDumbMode;
    fresh.txForcingMode = 1;
  }
  fresh.reg0B = DefaultReg0B(modelType);
  fresh.regB8 = DefaultRegB8(modelType);

  *this = fresh;
}

bool CKX200Doc::HasProgrammedFrequencies() const {
  return std::any_of(channels.begin(), channels.end(),
                     [](const ChannelRecord& c) { return c.rxFreqMHz != 0 || c.txFreqMHz != 0; });
}

void CKX200Doc::ChangeSubBand(int index) {
  subBandIndex = static_cast<std::uint8_t>(index);
  for (ChannelRecord& c : channels)
    c.rxFreqMHz = c.txFreqMHz = 0;
}

void CKX200Doc::ChooseModel(ModelType type) {
  modelType = type;
  ResetToDefaults();
  subBandIndex = 0;
  twoToneUnlocked = 0;
}

Outcome CKX200Doc::OnOpenDocument(const std::string& path) {
  return LoadConfigFile(*this, path);
}

Outcome CKX200Doc::OnSaveDocument(const std::string& path) const {
  return SaveConfigFile(*this, path);
}

Outcome CKX200Doc::ImportLegacyFile(const std::string& path, int vhfBand) {
  return kx::ImportLegacyFile(*this, path, vhfBand != 0);
}

void CKX200Doc::ReadSideFile(const std::string& path) {
  if (auto port = kx::ReadSideFile(path)) sideFileValue = *port;
}

Outcome CKX200Doc::WriteSideFile(const std::string& path) const {
  return kx::WriteSideFile(path, sideFileValue);
}

}  // namespace kx
