#pragma once

#include <array>

#include "rules/CalibrationConsole.h"
#include "service/ServiceDialog.h"

class QAbstractButton;
class QButtonGroup;
class QSpinBox;

namespace kx {

class CKX200Doc;

// "CALIBRATION": the service technician's console over a connected radio, in numbered rows:
// channel, receive/transmit, scanning, GPS power and data output, modem test data, the modem's
// alignment tones and its firmware-upgrade transmit mode. Each click sends its command at once;
// the rules are CalibrationConsole's.
class CCalibrationDlg : public ServiceDialog {
 public:
  CCalibrationDlg(CCommPort& port, CKX200Doc& doc, UserDialogs& dialogs, PortChoice portChoice,
                  ServiceSession::PauseFunction pause = Pause, QWidget* parent = nullptr);

  ServiceOpening Start() override;

  const CalibrationConsole& Console() const { return console_; }
  QSpinBox* ChannelEdit() const { return channel_; }
  // The button of a control; null for the channel edit.
  QAbstractButton* Button(CalibrationControl control) const {
    return buttons_[static_cast<std::size_t>(control)];
  }

 protected:
  void refresh() override;

 private:
  QAbstractButton*& slot(CalibrationControl control) {
    return buttons_[static_cast<std::size_t>(control)];
  }

  CalibrationConsole console_;
  QSpinBox* channel_;
  int shownChannel_ = 0;  // the console's channel when the box was last set
  QButtonGroup* scanGroup_;
  QButtonGroup* gpsDataGroup_;
  QButtonGroup* alignmentGroup_;
  std::array<QAbstractButton*, kCalibrationControlCount> buttons_{};
};

}  // namespace kx
