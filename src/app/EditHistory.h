#pragma once

#include <QString>
#include <functional>

#include "model/EditState.h"

class QObject;
class QUndoStack;

namespace kx {

class CKX200Doc;
struct RadioMemory;

// The edit history of the one configuration and whether it has unsaved work. Every committed
// change is one step, named after the control it was made with (or after the field that
// changed); undoing or redoing one puts the configuration and the hand patches back.
class EditHistory {
 public:
  static constexpr int kSteps = 200;
  // restored: after a step was undone or redone, to show it; modified: whether there is
  // unsaved work now.
  EditHistory(QObject* owner, CKX200Doc& doc, RadioMemory& memory, std::function<void()> restored,
              std::function<void(bool)> modified);

  QUndoStack& Stack() const { return *stack_; }
  // A step for what changed since the last one, if anything did.
  void Record(const QString& caption);
  // A history of nothing, from a configuration just loaded, read or started.
  void StartFresh();
  // What there is now has been saved or written.
  void MarkClean();
  bool IsModified() const;
  // A step is being undone or redone: the pages' change signals are not new steps.
  bool Restoring() const { return restoring_; }

 private:
  void restore(const EditState& state);
  void showModified() const;

  CKX200Doc& doc_;
  RadioMemory& memory_;
  std::function<void()> restored_;
  std::function<void(bool)> modified_;
  QUndoStack* stack_;
  EditState committed_;  // as the last step left it
  EditState clean_;      // as last loaded, saved, read or written
  bool restoring_ = false;
};

}  // namespace kx
