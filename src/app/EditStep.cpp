#include "app/EditStep.h"

namespace kx {

EditStep::EditStep(const QString& caption, EditState before, EditState after, Restore restore)
    : QUndoCommand(caption),
      before_(std::move(before)),
      after_(std::move(after)),
      restore_(std::move(restore)) {}

void EditStep::redo() {
  if (done_) {
    done_ = false;
    return;
  }
  restore_(after_);
}

}  // namespace kx
