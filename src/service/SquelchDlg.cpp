#include "service/SquelchDlg.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>
#include <algorithm>

namespace kx {

namespace {
using S = SquelchControl;

QLineEdit* levelEdit(const QString& name, QWidget* parent) {
  auto* edit = new QLineEdit(parent);
  edit->setReadOnly(true);
  edit->setAlignment(Qt::AlignCenter);
  edit->setAccessibleName(name);
  edit->setFixedWidth(edit->fontMetrics().horizontalAdvance(QStringLiteral("- 1200")) + 16);
  return edit;
}
}  // namespace

CSquelchDlg::CSquelchDlg(CCommPort& port, CKX200Doc& doc, UserDialogs& dialogs,
                         PortChoice portChoice, ServiceSession::PauseFunction pause,
                         QWidget* parent)
    : ServiceDialog(port, dialogs, std::move(portChoice), std::move(pause), parent),
      console_(session(), doc) {
  setWindowTitle(QStringLiteral("SQUELCH"));
  setObjectName(QStringLiteral("squelch"));

  auto* frame = new QGroupBox(QStringLiteral(" SQUELCH "), this);
  frame->setAccessibleName(QStringLiteral("SQUELCH"));
  auto* column = new QVBoxLayout(frame);
  column->setSpacing(10);

  // Change Channel
  auto* channelLabel = new QLabel(QStringLiteral("Change Channel "), frame);
  channel_ = makeChannelEdit();
  channel_->setObjectName(QStringLiteral("channel"));
  channel_->setMinimumWidth(channel_->fontMetrics().horizontalAdvance(QStringLiteral("00")) + 48);
  channelLabel->setBuddy(channel_);
  channelSet_ = new QPushButton(QStringLiteral("SET"), this);
  channelSet_->setObjectName(QStringLiteral("channelSet"));
  channelSet_->setAccessibleName(QStringLiteral("SET"));
  channelSet_->setAccessibleDescription(QStringLiteral("Change Channel"));
  auto* channelLine = new QHBoxLayout;
  channelLine->addWidget(channelLabel);
  channelLine->addWidget(channel_);
  channelLine->addWidget(channelSet_);
  channelLine->addStretch(1);
  column->addLayout(channelLine);

  // The preset, or custom thresholds.
  auto* preset = new QGroupBox(QStringLiteral(" Use Preset "), frame);
  preset->setAccessibleName(QStringLiteral("Use Preset"));
  custom_ = makeToggle({QStringLiteral(" Custom Define ? "), QStringLiteral("Custom Mode"),
                        QStringLiteral("Custom Define?")});
  custom_->setObjectName(QStringLiteral("custom"));
  auto* presetLine = new QHBoxLayout(preset);
  presetLine->addWidget(custom_);
  presetLine->addStretch(1);
  column->addWidget(preset);

  // The two thresholds, each set at the signal level the technician has dialled in.
  auto* steps = new QGridLayout;
  steps->setHorizontalSpacing(16);
  auto addStep = [&](int row, const char* instruction, const char* then, const char* button) {
    auto* text = new QLabel(QString::fromLatin1(instruction), frame);
    auto* next = new QLabel(QString::fromLatin1(then), frame);
    auto* set = new QPushButton(QString::fromLatin1(button), this);
    set->setAccessibleName(set->text());
    set->setAccessibleDescription(text->text());
    text->setBuddy(set);
    steps->addWidget(text, row, 0);
    steps->addWidget(next, row + 1, 0);
    steps->addWidget(set, row, 1, 2, 1, Qt::AlignVCenter);
    return set;
  };
  setOpen_ =
      addStep(0, "1. Set RF signal level for opening", "    then press SET (OPEN).", "SET (OPEN)");
  setOpen_->setObjectName(QStringLiteral("setOpen"));
  setClose_ = addStep(3, "2. Set RF signal level for closing", "    then press SET (CLOSE).",
                      "SET (CLOSE)");
  setClose_->setObjectName(QStringLiteral("setClose"));
  // A little air between the two steps and before SAVE.
  steps->setVerticalSpacing(2);
  steps->setRowMinimumHeight(2, 10);
  steps->setRowMinimumHeight(5, 10);
  save_ = new QPushButton(QStringLiteral("SAVE"), this);
  save_->setObjectName(QStringLiteral("save"));
  save_->setAccessibleName(QStringLiteral("SAVE"));
  steps->addWidget(save_, 6, 1);
  // SET (OPEN), SET (CLOSE) and SAVE in one column of one width.
  const int stepWidth = std::max(
      {setOpen_->sizeHint().width(), setClose_->sizeHint().width(), save_->sizeHint().width()});
  for (QPushButton* button : {setOpen_, setClose_, save_})
    button->setFixedWidth(stepWidth);
  column->addLayout(steps);

  // The radio's preset thresholds.
  auto* defaults = new QGroupBox(QStringLiteral("Your Default Squelch Settings"), frame);
  defaults->setAccessibleName(QStringLiteral("Your Default Squelch Settings"));
  auto* levels = new QGridLayout(defaults);
  unmuted_ = levelEdit(QStringLiteral("Unmuted"), defaults);
  unmuted_->setObjectName(QStringLiteral("unmuted"));
  muted_ = levelEdit(QStringLiteral("Muted"), defaults);
  muted_->setObjectName(QStringLiteral("muted"));
  auto* unmutedLabel = new QLabel(QStringLiteral("Unmuted"), defaults);
  auto* mutedLabel = new QLabel(QStringLiteral("Muted"), defaults);
  unmutedLabel->setBuddy(unmuted_);
  mutedLabel->setBuddy(muted_);
  levels->addWidget(unmutedLabel, 0, 0, 1, 2, Qt::AlignCenter);
  levels->addWidget(mutedLabel, 0, 3, 1, 2, Qt::AlignCenter);
  levels->addWidget(unmuted_, 1, 0);
  levels->addWidget(new QLabel(QStringLiteral("dBm"), defaults), 1, 1);
  levels->setColumnMinimumWidth(2, 12);
  levels->addWidget(muted_, 1, 3);
  levels->addWidget(new QLabel(QStringLiteral("dBm"), defaults), 1, 4);
  levels->setColumnStretch(5, 1);
  default_ = new QPushButton(QStringLiteral("DEFAULT"), this);
  default_->setObjectName(QStringLiteral("default"));
  default_->setAccessibleName(QStringLiteral("DEFAULT"));
  default_->setFixedWidth(stepWidth);
  levels->addWidget(default_, 1, 6);
  column->addWidget(defaults);
  // SET (OPEN), SET (CLOSE) and SAVE line up with DEFAULT inside its frame.
  steps->setContentsMargins(0, 0, levels->contentsMargins().right() + 1, 0);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(frame);
  layout->addLayout(closeRow());
  layout->setSizeConstraint(QLayout::SetFixedSize);
  setTabOrder(default_, CloseButton());

  connect(channelSet_, &QPushButton::clicked, this, [this] {
    run([this] {
      channel_->interpretText();
      // The box then shows the channel sent (1 for one typed out of range).
      shownChannel_ = 0;
      return console_.SetChannel(channel_->value());
    });
  });
  connect(custom_, &QPushButton::clicked, this,
          [this](bool on) { run([this, on] { return console_.SetCustom(on); }); });
  connect(setOpen_, &QPushButton::clicked, this,
          [this] { run([this] { return console_.SetOpen(); }); });
  connect(setClose_, &QPushButton::clicked, this,
          [this] { run([this] { return console_.SetClose(); }); });
  connect(save_, &QPushButton::clicked, this, [this] { run([this] { return console_.Save(); }); });
  connect(default_, &QPushButton::clicked, this,
          [this] { run([this] { return console_.RestoreDefault(); }); });

  refresh();
  channel_->setFocus();
}

ServiceOpening CSquelchDlg::Start() {
  const ServiceOpening opening = console_.Open(portChoice());
  refresh();
  return opening;
}

void CSquelchDlg::refresh() {
  const SquelchConsole::View& v = console_.Shown();
  // A number typed but not yet SET stays in the box while other buttons are used.
  if (v.channel != shownChannel_) channel_->setValue(v.channel);
  shownChannel_ = v.channel;
  custom_->setChecked(v.custom);
  custom_->setText(QString::fromStdString(v.customCaption));
  custom_->setAccessibleName(custom_->text().trimmed());
  custom_->setEnabled(console_.Enabled(S::kCustom));
  setOpen_->setEnabled(console_.Enabled(S::kSetOpen));
  setClose_->setEnabled(console_.Enabled(S::kSetClose));
  save_->setEnabled(console_.Enabled(S::kSave));
  unmuted_->setText(QString::fromStdString(v.unmutedText));
  muted_->setText(QString::fromStdString(v.mutedText));
}

}  // namespace kx
