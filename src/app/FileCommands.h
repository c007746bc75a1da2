#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <string>
#include <string_view>

#include "model/Outcome.h"

class QWidget;

namespace kx {

class CKX200Doc;
class CMainFrame;
class EditHistory;
class UserDialogs;

// The main form's file commands: Load and Save, the question before unsaved work is replaced,
// files opened by name (a recent file, the command line, a drop), and the channel table as CSV
// and the whole configuration as YAML. Every file opened by name must be a regular file of a
// sane size; the messages are the loaders' own.
class FileCommands {
 public:
  // What the main form does around them.
  struct FormHooks {
    std::function<void()> commitEdits;      // before the document is used
    std::function<bool()> busy;             // the radio holds the program: nothing is opened
    std::function<void()> dropHandPatches;  // the configuration is replaced as a whole
    std::function<void()> showReplaced;     // the pages and the form show the new document
  };
  FileCommands(QWidget& form, CKX200Doc& doc, CMainFrame& frame, UserDialogs& dialogs,
               EditHistory& history, FormHooks hooks);

  static constexpr const char* kSaveFirst = "The configuration has changed. Save it first?";
  // A KX100 file or a channel table goes into the configuration of the model chosen first; the
  // rest carry their own model.
  static bool NeedsModel(const QString& path);

  void OnFileOpen();
  void OnOpenRecent(const QString& path);
  bool OpenNamedFile(const QString& path);
  bool OpenConfiguration(const QString& path);
  void OnFileSave();
  bool OfferToSave();
  void OnImportChannelsCsv();
  void OnExportChannelsCsv();
  void OnImportConfigYaml();
  void OnExportConfigYaml();

 private:
  using TextImport = Outcome (*)(CKX200Doc&, std::string_view, const std::string&);
  // What an import replaces: the channels of the configuration, or all of it.
  enum class ImportTakes { kChannels, kConfiguration };
  void importText(const QStringList& filters, TextImport import, const QString& step,
                  ImportTakes taken);
  bool importFile(const QString& path, TextImport import, const QString& step, ImportTakes taken);
  // Shows why a file cannot be opened (not a regular file, too large, not there); true when
  // it can.
  bool refuseUnfitFile(const QString& path);
  bool saveDocument();
  void exportText(const QStringList& filters, const QString& suffix, const std::string& text);

  QWidget& form_;
  CKX200Doc& doc_;
  CMainFrame& frame_;
  UserDialogs& dialogs_;
  EditHistory& history_;
  FormHooks hooks_;
};

}  // namespace kx
