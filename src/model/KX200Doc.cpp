#include "model/KX200Doc.h"

#include "model/ConfigFile.h"
#include "model/LegacyImport.h"
#include "model/SideFile.h"

namespace kx {

std::uint8_t DefaultRegB8(ModelType type) {
  if (model::isKx400(type)) return 2;
  if (model::isKx600(type)) return 4;
  return 0;
}

std::uint8_t DefaultReg0B(ModelType type) {
  return (type == model::kKx400Vhf || type == model::kKx400Uhf || type == model::kKx600Vhf) ? 12
                                                                                            : 9;
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
  fresh.txDelay2Index = (modelType == model::kFirstGenVhf || modelType == model::kKx400Vhf) ? 4 : 1;
  if (modelType >= model::kFirstGenVhf && modelType <= model::kKx400Uhf) {
    fresh.afsk = 1;
    fresh.modemMode = 1;
    fresh.txForcingMode = 1;
  }
  fresh.reg0B = DefaultReg0B(modelType);
  fresh.regB8 = DefaultRegB8(modelType);

  *this = fresh;
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
