#pragma once

#include <QDialog>
#include <array>
#include <functional>

#include "rules/ChannelOption.h"

class QButtonGroup;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace kx {

class CKX200Doc;
class UserDialogs;

// "CHANNEL OPTION": the receive and transmit signalling of the document's current channel, with
// the pickers for the tone, the code and the two-tone data. Every choice is written to the
// document at once; OK keeps them, Cancel (also Escape and closing the window) gives the channel
// its signalling back. Tab on Cancel moves on to the next channel.
class ChannelOptionDialog : public QDialog {
 public:
  static constexpr int kRxKinds = 4;  // "No Option", "CTCSS", "DCS", "Two Tone"
  static constexpr int kTxKinds = 3;  // "No Option", "CTCSS", "DCS"

  ChannelOptionDialog(CKX200Doc& doc, UserDialogs& dialogs, QWidget* parent = nullptr);

  // How the pickers and the two-tone dialogs run: modally by default. A test puts its own
  // runner here to answer the dialog in place; it returns the dialog's result.
  std::function<int(QDialog&)> runDialog;

  const ChannelOptionEditor& Editor() const { return editor_; }
  QLineEdit* ChannelEdit() const { return channel_; }
  QRadioButton* RxRadio(int kind) const;
  QRadioButton* TxRadio(int kind) const;
  QPushButton* ValueButton(OptionValue value) const { return values_[index(value)]; }
  QPushButton* OkButton() const { return ok_; }
  QPushButton* CancelButton() const { return cancel_; }

  // Cancel: the channel the dialog opened on gets its signalling back.
  void reject() override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  static std::size_t index(OptionValue v) { return static_cast<std::size_t>(v); }
  void chooseRx(int kind);
  void chooseTx(int kind);
  void chooseTwoTone();
  void pickCtcss(bool rx);
  void pickDcs(bool rx);
  void editTwoTone();
  void advance();
  void showAll(const std::vector<Notice>& notices);
  void refresh();

  CKX200Doc& doc_;
  UserDialogs& dialogs_;
  ChannelOptionEditor editor_;
  QLineEdit* channel_;
  QButtonGroup* rxGroup_;
  QButtonGroup* txGroup_;
  std::array<QPushButton*, kOptionValueCount> values_{};
  QPushButton* ok_;
  QPushButton* cancel_;
};

}  // namespace kx
