#pragma once

#include "editors/OptionPage.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QRadioButton;

namespace kx {

class UserDialogs;
struct SystemEdit;
struct SystemPageEnabling;

// The system option and GPS page: squelch, transmit, scan and GPS options, and External
// Modulation. Every control writes the document as soon as it changes; an edit is checked when
// it loses the focus. The rules themselves are in the core (rules/SystemPage).
class CMyPage2 : public COptionPage {
 public:
  CMyPage2(CKX200Doc& doc, UserDialogs& dialogs, QWidget* parent = nullptr);

  // LoadFromDocument, then the model's enabling.
  void Refresh() override;
  // Shows every setting; also says, through viewFlagA, whether the model has these options.
  void LoadFromDocument();
  // Enables the controls the model has: only "Enables External Modulation" below the KX600.
  void ApplyModelEnabling();
  // The modem page takes External Modulation away while the modem is on; neither changes the
  // stored setting.
  void DisableExternalModulation();
  void EnableExternalModulation();

  // An edit was left.
  void ValidateScanSpeed();
  void ValidateGpsDataTime();
  void ValidateGpsDataDelay();

  QCheckBox* SquelchBox() const { return squelch_; }
  QRadioButton* RssiRadio() const { return rssi_; }
  QRadioButton* BusyPortRadio() const { return busyPort_; }
  QCheckBox* BeepBox() const { return beep_; }
  QCheckBox* TxToneBox() const { return txTone_; }
  QCheckBox* ExternalModulationBox() const { return externalModulation_; }
  QComboBox* ScanDelayList() const { return scanDelay_; }
  QLineEdit* ScanSpeedEdit() const { return scanSpeed_; }
  QCheckBox* GpsBox() const { return gps_; }
  QComboBox* GpsCycleList() const { return gpsCycle_; }
  QLineEdit* GpsDataTimeEdit() const { return gpsDataTime_; }
  QLineEdit* GpsDataDelayEdit() const { return gpsDataDelay_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QGroupBox* buildRxOptions();
  QGroupBox* buildTxOptions();
  QGroupBox* buildScanOptions();
  QGroupBox* buildGpsOptions();
  void connectControls();
  void applyEnabling(const SystemPageEnabling& enabled);
  void showGpsValues();
  void applyEdit(QLineEdit* edit, const SystemEdit& result);

  UserDialogs& dialogs_;
  QCheckBox* squelch_ = nullptr;
  QRadioButton* rssi_ = nullptr;
  QRadioButton* busyPort_ = nullptr;
  QCheckBox* beep_ = nullptr;
  QCheckBox* txTone_ = nullptr;
  QCheckBox* externalModulation_ = nullptr;
  QComboBox* scanDelay_ = nullptr;
  QLineEdit* scanSpeed_ = nullptr;
  QCheckBox* gps_ = nullptr;
  QComboBox* gpsCycle_ = nullptr;
  QLineEdit* gpsDataTime_ = nullptr;
  QLineEdit* gpsDataDelay_ = nullptr;
};

}  // namespace kx
