// A .dat file as it might come from anywhere: loaded, and when it loads, used as the programs use
// a configuration. A refused file leaves the document as it was.
#include <cstddef>
#include <cstdint>
#include <span>

#include "DocumentUse.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace kx;
  CKX200Doc doc;
  doc.ChooseModel(model::kKx600Uhf);
  const CKX200Doc before = doc;
  const Outcome loaded = DecodeConfigFile(doc, std::span(data, size));
  if (!loaded.ok) {
    fuzz::require(doc == before);
    return 0;
  }
  fuzz::UseDocument(doc);
  return 0;
}
