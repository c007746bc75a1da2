#include "editors/EngSettingsDlg.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

#include "rules/MapEdit.h"
#include "ui/UserDialogs.h"

namespace kx {

namespace {
constexpr int kStepListLimit = 200;  // characters the step list may hold
}

CEngSettingsDlg::CEngSettingsDlg(const image::Image& working, QWidget* parent) : QDialog(parent) {
  setWindowTitle(QStringLiteral("Show Engineering Settings"));
  QString channels;
  QString bytes;
  for (int i = 1; i <= 16; ++i)
    channels += QString::number(i) + QLatin1Char('\n');
  for (const ChannelStepLine& line : ChannelSteps(working))
    bytes += QString::fromStdString(line.byte) + QLatin1Char('\n');

  auto* numbers = new QLabel(channels.trimmed(), this);
  numbers->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
  steps_ = new QLabel(DisplayText(StepListText(working)).left(kStepListLimit).trimmed(), this);
  steps_->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
  steps_->setAccessibleName(QStringLiteral("Step(kHz)"));
  bytes_ = new QLabel(bytes.trimmed(), this);
  bytes_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  bytes_->setAccessibleName(QStringLiteral("Record byte"));
  auto* ok = new QPushButton(QStringLiteral("OK"), this);
  ok->setDefault(true);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);

  auto* grid = new QGridLayout(this);
  grid->addWidget(new QLabel(QStringLiteral("CH"), this), 0, 0, Qt::AlignHCenter);
  grid->addWidget(new QLabel(QStringLiteral("Step(kHz)"), this), 0, 1, Qt::AlignHCenter);
  grid->addWidget(new QLabel(QStringLiteral("Record byte"), this), 0, 2);
  grid->addWidget(numbers, 1, 0);
  grid->addWidget(steps_, 1, 1);
  grid->addWidget(bytes_, 1, 2);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(ok);
  grid->addLayout(buttons, 2, 0, 1, 3);
  grid->setSizeConstraint(QLayout::SetFixedSize);
}

QString CEngSettingsDlg::StepList() const {
  return steps_->text();
}

QString CEngSettingsDlg::ByteList() const {
  return bytes_->text();
}

}  // namespace kx
