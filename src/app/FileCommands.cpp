#include "app/FileCommands.h"

#include <QFileInfo>
#include <algorithm>
#include <optional>

#include "app/EditHistory.h"
#include "app/MainFrame.h"
#include "model/ConfigFile.h"
#include "model/FileCheck.h"
#include "model/FileIo.h"
#include "model/KX200Doc.h"
#include "textio/CsvChannels.h"
#include "textio/TextFiles.h"
#include "textio/YamlConfig.h"
#include "ui/UserDialogs.h"

namespace kx {

namespace {

std::string localPath(const QString& path) {
  return path.toStdString();  // UTF-8, as every path the core takes
}

constexpr const char* kCsvFilter = "CSV Files (*.csv) | *.csv||";
constexpr const char* kYamlFilter = "YAML Files (*.yaml;*.yml) | *.yaml;*.yml||";
constexpr const char* kImportCsvStep = "Import Channels";
constexpr const char* kImportYamlStep = "Import Configuration";

// No configuration, KX100 channel file or text form comes near this; a larger file is no such
// file and is not read.
constexpr std::size_t kLargestFileToOpen = kLargestTextFile;

// What a file is by its name: what opens it, as the file dialogs' filters sort them.
enum class FileKind { kConfiguration, kKx100, kYaml, kCsv, kOther };
FileKind kindOf(const QString& path) {
  const QString suffix = QFileInfo(path).suffix().toLower();
  if (suffix == QLatin1String("uhf") || suffix == QLatin1String("vhf")) return FileKind::kKx100;
  if (HasConfigurationExtension(localPath(path))) return FileKind::kConfiguration;
  if (suffix == QLatin1String("yaml") || suffix == QLatin1String("yml")) return FileKind::kYaml;
  if (suffix == QLatin1String("csv")) return FileKind::kCsv;
  return FileKind::kOther;
}

// Every message of an outcome in one box, a line each with its reason under it, the box's icon
// the gravest of their kinds. Nothing when there is nothing to say.
std::optional<Notice> oneBoxOf(const Outcome& outcome) {
  if (outcome.messages.empty()) return std::nullopt;
  Notice box;
  for (const Notice& n : outcome.messages) {
    if (!box.text.empty()) box.text += "\n";
    box.text += n.text;
    if (!n.detail.empty()) box.text += "\n" + n.detail;
    box.kind = std::max(box.kind, n.kind);
  }
  return box;
}

}  // namespace

FileCommands::FileCommands(QWidget& form, CKX200Doc& doc, CMainFrame& frame, UserDialogs& dialogs,
                           EditHistory& history, FormHooks hooks)
    : form_(form),
      doc_(doc),
      frame_(frame),
      dialogs_(dialogs),
      history_(history),
      hooks_(std::move(hooks)) {}

bool FileCommands::NeedsModel(const QString& path) {
  const FileKind kind = kindOf(path);
  return kind == FileKind::kKx100 || kind == FileKind::kCsv;
}

void FileCommands::OnFileOpen() {
  const auto path = dialogs_.OpenFileName(&form_, QtNameFilters(config_file::kOpenFilter));
  if (!path) return;
  OpenConfiguration(*path);
}

void FileCommands::OnOpenRecent(const QString& path) {
  // Whatever the loaders can look at is there (a device too, which they then refuse).
  if (!fileio::lookAt(path.toStdString())) {
    frame_.RemoveRecentFile(path);
    dialogs_.Message(
        &form_,
        QStringLiteral("%1 cannot be found. It has been taken off the recent files.").arg(path),
        NoticeKind::kWarning);
    return;
  }
  OpenNamedFile(path);
}

bool FileCommands::OpenNamedFile(const QString& path) {
  // Each way in looks at the file first (refuseUnfitFile), as the Load and Import commands do.
  switch (kindOf(path)) {
    case FileKind::kConfiguration:
    case FileKind::kKx100:
      return OpenConfiguration(path);
    case FileKind::kYaml:
      return importFile(path, ImportConfigYaml, QString::fromLatin1(kImportYamlStep),
                        ImportTakes::kConfiguration);
    case FileKind::kCsv:
      return importFile(path, ImportChannelsCsv, QString::fromLatin1(kImportCsvStep),
                        ImportTakes::kChannels);
    case FileKind::kOther:
      if (!refuseUnfitFile(path)) return false;
      break;
  }
  // Load says nothing of a name it does not know, which its dialog never offers; a file named
  // anywhere else gets the loader's word for a file of the wrong kind.
  dialogs_.ShowMessages(&form_, Outcome::failure(file_message::kCorrupted).messages);
  return false;
}

bool FileCommands::refuseUnfitFile(const QString& path) {
  const Outcome checked = CheckFileToOpen(localPath(path), kLargestFileToOpen);
  dialogs_.ShowMessages(&form_, checked.messages);
  return checked.ok;
}

bool FileCommands::OpenConfiguration(const QString& path) {
  if (hooks_.busy()) return false;
  // Before the question: a file that cannot be opened is no reason to save anything.
  if (!refuseUnfitFile(path) || !OfferToSave()) return false;
  const Outcome opened = OpenConfigurationFile(doc_, localPath(path));
  dialogs_.ShowMessages(&form_, opened.messages);
  if (opened.ok) hooks_.dropHandPatches();
  hooks_.showReplaced();
  if (!opened.ok) return false;
  history_.StartFresh();
  frame_.AddRecentFile(path);
  return true;
}

void FileCommands::OnFileSave() {
  hooks_.commitEdits();
  saveDocument();
}

bool FileCommands::saveDocument() {
  const auto path =
      dialogs_.SaveFileName(&form_, QtNameFilters(config_file::kSaveFilter), QStringLiteral("dat"));
  if (!path) return false;
  const Outcome saved = doc_.OnSaveDocument(localPath(*path));
  dialogs_.ShowMessages(&form_, saved.messages);
  if (!saved.ok) return false;
  history_.MarkClean();
  frame_.AddRecentFile(*path);
  return true;
}

bool FileCommands::OfferToSave() {
  hooks_.commitEdits();
  if (!history_.IsModified()) return true;
  switch (dialogs_.AskSaveDiscardCancel(&form_, QString::fromLatin1(kSaveFirst))) {
    case SaveChoice::kSave:
      return saveDocument();
    case SaveChoice::kDiscard:
      return true;
    case SaveChoice::kCancel:
      break;
  }
  return false;
}

void FileCommands::importText(const QStringList& filters, TextImport import, const QString& step,
                              ImportTakes taken) {
  hooks_.commitEdits();
  if (const auto path = dialogs_.OpenFileName(&form_, filters))
    importFile(*path, import, step, taken);
}

bool FileCommands::importFile(const QString& path, TextImport import, const QString& step,
                              ImportTakes taken) {
  if (!refuseUnfitFile(path) || !OfferToSave()) return false;
  const std::string local = localPath(path);
  std::string text;
  Outcome imported = ReadTextFile(local, text);
  if (imported.ok) imported = import(doc_, text, FileNameOf(local));
  if (const auto box = oneBoxOf(imported)) dialogs_.Show(&form_, *box);
  if (!imported.ok) return false;
  if (taken == ImportTakes::kConfiguration) hooks_.dropHandPatches();
  hooks_.showReplaced();
  history_.Record(step);
  return true;
}

void FileCommands::exportText(const QStringList& filters, const QString& suffix,
                              const std::string& text) {
  const auto path = dialogs_.SaveFileName(&form_, filters, suffix);
  if (!path) return;
  dialogs_.ShowMessages(&form_, WriteTextFile(localPath(*path), text).messages);
}

void FileCommands::OnImportChannelsCsv() {
  importText(QtNameFilters(kCsvFilter), ImportChannelsCsv, QString::fromLatin1(kImportCsvStep),
             ImportTakes::kChannels);
}

void FileCommands::OnExportChannelsCsv() {
  hooks_.commitEdits();
  exportText(QtNameFilters(kCsvFilter), QStringLiteral("csv"), ExportChannelsCsv(doc_));
}

void FileCommands::OnImportConfigYaml() {
  importText(QtNameFilters(kYamlFilter), ImportConfigYaml, QString::fromLatin1(kImportYamlStep),
             ImportTakes::kConfiguration);
}

void FileCommands::OnExportConfigYaml() {
  hooks_.commitEdits();
  exportText(QtNameFilters(kYamlFilter), QStringLiteral("yaml"), ExportConfigYaml(doc_));
}

}  // namespace kx
