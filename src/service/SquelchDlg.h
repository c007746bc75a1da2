#pragma once

#include "rules/SquelchConsole.h"
#include "service/ServiceDialog.h"

class QLineEdit;
class QPushButton;
class QSpinBox;

namespace kx {

class CKX200Doc;

// "SQUELCH": sets the radio's squelch thresholds against a signal source. In custom mode the
// technician sets the level at which the squelch opens, then the one at which it closes, and
// saves both; DEFAULT returns the radio to its preset thresholds. The rules are SquelchConsole's.
class CSquelchDlg : public ServiceDialog {
 public:
  CSquelchDlg(CCommPort& port, CKX200Doc& doc, UserDialogs& dialogs, PortChoice portChoice,
              ServiceSession::PauseFunction pause = Pause, QWidget* parent = nullptr);

  ServiceOpening Start() override;

  const SquelchConsole& Console() const { return console_; }
  QSpinBox* ChannelEdit() const { return channel_; }
  QPushButton* ChannelSetButton() const { return channelSet_; }
  QPushButton* CustomToggle() const { return custom_; }
  QPushButton* SetOpenButton() const { return setOpen_; }
  QPushButton* SetCloseButton() const { return setClose_; }
  QPushButton* SaveButton() const { return save_; }
  QPushButton* DefaultButton() const { return default_; }
  QLineEdit* UnmutedEdit() const { return unmuted_; }
  QLineEdit* MutedEdit() const { return muted_; }

 protected:
  void refresh() override;

 private:
  SquelchConsole console_;
  QSpinBox* channel_;
  int shownChannel_ = 0;  // the console's channel when the box was last set
  QPushButton* channelSet_;
  QPushButton* custom_;
  QPushButton* setOpen_;
  QPushButton* setClose_;
  QPushButton* save_;
  QPushButton* default_;
  QLineEdit* unmuted_;
  QLineEdit* muted_;
};

}  // namespace kx
