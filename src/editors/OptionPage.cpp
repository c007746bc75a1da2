#include "editors/OptionPage.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QEvent>
#include <QTableWidget>

namespace kx {

// Sees the program's input while a check waits: the input that can start a handler (a button
// released, a double click, a key, a shortcut, the wheel on a list) runs the waiting checks
// before it reaches its widget.
class COptionPage::InputWatch : public QObject {
 public:
  explicit InputWatch(COptionPage& page) : QObject(&page), page_(page) {}

  void watch(bool on) {
    if (on == watching_) return;
    watching_ = on;
    if (on) {
      qApp->installEventFilter(this);
    } else {
      qApp->removeEventFilter(this);
    }
  }

  bool eventFilter(QObject*, QEvent* event) override {
    switch (event->type()) {
      case QEvent::MouseButtonRelease:
      case QEvent::MouseButtonDblClick:
      case QEvent::KeyPress:
      case QEvent::Shortcut:
      case QEvent::Wheel:
        page_.RunPendingChecks();
        break;
      default:
        break;
    }
    return false;
  }

 private:
  COptionPage& page_;
  bool watching_ = false;
};

COptionPage::COptionPage(CKX200Doc& doc, QWidget* parent)
    : QWidget(parent), doc_(doc), inputWatch_(new InputWatch(*this)) {}

COptionPage::~COptionPage() {
  inputWatch_->watch(false);
}

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
  pending_.push_back({std::move(check), widget ? ControlName(widget) : QString()});
  inputWatch_->watch(true);
  QMetaObject::invokeMethod(
      this, [this] { RunPendingChecks(); }, Qt::QueuedConnection);
}

void COptionPage::RunPendingChecks() {
  if (pending_.empty()) return;
  inputWatch_->watch(false);
  // Taken out first: a check's message box has input of its own, and a check may leave an edit
  // that queues the next one.
  std::vector<PendingCheck> checks;
  checks.swap(pending_);
  for (const auto& pending : checks) {
    pending.check();
    notifyEdited(pending.control);
  }
}

}  // namespace kx
