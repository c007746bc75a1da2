#include "editors/ChangeMapDlg.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "editors/Controls.h"
#include "ui/UserDialogs.h"

namespace kx {

namespace {
QLineEdit* centredEdit(QWidget* parent, const char* name) {
  auto* edit = new QLineEdit(parent);
  edit->setAlignment(Qt::AlignCenter);
  edit->setAccessibleName(QString::fromLatin1(name));
  return edit;
}
}  // namespace

CChangeMapDlg::CChangeMapDlg(CKX200Doc& doc, const RadioMemory& memory, UserDialogs& dialogs,
                             std::size_t address, QWidget* parent)
    : QDialog(parent), dialogs_(dialogs), editor_(doc, memory, address) {
  setWindowTitle(QStringLiteral(" CHANGE EEPROM MAP"));
  code_ = centredEdit(this, "Password");
  code_->setEchoMode(QLineEdit::Password);
  input_ = new QPushButton(QStringLiteral("INPUT"), this);
  address_ = centredEdit(this, "Address");
  address_->setReadOnly(true);
  address_->setText(QString::fromStdString(editor_.AddressText()));
  value_ = centredEdit(this, "Value");
  value_->setText(QString::fromStdString(editor_.ValueText()));
  value_->setEnabled(false);
  value_->setMaxLength(2);
  ok_ = new QPushButton(QStringLiteral("OK"), this);
  ok_->setDefault(true);
  auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
  for (QLineEdit* edit : {code_, value_})
    edit->installEventFilter(this);
  connect(input_, &QPushButton::clicked, this, [this] { input(); });
  connect(ok_, &QPushButton::clicked, this, &CChangeMapDlg::accept);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

  auto* grid = new QGridLayout(this);
  grid->addWidget(new QLabel(QStringLiteral(" Do you want to change EEPROM map?"), this), 0, 0, 1,
                  3);
  auto* codeLabel = new QLabel(QStringLiteral(" # Enter Password : "), this);
  codeLabel->setBuddy(code_);
  grid->addWidget(codeLabel, 1, 0);
  grid->addWidget(code_, 1, 1);
  grid->addWidget(input_, 1, 2);
  auto* addressLabel = new QLabel(QStringLiteral(" # Address"), this);
  addressLabel->setBuddy(address_);
  grid->addWidget(addressLabel, 2, 0);
  grid->addWidget(address_, 2, 1);
  grid->addWidget(value_, 2, 2);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(ok_);
  buttons->addWidget(cancel);
  grid->addLayout(buttons, 3, 0, 1, 3);
  grid->setSizeConstraint(QLayout::SetFixedSize);
  code_->setFocus();
}

void CChangeMapDlg::input() {
  // The code as it stands, also when INPUT is reached without leaving the edit.
  editor_.TypeAccessCode(code_->text().toStdString());
  if (const auto refusal = editor_.Input()) {
    dialogs_.Show(this, *refusal);
    code_->setFocus();
    return;
  }
  value_->setEnabled(true);
  value_->setFocus();
}

void CChangeMapDlg::leaveValue() {
  const HexEntry entry = editor_.LeaveValue(value_->text().toStdString());
  if (!entry.notice) return;
  dialogs_.Show(this, *entry.notice);
  if (entry.focusBack) value_->setFocus();
}

bool CChangeMapDlg::eventFilter(QObject* watched, QEvent* event) {
  if (!closing_ && TechnicianLeft(event)) {
    if (watched == code_) editor_.TypeAccessCode(text(code_));
    if (watched == value_ && value_->isEnabled()) leaveValue();
  }
  return QDialog::eventFilter(watched, event);
}

void CChangeMapDlg::accept() {
  // OK by the Enter key leaves the focus in the value edit.
  if (focusWidget() == value_ && value_->isEnabled()) leaveValue();
  QDialog::accept();
}

void CChangeMapDlg::done(int result) {
  // Hiding the window takes the focus from its edit; that is not the technician leaving it.
  closing_ = true;
  QDialog::done(result);
}

}  // namespace kx
