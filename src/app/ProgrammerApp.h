#pragma once

#include <QString>
#include <QStringList>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/MainFrame.h"
#include "model/KX200Doc.h"
#include "model/RadioMemory.h"

class QWidget;

namespace kx {

class CKX200View;
class UserDialogs;

// The application: the one configuration, the program-wide memory image buffers, and the
// window that shows them. Everything lives until the program ends.
class CProgrammerApp {
 public:
  struct Options {
    std::vector<std::string> ports;  // --port DEVICE, in the order given
    QString file;                    // FILE: opened as Load or Import opens it; empty for none
  };
  // The command line; nothing, with error set, when it cannot be understood. --help and
  // --version are answered on the terminal and give nothing with an empty error.
  static std::optional<Options> ParseCommandLine(const QStringList& arguments, QString* error);

  explicit CProgrammerApp(UserDialogs& dialogs,
                          CMainFrame::PortLister lister = &CCommPort::ListPorts);
  ~CProgrammerApp();
  CProgrammerApp(const CProgrammerApp&) = delete;
  CProgrammerApp& operator=(const CProgrammerApp&) = delete;

  // Creates frame and view, runs the view's initial update, adds the --port devices, hands the
  // view the FILE to open and shows the frame maximised. False when the command line cannot be
  // understood.
  bool InitInstance(const QStringList& arguments);
  // What the program ends with when InitInstance refused: 0 after --help or --version, 2 for
  // a command line it does not understand.
  int ExitCode() const { return exitCode_; }

  CKX200Doc& Document() { return doc_; }
  RadioMemory& Memory() { return memory_; }
  CMainFrame* Frame() const { return frame_.get(); }
  CKX200View* View() const;

  // The about box, modal.
  static void OnAppAbout(QWidget* parent);

 private:
  UserDialogs& dialogs_;
  CMainFrame::PortLister lister_;
  CKX200Doc doc_;
  RadioMemory memory_;
  int exitCode_ = 0;
  std::unique_ptr<CMainFrame> frame_;  // after doc_ and memory_: the view needs both to the end
};

}  // namespace kx
