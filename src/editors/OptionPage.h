#pragma once

#include <QWidget>
#include <functional>

namespace kx {

class CKX200Doc;

// What the option sheet and the main form need of every page: a way to show the document
// again after it changed underneath the page (New, Load, a radio read, a model choice), and a
// word after every change the technician commits on it.
class COptionPage : public QWidget {
 public:
  explicit COptionPage(CKX200Doc& doc, QWidget* parent = nullptr) : QWidget(parent), doc_(doc) {}
  // Reloads every control from the document.
  virtual void Refresh() = 0;

  // notify is called after each committed change: a button or box clicked, a list item
  // chosen, a map cell patched (these once the page's own handler, and any dialog it opened,
  // is done), and an edit left, once the page's check has stored it. Called once the page's
  // controls exist.
  void NotifyEditsTo(std::function<void()> notify);

 protected:
  // The page's own checks of a left edit say they are done.
  void notifyEdited() const {
    if (notify_) notify_();
  }
  // Runs the check of a left edit once the focus has settled, so a message box never opens
  // inside a focus change, and then says the edit is done.
  void checkWhenFocusSettles(std::function<void()> check);

  CKX200Doc& doc_;

 private:
  std::function<void()> notify_;
};

}  // namespace kx
