#include "editors/TwoToneConditionDialog.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "rules/TwoTone.h"
#include "ui/UserDialogs.h"

namespace kx {

TwoToneConditionDialog::TwoToneConditionDialog(CKX200Doc& doc, UserDialogs& dialogs,
                                               QWidget* parent)
    : QDialog(parent), doc_(doc), dialogs_(dialogs) {
  setWindowTitle(QStringLiteral("CHANGE TWO TONE CONDITION"));

  auto* label = new QLabel(QStringLiteral("INPUT PASSWORD : "), this);
  password_ = new QLineEdit(this);
  password_->setEchoMode(QLineEdit::Password);
  password_->setAlignment(Qt::AlignCenter);
  password_->setAccessibleName(QStringLiteral("Input password"));
  label->setBuddy(password_);

  enable_ = new QPushButton(QStringLiteral("ENABLE"), this);
  enable_->setDefault(true);
  disable_ = new QPushButton(QStringLiteral("DISABLE"), this);
  connect(enable_, &QPushButton::clicked, this, &TwoToneConditionDialog::enableTwoTone);
  connect(disable_, &QPushButton::clicked, this, &TwoToneConditionDialog::reject);

  auto* layout = new QGridLayout(this);
  layout->addWidget(label, 0, 0);
  layout->addWidget(password_, 0, 1);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(enable_);
  buttons->addWidget(disable_);
  layout->addLayout(buttons, 1, 0, 1, 2);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  password_->setFocus();
}

void TwoToneConditionDialog::enableTwoTone() {
  const ConditionResult result = EnableTwoTone(doc_, password_->text().toStdString());
  if (result.notice) dialogs_.Show(this, *result.notice);
  QDialog::accept();
}

void TwoToneConditionDialog::reject() {
  const ConditionResult result = DisableTwoTone(doc_, password_->text().toStdString());
  if (result.notice) dialogs_.Show(this, *result.notice);
  QDialog::reject();
}

}  // namespace kx
