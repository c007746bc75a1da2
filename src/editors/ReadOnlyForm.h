#pragma once

#include <QString>
#include <functional>
#include <vector>

class QFormLayout;
class QLabel;
class QWidget;

namespace kx {

class CKX200Doc;

// Rows of "label: value" that show document fields without editing them, each value worked
// out from the document whenever the form is refreshed.
class ReadOnlyForm {
 public:
  using Value = std::function<QString(const CKX200Doc&)>;

  // The form goes into a group box with the given title, placed on page.
  ReadOnlyForm(QWidget* page, const QString& groupTitle);
  void AddRow(const QString& label, Value value);
  void Refresh(const CKX200Doc& doc);
  // The value label of a row, in the order added.
  QLabel* ValueLabel(int row) const { return rows_[static_cast<std::size_t>(row)].label; }

 private:
  struct Row {
    QLabel* label;
    Value value;
  };
  QFormLayout* form_;
  std::vector<Row> rows_;
};

QString OnOff(int flag);

}  // namespace kx
