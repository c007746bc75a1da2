#pragma once

#include <QWidget>
#include <functional>
#include <vector>

namespace kx {

class CKX200Doc;

// What the option sheet and the main form need of every page: a way to show the document
// again after it changed underneath the page (New, Load, a radio read, a model choice), and a
// word after every change the technician commits on it.
class COptionPage : public QWidget {
 public:
  explicit COptionPage(CKX200Doc& doc, QWidget* parent = nullptr);
  ~COptionPage() override;
  // Reloads every control from the document.
  virtual void Refresh() = 0;

  // notify is called after each committed change: a button or box clicked, a list item
  // chosen, a map cell patched (these once the page's own handler, and any dialog it opened,
  // is done), and an edit left, once the page's check has stored it. Called once the page's
  // controls exist.
  void NotifyEditsTo(std::function<void()> notify);

  // Runs now the checks of edits just left that still wait for the focus to settle, so
  // whatever reads the document next sees what was typed.
  void RunPendingChecks();

 protected:
  // The page's own checks of a left edit say they are done.
  void notifyEdited() const {
    if (notify_) notify_();
  }
  // Runs the check of a left edit once the focus has settled, so a message box never opens
  // inside a focus change, and then says the edit is done. A click or key that arrives before
  // (a touchpad tap delivers press and release together) runs it first, so no button or
  // command ever acts on the document without what was typed.
  void checkWhenFocusSettles(std::function<void()> check);

  CKX200Doc& doc_;

 private:
  class InputWatch;

  std::function<void()> notify_;
  std::vector<std::function<void()>> pending_;
  InputWatch* inputWatch_;
};

}  // namespace kx
