#include "model/EditState.h"

#include "model/ConfigFile.h"
#include "model/RadioMemory.h"

namespace kx {

EditState CaptureEditState(const CKX200Doc& doc, const RadioMemory& memory) {
  return EditState{doc, memory.pendingFlags, memory.pendingValues};
}

void RestoreEditState(const EditState& state, CKX200Doc& doc, RadioMemory& memory) {
  const std::int32_t port = doc.sideFileValue;
  const std::int32_t modelDialogs = doc.modelDialogCount;
  doc = state.doc;
  doc.sideFileValue = port;
  doc.modelDialogCount = modelDialogs;
  memory.pendingFlags = state.pendingFlags;
  memory.pendingValues = state.pendingValues;
}

bool SameConfiguration(const EditState& a, const EditState& b) {
  if (a.pendingFlags != b.pendingFlags) return false;
  for (std::size_t at = 0; at < image::kSize; ++at) {
    if (a.pendingFlags[at] && a.pendingValues[at] != b.pendingValues[at]) return false;
  }
  // The file bytes rather than the fields: they are exactly what a save keeps.
  return EncodeConfigFile(a.doc) == EncodeConfigFile(b.doc);
}

}  // namespace kx
