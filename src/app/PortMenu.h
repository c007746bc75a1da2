#pragma once

#include <QString>
#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "link/ImageTransfer.h"
#include "link/SerialPorts.h"

class QAction;
class QMenu;
class QWidget;

namespace kx {

class CKX200Doc;
class UserDialogs;

// Menu commands of the device paths added by hand, after those of every port number.
constexpr int kFirstExtraPortCommand = 32899 + 1000;

// The Port menu: the serial ports there are ("COM101  /dev/ttyUSB0  (FT232R)"), the device
// paths added by hand and "Other port...", with a check on the port reads and writes use. A
// port chosen from the list is kept in the side file at once.
class PortMenu {
 public:
  using PortLister = std::function<std::vector<SerialPortInfo>()>;
  // window: the parent of messages and of the menu's actions; actions: the frame's actions
  // by command, which the port items join and leave.
  PortMenu(QWidget& window, CKX200Doc& doc, UserDialogs& dialogs, PortLister lister,
           std::map<int, QAction*>& actions);

  // The menu to fill, once the frame has made it.
  void SetMenu(QMenu* menu) { menu_ = menu; }
  void Build();
  void Refresh();
  // The menu's items for the ports listed last.
  void Fill();
  void SelectPort(int number);
  void AddDevicePort(const std::string& device, int number);
  bool OfferDevicePort(const QString& typed);
  int CurrentPortIndex() const { return currentPortIndex_; }
  PortChoice CurrentPort() const;

 private:
  struct PortEntry {
    int number;  // 0 for a device outside the numbering (a pseudo-terminal)
    std::string device;
    std::string description;
    bool listed;  // from the system's list: chosen by number and kept in the side file
    int command;
  };

  void updateChecks();
  // Whether the selected port is there now: in the system's list, or a device path that exists.
  bool selectedPresent() const;
  QString selectedName() const;
  void selectionChanged();
  void onOtherPort();

  QWidget& window_;
  CKX200Doc& doc_;
  UserDialogs& dialogs_;
  PortLister lister_;
  std::map<int, QAction*>& actions_;
  QMenu* menu_ = nullptr;
  int currentPortIndex_ = 0;  // port number - 1
  std::vector<PortEntry> ports_;
  std::vector<std::pair<std::string, int>> extraDevices_;  // added by hand: device, number
  std::string selectedDevice_;  // the device added by hand that is selected, if one is
  bool selectedSeen_ = false;   // the selected port has been present in this run
  bool selectedGone_ = false;   // ... and was not at the last listing
};

}  // namespace kx
