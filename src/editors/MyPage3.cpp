#include "editors/MyPage3.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "editors/Controls.h"
#include "editors/ModemScanWarningDialog.h"
#include "model/FormatText.h"
#include "model/KX200Doc.h"
#include "model/RadioOptions.h"
#include "ui/UserDialogs.h"

namespace kx {

namespace {

constexpr int kDelayLength = 4;
// Which delay an edit holds, for the event filter.
constexpr const char* kDelayProperty = "modemDelay";

void showToggle(QAbstractButton* button, const ModemToggle& toggle) {
  const QSignalBlocker quiet(button);
  button->setChecked(toggle.checked);
  button->setEnabled(toggle.enabled);
}

void showList(QComboBox* box, const ModemList& list) {
  const QSignalBlocker quiet(box);
  QStringList items;
  for (const std::string& item : list.items)
    items << text(item);
  bool same = box->count() == items.size();
  for (int i = 0; same && i < box->count(); ++i)
    same = box->itemText(i) == items[i];
  if (!same) {
    box->clear();
    box->addItems(items);
  }
  box->setCurrentIndex(list.selected);
  box->setEnabled(list.enabled);
}

// A pair of radios of which one, or neither, is set.
void showRadios(QButtonGroup* group, QRadioButton* first, QRadioButton* second, int which,
                bool enabled) {
  const QSignalBlocker quietFirst(first);
  const QSignalBlocker quietSecond(second);
  group->setExclusive(false);
  first->setChecked(which == 0);
  second->setChecked(which == 1);
  group->setExclusive(true);
  first->setEnabled(enabled);
  second->setEnabled(enabled);
}

}  // namespace

CMyPage3::CMyPage3(CKX200Doc& doc, UserDialogs& dialogs, QWidget* parent)
    : COptionPage(doc, parent), dialogs_(dialogs), view_(InitialModemView()) {
  setObjectName(QStringLiteral("modemPage"));
  runScanWarning = [this] {
    ModemScanWarningDialog dialog(doc_, this);
    return dialog.exec() == QDialog::Accepted;
  };

  auto* group = new QGroupBox(QStringLiteral(" MODEM "));
  auto* grid = new QGridLayout(group);
  grid->addWidget(buildModemSelect(), 0, 0);
  grid->addWidget(buildBaudRates(), 1, 0);
  grid->addWidget(buildSystemOption1(), 2, 0);
  grid->addWidget(buildSystemOption2(), 0, 1, 2, 1);
  grid->addWidget(buildSystemOption3(), 2, 1);
  grid->setRowStretch(3, 1);
  grid->setColumnStretch(2, 1);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(group);
  connectControls();

  // The main form and the model dialog refresh this page only once it says it has its controls.
  doc_.viewFlagB = 1;
  Refresh();
}

QWidget* CMyPage3::buildModemSelect() {
  auto* box = new QGroupBox(QStringLiteral("MODEM SELECT"));
  auto* grid = new QGridLayout(box);
  gmsk_ = new QCheckBox(QStringLiteral(" GMSK"));
  ffsk_ = new QCheckBox(QStringLiteral(" FFSK"));
  afsk_ = new QCheckBox(QStringLiteral(" AFSK"));
  gmsk_->setAccessibleName(QStringLiteral("GMSK"));
  ffsk_->setAccessibleName(QStringLiteral("FFSK"));
  afsk_->setAccessibleName(QStringLiteral("AFSK"));
  v23_ = new QRadioButton(QStringLiteral("V23"));
  bell202_ = new QRadioButton(QStringLiteral("BELL 202"));
  v23_->setAccessibleName(QStringLiteral("V23"));
  bell202_->setAccessibleName(QStringLiteral("BELL 202"));
  flavourGroup_ = new QButtonGroup(this);
  flavourGroup_->addButton(v23_);
  flavourGroup_->addButton(bell202_);
  grid->addWidget(gmsk_, 0, 0);
  grid->addWidget(ffsk_, 1, 0);
  grid->addWidget(afsk_, 2, 0);
  grid->addWidget(v23_, 2, 1);
  grid->addWidget(bell202_, 2, 2);

  modem_ = new QPushButton(QStringLiteral(" Modem Disable"));
  modem_->setCheckable(true);
  modem_->setMinimumHeight(modem_->sizeHint().height() * 3 / 2);
  grid->addWidget(modem_, 3, 0, 1, 3);
  grid->setColumnStretch(3, 1);
  return box;
}

// A list is spoken by its option's name.
QComboBox* CMyPage3::makeList(ModemListId id) {
  auto* list = new QComboBox;
  list->setAccessibleName(OptionName(ModemListOption(id)));
  // Long enough for "Xon/Xoff" and the widest number.
  list->setMinimumContentsLength(8);
  lists_[static_cast<std::size_t>(id)] = list;
  return list;
}

QWidget* CMyPage3::buildBaudRates() {
  auto* box = new QGroupBox(QStringLiteral("# MODEM BAUD RATE"));
  auto* grid = new QGridLayout(box);
  const ModemListId bands[] = {ModemListId::kSBand, ModemListId::kNBand};
  for (int line = 0; line < 2; ++line) {
    const QString caption = OptionName(ModemListOption(bands[line]));
    QComboBox* list = makeList(bands[line]);
    AddControlRow(grid, line, caption.toLatin1().constData(), list, caption, {"bps"});
  }
  grid->setColumnStretch(3, 1);
  return box;
}

QWidget* CMyPage3::buildSystemOption1() {
  auto* box = new QGroupBox(QStringLiteral("SYSTEM OPTION 1"));
  auto* column = new QVBoxLayout(box);
  dumb_ = new QRadioButton(QStringLiteral("Dumb Mode"));
  auto_ = new QRadioButton(QStringLiteral("Auto Mode"));
  modeGroup_ = new QButtonGroup(this);
  modeGroup_->addButton(dumb_);
  modeGroup_->addButton(auto_);
  txForcing_ = new QCheckBox(OptionName(OptionId::kTxForcing));
  initHt_ = new QCheckBox(OptionName(OptionId::kInitDataForHt));
  for (QAbstractButton* button :
       std::initializer_list<QAbstractButton*>{dumb_, auto_, txForcing_, initHt_}) {
    button->setAccessibleName(button->text());
    column->addWidget(button);
  }
  return box;
}

QWidget* CMyPage3::buildSystemOption2() {
  auto* box = new QGroupBox(QStringLiteral("SYSTEM OPTION 2"));
  auto* grid = new QGridLayout(box);
  baseBlock_ = new QCheckBox(QStringLiteral("1. Base Block Size  1 ( byte )"));
  baseBlock_->setAccessibleName(OptionName(OptionId::kBaseBlock));
  grid->addWidget(baseBlock_, 0, 0);
  grid->addWidget(makeList(ModemListId::kBaseBlockSize), 0, 1);
  // Each caption is its number and the option's name; two end in a blank.
  const struct {
    ModemListId id;
    const char* end;
  } rows[] = {
      {ModemListId::kPreamble, ""},    {ModemListId::kWaitForBusy, ""},
      {ModemListId::kFlowControl, ""}, {ModemListId::kTxDelay1, " "},
      {ModemListId::kTxDelay2, " "},   {ModemListId::kStartBitErrors, ""},
  };
  int line = 1;
  for (const auto& row : rows) {
    const QString name = OptionName(ModemListOption(row.id));
    QComboBox* list = makeList(row.id);
    const QString caption = QStringLiteral("%1. %2%3").arg(line + 1).arg(name, row.end);
    AddControlRow(grid, line, caption.toLatin1().constData(), list, name);
    ++line;
  }
  default_ = new QPushButton(QStringLiteral("D\nE\nF\nA\nU\nL\nT"));
  default_->setAccessibleName(QStringLiteral("DEFAULT"));
  default_->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
  grid->addWidget(default_, 0, 2, line, 1);
  return box;
}

QWidget* CMyPage3::buildSystemOption3() {
  auto* box = new QGroupBox(QStringLiteral("SYSTEM OPTION 3"));
  auto* grid = new QGridLayout(box);
  const struct {
    ModemDelay delay;
    OptionId option;
  } rows[] = {
      {ModemDelay::kTxOff, OptionId::kTxOffDelay},
      {ModemDelay::kTxOn, OptionId::kTxOnDelay},
      {ModemDelay::kRxOn, OptionId::kRxOnDelay},
  };
  int line = 0;
  for (const auto& row : rows) {
    // "1. Tx OFF Delay  ( 0 - 16ms, step 2ms )": the option's name and the range its rule takes.
    const RadioOption& option = Option(row.option);
    const std::string name(option.PageName());
    const std::string caption =
        FormatText("%d. %s  ( %d - %dms, step %dms )", line + 1, name.c_str(), option.range.lowest,
                   option.range.highest, option.range.step);
    auto* edit = new QLineEdit;
    edit->setMaxLength(kDelayLength);
    edit->setAlignment(Qt::AlignRight);
    edit->setFixedWidth(edit->fontMetrics().horizontalAdvance(QStringLiteral("00000")) + 16);
    edit->setProperty(kDelayProperty, static_cast<int>(row.delay));
    edit->installEventFilter(this);
    delays_[static_cast<std::size_t>(row.delay)] = edit;
    AddControlRow(grid, line, caption.c_str(), edit, OptionName(row.option), {"ms"});
    ++line;
  }
  grid->setColumnStretch(3, 1);
  return box;
}

void CMyPage3::connectControls() {
  connect(gmsk_, &QCheckBox::clicked, this,
          [this](bool on) { apply(ChooseGmsk(doc_, view_, on)); });
  connect(ffsk_, &QCheckBox::clicked, this,
          [this](bool on) { apply(ChooseFfsk(doc_, view_, on)); });
  connect(afsk_, &QCheckBox::clicked, this,
          [this](bool on) { apply(ChooseAfsk(doc_, view_, on)); });
  connect(v23_, &QRadioButton::clicked, this,
          [this] { apply(ChooseAfskFlavour(doc_, view_, false)); });
  connect(bell202_, &QRadioButton::clicked, this,
          [this] { apply(ChooseAfskFlavour(doc_, view_, true)); });
  connect(modem_, &QPushButton::clicked, this, [this](bool on) { switchModem(on); });
  for (std::size_t i = 0; i < lists_.size(); ++i) {
    const auto id = static_cast<ModemListId>(i);
    connect(lists_[i], &QComboBox::activated, this,
            [this, id](int position) { apply(ChooseModemList(doc_, view_, id, position)); });
  }
  connect(baseBlock_, &QCheckBox::clicked, this,
          [this](bool on) { apply(SetBaseBlock(doc_, view_, on)); });
  connect(default_, &QPushButton::clicked, this,
          [this] { apply(RestoreModemDefaults(doc_, view_)); });
  connect(dumb_, &QRadioButton::clicked, this,
          [this] { apply(ChooseModemMode(doc_, view_, true)); });
  connect(auto_, &QRadioButton::clicked, this,
          [this] { apply(ChooseModemMode(doc_, view_, false)); });
  connect(txForcing_, &QCheckBox::clicked, this, [this](bool on) {
    SetTxForcing(doc_, on);
    view_.txForcing.checked = on;
  });
  connect(initHt_, &QCheckBox::clicked, this, [this](bool on) {
    SetInitDataForHt(doc_, on);
    view_.initDataForHt.checked = on;
  });
}

bool CMyPage3::eventFilter(QObject* watched, QEvent* event) {
  // No check on an input method's composition key-up (a Windows matter): Qt hands composed
  // text over as ordinary typing, so leaving the edit is the one check.
  if (const QVariant delay = watched->property(kDelayProperty);
      delay.isValid() && TechnicianLeft(event)) {
    checkWhenFocusSettles(
        watched, [this, which = static_cast<ModemDelay>(delay.toInt())] { ValidateDelay(which); });
  }
  return COptionPage::eventFilter(watched, event);
}

void CMyPage3::ValidateDelay(ModemDelay delay) {
  QLineEdit* edit = DelayEdit(delay);
  const TimeEdit checked = ValidateModemDelay(doc_, delay, edit->text().toStdString());
  edit->setText(text(checked.text));
  ModemEdit& shown = delay == ModemDelay::kTxOff  ? view_.txOffDelay
                     : delay == ModemDelay::kTxOn ? view_.txOnDelay
                                                  : view_.rxOnDelay;
  shown.text = checked.text;
  if (!checked.notice) return;
  dialogs_.Show(this, *checked.notice);
  edit->setFocus(Qt::OtherFocusReason);
}

void CMyPage3::switchModem(bool on) {
  const ModemUpdate update = SwitchModem(doc_, view_, on);
  apply(update);
  if (!update.askScanWarning) return;
  const bool yes = runScanWarning && runScanWarning();
  // The dialog has answered already; the pending request makes a second answer do nothing.
  AnswerScanWarning(doc_, yes);
  apply(FinishModemSwitch(doc_, view_));
}

void CMyPage3::apply(const ModemUpdate& update) {
  view_ = update.view;
  show();
  dialogs_.ShowMessages(this, update.notices);
  if (update.modemSwitched && onModemSwitched) onModemSwitched(*update.modemSwitched);
}

void CMyPage3::show() {
  const ModemView& v = view_;
  showToggle(gmsk_, v.gmsk);
  showToggle(ffsk_, v.ffsk);
  showToggle(afsk_, v.afsk);
  showToggle(modem_, v.modem);
  modem_->setText(text(v.modemCaption));
  modem_->setAccessibleName(text(v.modemCaption).trimmed());
  showRadios(flavourGroup_, v23_, bell202_, v.flavour, v.flavourEnabled);
  for (std::size_t i = 0; i < lists_.size(); ++i)
    showList(lists_[i], v.List(static_cast<ModemListId>(i)));
  showToggle(baseBlock_, v.baseBlock);
  default_->setEnabled(v.defaultEnabled);
  showRadios(modeGroup_, dumb_, auto_, v.mode - 1, v.modeEnabled);
  showToggle(txForcing_, v.txForcing);
  showToggle(initHt_, v.initDataForHt);
  const std::array<const ModemEdit*, 3> edits{&v.txOffDelay, &v.txOnDelay, &v.rxOnDelay};
  for (std::size_t i = 0; i < edits.size(); ++i) {
    delays_[i]->setText(text(edits[i]->text));
    delays_[i]->setEnabled(edits[i]->enabled);
  }
}

void CMyPage3::LockModemControls() {
  kx::LockModemControls(view_);
  show();
}

void CMyPage3::UnlockModemControls() {
  kx::UnlockModemControls(doc_, view_);
  show();
}

void CMyPage3::Refresh() {
  view_ = LoadModemPage(doc_, view_);
  show();
  // A file or a radio may bring the modem on: External Modulation is then taken away as when
  // the button switches it on.
  if (onModemSwitched) onModemSwitched(view_.modem.checked);
}

}  // namespace kx
