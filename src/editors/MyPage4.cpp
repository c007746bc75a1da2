#include "editors/MyPage4.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>

#include "editors/ChannelOptionDialog.h"
#include "editors/Controls.h"
#include "editors/OptionButton.h"
#include "model/KX200Doc.h"
#include "rules/ChannelFrequency.h"
#include "rules/ChannelPage.h"
#include "ui/UserDialogs.h"

namespace kx {

namespace {

constexpr int kFrequencyLength = 9;
constexpr int kTimeLength = 4;
const char* const kHeaders[] = {"CH",       "Rx Freq(MHz)", "RxOption", "Tx Freq(MHz)",
                                "TxOption", "BW",           "Tx Power", "Scan"};

// Which edit an event filter watches: a row's RX or TX frequency, or a power-save time.
constexpr const char* kRowProperty = "channelRow";
constexpr const char* kRxProperty = "receive";

QString accessible(int row, const char* column) {
  return QStringLiteral("Channel %1 %2").arg(row + 1).arg(QString::fromLatin1(column));
}

// A label and unit around a control, as the timers column shows them.
void addTimerRow(QGridLayout* grid, int line, OptionId option, QWidget* control,
                 const char* unit = nullptr) {
  const QString label = OptionName(option);
  AddControlRow(grid, line, label.toLatin1().constData(), control, label, {unit});
}

}  // namespace

CMyPage4::CMyPage4(CKX200Doc& doc, UserDialogs& dialogs, QWidget* parent)
    : COptionPage(doc, parent), dialogs_(dialogs) {
  setObjectName(QStringLiteral("channelPage"));
  runOptionDialog = [this] {
    ChannelOptionDialog dialog(doc_, dialogs_, this);
    return dialog.exec() == QDialog::Accepted;
  };
  auto* layout = new QHBoxLayout(this);
  layout->addWidget(buildChannelTable(), 1);
  layout->addWidget(buildTimers(), 0, Qt::AlignTop);
  LoadFromDocument();
}

QLineEdit* CMyPage4::frequencyEdit(int row, bool rx, QWidget* parent) {
  auto* edit = new QLineEdit(parent);
  edit->setMaxLength(kFrequencyLength);
  edit->setAlignment(Qt::AlignCenter);
  edit->setProperty(kRowProperty, row);
  edit->setProperty(kRxProperty, rx);
  edit->setAccessibleName(accessible(row, rx ? "Rx Freq(MHz)" : "Tx Freq(MHz)"));
  edit->installEventFilter(this);
  // The typing aid: "150125" shows as "150.125" while it is typed, the caret at the end.
  connect(edit, &QLineEdit::textEdited, this, [edit](const QString& typed) {
    const QString shown = text(NormalizeFrequencyText(typed.toStdString()));
    if (shown == typed) return;
    edit->setText(shown);
    edit->end(false);
  });
  return edit;
}

QWidget* CMyPage4::buildChannelTable() {
  auto* group = new QGroupBox(QStringLiteral("Channel Configuration"));
  auto* grid = new QGridLayout(group);
  grid->setVerticalSpacing(2);
  for (int column = 0; column < static_cast<int>(std::size(kHeaders)); ++column) {
    auto* header = new QLabel(QString::fromLatin1(kHeaders[column]), group);
    header->setAlignment(Qt::AlignCenter);
    grid->addWidget(header, 0, column);
  }
  // Created row by row, left to right, so Tab walks a row and then the next.
  for (int row = 0; row < static_cast<int>(rows_.size()); ++row) {
    Row& r = rows_[static_cast<std::size_t>(row)];
    auto* number = new QLabel(QString::number(row + 1), group);
    number->setAlignment(Qt::AlignCenter);
    r.rx = frequencyEdit(row, true, group);
    r.rxOption = new OptionButton(group);
    r.rxOption->setAccessibleName(accessible(row, "RxOption"));
    r.tx = frequencyEdit(row, false, group);
    r.txOption = new OptionButton(group);
    r.txOption->setAccessibleName(accessible(row, "TxOption"));
    r.wide = new QCheckBox(group);
    r.wide->setAccessibleName(accessible(row, "BW"));
    r.power = new QCheckBox(group);
    r.power->setAccessibleName(accessible(row, "Tx Power"));
    r.scan = new QCheckBox(group);
    r.scan->setAccessibleName(accessible(row, "Scan"));
    QWidget* cells[] = {number, r.rx, r.rxOption, r.tx, r.txOption, r.wide, r.power, r.scan};
    for (int column = 0; column < static_cast<int>(std::size(cells)); ++column)
      grid->addWidget(cells[column], row + 1, column,
                      column >= 5 ? Qt::AlignCenter : Qt::Alignment{});
    connectRow(row);
  }
  grid->setColumnStretch(1, 3);
  grid->setColumnStretch(2, 2);
  grid->setColumnStretch(3, 3);
  grid->setColumnStretch(4, 2);
  grid->setRowStretch(static_cast<int>(rows_.size()) + 1, 1);
  return group;
}

void CMyPage4::connectRow(int row) {
  const Row& r = rows_[static_cast<std::size_t>(row)];
  ChannelRecord& channel = doc_.channels[static_cast<std::size_t>(row)];
  connect(r.rxOption, &QPushButton::clicked, this, [this, row] { OpenOptionDialog(row); });
  connect(r.txOption, &QPushButton::clicked, this, [this, row] { OpenOptionDialog(row); });
  connect(r.wide, &QCheckBox::toggled, this, [this, row, &channel](bool on) {
    channel.wide = on ? 1 : 0;
    showRowChecks(row);
  });
  connect(r.power, &QCheckBox::toggled, this, [this, row, &channel](bool on) {
    channel.highPower = on ? 1 : 0;
    showRowChecks(row);
  });
  connect(r.scan, &QCheckBox::toggled, this, [&channel](bool on) { channel.scan = on ? 1 : 0; });
}

QWidget* CMyPage4::buildTimers() {
  auto* box = new QWidget;
  auto* grid = new QGridLayout(box);
  grid->setContentsMargins(0, 0, 0, 0);

  timeout_ = new QComboBox;
  for (int item = 0; item < channel_page::kTimeoutItems; ++item)
    timeout_->addItem(text(channel_page::TimeoutItemText(item)));
  addTimerRow(grid, 0, OptionId::kTimeoutTimer, timeout_, "sec.");
  hang_ = new QComboBox;
  for (int item = 0; item < channel_page::kHangItems; ++item)
    hang_->addItem(text(channel_page::HangItemText(item)));
  addTimerRow(grid, 1, OptionId::kHangTimer, hang_, "ms.");

  busyLockout_ = new QCheckBox(OptionName(OptionId::kBusyLockout));
  txMatchedSat_ = new QCheckBox(OptionName(OptionId::kTxMatchedSat));
  txDelay_ = new QCheckBox(OptionName(OptionId::kTxDelay));
  grid->addWidget(busyLockout_, 2, 0, 1, 3);
  grid->addWidget(txMatchedSat_, 3, 0, 1, 3);
  grid->setRowMinimumHeight(4, 8);
  grid->addWidget(txDelay_, 5, 0, 1, 3);

  auto* saving = new QGroupBox;
  auto* savingGrid = new QGridLayout(saving);
  powerSave_ = new QCheckBox(OptionName(OptionId::kPowerSave));
  savingGrid->addWidget(powerSave_, 0, 0, 1, 3);
  delay_ = new QComboBox;
  for (int item = 1; item <= channel_page::kDelayItems; ++item)
    delay_->addItem(QString::number(item));
  addTimerRow(savingGrid, 1, OptionId::kPowerSaveDelay, delay_, "sec.");
  rxOff_ = new QLineEdit;
  rxOn_ = new QLineEdit;
  for (QLineEdit* edit : {rxOff_, rxOn_}) {
    edit->setMaxLength(kTimeLength);
    // Plain digits, as the radio's conversion reads them: no thousands separator of the
    // desktop's language ("1.000" would be taken as 1).
    auto* digits = new QIntValidator(0, 9999, edit);
    QLocale plain = QLocale::c();
    plain.setNumberOptions(QLocale::RejectGroupSeparator);
    digits->setLocale(plain);
    edit->setValidator(digits);
    edit->installEventFilter(this);
  }
  addTimerRow(savingGrid, 2, OptionId::kRxOffTime, rxOff_, "ms.");
  addTimerRow(savingGrid, 3, OptionId::kRxOnTime, rxOn_, "ms.");
  grid->addWidget(saving, 6, 0, 1, 3);

  connect(timeout_, &QComboBox::activated, this, [this](int item) { ChooseTimeout(doc_, item); });
  connect(hang_, &QComboBox::activated, this, [this](int item) { ChooseHangTime(doc_, item); });
  connect(busyLockout_, &QCheckBox::toggled, this, [this](bool on) {
    SetBusyLockout(doc_, on);
    SetCheckedQuietly(txMatchedSat_, doc_.txMatchedSatEnabled != 0);
    txMatchedSat_->setEnabled(on);
  });
  connect(txMatchedSat_, &QCheckBox::toggled, this,
          [this](bool on) { doc_.txMatchedSatEnabled = on ? 1 : 0; });
  connect(txDelay_, &QCheckBox::toggled, this,
          [this](bool on) { doc_.txDelayEnabled = on ? 1 : 0; });
  connect(powerSave_, &QCheckBox::toggled, this, [this](bool on) {
    SetPowerSave(doc_, on);
    showPowerSave();
  });
  connect(delay_, &QComboBox::activated, this,
          [this](int item) { doc_.powerSaveDelayIndex = item; });
  return box;
}

bool CMyPage4::eventFilter(QObject* watched, QEvent* event) {
  if (TechnicianLeft(event)) {
    std::function<void()> check;
    if (watched == rxOff_) {
      check = [this] { ValidateRxOffTime(); };
    } else if (watched == rxOn_) {
      check = [this] { ValidateRxOnTime(); };
    } else if (const QVariant row = watched->property(kRowProperty); row.isValid()) {
      const bool rx = watched->property(kRxProperty).toBool();
      check = [this, rx, row = row.toInt()] {
        rx ? ValidateRxFrequency(row) : ValidateTxFrequency(row);
      };
    }
    if (check) checkWhenFocusSettles(watched, std::move(check));
  }
  return COptionPage::eventFilter(watched, event);
}

void CMyPage4::applyFrequencyEdit(int row, const FrequencyEdit& edit) {
  ApplyFrequencyEdit(doc_, row, edit);
  const Row& r = rows_[static_cast<std::size_t>(row)];
  r.rx->setText(text(edit.rxText));
  r.tx->setText(text(edit.txText));
  RefreshOptionCaptions();
  if (!edit.notice) return;
  dialogs_.Show(this, *edit.notice);
  if (edit.focus == ChannelFocus::kRxOption) r.rxOption->setFocus(Qt::OtherFocusReason);
  if (edit.focus == ChannelFocus::kTxOption) r.txOption->setFocus(Qt::OtherFocusReason);
}

void CMyPage4::ValidateRxFrequency(int row) {
  const Row& r = rows_.at(static_cast<std::size_t>(row));
  applyFrequencyEdit(row, kx::ValidateRxFrequency(doc_, row, text(r.rx), text(r.tx)));
}

void CMyPage4::ValidateTxFrequency(int row) {
  const Row& r = rows_.at(static_cast<std::size_t>(row));
  applyFrequencyEdit(row, kx::ValidateTxFrequency(doc_, row, text(r.rx), text(r.tx)));
}

void CMyPage4::OpenOptionDialog(int row) {
  doc_.currentChannel = row + 1;
  if (const auto refusal = OptionDialogRefusal(doc_.channels.at(static_cast<std::size_t>(row)))) {
    dialogs_.Show(this, *refusal);
    return;
  }
  if (!runOptionDialog) return;
  runOptionDialog();
  // Also after Cancel: it restores only the channel the dialog opened on, and Tab may have
  // moved the dialog on to others that keep their changes.
  RefreshOptionCaptions();
}

void CMyPage4::RefreshOptionCaptions() {
  for (std::size_t i = 0; i < rows_.size(); ++i) {
    const ChannelRecord& channel = doc_.channels[i];
    const OptionButtonLook rx = RxOptionLook(channel);
    const OptionButtonLook tx = TxOptionLook(channel);
    rows_[i].rxOption->SetLook(text(rx.caption), BackgroundOf(rx.colourClass));
    rows_[i].txOption->SetLook(text(tx.caption), BackgroundOf(tx.colourClass));
  }
}

void CMyPage4::showRowChecks(int row) {
  const Row& r = rows_[static_cast<std::size_t>(row)];
  const ChannelRecord& channel = doc_.channels[static_cast<std::size_t>(row)];
  SetCheckedQuietly(r.wide, channel.wide != 0);
  SetCheckedQuietly(r.power, channel.highPower != 0);
  SetCheckedQuietly(r.scan, channel.scan != 0);
  r.wide->setText(QString::fromLatin1(WidthCaption(channel.wide != 0)));
  r.power->setText(QString::fromLatin1(PowerCaption(channel.highPower != 0)));
}

void CMyPage4::showPowerSave() {
  ChannelPageView view;
  ShowPowerSave(doc_, view);
  SetCheckedQuietly(powerSave_, view.powerSave);
  delay_->setCurrentIndex(view.delayItem);
  rxOff_->setText(text(view.rxOffText));
  rxOn_->setText(text(view.rxOnText));
  for (QWidget* control :
       {static_cast<QWidget*>(delay_), static_cast<QWidget*>(rxOff_), static_cast<QWidget*>(rxOn_)})
    control->setEnabled(view.powerSaveControlsEnabled);
}

void CMyPage4::showTxDelay(bool enabled) {
  SetCheckedQuietly(txDelay_, doc_.txDelayEnabled != 0);
  txDelay_->setEnabled(enabled);
}

void CMyPage4::showView(const ChannelPageView& view) {
  for (std::size_t i = 0; i < rows_.size(); ++i) {
    rows_[i].rx->setText(text(view.rows[i].rxText));
    rows_[i].tx->setText(text(view.rows[i].txText));
    showRowChecks(static_cast<int>(i));
  }
  RefreshOptionCaptions();
  timeout_->setCurrentIndex(view.timeoutItem);
  hang_->setCurrentIndex(view.hangItem);
  SetCheckedQuietly(busyLockout_, view.busyLockout);
  SetCheckedQuietly(txMatchedSat_, view.txMatchedSat);
  txMatchedSat_->setEnabled(view.txMatchedSatEnabled);
  showTxDelay(view.txDelayEnabled);
  showPowerSave();
}

void CMyPage4::LoadFromDocument() {
  showView(LoadChannelPage(doc_));
}

void CMyPage4::Refresh() {
  LoadFromDocument();
}

void CMyPage4::ApplyModemLayout() {
  showTxDelay(ApplyTxDelayRule(doc_));
}

void CMyPage4::applyTimeEdit(QLineEdit* edit, std::int32_t& field, const TimeEdit& checked) {
  field = checked.value;
  edit->setText(text(checked.text));
  if (checked.notice) dialogs_.Show(this, *checked.notice);
}

// While power save is off the edits show 0 and the stored times stay.
void CMyPage4::ValidateRxOffTime() {
  if (doc_.powerSaveEnabled)
    applyTimeEdit(rxOff_, doc_.powerSaveOnMs, kx::ValidateRxOffTime(text(rxOff_)));
}

void CMyPage4::ValidateRxOnTime() {
  if (doc_.powerSaveEnabled)
    applyTimeEdit(rxOn_, doc_.powerSaveOffMs, kx::ValidateRxOnTime(text(rxOn_)));
}

}  // namespace kx
