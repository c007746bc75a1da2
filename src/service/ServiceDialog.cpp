#include "service/ServiceDialog.h"

#include <QButtonGroup>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <algorithm>

#include "service/ChannelSpinBox.h"
#include "ui/UserDialogs.h"

namespace kx {

ServiceDialog::ServiceDialog(CCommPort& port, UserDialogs& dialogs, PortChoice portChoice,
                             ServiceSession::PauseFunction pause, QWidget* parent)
    : QDialog(parent),
      session_(port, std::move(pause)),
      dialogs_(dialogs),
      portChoice_(std::move(portChoice)) {
  ok_ = new QPushButton(QStringLiteral("OK"), this);
  ok_->setObjectName(QStringLiteral("ok"));
  ok_->setAccessibleName(QStringLiteral("OK"));
  ok_->setDefault(true);
  ok_->setVisible(false);
  close_ = new QPushButton(QStringLiteral("CLOSE"), this);
  close_->setObjectName(QStringLiteral("close"));
  close_->setAccessibleName(QStringLiteral("CLOSE"));
  connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
  connect(close_, &QPushButton::clicked, this, &QDialog::reject);
}

QHBoxLayout* ServiceDialog::closeRow() {
  auto* row = new QHBoxLayout;
  row->addStretch(1);
  row->addWidget(ok_);
  row->addWidget(close_);
  return row;
}

QPushButton* ServiceDialog::makeToggle(const QStringList& texts) {
  auto* toggle = new QPushButton(this);
  toggle->setCheckable(true);
  // Enter on a toggle is the dialog's, as on any control but a push button.
  toggle->setAutoDefault(false);
  int width = 0;
  for (const QString& text : texts) {
    toggle->setText(text);
    width = std::max(width, toggle->sizeHint().width());
  }
  toggle->setMinimumWidth(width);
  toggle->setText(texts.value(0));
  return toggle;
}

QSpinBox* ServiceDialog::makeChannelEdit() {
  auto* edit = new ChannelSpinBox(this);
  edit->setAlignment(Qt::AlignRight);
  edit->setAccessibleName(QStringLiteral("Change Channel"));
  // The text inside takes the focus; it answers to the same name.
  if (auto* text = edit->findChild<QLineEdit*>()) text->setAccessibleName(edit->accessibleName());
  return edit;
}

void ServiceDialog::checkOnly(QButtonGroup* group, int id) {
  QAbstractButton* chosen = group->button(id);
  if (chosen) {
    chosen->setChecked(true);
    return;
  }
  // An exclusive group cannot be emptied button by button.
  group->setExclusive(false);
  for (QAbstractButton* button : group->buttons())
    button->setChecked(false);
  group->setExclusive(true);
}

void ServiceDialog::run(const std::function<std::vector<Notice>()>& command) {
  if (busy_) {
    refresh();
    return;
  }
  busy_ = true;
  const std::vector<Notice> notices = command();
  busy_ = false;
  refresh();
  dialogs_.ShowMessages(this, notices);
  if (pendingResult_) {
    const int result = *pendingResult_;
    pendingResult_.reset();
    done(result);
  }
}

void ServiceDialog::done(int result) {
  // The pauses keep the window painting, so CLOSE can be pressed while a command waits.
  if (busy_) {
    pendingResult_ = result;
    return;
  }
  // Nothing is sent: the radio stays in whatever mode it was last put in.
  session_.Close();
  QDialog::done(result);
}

void ServiceDialog::keyPressEvent(QKeyEvent* event) {
  // The default OK is hidden, and Qt's dialog only presses a visible one.
  const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
  if (enter && (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
    ok_->click();
    return;
  }
  QDialog::keyPressEvent(event);
}

}  // namespace kx
