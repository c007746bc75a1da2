#pragma once

#include <QUndoCommand>
#include <functional>

#include "model/EditState.h"

namespace kx {

// One committed change on the undo stack: the configuration and hand patches before and after
// it. The change has already been made when the step is pushed, so the first redo (the one
// the stack runs on push) does nothing.
class EditStep : public QUndoCommand {
 public:
  using Restore = std::function<void(const EditState&)>;

  EditStep(const QString& caption, EditState before, EditState after, Restore restore);

  void undo() override { restore_(before_); }
  void redo() override;

 private:
  EditState before_;
  EditState after_;
  Restore restore_;
  bool done_ = true;
};

}  // namespace kx
