#include "service/CalibrationDlg.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>
#include <algorithm>

namespace kx {

namespace {
using C = CalibrationControl;

// Toggles whose texts only say "Disable" or "Enable" are named after their row.
const char* rowName(C control) {
  switch (control) {
    case C::kChannelSet:
      return "Change Channel";
    case C::kScanSet:
      return "Scan_Mode";
    case C::kTestData:
      return "Modem Test Data";
    case C::kUpgrade:
      return "Modem Firmware Upgrade";
    default:
      return nullptr;
  }
}
}  // namespace

CCalibrationDlg::CCalibrationDlg(CCommPort& port, CKX200Doc& doc, UserDialogs& dialogs,
                                 PortChoice portChoice, ServiceSession::PauseFunction pause,
                                 QWidget* parent)
    : ServiceDialog(port, dialogs, std::move(portChoice), std::move(pause), parent),
      console_(session(), doc) {
  setWindowTitle(QStringLiteral("CALIBRATION"));
  setObjectName(QStringLiteral("calibration"));
  const CalibrationConsole::View& shown = console_.Shown();
  auto text = [&shown](C control) {
    return QString::fromStdString(shown.captions[static_cast<std::size_t>(control)]);
  };

  auto* frame = new QGroupBox(QStringLiteral(" CALIBRATION "), this);
  frame->setAccessibleName(QStringLiteral("CALIBRATION"));
  auto* grid = new QGridLayout(frame);
  grid->setVerticalSpacing(10);
  grid->setHorizontalSpacing(16);
  int row = 0;
  auto addRow = [&](const char* label, QWidget* buddy, QLayout* controls) {
    auto* caption = new QLabel(QString::fromLatin1(label), frame);
    caption->setBuddy(buddy);
    grid->addWidget(caption, row, 0, Qt::AlignLeft | Qt::AlignVCenter);
    controls->setContentsMargins(0, 0, 0, 0);
    controls->setSpacing(8);
    grid->addLayout(controls, row, 1);
    ++row;
  };
  auto makeButton = [&](C control) {
    auto* button = new QPushButton(text(control), this);
    slot(control) = button;
    return button;
  };
  auto makeRadio = [&](C control, QButtonGroup* group, int id) {
    auto* radio = new QRadioButton(text(control), this);
    group->addButton(radio, id);
    slot(control) = radio;
    return radio;
  };
  auto addToggle = [&](C control, const QStringList& texts) {
    QPushButton* toggle = makeToggle(texts);
    toggle->setText(text(control));
    slot(control) = toggle;
    return toggle;
  };
  // A row of radio buttons in a frame of their own.
  auto radioBox = [&](std::initializer_list<QRadioButton*> radios) {
    auto* box = new QGroupBox(frame);
    auto* line = new QHBoxLayout(box);
    line->setContentsMargins(8, 4, 8, 4);
    for (QRadioButton* radio : radios)
      line->addWidget(radio);
    line->addStretch(1);
    return box;
  };

  // 1. Change Channel
  channel_ = makeChannelEdit();
  channel_->setObjectName(QStringLiteral("channel"));
  channel_->setMinimumWidth(channel_->fontMetrics().horizontalAdvance(QStringLiteral("00")) + 48);
  auto* channelLine = new QHBoxLayout;
  channelLine->addWidget(channel_);
  channelLine->addWidget(makeButton(C::kChannelSet));
  channelLine->addStretch(1);
  addRow("1. Change Channel ", channel_, channelLine);

  // 2. RTX_Mode
  QPushButton* rtx = addToggle(C::kRtxMode, {QStringLiteral("Rx Mode"), QStringLiteral("Tx Mode")});
  auto* rtxLine = new QHBoxLayout;
  rtxLine->addWidget(rtx);
  rtxLine->addStretch(1);
  addRow("2. RTX_Mode", rtx, rtxLine);

  // 3. Scan_Mode
  scanGroup_ = new QButtonGroup(this);
  QRadioButton* scanStop = makeRadio(C::kScanStop, scanGroup_, 0);
  QGroupBox* scanBox = radioBox({scanStop, makeRadio(C::kScanStart, scanGroup_, 1),
                                 makeRadio(C::kScanDelete, scanGroup_, 2)});
  scanBox->setAccessibleName(QStringLiteral("Scan_Mode"));
  auto* scanLine = new QHBoxLayout;
  scanLine->addWidget(scanBox);
  scanLine->addWidget(makeButton(C::kScanSet), 0, Qt::AlignVCenter);
  scanLine->addStretch(1);
  addRow("3. Scan_Mode", scanStop, scanLine);

  // 4. GPS
  QPushButton* gpsPower =
      addToggle(C::kGpsPower, {QStringLiteral("Power Disable"), QStringLiteral("Power Enable")});
  auto* gpsLine = new QHBoxLayout;
  gpsLine->addWidget(gpsPower);
  gpsLine->addStretch(1);
  addRow("4. GPS", gpsPower, gpsLine);

  // 5. GPS Data
  gpsDataGroup_ = new QButtonGroup(this);
  std::array<QRadioButton*, 3> gpsData{makeRadio(C::kGpsDisable, gpsDataGroup_, 0),
                                       makeRadio(C::kGpsExternalOutput, gpsDataGroup_, 1),
                                       makeRadio(C::kGpsRfTransmission, gpsDataGroup_, 2)};
  // They open with their longer "Disable" texts; as wide as that, the row keeps its place.
  for (QRadioButton* radio : gpsData)
    radio->setMinimumWidth(radio->sizeHint().width());
  QGroupBox* gpsDataBox = radioBox({gpsData[0], gpsData[1], gpsData[2]});
  gpsDataBox->setAccessibleName(QStringLiteral("GPS Data"));
  auto* gpsDataLine = new QHBoxLayout;
  gpsDataLine->addWidget(gpsDataBox);
  gpsDataLine->addStretch(1);
  addRow("5. GPS Data", gpsData[0], gpsDataLine);

  // 6. Modem Test Data
  QPushButton* testData =
      addToggle(C::kTestData, {QStringLiteral("Disable"), QStringLiteral("Enable")});
  auto* testLine = new QHBoxLayout;
  testLine->addWidget(testData);
  testLine->addStretch(1);
  addRow("6. Modem Test Data", testData, testLine);

  // 7. Alignment test: the FFSK modem's Space and Mark, or the GMSK modem's Tx in their place.
  alignmentGroup_ = new QButtonGroup(this);
  QRadioButton* gmsk = makeRadio(C::kGmsk, alignmentGroup_, kAlignGmsk);
  QGroupBox* alignmentBox = radioBox({gmsk, makeRadio(C::kFfsk, alignmentGroup_, kAlignFfsk)});
  alignmentBox->setAccessibleName(QStringLiteral("Alignment test"));
  QPushButton* space =
      addToggle(C::kSpaceTone, {QStringLiteral("Space Disable"), QStringLiteral("Space Enable")});
  QPushButton* mark =
      addToggle(C::kMarkTone, {QStringLiteral("Mark Disable"), QStringLiteral("Mark Enable")});
  QPushButton* gmskTx =
      addToggle(C::kGmskTransmit, {QStringLiteral(" Tx Disable"), QStringLiteral("Tx Enable")});
  // A radio shows either Space and Mark or Tx, never both: Tx takes Space's place.
  auto* tones = new QHBoxLayout;
  tones->setSpacing(8);
  tones->addWidget(gmskTx);
  tones->addWidget(space);
  tones->addWidget(mark);
  auto* alignmentLine = new QHBoxLayout;
  alignmentLine->addWidget(alignmentBox);
  alignmentLine->addLayout(tones);
  alignmentLine->addStretch(1);
  addRow("7. Alignment test ", gmsk, alignmentLine);

  // 8. Modem Firmware Upgrade
  QPushButton* upgrade =
      addToggle(C::kUpgrade, {QStringLiteral("Disable"), QStringLiteral("Enable")});
  auto* upgradeLine = new QHBoxLayout;
  upgradeLine->addWidget(upgrade);
  upgradeLine->addStretch(1);
  addRow("8. Modem Firmware Upgrade", upgrade, upgradeLine);

  // The single toggles of rows 2, 4, 6 and 8 line up in one width.
  int toggleWidth = 0;
  for (QPushButton* toggle : {rtx, gpsPower, testData, upgrade})
    toggleWidth = std::max(toggleWidth, toggle->minimumWidth());
  for (QPushButton* toggle : {rtx, gpsPower, testData, upgrade})
    toggle->setMinimumWidth(toggleWidth);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(frame);
  layout->addLayout(closeRow());
  layout->setSizeConstraint(QLayout::SetFixedSize);
  setTabOrder(upgrade, CloseButton());

  static constexpr std::array<const char*, kCalibrationControlCount> kObjectNames{
      "channel",
      "channelSet",
      "rtxMode",
      "scanStop",
      "scanStart",
      "scanDelete",
      "scanSet",
      "gpsPower",
      "gpsDisable",
      "gpsExternalOutput",
      "gpsRfTransmission",
      "testData",
      "gmsk",
      "ffsk",
      "space",
      "mark",
      "gmskTransmit",
      "upgrade"};
  for (std::size_t i = 0; i < kCalibrationControlCount; ++i)
    if (buttons_[i]) buttons_[i]->setObjectName(QString::fromLatin1(kObjectNames[i]));

  auto click = [this](QAbstractButton* button, auto command) {
    connect(button, &QAbstractButton::clicked, this,
            [this, command](bool checked) { run([&] { return command(checked); }); });
  };
  click(Button(C::kChannelSet), [this](bool) {
    channel_->interpretText();
    // The box then shows the channel the console settled on (1 for one typed out of range).
    shownChannel_ = 0;
    return console_.SetChannel(channel_->value());
  });
  click(rtx, [this](bool on) { return console_.SetTransmit(on); });
  click(Button(C::kScanSet), [this](bool) { return console_.SendScan(); });
  click(gpsPower, [this](bool on) { return console_.SetGpsPower(on); });
  click(testData, [this](bool on) { return console_.SetTestData(on); });
  click(space, [this](bool on) { return console_.SetSpaceTone(on); });
  click(mark, [this](bool on) { return console_.SetMarkTone(on); });
  click(gmskTx, [this](bool on) { return console_.SetGmskTransmit(on); });
  click(upgrade, [this](bool) { return console_.ToggleUpgrade(); });
  connect(scanGroup_, &QButtonGroup::idClicked, this,
          [this](int id) { run([&] { return console_.ChooseScan(id); }); });
  connect(gpsDataGroup_, &QButtonGroup::idClicked, this,
          [this](int id) { run([&] { return console_.ChooseGpsData(id); }); });
  connect(alignmentGroup_, &QButtonGroup::idClicked, this,
          [this](int id) { run([&] { return console_.ChooseAlignment(id); }); });

  // What a command changes shows while the radio is being waited for.
  console_.changed = [this] { refresh(); };
  refresh();
  channel_->setFocus();
}

ServiceOpening CCalibrationDlg::Start() {
  const ServiceOpening opening = console_.Open(portChoice());
  refresh();
  return opening;
}

void CCalibrationDlg::refresh() {
  const CalibrationConsole::View& v = console_.Shown();
  // A number typed but not yet SET stays in the box while other buttons are used.
  if (v.channel != shownChannel_) channel_->setValue(v.channel);
  shownChannel_ = v.channel;
  channel_->setEnabled(v.enabled[static_cast<std::size_t>(C::kChannelEdit)]);
  for (std::size_t i = 0; i < kCalibrationControlCount; ++i) {
    QAbstractButton* button = buttons_[i];
    if (!button) continue;
    const auto control = static_cast<C>(i);
    const QString caption = QString::fromStdString(v.captions[i]);
    button->setText(caption);
    button->setEnabled(v.enabled[i]);
    button->setVisible(v.visible[i]);
    if (const char* name = rowName(control)) {
      const bool toggle = button->isCheckable();
      button->setAccessibleName(toggle ? QString::fromLatin1(name) : caption);
      button->setAccessibleDescription(toggle ? caption : QString::fromLatin1(name));
    } else {
      button->setAccessibleName(caption.trimmed());
    }
  }
  Button(C::kRtxMode)->setChecked(v.transmit);
  Button(C::kGpsPower)->setChecked(v.gpsPower);
  Button(C::kTestData)->setChecked(v.testData);
  Button(C::kSpaceTone)->setChecked(v.spaceTone);
  Button(C::kMarkTone)->setChecked(v.markTone);
  Button(C::kGmskTransmit)->setChecked(v.gmskTransmit);
  Button(C::kUpgrade)->setChecked(v.upgrade);
  checkOnly(scanGroup_, v.scan);
  checkOnly(gpsDataGroup_, v.gpsData);
  checkOnly(alignmentGroup_, v.alignmentModem);
}

}  // namespace kx
