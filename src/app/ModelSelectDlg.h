#pragma once

#include <QDialog>
#include <functional>
#include <vector>

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
  // A button for every selectable model of the traits table, in type order. Hover items are
  // numbered 1.. for the buttons, then the picture.
  static int ButtonCount();
  static int PictureItem() { return ButtonCount() + 1; }

  CModelSelectDlg(CKX200Doc& doc, UserDialogs& dialogs, QWidget* parent = nullptr);

  // A model button was pressed; the dialog has already closed.
  std::function<void(ModelType)> onModelChosen;
  // The dialog was accepted with Enter, no model chosen.
  std::function<void()> onAccepted;

  QPushButton* ModelButton(int index) const { return buttons_[static_cast<std::size_t>(index)]; }
  QLabel* Picture() const { return picture_; }
  // The text in the description box, line breaks as shown.
  QString Description() const;
  // The description of hover item 1..PictureItem().
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
  std::vector<QPushButton*> buttons_;
  QLabel* picture_;
  QPlainTextEdit* description_;
  int describedItem_ = 0;  // 0: nothing described yet
};

}  // namespace kx
