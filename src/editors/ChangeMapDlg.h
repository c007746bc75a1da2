#pragma once

#include <QDialog>
#include <cstddef>

#include "rules/MapEdit.h"

class QLineEdit;
class QPushButton;

namespace kx {

class CKX200Doc;
class UserDialogs;
struct RadioMemory;

// " CHANGE EEPROM MAP": one byte of the working image, its address, and its value in hex, which
// can be changed once the access code was given with INPUT. OK confirms the change (nothing
// without the code); the page then patches the byte.
class CChangeMapDlg : public QDialog {
 public:
  CChangeMapDlg(CKX200Doc& doc, const RadioMemory& memory, UserDialogs& dialogs,
                std::size_t address, QWidget* parent = nullptr);

  const MapByteEditor& Editor() const { return editor_; }
  QLineEdit* CodeEdit() const { return code_; }
  QLineEdit* AddressEdit() const { return address_; }
  QLineEdit* ValueEdit() const { return value_; }
  QPushButton* InputButton() const { return input_; }
  QPushButton* OkButton() const { return ok_; }

  void accept() override;
  void done(int result) override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void input();
  void leaveValue();

  UserDialogs& dialogs_;
  MapByteEditor editor_;
  QLineEdit* code_;
  QLineEdit* address_;
  QLineEdit* value_;
  QPushButton* input_;
  QPushButton* ok_;
  bool closing_ = false;
};

}  // namespace kx
