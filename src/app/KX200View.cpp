#include "app/KX200View.h"

#include <QApplication>
#include <QComboBox>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>
#include <QUndoStack>
#include <QVBoxLayout>
#include <algorithm>
#include <optional>
#include <utility>

#include "app/CommandIds.h"
#include "app/MainFrame.h"
#include "app/ModelSelectDlg.h"
#include "app/SheetPrinter.h"
#include "editors/ComDlg.h"
#include "editors/MyPage2.h"
#include "editors/MyPage3.h"
#include "editors/MyPage4.h"
#include "editors/MySheet.h"
#include "model/ConfigFile.h"
#include "model/FileCheck.h"
#include "model/FileIo.h"
#include "model/ImageCodec.h"
#include "model/KX200Doc.h"
#include "model/SideFile.h"
#include "model/ValueText.h"
#include "textio/CsvChannels.h"
#include "textio/TextFiles.h"
#include "textio/YamlConfig.h"
#include "ui/UserDialogs.h"

namespace kx {

namespace {

QLabel* fieldLabel(const char* text) {
  auto* label = new QLabel(QString::fromLatin1(text));
  QFont bold = label->font();
  bold.setBold(true);
  label->setFont(bold);
  return label;
}

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

// A KX100 file or a channel table goes into the configuration of the model chosen; the rest
// carry their own model.
bool needsModel(const QString& path) {
  const FileKind kind = kindOf(path);
  return kind == FileKind::kKx100 || kind == FileKind::kCsv;
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

CKX200View::CKX200View(CKX200Doc& doc, RadioMemory& memory, CMainFrame& frame, UserDialogs& dialogs)
    : doc_(doc),
      memory_(memory),
      frame_(frame),
      dialogs_(dialogs),
      radio_(*this, doc, memory, frame, dialogs, radioHooks()),
      history_(
          this, doc, memory,
          [this] {
            refreshMainForm();
            refreshPages();
            encodeIntoMap(MapMarking::kChanged);
          },
          [this](bool modified) { frame_.SetModified(modified); }) {
  setObjectName(QStringLiteral("mainForm"));
  caption_ = new QLineEdit;
  caption_->setObjectName(QStringLiteral("modelCaption"));
  caption_->setReadOnly(true);
  caption_->setMaxLength(10);
  caption_->setFixedWidth(caption_->fontMetrics().horizontalAdvance(QStringLiteral("KX600 UHFWW")) +
                          12);
  bandList_ = new QComboBox;
  bandList_->setObjectName(QStringLiteral("bandList"));
  bandList_->setMinimumContentsLength(22);
  connect(bandList_, &QComboBox::activated, this, [this](int index) { OnSelchangeBand(index); });
  version_ = new QLineEdit;
  version_->setObjectName(QStringLiteral("version"));
  version_->setReadOnly(true);
  version_->setFixedWidth(version_->fontMetrics().horizontalAdvance(QStringLiteral("00 . 00")) +
                          16);
  // The PLL chip follows the radio; the list is kept, hidden, for what a read reports.
  auto* pllLabel = fieldLabel("# PLL IC :");
  pllIc_ = new QComboBox;
  pllIc_->setObjectName(QStringLiteral("pllIc"));
  pllIc_->addItems({QStringLiteral("MB15A02SL"), QStringLiteral("MB15E03SL")});
  pllIc_->setEnabled(false);
  pllLabel->setVisible(false);
  pllIc_->setVisible(false);

  auto* top = new QHBoxLayout;
  top->addWidget(fieldLabel("# MODEL :"));
  top->addWidget(caption_);
  top->addSpacing(18);
  top->addWidget(fieldLabel("# BAND :"));
  top->addWidget(bandList_);
  top->addSpacing(18);
  top->addWidget(fieldLabel("# VERSION :"));
  top->addWidget(version_);
  top->addWidget(pllLabel);
  top->addWidget(pllIc_);
  top->addStretch(1);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
}

CKX200View::~CKX200View() {
  // Only once the side file has been read: otherwise its value would be replaced unseen.
  if (initialised_) doc_.WriteSideFile(SideFilePath(doc_.modelName));
}

void CKX200View::OnPortMessage(const Notice& notice) {
  radio_.OnPortMessage(notice);
}

CReadWriteDlg* CKX200View::ReadWriteWindow() const {
  return radio_.ReadWriteWindow();
}
CModelSelectDlg* CKX200View::FirstModelDialog() const {
  return firstModelDialog_;
}

void CKX200View::OnInitialUpdate() {
  if (initialised_) return;
  sheet_ = new CMySheet(doc_, memory_, dialogs_, this);
  static_cast<QVBoxLayout*>(layout())->addWidget(sheet_, 1);
  // A click on a tab is a page command like the menu's and the toolbar's.
  connect(sheet_, &QTabWidget::currentChanged, this, [this](int index) {
    if (index >= 0 && index != frame_.CurrentPage()) showPage(index);
  });

  doc_.ReadSideFile(SideFilePath(doc_.modelName));
  pllIc_->setCurrentIndex(1);
  doc_.pllIcIndex = 0;
  doc_.ResetToDefaults();
  refreshPages();
  refreshMainForm();
  frame_.BuildPortMenu();
  frame_.SetCurrentPage(sheet_->eepromPageIndex);
  sheet_->SetActivePage(sheet_->eepromPageIndex);
  encodeIntoMap(MapMarking::kPlain);
  ShowChannelPage();
  for (int i = 0; i < sheet_->count(); ++i)
    sheet_->Page(i).NotifyEditsTo([this](const QString& control) { OnDocumentEdited(control); });
  initialised_ = true;
  history_.StartFresh();
}

void CKX200View::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (!initialised_ || doc_.modelDialogCount != 0) return;
  ++doc_.modelDialogCount;
  // After the frame has appeared, so the dialog and the messages open over it.
  QTimer::singleShot(0, this, [this] { firstActivation(); });
}

void CKX200View::firstActivation() {
  const QString file = std::exchange(startFile_, QString());
  const bool waitsForModel = !file.isEmpty() && needsModel(file);
  if (!file.isEmpty() && !waitsForModel && OpenNamedFile(file)) return;
  firstModelDialog_ = makeModelDialog();
  firstModelDialog_->setAttribute(Qt::WA_DeleteOnClose);
  // However the dialog ends (a model, Enter, closed), once it is gone.
  if (waitsForModel)
    connect(
        firstModelDialog_, &QDialog::finished, this, [this, file] { OpenNamedFile(file); },
        Qt::QueuedConnection);
  firstModelDialog_->show();
}

CModelSelectDlg* CKX200View::makeModelDialog() {
  auto* dialog = new CModelSelectDlg(doc_, dialogs_, this);
  dialog->onModelChosen = [this](ModelType type) { OnModelChosen(type); };
  // Enter without a model keeps the configuration and shows it again.
  dialog->onAccepted = [this] {
    // The dialog leaves the modem page editable: its usable controls come back.
    if (doc_.viewFlagB && doc_.modemCondition == modem::kConditionEditable)
      sheet_->ModemPage().UnlockModemControls();
    refreshMainForm();
    refreshPages();
    encodeIntoMap(MapMarking::kPlain);
  };
  return dialog;
}

void CKX200View::OnModelSelect() {
  // The dialog takes the focus without leaving the edit; what was typed counts as unsaved work.
  commitEdits();
  // One model dialog at a time: the one of the first activation gives way.
  if (firstModelDialog_) firstModelDialog_->close();
  CModelSelectDlg* dialog = makeModelDialog();
  dialog->exec();
  delete dialog;
}

void CKX200View::OnModelChosen(ModelType type) {
  if (!OfferToSave()) return;
  // A model chosen for a configuration with nothing unsaved in it (the first one after the
  // start, say) gives a blank configuration, which is nothing to lose either.
  const bool wasClean = !IsModified();
  doc_.ChooseModel(type);
  dropHandPatches();
  frame_.SetCurrentPage(sheet_->channelPageIndex);
  sheet_->SetActivePage(sheet_->channelPageIndex);
  frame_.AppendSystemMenuItem();
  refreshMainForm();
  refreshPages();
  encodeIntoMap(MapMarking::kPlain);
  ShowChannelPage();
  history_.Record(QStringLiteral("Model choice"));
  if (wasClean) history_.MarkClean();
}

void CKX200View::fillBandList() {
  const BandEntry& band = doc_.band();
  bandList_->clear();
  for (int i = 0; i < band.subBandCount; ++i)
    bandList_->addItem(QString::fromStdString(value_text::SubBandLine(doc_.modelType, i)));
  // A file may name a sub-band the model does not have; then no line is selected.
  bandList_->setCurrentIndex(doc_.subBandIndex < band.subBandCount ? doc_.subBandIndex : -1);
}

void CKX200View::refreshMainForm() {
  caption_->setText(QString::fromUtf8(std::string(doc_.band().caption).c_str()));
  fillBandList();
}

void CKX200View::refreshPages() {
  sheet_->ChannelPage().Refresh();
  sheet_->ModemPage().Refresh();
  sheet_->SystemPage().Refresh();
}

void CKX200View::dropHandPatches() {
  // A byte patched by hand was meant for the configuration it was patched on; the one that
  // replaces it must not carry it into a radio. Undo brings the patches back with the rest.
  memory_.clearPendingEdits();
}

void CKX200View::encodeIntoMap(MapMarking marking) {
  // The map shows what a write would send: the encoded image with the hand patches over it.
  EncodeImage(doc_, memory_);
  memory_.applyPendingEdits();
  sheet_->ComPage().RefreshMapGrid(marking);
}

void CKX200View::OnSelchangeBand(int index) {
  if (index < 0 || index == doc_.subBandIndex) return;
  if (doc_.HasProgrammedFrequencies() &&
      !dialogs_.AskYesNo(this, QString::fromLatin1(kClearFrequencies))) {
    bandList_->setCurrentIndex(doc_.subBandIndex);
    return;
  }
  doc_.ChangeSubBand(index);
  refreshMainForm();
  sheet_->ChannelPage().Refresh();
  history_.Record(QStringLiteral("Band choice"));
}

void CKX200View::showPage(int index) {
  commitEdits();
  frame_.SetCurrentPage(index);
  if (index == sheet_->channelPageIndex) sheet_->ChannelPage().ApplyModemLayout();
  // The map shows what a write would send now, the bytes that changed marked.
  if (index == sheet_->eepromPageIndex) encodeIntoMap(MapMarking::kChanged);
  sheet_->SetActivePage(index);
}

void CKX200View::ShowChannelPage() {
  showPage(sheet_->channelPageIndex);
}
void CKX200View::ShowModemPage() {
  showPage(sheet_->modemPageIndex);
}
void CKX200View::ShowEepromPage() {
  showPage(sheet_->eepromPageIndex);
}
void CKX200View::ShowSystemPage() {
  showPage(sheet_->systemPageIndex);
}

void CKX200View::OnFileNew() {
  if (!OfferToSave()) return;
  doc_.ResetToDefaults();
  dropHandPatches();
  refreshPages();
  encodeIntoMap(MapMarking::kPlain);
  ShowChannelPage();
  history_.StartFresh();
}

void CKX200View::OnFileOpen() {
  const auto path = dialogs_.OpenFileName(this, QtNameFilters(config_file::kOpenFilter));
  if (!path) return;
  OpenConfiguration(*path);
}

void CKX200View::OnOpenRecent(const QString& path) {
  // Whatever the loaders can look at is there (a device too, which they then refuse).
  if (!fileio::lookAt(path.toStdString())) {
    frame_.RemoveRecentFile(path);
    dialogs_.Message(
        this,
        QStringLiteral("%1 cannot be found. It has been taken off the recent files.").arg(path),
        NoticeKind::kWarning);
    return;
  }
  OpenNamedFile(path);
}

bool CKX200View::OpenNamedFile(const QString& path) {
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
  dialogs_.ShowMessages(this, Outcome::failure(file_message::kCorrupted).messages);
  return false;
}

bool CKX200View::refuseUnfitFile(const QString& path) {
  const Outcome checked = CheckFileToOpen(localPath(path), kLargestFileToOpen);
  dialogs_.ShowMessages(this, checked.messages);
  return checked.ok;
}

bool CKX200View::OpenConfiguration(const QString& path) {
  if (radio_.Transferring() || radio_.InService()) return false;
  // Before the question: a file that cannot be opened is no reason to save anything.
  if (!refuseUnfitFile(path) || !OfferToSave()) return false;
  const Outcome opened = OpenConfigurationFile(doc_, localPath(path));
  dialogs_.ShowMessages(this, opened.messages);
  if (opened.ok) dropHandPatches();
  refreshPages();
  refreshMainForm();
  encodeIntoMap(MapMarking::kChanged);
  if (!opened.ok) return false;
  history_.StartFresh();
  frame_.AddRecentFile(path);
  return true;
}

void CKX200View::commitEdits() {
  // An edit still holding the focus has not been checked and stored yet: it is left, and its
  // check (posted by the page) runs now, before the command uses the document.
  QWidget* focused = QApplication::focusWidget();
  if (!focused || !isAncestorOf(focused)) return;
  focused->clearFocus();
  QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void CKX200View::OnFileSave() {
  commitEdits();
  saveDocument();
}

bool CKX200View::saveDocument() {
  const auto path =
      dialogs_.SaveFileName(this, QtNameFilters(config_file::kSaveFilter), QStringLiteral("dat"));
  if (!path) return false;
  const Outcome saved = doc_.OnSaveDocument(localPath(*path));
  dialogs_.ShowMessages(this, saved.messages);
  if (!saved.ok) return false;
  history_.MarkClean();
  frame_.AddRecentFile(*path);
  return true;
}

bool CKX200View::OfferToSave() {
  commitEdits();
  if (!IsModified()) return true;
  switch (dialogs_.AskSaveDiscardCancel(this, QString::fromLatin1(kSaveFirst))) {
    case SaveChoice::kSave:
      return saveDocument();
    case SaveChoice::kDiscard:
      return true;
    case SaveChoice::kCancel:
      break;
  }
  return false;
}

bool CKX200View::IsModified() const {
  return history_.IsModified();
}

void CKX200View::OnDocumentEdited(const QString& control) {
  if (!initialised_ || history_.Restoring()) return;
  history_.Record(control);
}

void CKX200View::OnUndo() {
  if (radio_.Transferring() || radio_.InService()) return;
  commitEdits();
  history_.Stack().undo();
}

void CKX200View::OnRedo() {
  if (radio_.Transferring() || radio_.InService()) return;
  commitEdits();
  history_.Stack().redo();
}

void CKX200View::OnFilePrint() {
  commitEdits();
  if (printSheet) {
    printSheet(doc_);
    return;
  }
  PrintDataSheet(doc_, this);
}

void CKX200View::OnFilePrintPreview() {
  commitEdits();
  PreviewDataSheet(doc_, this);
}

void CKX200View::OnExportSheetPdf() {
  commitEdits();
  ExportDataSheetPdf(doc_, dialogs_, this);
}

void CKX200View::importText(const QStringList& filters, TextImport import, const QString& step,
                            ImportTakes taken) {
  commitEdits();
  if (const auto path = dialogs_.OpenFileName(this, filters))
    importFile(*path, import, step, taken);
}

bool CKX200View::importFile(const QString& path, TextImport import, const QString& step,
                            ImportTakes taken) {
  if (!refuseUnfitFile(path) || !OfferToSave()) return false;
  const std::string local = localPath(path);
  std::string text;
  Outcome imported = ReadTextFile(local, text);
  if (imported.ok) imported = import(doc_, text, FileNameOf(local));
  if (const auto box = oneBoxOf(imported)) dialogs_.Show(this, *box);
  if (!imported.ok) return false;
  if (taken == ImportTakes::kConfiguration) dropHandPatches();
  refreshPages();
  refreshMainForm();
  encodeIntoMap(MapMarking::kChanged);
  history_.Record(step);
  return true;
}

void CKX200View::exportText(const QStringList& filters, const QString& suffix,
                            const std::string& text) {
  const auto path = dialogs_.SaveFileName(this, filters, suffix);
  if (!path) return;
  dialogs_.ShowMessages(this, WriteTextFile(localPath(*path), text).messages);
}

void CKX200View::OnImportChannelsCsv() {
  importText(QtNameFilters(kCsvFilter), ImportChannelsCsv, QString::fromLatin1(kImportCsvStep),
             ImportTakes::kChannels);
}

void CKX200View::OnExportChannelsCsv() {
  commitEdits();
  exportText(QtNameFilters(kCsvFilter), QStringLiteral("csv"), ExportChannelsCsv(doc_));
}

void CKX200View::OnImportConfigYaml() {
  importText(QtNameFilters(kYamlFilter), ImportConfigYaml, QString::fromLatin1(kImportYamlStep),
             ImportTakes::kConfiguration);
}

void CKX200View::OnExportConfigYaml() {
  commitEdits();
  exportText(QtNameFilters(kYamlFilter), QStringLiteral("yaml"), ExportConfigYaml(doc_));
}

bool CKX200View::IsCommandAvailable(int) const {
  return true;
}

RadioCommands::FormHooks CKX200View::radioHooks() {
  RadioCommands::FormHooks hooks;
  hooks.commitEdits = [this] { commitEdits(); };
  hooks.offerToSave = [this] { return OfferToSave(); };
  hooks.afterRead = [this] {
    sheet_->ComPage().FillMapGrid();
    frame_.AppendSystemMenuItem();
    refreshMainForm();
    refreshPages();
    history_.StartFresh();
  };
  // What was written is in the radio now: nothing is lost by leaving it.
  hooks.afterWrite = [this] { history_.MarkClean(); };
  hooks.afterService = [this] { history_.Record({}); };
  hooks.showVersion = [this](const QString& text) { version_->setText(text); };
  hooks.showPllIc = [this](int index) { pllIc_->setCurrentIndex(index); };
  return hooks;
}

void CKX200View::OnRead() {
  radio_.OnRead();
}
void CKX200View::OnWrite() {
  radio_.OnWrite();
}
void CKX200View::OnSquelch() {
  radio_.OnSquelch();
}
void CKX200View::OnCalibration() {
  radio_.OnCalibration();
}

}  // namespace kx
