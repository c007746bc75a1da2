#pragma once

#include <QDialog>

namespace kx {

class CKX200Doc;

// " WARNING": the radio cannot scan channels with its modem on. Asked when the modem is switched
// on while channels are in the scan list (the modem page sets modemRequestPending first). YES
// takes every channel out of the scan list; NO, Escape and the close box switch the modem off.
class ModemScanWarningDialog : public QDialog {
 public:
  explicit ModemScanWarningDialog(CKX200Doc& doc, QWidget* parent = nullptr);

  void accept() override;
  void reject() override;

 private:
  CKX200Doc& doc_;
};

}  // namespace kx
