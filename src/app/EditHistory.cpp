#include "app/EditHistory.h"

#include <QUndoStack>
#include <utility>

#include "app/EditStep.h"
#include "model/ChangeCaption.h"

namespace kx {

EditHistory::EditHistory(QObject* owner, CKX200Doc& doc, RadioMemory& memory,
                         std::function<void()> restored, std::function<void(bool)> modified)
    : doc_(doc),
      memory_(memory),
      restored_(std::move(restored)),
      modified_(std::move(modified)),
      stack_(new QUndoStack(owner)),
      committed_(CaptureEditState(doc, memory)),
      clean_(committed_) {
  stack_->setUndoLimit(kSteps);
}

void EditHistory::Record(const QString& caption) {
  EditState now = CaptureEditState(doc_, memory_);
  if (!SameConfiguration(committed_, now)) {
    const QString step =
        caption.isEmpty() ? QString::fromStdString(DescribeChange(committed_, now)) : caption;
    stack_->push(
        new EditStep(step, committed_, now, [this](const EditState& state) { restore(state); }));
  }
  committed_ = std::move(now);
  showModified();
}

void EditHistory::restore(const EditState& state) {
  restoring_ = true;
  RestoreEditState(state, doc_, memory_);
  restored_();
  committed_ = CaptureEditState(doc_, memory_);
  restoring_ = false;
  showModified();
}

void EditHistory::StartFresh() {
  stack_->clear();
  committed_ = CaptureEditState(doc_, memory_);
  clean_ = committed_;
  showModified();
}

void EditHistory::MarkClean() {
  Record({});
  clean_ = committed_;
  showModified();
}

bool EditHistory::IsModified() const {
  return !SameConfiguration(clean_, CaptureEditState(doc_, memory_));
}

void EditHistory::showModified() const {
  modified_(IsModified());
}

}  // namespace kx
