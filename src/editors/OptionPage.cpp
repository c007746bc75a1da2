#include "editors/OptionPage.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QTableWidget>

namespace kx {

void COptionPage::NotifyEditsTo(EditNotice notify) {
  notify_ = std::move(notify);
  // Connected after the page's own handlers, so these run once the handler is done and read
  // the name the control has then (the modem button's caption after the switch). Only signals
  // of the technician's actions: a page filling its controls sends none of them.
  for (auto* button : findChildren<QAbstractButton*>())
    connect(button, &QAbstractButton::clicked, this,
            [this, button] { notifyEdited(ControlName(button)); });
  for (auto* list : findChildren<QComboBox*>())
    connect(list, &QComboBox::activated, this, [this, list] { notifyEdited(ControlName(list)); });
  for (auto* table : findChildren<QTableWidget*>())
    connect(table, &QTableWidget::cellDoubleClicked, this, [this] { notifyEdited({}); });
}

QString COptionPage::ControlName(const QWidget* control) {
  QString name = control->accessibleName();
  if (name.isEmpty()) {
    if (const auto* button = qobject_cast<const QAbstractButton*>(control))
      name = button->text().remove(QLatin1Char('&'));
  }
  return name.trimmed();
}

void COptionPage::checkWhenFocusSettles(const QObject* edit, std::function<void()> check) {
  const auto* widget = qobject_cast<const QWidget*>(edit);
  QMetaObject::invokeMethod(
      this,
      [this, check = std::move(check), name = widget ? ControlName(widget) : QString()] {
        check();
        notifyEdited(name);
      },
      Qt::QueuedConnection);
}

}  // namespace kx
