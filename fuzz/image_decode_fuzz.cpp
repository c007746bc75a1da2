// A radio memory image, as a read delivers it or kxtool decode takes it from a file: decoded,
// and when it decodes, used as the programs use a configuration. A refused image leaves the
// document alone.
#include <cstddef>
#include <cstdint>
#include <span>

#include "DocumentUse.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace kx;
  const auto bytes = std::span(data, size);
  if (size == image::kSize) {
    image::Image working{};
    std::copy(bytes.begin(), bytes.end(), working.begin());
    StepListText(working);
  }
  CKX200Doc doc;
  const CKX200Doc before = doc;
  const Outcome decoded = DecodeImage(doc, bytes);
  if (!decoded.ok) {
    fuzz::require(doc == before);
    return 0;
  }
  fuzz::UseDocument(doc);
  return 0;
}
