#pragma once

#include <memory>

#include "editors/OptionPage.h"

namespace kx {

class ReadOnlyForm;
class UserDialogs;

// The system option and GPS page: squelch, transmit, scan and GPS options. For now the settings
// are shown read-only.
class CMyPage2 : public COptionPage {
 public:
  CMyPage2(CKX200Doc& doc, UserDialogs& dialogs, QWidget* parent = nullptr);
  ~CMyPage2() override;

  // LoadFromDocument: also says, through viewFlagA, whether the model has these options.
  void Refresh() override;
  const ReadOnlyForm& Form() const { return *form_; }

  // Enables the controls the model has: only "Enables External Modulation" below the KX600.
  void ApplyModelEnabling();
  // The modem page takes External Modulation away while the modem is on; neither changes the
  // stored setting.
  void DisableExternalModulation();
  void EnableExternalModulation();

 private:
  UserDialogs& dialogs_;
  std::unique_ptr<ReadOnlyForm> form_;
};

}  // namespace kx
