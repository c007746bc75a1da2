#include "editors/MyPage2.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>
#include <functional>

#include "editors/Controls.h"
#include "model/KX200Doc.h"
#include "model/ValueText.h"
#include "rules/SystemPage.h"
#include "ui/UserDialogs.h"

namespace kx {

namespace {

// The edits hold up to four digits; room for six and the frame.
constexpr int kEditWidthChars = 6;
constexpr int kEditFramePx = 12;

// What a screen reader says for a control: its caption without the "# " bullet and the
// blanks that lay it out.
QString spoken(const char* caption) {
  QString name = QString::fromLatin1(caption);
  if (name.startsWith(QLatin1Char('#'))) name.remove(0, 1);
  return name.trimmed();
}

// One line of the scan and GPS groups: "# caption", the control, its unit and its range.
void addSettingRow(QGridLayout* grid, int line, const char* caption, QWidget* control,
                   const char* unit, const char* range) {
  AddControlRow(grid, line, caption, control, spoken(caption), {unit, range});
  control->setAccessibleDescription(
      QStringLiteral("%1 %2").arg(QString::fromLatin1(unit), QString::fromLatin1(range)));
}

// The scan and GPS groups are stacked: their columns line up when both start the controls after
// the longest caption and leave the spare width at the right.
void alignColumns(QGridLayout* grid, const QWidget* box) {
  grid->setColumnMinimumWidth(
      0, box->fontMetrics().horizontalAdvance(QStringLiteral("# Data Transmission Time")));
  grid->setColumnMinimumWidth(2, box->fontMetrics().horizontalAdvance(QStringLiteral("Hour")));
  grid->setColumnStretch(4, 1);
}

// A list of whole seconds or hours; the item is the stored index.
QComboBox* numberList(int items, int (*valueOf)(std::int32_t index)) {
  auto* list = new QComboBox;
  for (int item = 0; item < items; ++item)
    list->addItem(QString::number(valueOf(item)));
  return list;
}

QLineEdit* numberEdit(QObject* filter) {
  auto* edit = new QLineEdit;
  edit->setAlignment(Qt::AlignRight);
  edit->setFixedWidth(edit->fontMetrics().horizontalAdvance(QLatin1Char('0')) * kEditWidthChars +
                      kEditFramePx);
  edit->installEventFilter(filter);
  return edit;
}

QCheckBox* checkBox(const char* caption) {
  auto* box = new QCheckBox(QString::fromLatin1(caption));
  box->setAccessibleName(spoken(caption));
  return box;
}

QCheckBox* checkBox(OptionId option) {
  return checkBox(OptionName(option).toLatin1().constData());
}

QGroupBox* group(const char* title) {
  auto* box = new QGroupBox(QString::fromLatin1(title));
  box->setAccessibleName(spoken(title));
  return box;
}

}  // namespace

CMyPage2::CMyPage2(CKX200Doc& doc, UserDialogs& dialogs, QWidget* parent)
    : COptionPage(doc, parent), dialogs_(dialogs) {
  setObjectName(QStringLiteral("systemPage"));
  auto* frame = group(" SYSTEM OPTION  /  GPS OPTION ");
  auto* columns = new QGridLayout(frame);
  columns->setHorizontalSpacing(16);
  // Created column by column, so Tab walks the receive and transmit options first.
  columns->addWidget(buildRxOptions(), 0, 0);
  columns->addWidget(buildTxOptions(), 1, 0);
  columns->addWidget(buildScanOptions(), 0, 1);
  columns->addWidget(buildGpsOptions(), 1, 1);

  auto* row = new QHBoxLayout;
  row->addWidget(frame);
  row->addStretch(1);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(row);
  layout->addStretch(1);

  connectControls();
  Refresh();
}

QGroupBox* CMyPage2::buildRxOptions() {
  QGroupBox* box = group(" RX OPTION ");
  auto* layout = new QVBoxLayout(box);
  squelch_ = checkBox(" Enables Squelch");
  // Siblings in one group, so the two radios exclude each other.
  rssi_ = new QRadioButton(QStringLiteral(" Rssi Level Check"));
  rssi_->setAccessibleName(QStringLiteral("Rssi Level Check"));
  busyPort_ = new QRadioButton(QStringLiteral(" Busy Port Check"));
  busyPort_->setAccessibleName(QStringLiteral("Busy Port Check"));
  layout->addWidget(squelch_);
  // The radios sit under the box they depend on.
  auto* radios = new QVBoxLayout;
  radios->setContentsMargins(20, 0, 0, 0);
  radios->addWidget(rssi_);
  radios->addWidget(busyPort_);
  layout->addLayout(radios);
  layout->addStretch(1);
  return box;
}

QGroupBox* CMyPage2::buildTxOptions() {
  QGroupBox* box = group(" TX OPTION ");
  auto* layout = new QVBoxLayout(box);
  beep_ = checkBox(OptionId::kBeepOnHangOn);
  txTone_ = checkBox(OptionId::kTxToneForDataInput);
  externalModulation_ = checkBox(OptionId::kExternalModulation);
  for (QCheckBox* check : {beep_, txTone_, externalModulation_})
    layout->addWidget(check);
  layout->addStretch(1);
  return box;
}

QGroupBox* CMyPage2::buildScanOptions() {
  QGroupBox* box = group(" SCAN OPTION ");
  auto* grid = new QGridLayout(box);
  scanDelay_ = numberList(system_page::kScanDelayItems, value_text::DelaySeconds);
  addSettingRow(grid, 0, "# Scan Delay Time", scanDelay_, "Sec", "( 1 - 15 sec, 1 sec step )");
  scanSpeed_ = numberEdit(this);
  addSettingRow(grid, 1, "# Scan Speed Time", scanSpeed_, "ms", "( 50 - 2000ms, 10ms step )");
  grid->setRowStretch(2, 1);
  alignColumns(grid, box);
  return box;
}

QGroupBox* CMyPage2::buildGpsOptions() {
  QGroupBox* box = group(" GPS OPTION ");
  auto* grid = new QGridLayout(box);
  gps_ = checkBox("  Enables GPS");
  grid->addWidget(gps_, 0, 0, 1, 4);
  gpsCycle_ = numberList(system_page::kGpsCycleItems, value_text::GpsCycleHours);
  addSettingRow(grid, 1, "# Transmission Cycle", gpsCycle_, "Hour",
                "( 1 - 24 Hour , 1 Hour step )");
  gpsDataTime_ = numberEdit(this);
  addSettingRow(grid, 2, "# Data Transmission Time", gpsDataTime_, "Sec",
                "( 1 - 10 second, 1 second step )");
  gpsDataDelay_ = numberEdit(this);
  addSettingRow(grid, 3, "# Data Delay Time", gpsDataDelay_, "Sec",
                "( 50 - 300 second, 10 second step )");
  grid->setRowStretch(4, 1);
  alignColumns(grid, box);
  return box;
}

void CMyPage2::connectControls() {
  connect(squelch_, &QCheckBox::toggled, this, [this](bool on) {
    doc_.squelchEnabled = on ? 1 : 0;
    applyEnabling(SystemPageEnablingOf(doc_));
  });
  connect(rssi_, &QRadioButton::toggled, this, [this](bool on) {
    if (on) doc_.squelchBusyPortCheck = 0;
  });
  connect(busyPort_, &QRadioButton::toggled, this, [this](bool on) {
    if (on) doc_.squelchBusyPortCheck = 1;
  });
  connect(beep_, &QCheckBox::toggled, this, [this](bool on) { doc_.beepOnHangOn = on ? 1 : 0; });
  connect(txTone_, &QCheckBox::toggled, this,
          [this](bool on) { doc_.txToneForDataInput = on ? 1 : 0; });
  connect(externalModulation_, &QCheckBox::toggled, this,
          [this](bool on) { doc_.externalModulation = on ? 1 : 0; });
  connect(scanDelay_, &QComboBox::activated, this,
          [this](int item) { doc_.scanDelayIndex = item; });
  connect(gps_, &QCheckBox::toggled, this, [this](bool on) {
    doc_.gpsEnabled = on ? 1 : 0;
    showGpsValues();
    applyEnabling(SystemPageEnablingOf(doc_));
  });
  connect(gpsCycle_, &QComboBox::activated, this, [this](int item) { doc_.gpsCycleIndex = item; });
}

bool CMyPage2::eventFilter(QObject* watched, QEvent* event) {
  if (TechnicianLeft(event)) {
    std::function<void()> check;
    if (watched == scanSpeed_) check = [this] { ValidateScanSpeed(); };
    if (watched == gpsDataTime_) check = [this] { ValidateGpsDataTime(); };
    if (watched == gpsDataDelay_) check = [this] { ValidateGpsDataDelay(); };
    if (check) checkWhenFocusSettles(watched, std::move(check));
  }
  return COptionPage::eventFilter(watched, event);
}

void CMyPage2::applyEnabling(const SystemPageEnabling& enabled) {
  squelch_->setEnabled(enabled.squelchBox);
  rssi_->setEnabled(enabled.squelchRadios);
  busyPort_->setEnabled(enabled.squelchRadios);
  scanDelay_->setEnabled(enabled.scanDelay);
  scanSpeed_->setEnabled(enabled.scanSpeed);
  beep_->setEnabled(enabled.beepOnHangOn);
  txTone_->setEnabled(enabled.txTone);
  gps_->setEnabled(enabled.gpsBox);
  gpsCycle_->setEnabled(enabled.gpsFields);
  gpsDataTime_->setEnabled(enabled.gpsFields);
  gpsDataDelay_->setEnabled(enabled.gpsFields);
}

void CMyPage2::showGpsValues() {
  const SystemPageView view = SystemPageViewOf(doc_);
  gpsCycle_->setCurrentIndex(view.gpsCycleItem);
  gpsDataTime_->setText(text(view.gpsDataTimeText));
  gpsDataDelay_->setText(text(view.gpsDataDelayText));
}

void CMyPage2::LoadFromDocument() {
  const SystemPageView view = LoadSystemPage(doc_);
  SetCheckedQuietly(squelch_, view.squelch);
  SetCheckedQuietly(rssi_, !view.busyPortCheck);
  SetCheckedQuietly(busyPort_, view.busyPortCheck);
  SetCheckedQuietly(beep_, view.beepOnHangOn);
  SetCheckedQuietly(txTone_, view.txToneForDataInput);
  SetCheckedQuietly(externalModulation_, view.externalModulation);
  scanDelay_->setCurrentIndex(view.scanDelayItem);
  scanSpeed_->setText(text(view.scanSpeedText));
  SetCheckedQuietly(gps_, view.gps);
  showGpsValues();
  applyEnabling(view.enabled);
}

void CMyPage2::ApplyModelEnabling() {
  applyEnabling(SystemPageEnablingOf(doc_));
}

void CMyPage2::Refresh() {
  LoadFromDocument();
  ApplyModelEnabling();
}

void CMyPage2::DisableExternalModulation() {
  externalModulation_->setEnabled(false);
}

void CMyPage2::EnableExternalModulation() {
  externalModulation_->setEnabled(true);
}

void CMyPage2::applyEdit(QLineEdit* edit, const SystemEdit& result) {
  edit->setText(text(result.text));
  if (result.notice) dialogs_.Show(this, *result.notice);
  if (result.takeFocus) edit->setFocus(Qt::OtherFocusReason);
}

// A disabled edit keeps what it shows: the model or GPS being off took it away after it was
// left, and its stored value stays.
void CMyPage2::ValidateScanSpeed() {
  if (!scanSpeed_->isEnabled()) return;
  const SystemEdit result = kx::ValidateScanSpeed(text(scanSpeed_));
  doc_.scanSpeedMs = result.value;
  applyEdit(scanSpeed_, result);
}

void CMyPage2::ValidateGpsDataTime() {
  if (!gpsDataTime_->isEnabled()) return;
  const SystemEdit result = kx::ValidateGpsDataTime(text(gpsDataTime_), doc_.gpsDataTimeSec);
  doc_.gpsDataTimeSec = result.value;
  applyEdit(gpsDataTime_, result);
}

void CMyPage2::ValidateGpsDataDelay() {
  if (!gpsDataDelay_->isEnabled()) return;
  const SystemEdit result = kx::ValidateGpsDataDelay(text(gpsDataDelay_), doc_.gpsDataDelaySec);
  doc_.gpsDataDelaySec = result.value;
  applyEdit(gpsDataDelay_, result);
}

}  // namespace kx
