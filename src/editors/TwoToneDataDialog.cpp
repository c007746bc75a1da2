#include "editors/TwoToneDataDialog.h"

#include <QButtonGroup>
#include <QFocusEvent>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <algorithm>

#include "model/KX200Doc.h"
#include "model/ValueText.h"
#include "rules/TwoTone.h"
#include "ui/UserDialogs.h"

namespace kx {

namespace {
// Where each edit's value lives in the channel.
constexpr std::array<double ChannelRecord::*, TwoToneDataDialog::kFieldCount> kStored{
    &ChannelRecord::toneAHz, &ChannelRecord::toneAMs, &ChannelRecord::toneBHz,
    &ChannelRecord::toneBMs};
constexpr std::array<const char*, TwoToneDataDialog::kFieldCount> kSpokenNames{
    "Tone A frequency", "Tone A duration", "Tone B frequency", "Tone B duration"};

bool isFrequency(TwoToneDataDialog::Field field) {
  return field == TwoToneDataDialog::kToneAFrequency || field == TwoToneDataDialog::kToneBFrequency;
}
}  // namespace

TwoToneDataDialog::TwoToneDataDialog(CKX200Doc& doc, UserDialogs& dialogs, QWidget* parent)
    : QDialog(parent), doc_(doc), dialogs_(dialogs) {
  setWindowTitle(QStringLiteral(" TWO TONE DATA"));
  channelIndex_ = static_cast<std::size_t>(std::clamp(doc_.currentChannel, 1, kChannelCount) - 1);
  const ChannelRecord& c = channel();

  for (std::size_t i = 0; i < kFieldCount; ++i) {
    auto* edit = new QLineEdit(QString::fromStdString(TwoToneOpeningText(c.*kStored[i])), this);
    edit->setAccessibleName(QString::fromLatin1(kSpokenNames[i]));
    edit->installEventFilter(this);
    edits_[i] = edit;
  }
  auto toneBox = [this](const QString& title, Field frequency, Field duration) {
    auto* box = new QGroupBox(title, this);
    auto* form = new QFormLayout(box);
    form->addRow(QStringLiteral("FREQUENCY"), edits_[frequency]);
    form->addRow(QStringLiteral("DURATION"), edits_[duration]);
    return box;
  };

  auto* groupBox = new QGroupBox(QStringLiteral(" GROUP TONE "), this);
  auto* radios = new QHBoxLayout(groupBox);
  group_ = new QButtonGroup(this);
  const std::array<QString, 3> groupCaptions{QStringLiteral("TONE  A"), QStringLiteral("TONE  B"),
                                             QStringLiteral("BOTH ")};
  for (int g = 0; g < 3; ++g) {
    auto* radio = new QRadioButton(groupCaptions[static_cast<std::size_t>(g)], groupBox);
    group_->addButton(radio, g);
    radios->addWidget(radio);
  }
  connect(group_, &QButtonGroup::idClicked, this, &TwoToneDataDialog::chooseGroup);

  ok_ = new QPushButton(QStringLiteral("OK"), this);
  ok_->setDefault(true);
  cancel_ = new QPushButton(QStringLiteral("Cancel"), this);
  connect(ok_, &QPushButton::clicked, this, &TwoToneDataDialog::accept);
  connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(ok_);
  buttons->addWidget(cancel_);

  auto* layout = new QGridLayout(this);
  layout->addWidget(toneBox(QStringLiteral(" TONE A "), kToneAFrequency, kToneADuration), 0, 0);
  layout->addWidget(toneBox(QStringLiteral(" TONE B "), kToneBFrequency, kToneBDuration), 0, 1);
  layout->addWidget(groupBox, 1, 0, 1, 2);
  layout->addLayout(buttons, 2, 0, 1, 2);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  // A stored group outside the three leaves every radio clear and every edit disabled.
  if (QAbstractButton* radio = group_->button(c.twoToneSelect)) radio->setChecked(true);
  enableEdits(c.twoToneSelect);
  edits_[kToneAFrequency]->setFocus();
}

QRadioButton* TwoToneDataDialog::GroupRadio(int group) const {
  return static_cast<QRadioButton*>(group_->button(group));
}

ChannelRecord& TwoToneDataDialog::channel() {
  return doc_.channels.at(channelIndex_);
}

void TwoToneDataDialog::enableEdits(int group) {
  const std::array<bool, 4> enabled = TwoToneEditsEnabled(group);
  for (std::size_t i = 0; i < kFieldCount; ++i)
    edits_[i]->setEnabled(enabled[i]);
}

void TwoToneDataDialog::chooseGroup(int group) {
  channel().twoToneSelect = group;
  enableEdits(group);
}

void TwoToneDataDialog::leave(Field field) {
  double& stored = channel().*kStored[field];
  const std::string text = edits_[field]->text().toStdString();
  const ToneFieldEdit edit =
      isFrequency(field) ? ValidateToneFrequency(text, stored) : ValidateToneDuration(text, stored);
  edits_[field]->setText(QString::fromStdString(edit.text));
  if (edit.value) stored = *edit.value;
  if (edit.notice) dialogs_.Show(this, *edit.notice);
}

bool TwoToneDataDialog::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::FocusOut && !closing_) {
    // The focus also goes while a message box of this dialog is up, and when the window is
    // deactivated; those are not the technician leaving the edit.
    const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
    if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) {
      const auto it = std::find(edits_.begin(), edits_.end(), watched);
      if (it != edits_.end()) leave(static_cast<Field>(it - edits_.begin()));
    }
  }
  return QDialog::eventFilter(watched, event);
}

void TwoToneDataDialog::accept() {
  // OK by the Enter key leaves the focus where it was.
  const auto it = std::find(edits_.begin(), edits_.end(), focusWidget());
  if (it != edits_.end() && (*it)->isEnabled()) leave(static_cast<Field>(it - edits_.begin()));
  const int group = group_->checkedId();
  if (group >= 0) channel().twoToneSelect = group;
  caption_ = QString::fromStdString(value_text::TwoToneGroup(channel().twoToneSelect));
  QDialog::accept();
}

void TwoToneDataDialog::done(int result) {
  // Hiding the window takes the focus from its edit; that is not the technician leaving it.
  closing_ = true;
  QDialog::done(result);
}

}  // namespace kx
