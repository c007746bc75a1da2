#pragma once

#include <QString>
#include <QWidget>
#include <functional>
#include <vector>

namespace kx {

class CKX200Doc;

// What the option sheet and the main form need of every page: a way to show the document
// again after it changed underneath the page (New, Load, a radio read, a model choice), and a
// word after every change the technician commits on it, naming the control it was made with.
class COptionPage : public QWidget {
 public:
  explicit COptionPage(CKX200Doc& doc, QWidget* parent = nullptr);
  ~COptionPage() override;
  // Reloads every control from the document.
  virtual void Refresh() = 0;

  // notify is called after each committed change: a button or box clicked, a list item
  // chosen, a map cell patched (these once the page's own handler, and any dialog it opened,
  // is done), and an edit left, once the page's check has stored it. It gets the name of the
  // control as the page labels it (its accessible name), so the edit history names the step
  // after what the technician touched; empty for a map cell, whose step names its address.
  // Called once the page's controls exist.
  using EditNotice = std::function<void(const QString& control)>;
  void NotifyEditsTo(EditNotice notify);

  // The name a change made with a control goes by: its accessible name, else its caption.
  static QString ControlName(const QWidget* control);

  // Runs now the checks of edits just left that still wait for the focus to settle, so
  // whatever reads the document next sees what was typed.
  void RunPendingChecks();

 protected:
  // The page's own checks of a left edit say they are done.
  void notifyEdited(const QString& control) const {
    if (notify_) notify_(control);
  }
  // Runs the check of the edit just left once the focus has settled, so a message box never
  // opens inside a focus change, and then says the edit is done. A click or key that arrives
  // before (a touchpad tap delivers press and release together) runs it first, so no button or
  // command ever acts on the document without what was typed.
  void checkWhenFocusSettles(const QObject* edit, std::function<void()> check);

  CKX200Doc& doc_;

 private:
  class InputWatch;
  struct PendingCheck {
    std::function<void()> check;
    QString control;
  };

  EditNotice notify_;
  std::vector<PendingCheck> pending_;
  InputWatch* inputWatch_;
};

}  // namespace kx
