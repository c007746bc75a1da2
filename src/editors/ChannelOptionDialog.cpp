#include "editors/ChannelOptionDialog.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <optional>

#include "editors/ColourRef.h"
#include "editors/TonePickerDialog.h"
#include "editors/TwoToneConditionDialog.h"
#include "editors/TwoToneDataDialog.h"
#include "model/KX200Doc.h"
#include "rules/ChannelPage.h"
#include "ui/UserDialogs.h"

namespace kx {

namespace {

constexpr std::array<const char*, ChannelOptionDialog::kRxKinds> kKindCaptions{"No Option", "CTCSS",
                                                                               "DCS", "Two Tone"};
constexpr std::array<const char*, kOptionValueCount> kValueNames{
    "RX CTCSS tone", "RX DCS code", "Two tone group", "TX CTCSS tone", "TX DCS code"};

// The colour class of a value button by what it shows.
SignallingClass classOf(OptionValue value, const ChannelRecord& c) {
  switch (value) {
    case OptionValue::kRxCtcss:
      return CtcssClass(c.rxCtcssHz);
    case OptionValue::kTxCtcss:
      return CtcssClass(c.txCtcssHz);
    case OptionValue::kRxDcs:
    case OptionValue::kTxDcs:
      return SignallingClass::kDcs;
    case OptionValue::kTwoTone:
      break;
  }
  return SignallingClass::kTwoTone;
}

void setBackground(QPushButton* button, std::optional<std::uint32_t> colorref) {
  QPalette palette;  // nothing set: the button takes its parent's colours
  if (colorref) palette.setColor(QPalette::Button, ColourOf(*colorref));
  button->setPalette(palette);
}

}  // namespace

ChannelOptionDialog::ChannelOptionDialog(CKX200Doc& doc, UserDialogs& dialogs, QWidget* parent)
    : QDialog(parent),
      runDialog([](QDialog& dialog) { return dialog.exec(); }),
      doc_(doc),
      dialogs_(dialogs),
      editor_(doc) {
  setWindowTitle(QStringLiteral("CHANNEL OPTION"));

  auto* channelLabel = new QLabel(QStringLiteral("# CHANNEL"), this);
  channel_ = new QLineEdit(this);
  channel_->setReadOnly(true);
  channel_->setAlignment(Qt::AlignCenter);
  channel_->setAccessibleName(QStringLiteral("Channel"));
  channel_->setFixedWidth(channel_->fontMetrics().horizontalAdvance(QStringLiteral("0000")) + 16);
  channelLabel->setBuddy(channel_);

  const int valueWidth = fontMetrics().horizontalAdvance(QStringLiteral(" Tone B ")) + 24;
  auto makeValue = [&](OptionValue value) {
    auto* button = new QPushButton(this);
    button->setAccessibleName(QString::fromLatin1(kValueNames[index(value)]));
    button->setMinimumWidth(valueWidth);
    values_[index(value)] = button;
    return button;
  };
  // One group box of kind radios, each followed by its value button where it has one.
  auto makeSide = [&](const QString& side, QButtonGroup*& group, int kinds,
                      std::array<std::optional<OptionValue>, kRxKinds> valueOfKind) {
    auto* box = new QGroupBox(side, this);
    auto* grid = new QGridLayout(box);
    group = new QButtonGroup(this);
    for (int kind = 0; kind < kinds; ++kind) {
      const QString caption = QString::fromLatin1(kKindCaptions[static_cast<std::size_t>(kind)]);
      auto* radio = new QRadioButton(caption, box);
      radio->setAccessibleName(side + QLatin1Char(' ') + caption);
      group->addButton(radio, kind);
      grid->addWidget(radio, kind, 0);
      if (const auto value = valueOfKind[static_cast<std::size_t>(kind)])
        grid->addWidget(makeValue(*value), kind, 1);
    }
    grid->setRowStretch(kinds, 1);
    return box;
  };
  QGroupBox* rxBox =
      makeSide(QStringLiteral("RX"), rxGroup_, kRxKinds,
               {std::nullopt, OptionValue::kRxCtcss, OptionValue::kRxDcs, OptionValue::kTwoTone});
  QGroupBox* txBox =
      makeSide(QStringLiteral("TX"), txGroup_, kTxKinds,
               {std::nullopt, OptionValue::kTxCtcss, OptionValue::kTxDcs, std::nullopt});

  // OK and Cancel in this order on every desktop: Cancel ends the Tab chain.
  ok_ = new QPushButton(QStringLiteral("OK"), this);
  cancel_ = new QPushButton(QStringLiteral("Cancel"), this);
  ok_->setDefault(true);
  connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
  connect(cancel_, &QPushButton::clicked, this, &ChannelOptionDialog::reject);
  cancel_->installEventFilter(this);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(ok_);
  buttons->addWidget(cancel_);

  auto* top = new QHBoxLayout;
  top->addWidget(channelLabel);
  top->addWidget(channel_);
  top->addStretch(1);
  auto* layout = new QGridLayout(this);
  layout->addLayout(top, 0, 0, 1, 2);
  layout->addWidget(rxBox, 1, 0);
  layout->addWidget(txBox, 1, 1);
  layout->addLayout(buttons, 2, 0, 1, 2);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  // Tab runs down the receive side, then the transmit side, and ends on Cancel, where it moves
  // on to the next channel.
  QWidget* previous = channel_;
  auto chain = [&previous](QWidget* next) {
    setTabOrder(previous, next);
    previous = next;
  };
  for (QAbstractButton* radio : rxGroup_->buttons())
    chain(radio);
  for (OptionValue v : {OptionValue::kRxCtcss, OptionValue::kRxDcs, OptionValue::kTwoTone})
    chain(ValueButton(v));
  for (QAbstractButton* radio : txGroup_->buttons())
    chain(radio);
  for (OptionValue v : {OptionValue::kTxCtcss, OptionValue::kTxDcs})
    chain(ValueButton(v));
  chain(ok_);
  chain(cancel_);

  connect(rxGroup_, &QButtonGroup::idClicked, this, [this](int kind) {
    if (kind == kOptionTwoTone) {
      chooseTwoTone();
    } else {
      chooseRx(kind);
    }
  });
  connect(txGroup_, &QButtonGroup::idClicked, this, &ChannelOptionDialog::chooseTx);
  connect(ValueButton(OptionValue::kRxCtcss), &QPushButton::clicked, this,
          [this] { pickCtcss(true); });
  connect(ValueButton(OptionValue::kTxCtcss), &QPushButton::clicked, this,
          [this] { pickCtcss(false); });
  connect(ValueButton(OptionValue::kRxDcs), &QPushButton::clicked, this, [this] { pickDcs(true); });
  connect(ValueButton(OptionValue::kTxDcs), &QPushButton::clicked, this,
          [this] { pickDcs(false); });
  connect(ValueButton(OptionValue::kTwoTone), &QPushButton::clicked, this,
          &ChannelOptionDialog::editTwoTone);

  refresh();
}

QRadioButton* ChannelOptionDialog::RxRadio(int kind) const {
  return static_cast<QRadioButton*>(rxGroup_->button(kind));
}

QRadioButton* ChannelOptionDialog::TxRadio(int kind) const {
  return static_cast<QRadioButton*>(txGroup_->button(kind));
}

void ChannelOptionDialog::showAll(const std::vector<Notice>& notices) {
  for (const Notice& notice : notices)
    dialogs_.Show(this, notice);
}

void ChannelOptionDialog::chooseRx(int kind) {
  showAll(editor_.ChooseRxKind(kind));
  refresh();
}

void ChannelOptionDialog::chooseTx(int kind) {
  showAll(editor_.ChooseTxKind(kind));
  refresh();
}

void ChannelOptionDialog::chooseTwoTone() {
  const ChannelOptionEditor::TwoToneStart start = editor_.ChooseTwoTone();
  showAll(start.warnings);
  if (start.needsCondition) {
    TwoToneConditionDialog condition(doc_, dialogs_, this);
    editor_.FinishTwoTone(runDialog(condition) == QDialog::Accepted);
  }
  refresh();
}

void ChannelOptionDialog::pickCtcss(bool rx) {
  CtcssPickerDialog picker(this);
  if (runDialog(picker) != QDialog::Accepted) return;
  editor_.PickCtcss(rx, picker.Picked().toStdString());
  refresh();
}

void ChannelOptionDialog::pickDcs(bool rx) {
  DcsPickerDialog picker(this);
  if (runDialog(picker) != QDialog::Accepted) return;
  editor_.PickDcs(rx, picker.Picked().toStdString());
  refresh();
}

void ChannelOptionDialog::editTwoTone() {
  TwoToneDataDialog data(doc_, dialogs_, this);
  if (runDialog(data) != QDialog::Accepted) return;
  editor_.SetTwoToneCaption(data.Caption().toStdString());
  refresh();
}

void ChannelOptionDialog::advance() {
  if (const std::optional<Notice> notice = editor_.Advance()) {
    dialogs_.Show(this, *notice);
    channel_->setFocus(Qt::TabFocusReason);
  }
  refresh();
}

void ChannelOptionDialog::refresh() {
  const ChannelOptionEditor::View& view = editor_.Shown();
  channel_->setText(QString::number(view.channel));

  rxGroup_->button(view.rxKind)->setChecked(true);
  txGroup_->button(view.txKind)->setChecked(true);
  RxRadio(kOptionDcs)->setEnabled(view.rxDcsAvailable);
  RxRadio(kOptionTwoTone)->setEnabled(view.twoToneAvailable);
  TxRadio(kOptionDcs)->setEnabled(view.txDcsAvailable);

  const ChannelRecord& shown = doc_.channels.at(static_cast<std::size_t>(view.channel - 1));
  for (std::size_t i = 0; i < kOptionValueCount; ++i) {
    const auto value = static_cast<OptionValue>(i);
    const QString caption = QString::fromStdString(view.captions[i]);
    QPushButton* button = values_[i];
    button->setText(caption);
    button->setAccessibleDescription(caption.trimmed());
    button->setEnabled(view.valueEnabled[i]);
    setBackground(button,
                  view.valueEnabled[i] ? BackgroundOf(classOf(value, shown)) : std::nullopt);
  }
}

bool ChannelOptionDialog::eventFilter(QObject* watched, QEvent* event) {
  if (watched == cancel_ && event->type() == QEvent::KeyPress) {
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_Tab && key->modifiers() == Qt::NoModifier) {
      advance();
      return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}

void ChannelOptionDialog::reject() {
  editor_.Cancel();
  QDialog::reject();
}

}  // namespace kx
