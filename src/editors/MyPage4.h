#pragma once

#include <array>
#include <cstdint>
#include <functional>

#include "editors/OptionPage.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;

namespace kx {

class OptionButton;
class UserDialogs;
struct ChannelPageView;
struct FrequencyEdit;
struct TimeEdit;

// The channel input page ("Channel Configuration"): the sixteen channels with their receive and
// transmit frequencies and signalling, width, power and scan membership, and the channel timers
// of the radio (time-out, hang time, busy channel lockout, Tx delay, power save). Every control
// writes the document as soon as it changes; a frequency or time edit is checked when it loses
// the focus. The rules themselves are in the core (rules/ChannelFrequency, rules/ChannelPage).
class CMyPage4 : public COptionPage {
 public:
  CMyPage4(CKX200Doc& doc, UserDialogs& dialogs, QWidget* parent = nullptr);

  // LoadFromDocument.
  void Refresh() override;
  void LoadFromDocument();
  // The page is shown: with the FFSK modem on, Tx Delay is cleared and cannot be used.
  void ApplyModemLayout();

  // Row operations, row 0..15 (channel row + 1).
  void ValidateRxFrequency(int row);
  void ValidateTxFrequency(int row);
  void OpenOptionDialog(int row);
  void RefreshOptionCaptions();
  void ValidateRxOffTime();
  void ValidateRxOnTime();

  // Runs the "CHANNEL OPTION" dialog for the document's currentChannel; true when it ended
  // with OK. Tests put their own answer here.
  std::function<bool()> runOptionDialog;

  QLineEdit* RxEdit(int row) const { return rows_.at(static_cast<std::size_t>(row)).rx; }
  QLineEdit* TxEdit(int row) const { return rows_.at(static_cast<std::size_t>(row)).tx; }
  OptionButton* RxOption(int row) const { return rows_.at(static_cast<std::size_t>(row)).rxOption; }
  OptionButton* TxOption(int row) const { return rows_.at(static_cast<std::size_t>(row)).txOption; }
  QCheckBox* WidthBox(int row) const { return rows_.at(static_cast<std::size_t>(row)).wide; }
  QCheckBox* PowerBox(int row) const { return rows_.at(static_cast<std::size_t>(row)).power; }
  QCheckBox* ScanBox(int row) const { return rows_.at(static_cast<std::size_t>(row)).scan; }
  QComboBox* TimeoutList() const { return timeout_; }
  QComboBox* HangList() const { return hang_; }
  QCheckBox* BusyLockoutBox() const { return busyLockout_; }
  QCheckBox* TxMatchedSatBox() const { return txMatchedSat_; }
  QCheckBox* TxDelayBox() const { return txDelay_; }
  QCheckBox* PowerSaveBox() const { return powerSave_; }
  QComboBox* DelayList() const { return delay_; }
  QLineEdit* RxOffEdit() const { return rxOff_; }
  QLineEdit* RxOnEdit() const { return rxOn_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  struct Row {
    QLineEdit* rx = nullptr;
    OptionButton* rxOption = nullptr;
    QLineEdit* tx = nullptr;
    OptionButton* txOption = nullptr;
    QCheckBox* wide = nullptr;
    QCheckBox* power = nullptr;
    QCheckBox* scan = nullptr;
  };

  QWidget* buildChannelTable();
  QWidget* buildTimers();
  void connectRow(int row);
  void applyFrequencyEdit(int row, const FrequencyEdit& edit);
  void applyTimeEdit(QLineEdit* edit, std::int32_t& field, const TimeEdit& checked);
  void showRowChecks(int row);
  void showPowerSave();
  void showView(const ChannelPageView& view);
  void showTxDelay(bool enabled);
  QLineEdit* frequencyEdit(int row, bool rx, QWidget* parent);

  UserDialogs& dialogs_;
  std::array<Row, 16> rows_{};
  QComboBox* timeout_ = nullptr;
  QComboBox* hang_ = nullptr;
  QCheckBox* busyLockout_ = nullptr;
  QCheckBox* txMatchedSat_ = nullptr;
  QCheckBox* txDelay_ = nullptr;
  QCheckBox* powerSave_ = nullptr;
  QComboBox* delay_ = nullptr;
  QLineEdit* rxOff_ = nullptr;
  QLineEdit* rxOn_ = nullptr;
};

}  // namespace kx
