#include "editors/ReadOnlyForm.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QVBoxLayout>

namespace kx {

ReadOnlyForm::ReadOnlyForm(QWidget* page, const QString& groupTitle) {
  auto* group = new QGroupBox(groupTitle);
  form_ = new QFormLayout(group);
  form_->setLabelAlignment(Qt::AlignRight);
  auto* layout = new QVBoxLayout(page);
  layout->addWidget(group);
  layout->addStretch(1);
}

void ReadOnlyForm::AddRow(const QString& label, Value value) {
  auto* shown = new QLabel;
  shown->setTextInteractionFlags(Qt::TextSelectableByMouse);
  form_->addRow(label, shown);
  rows_.push_back({shown, std::move(value)});
}

void ReadOnlyForm::Refresh(const CKX200Doc& doc) {
  for (auto& row : rows_)
    row.label->setText(row.value(doc));
}

QString OnOff(int flag) {
  return flag ? QStringLiteral("ON") : QStringLiteral("OFF");
}

}  // namespace kx
