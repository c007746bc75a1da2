#include "app/KX200View.h"

#include <QApplication>
#include <QComboBox>
#include <QEventLoop>
#include <QFile>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>
#include <QUndoStack>
#include <QVBoxLayout>
#include <algorithm>
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
#include "model/ImageCodec.h"
#include "model/KX200Doc.h"
#include "model/SideFile.h"
#include "model/ValueText.h"
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
          [this](bool modified) { frame_.SetModified(modified); }),
      files_(*this, doc, frame, dialogs, history_, fileHooks()) {
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
  const bool waitsForModel = !file.isEmpty() && FileCommands::NeedsModel(file);
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
  files_.OnFileOpen();
}
void CKX200View::OnOpenRecent(const QString& path) {
  files_.OnOpenRecent(path);
}
bool CKX200View::OpenNamedFile(const QString& path) {
  return files_.OpenNamedFile(path);
}
bool CKX200View::OpenConfiguration(const QString& path) {
  return files_.OpenConfiguration(path);
}
void CKX200View::OnFileSave() {
  files_.OnFileSave();
}
bool CKX200View::OfferToSave() {
  return files_.OfferToSave();
}
void CKX200View::OnImportChannelsCsv() {
  files_.OnImportChannelsCsv();
}
void CKX200View::OnExportChannelsCsv() {
  files_.OnExportChannelsCsv();
}
void CKX200View::OnImportConfigYaml() {
  files_.OnImportConfigYaml();
}
void CKX200View::OnExportConfigYaml() {
  files_.OnExportConfigYaml();
}

FileCommands::FormHooks CKX200View::fileHooks() {
  FileCommands::FormHooks hooks;
  hooks.commitEdits = [this] { commitEdits(); };
  hooks.busy = [this] { return radio_.Busy(); };
  hooks.dropHandPatches = [this] { dropHandPatches(); };
  hooks.showReplaced = [this] {
    refreshPages();
    refreshMainForm();
    encodeIntoMap(MapMarking::kChanged);
  };
  return hooks;
}

void CKX200View::commitEdits() {
  // An edit still holding the focus has not been checked and stored yet: it is left, and its
  // check (posted by the page) runs now, before the command uses the document.
  QWidget* focused = QApplication::focusWidget();
  if (!focused || !isAncestorOf(focused)) return;
  focused->clearFocus();
  QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

bool CKX200View::IsModified() const {
  return history_.IsModified();
}

void CKX200View::OnDocumentEdited(const QString& control) {
  if (!initialised_ || history_.Restoring()) return;
  history_.Record(control);
}

void CKX200View::OnUndo() {
  if (radio_.Busy()) return;
  commitEdits();
  history_.Stack().undo();
}

void CKX200View::OnRedo() {
  if (radio_.Busy()) return;
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
