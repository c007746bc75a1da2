#include "FactoryImage.h"

#include <array>

#include "model/ImageCodec.h"
#include "model/KX200Doc.h"
#include "model/ModelTraits.h"
#include "model/ToneTables.h"

namespace kx::sim {

namespace {

struct FactoryChannel {
  double rxOffsetMHz;  // from the band's first factory frequency
  double txOffsetMHz;
  OptionKind rxOption;
  OptionKind txOption;
  double ctcssHz;
  int dcsCode;
  bool scan;
  bool wide;
  bool highPower;
};

constexpr std::array<FactoryChannel, 6> kChannels{{
    {0.000, 0.000, kOptionCtcss, kOptionCtcss, 67.0, 23, true, true, true},
    {1.250, 1.250, kOptionDcs, kOptionDcs, 67.0, 23, true, true, true},
    {2.500, 2.500, kOptionNone, kOptionNone, 67.0, 23, true, false, false},
    {5.525, 5.525, kOptionCtcss, kOptionCtcss, 88.5, 23, false, false, true},
    {3.000, 3.600, kOptionDcs, kOptionDcs, 67.0, 754, false, true, true},
    {8.100, 8.100, kOptionCtcss, kOptionNone, 100.0, 23, false, true, false},
}};

}  // namespace

image::Image FactoryImage(ModelType type, ModemType modem) {
  CKX200Doc doc;
  const ModelTraits& traits = Traits(type);
  doc.modelName = traits.line == ModelLine::kKx600 ? "KX600" : "KX400";
  doc.ChooseModel(type);
  doc.gmsk = modem == ModemType::kGmsk;
  doc.ffsk = modem == ModemType::kFfsk;
  doc.modemEnabled = modem != ModemType::kNone;

  // Inside the first sub-band of the model: 146..174 MHz on VHF, 400..440 MHz on UHF.
  const double first = traits.uhf ? 420.000 : 150.000;
  for (std::size_t i = 0; i < kChannels.size(); ++i) {
    const FactoryChannel& f = kChannels[i];
    ChannelRecord& c = doc.channels[i];
    c.rxFreqMHz = first + f.rxOffsetMHz;
    c.txFreqMHz = first + f.txOffsetMHz;
    c.stepCode = kStep5000Hz;
    c.rxOption = f.rxOption;
    c.txOption = f.txOption;
    c.rxCtcssHz = c.txCtcssHz = f.ctcssHz;
    c.rxDcsCode = c.txDcsCode = f.dcsCode;
    c.scan = f.scan;
    c.wide = f.wide;
    c.highPower = f.highPower;
  }
  return BuildImage(doc);
}

}  // namespace kx::sim
