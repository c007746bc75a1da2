#pragma once

#include <QDialog>
#include <QString>
#include <array>
#include <cstddef>

class QButtonGroup;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace kx {

class CKX200Doc;
class UserDialogs;
struct ChannelRecord;

// " TWO TONE DATA": the two tones of the document's current channel and the group tone that
// receive two-tone signalling waits for. Every value is written to the channel as soon as it is
// accepted (a frequency or duration when its edit loses the focus, the group when its radio is
// clicked), so Cancel keeps them; OK also hands the group's caption to the opener.
class TwoToneDataDialog : public QDialog {
 public:
  // The four edits, in the order of TwoToneEditsEnabled.
  enum Field : std::size_t {
    kToneAFrequency,
    kToneADuration,
    kToneBFrequency,
    kToneBDuration,
    kFieldCount
  };

  TwoToneDataDialog(CKX200Doc& doc, UserDialogs& dialogs, QWidget* parent = nullptr);

  // "Tone A", "Tone B" or "Both" after OK; empty until then.
  QString Caption() const { return caption_; }

  QLineEdit* Edit(Field field) const { return edits_[field]; }
  // 0 "TONE  A", 1 "TONE  B", 2 "BOTH ".
  QRadioButton* GroupRadio(int group) const;
  QPushButton* OkButton() const { return ok_; }
  QPushButton* CancelButton() const { return cancel_; }

  // An edit that still has the focus is checked first, as if the focus had left it.
  void accept() override;
  void done(int result) override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  ChannelRecord& channel();
  void chooseGroup(int group);
  void enableEdits(int group);
  void leave(Field field);

  CKX200Doc& doc_;
  UserDialogs& dialogs_;
  std::size_t channelIndex_;
  std::array<QLineEdit*, kFieldCount> edits_{};
  QButtonGroup* group_;
  QPushButton* ok_;
  QPushButton* cancel_;
  QString caption_;
  bool closing_ = false;
};

}  // namespace kx
