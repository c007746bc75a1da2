#pragma once

#include <QDialog>

class QLineEdit;
class QPushButton;

namespace kx {

class CKX200Doc;
class UserDialogs;

// "CHANGE TWO TONE CONDITION": the access code unlocks two-tone receive signalling (ENABLE) or
// locks it again and takes it off every channel (DISABLE, also Escape and closing the window).
// ENABLE ends the dialog with Accepted and DISABLE with Rejected, whether or not the code was
// right; the opener finds the number entered in the document.
class TwoToneConditionDialog : public QDialog {
 public:
  TwoToneConditionDialog(CKX200Doc& doc, UserDialogs& dialogs, QWidget* parent = nullptr);

  QLineEdit* PasswordEdit() const { return password_; }
  QPushButton* EnableButton() const { return enable_; }
  QPushButton* DisableButton() const { return disable_; }

  // DISABLE: Escape and the window's close button end the dialog the same way.
  void reject() override;

 private:
  void enableTwoTone();

  CKX200Doc& doc_;
  UserDialogs& dialogs_;
  QLineEdit* password_;
  QPushButton* enable_;
  QPushButton* disable_;
};

}  // namespace kx
