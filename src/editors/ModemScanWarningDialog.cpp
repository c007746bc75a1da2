#include "editors/ModemScanWarningDialog.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "rules/ModemDecisions.h"

namespace kx {

namespace {

// A label with a read-only box under it; the boxes stay empty.
QLineEdit* addStateLine(QGridLayout* grid, int line, const QString& caption, QWidget* parent) {
  auto* label = new QLabel(caption, parent);
  auto* box = new QLineEdit(parent);
  box->setReadOnly(true);
  box->setAccessibleName(caption.trimmed());
  label->setBuddy(box);
  grid->addWidget(label, line, 0, 1, 2);
  grid->addWidget(box, line + 1, 0, 1, 2);
  return box;
}

}  // namespace

ModemScanWarningDialog::ModemScanWarningDialog(CKX200Doc& doc, QWidget* parent)
    : QDialog(parent), doc_(doc) {
  setWindowTitle(QStringLiteral(" WARNING"));
  setObjectName(QStringLiteral("modemScanWarning"));

  auto* grid = new QGridLayout(this);
  addStateLine(grid, 0, QStringLiteral("The state of this program is currently"), this);
  addStateLine(grid, 2, QStringLiteral("If click on YES button, "), this);
  grid->addWidget(new QLabel(QStringLiteral("Do you want to change this state ?"), this), 4, 0, 1,
                  2);

  auto* yes = new QPushButton(QStringLiteral("YES"), this);
  yes->setDefault(true);
  auto* no = new QPushButton(QStringLiteral("NO"), this);
  connect(yes, &QPushButton::clicked, this, &ModemScanWarningDialog::accept);
  connect(no, &QPushButton::clicked, this, &ModemScanWarningDialog::reject);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(yes);
  buttons->addWidget(no);
  buttons->addStretch(1);
  grid->addLayout(buttons, 5, 0, 1, 2);
  grid->setSizeConstraint(QLayout::SetFixedSize);
  yes->setFocus();
}

void ModemScanWarningDialog::accept() {
  AnswerScanWarning(doc_, true);
  QDialog::accept();
}

void ModemScanWarningDialog::reject() {
  AnswerScanWarning(doc_, false);
  QDialog::reject();
}

}  // namespace kx
