#pragma once

#include <functional>
#include <memory>

#include "editors/OptionPage.h"

namespace kx {

class ReadOnlyForm;
class UserDialogs;

// The modem option page: modem type, enable state, baud rates, link and keying timing. For now
// the settings are shown read-only.
class CMyPage3 : public COptionPage {
 public:
  CMyPage3(CKX200Doc& doc, UserDialogs& dialogs, QWidget* parent = nullptr);
  ~CMyPage3() override;

  void Refresh() override;
  const ReadOnlyForm& Form() const { return *form_; }

  // The layouts of modemCondition 1 (every control disabled) and 2 (the usable ones enabled).
  void LockModemControls();
  void UnlockModemControls();

  // Told when the modem is switched on (true) or off (false): the system page takes External
  // Modulation away while the modem is on.
  std::function<void(bool modemOn)> onModemSwitched;

 private:
  UserDialogs& dialogs_;
  std::unique_ptr<ReadOnlyForm> form_;
};

}  // namespace kx
