#pragma once

#include <QPointer>
#include <QWidget>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "app/EditHistory.h"
#include "app/FileCommands.h"
#include "app/RadioCommands.h"
#include "link/CommPort.h"
#include "link/ImageTransfer.h"
#include "model/ModelType.h"
#include "model/Outcome.h"
#include "rules/MapEdit.h"

class QComboBox;
class QDialog;
class QLineEdit;
class QUndoStack;

namespace kx {

class CKX200Doc;
class CMainFrame;
class CModelSelectDlg;
class CMySheet;
class CReadWriteDlg;
class UserDialogs;
struct RadioMemory;

// The main form: model caption, sub-band list, firmware version and the option sheet. It
// carries out the program's commands (files, pages, model choice, radio read and write) on the
// one document, and owns the serial port for the whole run.
class CKX200View : public QWidget {
 public:
  CKX200View(CKX200Doc& doc, RadioMemory& memory, CMainFrame& frame, UserDialogs& dialogs);
  // Keeps the chosen serial port in the side file.
  ~CKX200View() override;

  // Builds the sheet, reads the side file, resets the document, fills the form and the Port
  // menu and ends on the channel page. Runs once.
  void OnInitialUpdate();

  // A file named on the command line, opened as OpenNamedFile opens it once the window has
  // appeared. A .dat or .yaml file carries its model and comes in place of the model dialog of
  // the first activation; a KX100 file or a channel table (.UHF, .VHF, .csv) goes into a
  // configuration of the model chosen there, so it is opened once that dialog is over. A file
  // that could not be opened leaves the start as it always is.
  void OpenAtStart(const QString& path) { startFile_ = path; }

  // Commands.
  void OnModelSelect();
  void OnFileNew();
  void OnFileOpen();
  void OnFileSave();
  void OnFilePrint();
  void OnFilePrintPreview();
  void OnExportSheetPdf();
  // The channel table as CSV and the whole configuration as YAML. An import says everything it
  // refused or noted in one message box and, when it took the file, refreshes the pages.
  void OnImportChannelsCsv();
  void OnExportChannelsCsv();
  void OnImportConfigYaml();
  void OnExportConfigYaml();
  // Replaces the print dialog and the printer, for tests.
  std::function<void(const CKX200Doc&)> printSheet;
  void ShowChannelPage();
  void ShowModemPage();
  void ShowEepromPage();
  void ShowSystemPage();
  void OnRead();
  void OnWrite();
  // The service dialogs: the port is opened and the radio put into service mode first; the
  // dialog runs only when that worked. The radio's version goes into the VERSION field.
  void OnSquelch();
  void OnCalibration();
  // The band list's selection became line index.
  void OnSelchangeBand(int index);
  // Whether a command is carried out in this version (print is not).
  bool IsCommandAvailable(int command) const;

  // A message of the serial port's watch thread ("Serial port lost: ..."), on the user-interface
  // thread: shown at once, or after the transfer that is running.
  void OnPortMessage(const Notice& notice);

  // A model button of the model dialog was pressed.
  void OnModelChosen(ModelType type);

  // Unsaved work and the edit history. Every committed change is one step; Load, New and a
  // radio read start a fresh history.
  void OnUndo();
  void OnRedo();
  QUndoStack& History() const { return history_.Stack(); }
  static constexpr int kHistorySteps = EditHistory::kSteps;
  // After a change the technician committed on a page: records it as a step when the
  // configuration or the hand patches changed, named after the control it was made with (or,
  // without one, after the field that changed).
  void OnDocumentEdited(const QString& control = {});
  // Whether the configuration differs from what was last loaded, saved, read or written.
  bool IsModified() const;
  // Before a command that replaces the configuration: when it is modified, asks whether to save
  // it first. False when the technician cancelled, or the save did not happen (its file dialog
  // cancelled, the file not written); then the command must not go on.
  bool OfferToSave();
  static constexpr const char* kSaveFirst = FileCommands::kSaveFirst;
  // A file chosen in the File menu's recent files, or dropped on the window: opened as Load
  // opens the file it is given, with the same messages and the same question first.
  void OnOpenRecent(const QString& path);
  // True when the file was opened.
  bool OpenConfiguration(const QString& path);
  // A file named outside the file dialogs (a recent file, the command line): opened as Load
  // opens a .dat, .UHF or .VHF file and as Import takes a .yaml or .csv file. Like every file
  // opened by name it must be a regular file of a sane size; those checks and any other name
  // are refused with the loaders' messages. True when the file was opened.
  bool OpenNamedFile(const QString& path);

  // The pause between exchanges with the radio: it keeps the program painting (the progress bar
  // moves) while the progress window holds the user's input. Tests may wrap it.
  void PauseWithPainting(int milliseconds) { RadioCommands::PauseWithPainting(milliseconds); }
  void SetPauseFunction(ImageTransfer::PauseFunction pause) {
    radio_.SetPauseFunction(std::move(pause));
  }
  bool Transferring() const { return radio_.Transferring(); }
  // How a service dialog runs once the radio is in service mode: modally by default. A test
  // puts its own runner here to work the dialog in place.
  void SetServiceDialogRunner(std::function<void(QDialog&)> runner) {
    radio_.SetServiceDialogRunner(std::move(runner));
  }
  // A service dialog is starting or open.
  bool InService() const { return radio_.InService(); }

  CMySheet& Sheet() const { return *sheet_; }
  QLineEdit* ModelCaption() const { return caption_; }
  QComboBox* BandList() const { return bandList_; }
  QLineEdit* Version() const { return version_; }
  QComboBox* PllIcList() const { return pllIc_; }
  // The progress window of the last read or write while it is open, else null.
  CReadWriteDlg* ReadWriteWindow() const;
  // The model dialog shown on the first activation, while it exists.
  CModelSelectDlg* FirstModelDialog() const;
  CCommPort& Port() { return radio_.Port(); }

  static constexpr const char* kClearFrequencies =
      "All frequencies will be cleared.\r\n\r\nDo you want to continue?";

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void showPage(int index);
  void commitEdits();
  void fillBandList();
  void refreshMainForm();
  void refreshPages();
  void encodeIntoMap(MapMarking marking);
  // The bytes patched by hand in the EEPROM map go with the configuration being replaced.
  void dropHandPatches();
  // What the form does around the radio commands.
  RadioCommands::FormHooks radioHooks();
  FileCommands::FormHooks fileHooks();
  CModelSelectDlg* makeModelDialog();
  void firstActivation();

  CKX200Doc& doc_;
  RadioMemory& memory_;
  CMainFrame& frame_;
  UserDialogs& dialogs_;
  RadioCommands radio_;

  CMySheet* sheet_ = nullptr;
  QLineEdit* caption_;
  QComboBox* bandList_;
  QLineEdit* version_;
  QComboBox* pllIc_;
  QPointer<CModelSelectDlg> firstModelDialog_;
  bool initialised_ = false;
  EditHistory history_;
  FileCommands files_;
  QString startFile_;
};

}  // namespace kx
