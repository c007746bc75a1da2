#pragma once

#include <cstdlib>

#include "model/ConfigFile.h"
#include "model/ImageCodec.h"
#include "model/KX200Doc.h"
#include "model/RadioMemory.h"
#include "model/ValueText.h"
#include "report/DataSheet.h"
#include "rules/ChannelFrequency.h"
#include "rules/ChannelPage.h"
#include "rules/MapEdit.h"
#include "rules/ModemPage.h"
#include "rules/SystemPage.h"

namespace kx::fuzz {

// Stops the run when something the programs promise does not hold; libFuzzer keeps the input.
inline void require(bool promise) {
  if (!promise) std::abort();
}

// What the programs do with a configuration once it has come in from outside: the app loads
// every page (and the technician leaves each frequency edit as it shows), shows the map of the
// image a write would send and the band list; kxtool shows and prints the data sheet; a save writes
// the file again, which must load back as it was saved.
inline void UseDocument(const CKX200Doc& loaded) {
  CKX200Doc doc = loaded;
  const ChannelPageView channels = LoadChannelPage(doc);
  LoadModemPage(doc);
  LoadSystemPage(doc);
  // The technician tabs through every row: each frequency edit is left as the page shows it.
  for (int i = 0; i < kChannelCount; ++i) {
    const auto& row = channels.rows[static_cast<std::size_t>(i)];
    ApplyFrequencyEdit(doc, i, ValidateRxFrequency(doc, i, row.rxText, row.txText));
    ApplyFrequencyEdit(doc, i, ValidateTxFrequency(doc, i, row.rxText, row.txText));
  }
  for (int i = 0; i < doc.band().subBandCount; ++i)
    value_text::SubBandLine(doc.modelType, i);

  RadioMemory memory;
  EncodeImage(doc, memory);
  StepListText(memory.working);
  RenderDataSheetText(LayoutDataSheet(doc));

  CKX200Doc reloaded;
  require(DecodeConfigFile(reloaded, EncodeConfigFile(doc)).ok);
  // Everything comes back but the bytes the radio holds for itself, which follow the model.
  CKX200Doc expected = doc;
  expected.regB6 = reloaded.regB6;
  expected.regB8 = reloaded.regB8;
  require(EncodeConfigFile(reloaded) == EncodeConfigFile(expected));
}

}  // namespace kx::fuzz
