#pragma once

#include <QPointer>
#include <QString>
#include <functional>
#include <vector>

#include "link/CommPort.h"
#include "link/ImageTransfer.h"
#include "model/Outcome.h"

class QDialog;
class QWidget;

namespace kx {

class CKX200Doc;
class CMainFrame;
class CReadWriteDlg;
class ServiceDialog;
class UserDialogs;
struct RadioMemory;

// The main form's commands that talk to the radio: read, write and the two service dialogs, on
// the serial port it owns for the whole run. A read or write runs on a thread of its own while
// its progress window holds the program's input; a service dialog holds the port until it ends.
class RadioCommands {
 public:
  // What the main form does around them.
  struct FormHooks {
    std::function<void()> commitEdits;  // before a write or a service dialog
    std::function<bool()> offerToSave;  // before a read replaces the configuration
    std::function<void()> afterRead;    // the configuration read is in the document
    std::function<void()> afterWrite;   // what was written is in the radio
    std::function<void()> afterService;
    std::function<void(const QString&)> showVersion;
    std::function<void(int)> showPllIc;
  };
  RadioCommands(QWidget& form, CKX200Doc& doc, RadioMemory& memory, CMainFrame& frame,
                UserDialogs& dialogs, FormHooks hooks);
  // Closes the port.
  ~RadioCommands();
  RadioCommands(const RadioCommands&) = delete;
  RadioCommands& operator=(const RadioCommands&) = delete;

  void OnRead();
  void OnWrite();
  void OnSquelch();
  void OnCalibration();

  // A message of the port's watch thread, on the user-interface thread: shown at once, or after
  // the transfer that is running.
  void OnPortMessage(const Notice& notice);
  // The progress window of the last read or write while it is open, else null.
  CReadWriteDlg* ReadWriteWindow() const;

  // The pause between exchanges with the radio: it keeps the program painting (the progress bar
  // moves) while the progress window holds the user's input. Tests may wrap it.
  static void PauseWithPainting(int milliseconds);
  void SetPauseFunction(ImageTransfer::PauseFunction pause) { pause_ = std::move(pause); }
  bool Transferring() const { return transferring_; }
  // How a service dialog runs once the radio is in service mode: modally by default.
  void SetServiceDialogRunner(std::function<void(QDialog&)> runner) {
    runServiceDialog_ = std::move(runner);
  }
  bool InService() const { return inService_; }
  // The radio holds the program: a transfer runs or a service dialog is starting or open.
  bool Busy() const { return transferring_ || inService_; }
  CCommPort& Port() { return port_; }

 private:
  void runTransfer(bool write);
  void runService(ServiceDialog& dialog);
  // The pause of the service dialogs: painting goes on, the technician's input waits for it.
  ImageTransfer::PauseFunction servicePause() const;
  CReadWriteDlg* showReadWriteWindow();
  void showHeldPortMessages();

  QWidget& form_;
  CKX200Doc& doc_;
  RadioMemory& memory_;
  CMainFrame& frame_;
  UserDialogs& dialogs_;
  FormHooks hooks_;
  CCommPort port_;
  ImageTransfer::PauseFunction pause_;
  QPointer<CReadWriteDlg> readWrite_;
  bool transferring_ = false;
  bool inService_ = false;
  std::function<void(QDialog&)> runServiceDialog_;
  std::vector<Notice> heldPortMessages_;
};

}  // namespace kx
