#include "editors/OptionPage.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QTableWidget>

namespace kx {

void COptionPage::NotifyEditsTo(std::function<void()> notify) {
  notify_ = std::move(notify);
  // Connected after the page's own handlers, so these run once the handler is done. Only
  // signals of the technician's actions: a page filling its controls sends none of them.
  for (auto* button : findChildren<QAbstractButton*>())
    connect(button, &QAbstractButton::clicked, this, [this] { notifyEdited(); });
  for (auto* list : findChildren<QComboBox*>())
    connect(list, &QComboBox::activated, this, [this] { notifyEdited(); });
  for (auto* table : findChildren<QTableWidget*>())
    connect(table, &QTableWidget::cellDoubleClicked, this, [this] { notifyEdited(); });
}

void COptionPage::checkWhenFocusSettles(std::function<void()> check) {
  QMetaObject::invokeMethod(
      this,
      [this, check = std::move(check)] {
        check();
        notifyEdited();
      },
      Qt::QueuedConnection);
}

}  // namespace kx
