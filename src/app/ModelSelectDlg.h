#pragma once

#include <QDialog>
#include <array>
#include <functional>

#include "model/ModelType.h"

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace kx {

class CKX200Doc;
class UserDialogs;

// "SELECT MODEL": one button per selectable radio and a description of the button (or the
// picture) under the pointer. Choosing a button closes the dialog and hands the model type to
// whoever opened it, who applies it.
class CModelSelectDlg : public QDialog {
 public:
  static constexpr int kButtonCount = 4;  // KX400 VHF, KX400 UHF, KX600 VHF, KX600 UHF
  static constexpr int kPictureItem = 5;  // hover item numbers: 1..4 the buttons, 5 the picture

  CModelSelectDlg(CKX200Doc& doc, UserDialogs& dialogs, QWidget* parent = nullptr);

  // A model button was pressed; the dialog has already closed.
  std::function<void(ModelType)> onModelChosen;
  // The dialog was accepted with Enter, no model chosen.
  std::function<void()> onAccepted;

  QPushButton* ModelButton(int index) const { return buttons_[static_cast<std::size_t>(index)]; }
  QLabel* Picture() const { return picture_; }
  // The text in the description box, line breaks as shown.
  QString Description() const;
  // The description of hover item 1..5.
  static QString DescriptionOf(int item);

  void accept() override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void describe(int item);
  void choose(ModelType type);

  CKX200Doc& doc_;
  UserDialogs& dialogs_;
  std::array<QPushButton*, kButtonCount> buttons_{};
  QLabel* picture_;
  QPlainTextEdit* description_;
  int describedItem_ = 0;  // 0: nothing described yet
};

}  // namespace kx
