// A KX100 channel file: imported into a VHF or a UHF model (the first byte chooses), and when it
// imports, used as the programs use a configuration. A refused file leaves the document alone.
#include <cstddef>
#include <cstdint>
#include <span>

#include "DocumentUse.h"
#include "model/LegacyImport.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace kx;
  if (size == 0) return 0;
  const bool vhf = (data[0] & 1) != 0;
  const auto text = std::span(data + 1, size - 1);
  legacy::ParseRecords(text);

  CKX200Doc doc;
  doc.ChooseModel(vhf ? model::kKx600Vhf : model::kKx600Uhf);
  const CKX200Doc before = doc;
  const Outcome imported = ImportLegacyBytes(doc, text, vhf);
  if (!imported.ok) {
    fuzz::require(doc == before);
    return 0;
  }
  fuzz::UseDocument(doc);
  return 0;
}
