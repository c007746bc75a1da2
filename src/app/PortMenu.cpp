#include "app/PortMenu.h"

#include <QAction>
#include <QMenu>
#include <QWidget>
#include <algorithm>

#include "app/CommandIds.h"
#include "model/KX200Doc.h"
#include "model/SideFile.h"
#include "ui/UserDialogs.h"

namespace kx {

PortMenu::PortMenu(QWidget& window, CKX200Doc& doc, UserDialogs& dialogs, PortLister lister,
                   std::map<int, QAction*>& actions)
    : window_(window),
      doc_(doc),
      dialogs_(dialogs),
      lister_(std::move(lister)),
      actions_(actions) {}

void PortMenu::Build() {
  // A side file is four bytes from the disk: a number no port can have (a damaged or foreign
  // file) falls back to the first port before anything is computed from it.
  if (serial_ports::DeviceOf(doc_.sideFileValue).empty()) doc_.sideFileValue = kDefaultPortNumber;
  currentPortIndex_ = doc_.sideFileValue - 1;
  selectedDevice_.clear();
  selectedSeen_ = false;
  Refresh();
}

void PortMenu::Refresh() {
  ports_.clear();
  std::vector<SerialPortInfo> found = lister_ ? lister_() : std::vector<SerialPortInfo>{};
  std::sort(found.begin(), found.end(),
            [](const SerialPortInfo& a, const SerialPortInfo& b) { return a.number < b.number; });
  // USB adapters are numbered from 101, so every numbered port is offered, not only COM1..49.
  for (const auto& port : found) {
    if (port.number < cmd::kFirstListedPort) continue;
    if (!ports_.empty() && ports_.back().number == port.number) continue;
    ports_.push_back(
        {port.number, port.device, port.description, true, cmd::kPortBase + port.number});
  }
  int command = kFirstExtraPortCommand;
  for (const auto& [device, number] : extraDevices_)
    ports_.push_back({number, device, {}, false, command++});
  // A port named by a side file that is not plugged in has never gone; one seen here has.
  const bool present = selectedPresent();
  selectedSeen_ = selectedSeen_ || present;
  selectedGone_ = selectedSeen_ && !present;
  Fill();
}

bool PortMenu::selectedPresent() const {
  if (!selectedDevice_.empty()) return serial_ports::DevicePresent(selectedDevice_);
  return std::any_of(ports_.begin(), ports_.end(), [this](const PortEntry& p) {
    return p.listed && p.number == currentPortIndex_ + 1;
  });
}

QString PortMenu::selectedName() const {
  if (!selectedDevice_.empty()) return QString::fromStdString(selectedDevice_);
  return QStringLiteral("COM%1").arg(currentPortIndex_ + 1);
}

void PortMenu::Fill() {
  if (!menu_) return;
  // Later, not now: this may run inside the "Other port..." action's own signal.
  for (QAction* action : menu_->actions()) {
    if (action->data().isValid()) actions_.erase(action->data().toInt());
    menu_->removeAction(action);
    action->deleteLater();
  }
  if (selectedGone_) {
    auto* gone =
        new QAction(QStringLiteral("%1 is not present on this machine").arg(selectedName()), menu_);
    gone->setEnabled(false);
    menu_->addAction(gone);
    menu_->addSeparator();
  }
  for (const auto& port : ports_) {
    auto* action = new QAction(
        QString::fromStdString(serial_ports::Label({port.number, port.device, port.description})),
        &window_);
    action->setData(port.command);
    menu_->addAction(action);
    actions_[port.command] = action;
    action->setCheckable(true);
    QString tip = QString::fromStdString(port.device);
    if (!port.description.empty())
      tip += QStringLiteral("  ") + QString::fromStdString(port.description);
    action->setStatusTip(tip);
    if (port.listed) {
      const int number = port.number;
      QObject::connect(action, &QAction::triggered, &window_,
                       [this, number] { SelectPort(number); });
    } else {
      const std::string device = port.device;
      const int number = port.number;
      QObject::connect(action, &QAction::triggered, &window_,
                       [this, device, number] { AddDevicePort(device, number); });
    }
  }
  if (!ports_.empty()) menu_->addSeparator();
  QAction* other = new QAction(QStringLiteral("Other port..."), menu_);
  other->setStatusTip(QStringLiteral("Use a serial device that is not in the list"));
  QObject::connect(other, &QAction::triggered, &window_, [this] { onOtherPort(); });
  menu_->addAction(other);
  updateChecks();
}

void PortMenu::updateChecks() {
  for (const auto& port : ports_) {
    const auto found = actions_.find(port.command);
    if (found == actions_.end()) continue;
    QAction* action = found->second;
    action->setChecked(port.listed ? selectedDevice_.empty() && port.number - 1 == currentPortIndex_
                                   : port.device == selectedDevice_);
  }
}

void PortMenu::SelectPort(int number) {
  selectedDevice_.clear();
  currentPortIndex_ = number - 1;
  selectionChanged();
  doc_.sideFileValue = number;
  const Outcome written = doc_.WriteSideFile(SideFilePath(doc_.modelName));
  dialogs_.ShowMessages(&window_, written.messages);
}

void PortMenu::AddDevicePort(const std::string& device, int number) {
  const auto listed = std::find_if(ports_.begin(), ports_.end(), [&](const PortEntry& p) {
    return p.listed && p.device == device;
  });
  if (listed != ports_.end()) {
    SelectPort(listed->number);
    return;
  }
  const bool known = std::any_of(extraDevices_.begin(), extraDevices_.end(),
                                 [&](const auto& extra) { return extra.first == device; });
  if (!known) {
    extraDevices_.emplace_back(device, number);
    const int command = kFirstExtraPortCommand + static_cast<int>(extraDevices_.size()) - 1;
    ports_.push_back({number, device, {}, false, command});
    Fill();
  }
  // A device path has no COM number that would mean anything next time, so the side file
  // keeps the last port chosen from the list.
  selectedDevice_ = device;
  currentPortIndex_ = number - 1;
  selectionChanged();
}

void PortMenu::selectionChanged() {
  selectedSeen_ = selectedPresent();
  if (selectedGone_) {
    // The word about the port that had gone is no longer true.
    selectedGone_ = false;
    Fill();
    return;
  }
  updateChecks();
}

void PortMenu::onOtherPort() {
  const auto answer = dialogs_.AskText(&window_, QStringLiteral("Other port"),
                                       QString::fromUtf8(serial_ports::kOtherPortPrompt),
                                       QString::fromUtf8(serial_ports::kOtherPortStart));
  if (answer) OfferDevicePort(*answer);
}

bool PortMenu::OfferDevicePort(const QString& typed) {
  const QString text = typed.trimmed();
  if (text.isEmpty()) return false;
  std::string error;
  const auto port = serial_ports::Resolve(text.toStdString(), &error);
  if (!port) {
    dialogs_.Message(&window_, QString::fromStdString(error), NoticeKind::kWarning);
    return false;
  }
  const bool listed = std::any_of(ports_.begin(), ports_.end(), [&](const PortEntry& p) {
    return p.listed && p.number == port->number;
  });
  if (port->number > 0 && listed) {
    SelectPort(port->number);
    return true;
  }
  if (!serial_ports::DevicePresent(port->device)) {
    dialogs_.Message(
        &window_,
        QStringLiteral("There is no device %1.").arg(QString::fromStdString(port->device)),
        NoticeKind::kWarning);
    return false;
  }
  AddDevicePort(port->device, port->number);
  return true;
}

PortChoice PortMenu::CurrentPort() const {
  for (const auto& port : ports_) {
    if (!selectedDevice_.empty() ? port.device == selectedDevice_
                                 : port.listed && port.number == currentPortIndex_ + 1)
      return {port.number, port.device};
  }
  return {currentPortIndex_ + 1, {}};
}

}  // namespace kx
