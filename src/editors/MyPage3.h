#pragma once

#include <array>
#include <functional>

#include "editors/OptionPage.h"
#include "rules/ModemPage.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace kx {

class UserDialogs;

// The modem option page (" MODEM "): modem type and enable state, baud rates, the AFSK flavour,
// the link parameters (SYSTEM OPTION 2), Dumb or Auto mode (SYSTEM OPTION 1) and the keying
// delays (SYSTEM OPTION 3). Every control writes the document at once; a delay edit is checked
// when it loses the focus. The rules are in the core (rules/ModemPage); the page shows what they
// return.
class CMyPage3 : public COptionPage {
 public:
  CMyPage3(CKX200Doc& doc, UserDialogs& dialogs, QWidget* parent = nullptr);

  // The load: every control from the document.
  void Refresh() override;

  // The layouts of a locked modem page (every control disabled) and an editable one (the usable
  // ones enabled).
  void LockModemControls();
  void UnlockModemControls();

  // A delay edit lost the focus.
  void ValidateDelay(ModemDelay delay);

  // Told when the modem is switched on (true) or off (false): the system page takes External
  // Modulation away while the modem is on.
  std::function<void(bool modemOn)> onModemSwitched;
  // Asks the scan warning question; true for YES. Tests put their own answer here.
  std::function<bool()> runScanWarning;

  const ModemView& Shown() const { return view_; }
  QCheckBox* GmskBox() const { return gmsk_; }
  QCheckBox* FfskBox() const { return ffsk_; }
  QCheckBox* AfskBox() const { return afsk_; }
  QPushButton* ModemButton() const { return modem_; }
  QRadioButton* V23Radio() const { return v23_; }
  QRadioButton* Bell202Radio() const { return bell202_; }
  QComboBox* List(ModemListId id) const { return lists_.at(static_cast<std::size_t>(id)); }
  QCheckBox* BaseBlockBox() const { return baseBlock_; }
  QPushButton* DefaultButton() const { return default_; }
  QRadioButton* DumbRadio() const { return dumb_; }
  QRadioButton* AutoRadio() const { return auto_; }
  QCheckBox* TxForcingBox() const { return txForcing_; }
  QCheckBox* InitDataForHtBox() const { return initHt_; }
  QLineEdit* DelayEdit(ModemDelay delay) const {
    return delays_.at(static_cast<std::size_t>(delay));
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QWidget* buildModemSelect();
  QWidget* buildBaudRates();
  QWidget* buildSystemOption1();
  QWidget* buildSystemOption2();
  QWidget* buildSystemOption3();
  QComboBox* makeList(ModemListId id);
  void connectControls();
  void apply(const ModemUpdate& update);
  void show();
  void switchModem(bool on);

  UserDialogs& dialogs_;
  ModemView view_;
  QCheckBox* gmsk_ = nullptr;
  QCheckBox* ffsk_ = nullptr;
  QCheckBox* afsk_ = nullptr;
  QPushButton* modem_ = nullptr;
  QRadioButton* v23_ = nullptr;
  QRadioButton* bell202_ = nullptr;
  QButtonGroup* flavourGroup_ = nullptr;
  std::array<QComboBox*, kModemListCount> lists_{};
  QCheckBox* baseBlock_ = nullptr;
  QPushButton* default_ = nullptr;
  QRadioButton* dumb_ = nullptr;
  QRadioButton* auto_ = nullptr;
  QButtonGroup* modeGroup_ = nullptr;
  QCheckBox* txForcing_ = nullptr;
  QCheckBox* initHt_ = nullptr;
  std::array<QLineEdit*, 3> delays_{};
};

}  // namespace kx
