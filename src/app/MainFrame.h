#pragma once

#include <QMainWindow>
#include <array>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "app/PortMenu.h"
#include "app/ProgramSettings.h"
#include "app/RecentFiles.h"
#include "link/CommPort.h"
#include "link/ImageTransfer.h"

class QAction;
class QLabel;
class QMenu;
class QTimer;
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
  using PortLister = PortMenu::PortLister;

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
  QMenu* EditMenu() const { return editMenu_; }
  QToolBar* ToolBar() const { return toolBar_; }
  QLabel* MessagePane() const { return messagePane_; }
  // Shows a note in the message pane for kNoteMs, then "Ready" again; the tip stays as the
  // pane's tool tip (the backup path of the last transfer, say).
  void ShowNote(const QString& text, const QString& tip);
  static constexpr int kNoteMs = 10'000;
  // The CAP, NUM and SCRL panes; lit while their lock key is on, where the platform tells.
  QLabel* LockPane(int index) const { return lockPanes_[static_cast<std::size_t>(index)]; }
  void UpdateLockPanes();
  // The "Modified" pane: lit while the configuration differs from what was last loaded,
  // saved, read or written.
  QLabel* ModifiedPane() const { return modifiedPane_; }
  void SetModified(bool modified);
  static constexpr const char* kModifiedText = "Modified";
  // What a screen reader hears of the pane while it is empty.
  static constexpr const char* kNotModifiedText = "Not modified";

  // The settings file; its Problem() is told at the start.
  const ProgramSettings& Settings() const { return settings_; }
  // The recent configuration files of the File menu.
  const QStringList& RecentFilePaths() const { return recent_.Paths(); }
  void AddRecentFile(const QString& path);
  void RemoveRecentFile(const QString& path);

  // Appends "System/GPS Option" to the View menu, once.
  void AppendSystemMenuItem();

  int CurrentPage() const { return currentPage_; }
  void SetCurrentPage(int page);

  // Rebuilds the Port menu from the ports that exist, plus the device paths added by hand, and
  // selects the port of sideFileValue.
  void BuildPortMenu();
  // Lists the ports again, keeping the port selected: an adapter plugged in since shows up, one
  // pulled out goes. Runs each time the Port menu opens and before every read, write and
  // service dialog. A selected port that has gone stays selected, and the menu says so.
  void RefreshPorts();
  // Selects port n (COMn) and keeps it in the side file at once.
  void SelectPort(int number);
  // Adds a device path (a pseudo-terminal, a /dev/serial/by-id link) to the Port menu and
  // selects it; a device that is already in the menu is just selected. number is the port
  // number the device has, 0 when it has none.
  void AddDevicePort(const std::string& device, int number = 0);
  // What the technician typed or gave with --port: "COM<n>", a port number or a device path.
  // A listed port is selected, anything else that exists is added; refused with a message
  // otherwise. False when refused.
  bool OfferDevicePort(const QString& typed);
  int CurrentPortIndex() const { return ports_.CurrentPortIndex(); }
  // The port a read or write uses. A number no menu item has (the side file names a port
  // that is not plugged in) gives an empty device, which fails to open.
  PortChoice CurrentPort() const;

  // Program > Verify after Write: every write is read back and compared. On unless the
  // technician turned it off; kept in the settings between runs.
  bool VerifyAfterWrite() const;

  // While a read or write runs the window cannot be closed.
  void SetBusy(bool busy) { busy_ = busy; }

  // Sees the drag events of every widget of the program: a configuration file dragged over any
  // part of this window is taken by the window, not by the control under the pointer, and
  // opened as Load opens it. True when it took the event.
  bool eventFilter(QObject* watched, QEvent* event) override;

 protected:
  // Asks to save a modified configuration first; the window stays open when cancelled.
  void closeEvent(QCloseEvent* event) override;

 private:
  QAction* addCommand(QMenu* menu, int command, const QString& text);
  QAction* addToolCommand(int command, const QIcon& icon, const QString& prompt);
  void updatePageChecks();
  void fillRecentFiles();

  CKX200View* view_ = nullptr;

  int currentPage_ = 0;  // 0 channel, 1 modem, 2 EEPROM map, 3 system/GPS
  bool busy_ = false;

  std::map<int, QAction*> actions_;
  std::vector<QMenu*> menus_;
  QMenu* viewMenu_ = nullptr;
  QMenu* portMenu_ = nullptr;
  QMenu* editMenu_ = nullptr;
  QMenu* fileMenu_ = nullptr;
  QAction* exitAction_ = nullptr;
  std::vector<QAction*> recentItems_;  // the files and the separator after them
  ProgramSettings settings_;
  RecentFiles recent_;  // after settings_, which it reads
  PortMenu ports_;
  QToolBar* toolBar_ = nullptr;
  QLabel* messagePane_ = nullptr;
  QLabel* modifiedPane_ = nullptr;
  std::array<QLabel*, 3> lockPanes_{};
  QTimer* noteTimer_ = nullptr;
  QTimer* lockTimer_ = nullptr;
};

}  // namespace kx
