#include "app/ReadWriteDlg.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace kx {

CReadWriteDlg::CReadWriteDlg(QWidget* parent) : QDialog(parent) {
  setWindowTitle(QStringLiteral("Read/Write"));
  setObjectName(QStringLiteral("readWriteDialog"));
  status_ = new QLabel;
  status_->setObjectName(QStringLiteral("status"));
  status_->setWordWrap(true);
  status_->setMinimumWidth(340);
  bar_ = new QProgressBar;
  bar_->setRange(0, kImageBytes);
  bar_->setValue(0);
  bar_->setFormat(QStringLiteral("%v / %m"));
  ok_ = new QPushButton(QStringLiteral("OK"));
  ok_->setDefault(true);
  connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
  stop_ = new QPushButton(QStringLiteral("Stop"));
  stop_->setVisible(false);
  connect(stop_, &QPushButton::clicked, this, [this] {
    stop_->setEnabled(false);
    if (onStop) onStop();
  });

  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(stop_);
  buttons->addWidget(ok_);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(status_);
  layout->addWidget(bar_);
  layout->addLayout(buttons);
}

void CReadWriteDlg::SetStatus(const QString& text) {
  status_->setText(text);
}
void CReadWriteDlg::SetProgress(int position) {
  bar_->setValue(position);
}

void CReadWriteDlg::SetBusy(bool busy) {
  busy_ = busy;
  ok_->setEnabled(!busy);
  stop_->setVisible(busy);
  stop_->setEnabled(busy);
}

QString CReadWriteDlg::Status() const {
  return status_->text();
}
int CReadWriteDlg::Progress() const {
  return bar_->value();
}

void CReadWriteDlg::reject() {
  if (!busy_) QDialog::reject();
}

void CReadWriteDlg::closeEvent(QCloseEvent* event) {
  if (busy_) {
    event->ignore();
    return;
  }
  QDialog::closeEvent(event);
}

}  // namespace kx
