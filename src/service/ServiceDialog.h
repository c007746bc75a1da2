#pragma once

#include <QDialog>
#include <functional>
#include <optional>
#include <vector>

#include "link/ServiceSession.h"
#include "rules/CalibrationConsole.h"

class QButtonGroup;
class QHBoxLayout;
class QPushButton;
class QSpinBox;

namespace kx {

class UserDialogs;

// What the calibration console and the squelch dialog share: the live connection to the radio,
// held from Start until the dialog ends; the buttons CLOSE and a hidden default OK, either of
// which (Escape, or Enter outside a push button) closes the port and ends the dialog; and clicks
// that wait for the radio one at a time.
class ServiceDialog : public QDialog {
 public:
  ServiceDialog(CCommPort& port, UserDialogs& dialogs, PortChoice portChoice,
                ServiceSession::PauseFunction pause, QWidget* parent);

  // Opens the port and puts the radio into service mode; the dialog is run only when the
  // opening is ready. The caller shows what went wrong otherwise.
  virtual ServiceOpening Start() = 0;

  QPushButton* OkButton() const { return ok_; }
  QPushButton* CloseButton() const { return close_; }
  // A click is waiting for the radio.
  bool Busy() const { return busy_; }

  // Ends the dialog and closes the port; while a click waits for the radio, once it is done.
  void done(int result) override;

 protected:
  void keyPressEvent(QKeyEvent* event) override;

  // Runs a click's command, shows the state and then its messages. A click that arrives while
  // another waits for the radio only puts the controls back as they were.
  void run(const std::function<std::vector<Notice>()>& command);
  virtual void refresh() = 0;

  ServiceSession& session() { return session_; }
  const PortChoice& portChoice() const { return portChoice_; }
  // CLOSE at the right, the hidden default OK beside it.
  QHBoxLayout* closeRow();
  // A push-like toggle, wide enough for each of its texts so the window keeps its size.
  QPushButton* makeToggle(const QStringList& texts);
  // The up-down channel edit: the arrows step through 1..16, a typed number is kept as typed.
  QSpinBox* makeChannelEdit();

  // Checks the button of id in an exclusive group; none for an id no button has.
  static void checkOnly(QButtonGroup* group, int id);

 private:
  ServiceSession session_;
  UserDialogs& dialogs_;
  PortChoice portChoice_;
  QPushButton* ok_;
  QPushButton* close_;
  bool busy_ = false;
  std::optional<int> pendingResult_;
};

}  // namespace kx
