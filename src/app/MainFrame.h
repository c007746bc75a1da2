#pragma once

#include <QMainWindow>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "link/CommPort.h"
#include "link/ImageTransfer.h"

class QAction;
class QLabel;
class QMenu;
class QToolBar;

namespace kx {

class CKX200Doc;
class CKX200View;
class UserDialogs;

// The program's one top-level window: menu, toolbar, status bar and the main form. It keeps
// the page the option sheet shows and the serial port chosen in the Port menu; the commands
// themselves are carried out by the main form.
class CMainFrame : public QMainWindow {
 public:
  using PortLister = std::function<std::vector<SerialPortInfo>()>;

  CMainFrame(CKX200Doc& doc, UserDialogs& dialogs, PortLister lister = &CCommPort::ListPorts);
  ~CMainFrame() override;

  // Menus, toolbar and status bar; the View menu gets "System/GPS Option".
  void OnCreate();
  // Makes the view the client and hands it the commands it carries out.
  void SetView(CKX200View* view);
  CKX200View* View() const { return view_; }

  // The action of a menu or toolbar command; null for an unknown number. Toolbar commands
  // that share a handler with a menu item have actions of their own.
  QAction* Action(int command) const;
  QMenu* Menu(int index) const;  // 0 File .. 4 Help
  QToolBar* ToolBar() const { return toolBar_; }
  QLabel* MessagePane() const { return messagePane_; }

  // Appends "System/GPS Option" to the View menu, once.
  void AppendSystemMenuItem();

  int CurrentPage() const { return currentPage_; }
  void SetCurrentPage(int page);

  // Rebuilds the Port menu from the ports that exist, plus the device paths added by hand, and
  // selects sideFileValue.
  void BuildPortMenu();
  // Selects port n (COMn) and keeps it in the side file at once.
  void SelectPort(int number);
  // Adds a device path (a pseudo-terminal, a /dev/serial/by-id link) to the Port menu and
  // selects it; a device that is already in the menu is just selected.
  void AddDevicePort(const std::string& device);
  // AddDevicePort for a path the technician typed: refused with a message when nothing is
  // there. False when refused.
  bool OfferDevicePort(const QString& device);
  int CurrentPortIndex() const { return currentPortIndex_; }
  // The port a read or write uses. A number no menu item has (the side file names a port
  // that is not plugged in) gives an empty device, which fails to open.
  PortChoice CurrentPort() const;

  // While a read or write runs the window cannot be closed.
  void SetBusy(bool busy) { busy_ = busy; }

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  struct PortEntry {
    int number;
    std::string device;
    bool listed;  // from the system's port list; only those are kept in the side file
  };

  QAction* addCommand(QMenu* menu, int command, const QString& text);
  QAction* addToolCommand(int command, const QIcon& icon, const QString& prompt);
  void updatePageChecks();
  void updatePortChecks();
  void fillPortMenu();
  void onOtherPort();

  CKX200Doc& doc_;
  UserDialogs& dialogs_;
  PortLister lister_;
  CKX200View* view_ = nullptr;

  int currentPage_ = 0;       // 0 channel, 1 modem, 2 EEPROM map, 3 system/GPS
  int currentPortIndex_ = 0;  // port number - 1
  bool busy_ = false;

  std::map<int, QAction*> actions_;
  std::vector<QMenu*> menus_;
  QMenu* viewMenu_ = nullptr;
  QMenu* portMenu_ = nullptr;
  QToolBar* toolBar_ = nullptr;
  QLabel* messagePane_ = nullptr;
  std::vector<PortEntry> ports_;
  std::vector<std::string> extraDevices_;
};

// The first number given to device paths added by hand: above every COMn of the menu.
constexpr int kFirstExtraPortNumber = 50;

}  // namespace kx
