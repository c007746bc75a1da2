#include "app/MainFrame.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QDropEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QUndoStack>
#include <QUrl>

#include "app/CommandIds.h"
#include "app/CommandTable.h"
#include "app/KX200View.h"
#include "app/LockKeys.h"
#include "app/ProgrammerApp.h"
#include "app/ToolbarIcons.h"
#include "model/ConfigFile.h"
#include "model/KX200Doc.h"
#include "ui/UserDialogs.h"

namespace kx {

namespace {
// Program > Verify after Write, in the program's settings file.
constexpr const char* kVerifyAfterWriteKey = "program/verifyAfterWrite";

// The status-bar prompt and the tool tip of the command table.
void applyPrompt(QAction* action, int command) {
  const CommandEntry* entry = FindCommand(command);
  if (!entry || !*entry->prompt) return;
  const QStringList parts = QString::fromLatin1(entry->prompt).split(QLatin1Char('\n'));
  action->setStatusTip(parts.value(0));
  if (parts.size() > 1) action->setToolTip(parts.value(1));
}

// The page commands of the View menu and the page each one checks.
struct PageCommand {
  int command;
  int page;
};
constexpr PageCommand kPageCommands[] = {
    {cmd::kChannelMenu, 0}, {cmd::kModemMenu, 1}, {cmd::kEepromMenu, 2}, {cmd::kSystemMenu, 3}};

constexpr const char* kReadyText = "Ready";

// "&Undo Channel 3 Rx frequency"; the bare command when there is no step.
QString stepText(const char* command, const QString& step) {
  const QString text = QString::fromLatin1(command);
  return step.isEmpty() ? text : text + QLatin1Char(' ') + step;
}

// The one local configuration file a drag carries; empty for anything else (text, several
// files, a file of another kind), which the controls handle as they always did.
QString draggedConfiguration(const QMimeData* mime) {
  if (!mime || !mime->hasUrls() || mime->urls().size() != 1) return {};
  const QUrl url = mime->urls().front();
  if (!url.isLocalFile()) return {};
  const QString path = url.toLocalFile();
  return HasConfigurationExtension(path.toStdString()) ? path : QString();
}
constexpr int kLockPollMs = 250;

}  // namespace

CMainFrame::CMainFrame(CKX200Doc& doc, UserDialogs& dialogs, PortLister lister)
    : recent_(settings_), ports_(*this, doc, dialogs, std::move(lister), actions_) {
  setWindowTitle(QString::fromUtf8(CKX200Doc::kWindowTitle.data(),
                                   static_cast<qsizetype>(CKX200Doc::kWindowTitle.size())));
  setWindowIcon(MakeToolIcon(ToolIcon::Application));
  setAcceptDrops(true);
  qApp->installEventFilter(this);
}

CMainFrame::~CMainFrame() = default;

bool CMainFrame::VerifyAfterWrite() const {
  const QAction* verify = Action(cmd::kVerifyAfterWrite);
  return verify && verify->isChecked();
}

QAction* CMainFrame::addCommand(QMenu* menu, int command, const QString& text) {
  auto* action = new QAction(text, this);
  action->setData(command);
  applyPrompt(action, command);
  menu->addAction(action);
  actions_[command] = action;
  return action;
}

QAction* CMainFrame::addToolCommand(int command, const QIcon& icon, const QString& name) {
  // A command that is also a menu item keeps one action for both, so its shortcut and
  // enabled state are shared.
  QAction* action = Action(command);
  if (!action) {
    action = new QAction(name, this);
    action->setData(command);
    applyPrompt(action, command);
  }
  action->setIcon(icon);
  toolBar_->addAction(action);
  actions_[command] = action;
  return action;
}

void CMainFrame::OnCreate() {
  // The menus and the toolbar as the command table lays them out; then what some items do.
  std::vector<QMenu*> menus;
  for (const MenuLayout& layout : Menus()) {
    QMenu* menu = menuBar()->addMenu(QString::fromLatin1(layout.title));
    menus.push_back(menu);
    if (layout.numbered) menus_.push_back(menu);
    for (const int command : layout.items) {
      if (command == kSeparator) {
        menu->addSeparator();
        continue;
      }
      const CommandEntry& entry = *FindCommand(command);
      QAction* action = addCommand(menu, command, QString::fromLatin1(entry.text));
      action->setShortcuts(QKeySequence::listFromString(QString::fromLatin1(entry.keys)));
    }
  }
  fileMenu_ = menus[kFileMenu];
  editMenu_ = menus[kEditMenu];
  portMenu_ = menus[kPortMenu];
  ports_.SetMenu(portMenu_);
  viewMenu_ = menus[kViewMenu];

  exitAction_ = Action(cmd::kAppExit);
  connect(exitAction_, &QAction::triggered, this, &QWidget::close);
  fillRecentFiles();
  Action(cmd::kEditUndo)->setEnabled(false);
  Action(cmd::kEditRedo)->setEnabled(false);
  QAction* verify = Action(cmd::kVerifyAfterWrite);
  verify->setCheckable(true);
  verify->setChecked(settings_.Value(QLatin1String(kVerifyAfterWriteKey), true).toBool());
  connect(verify, &QAction::toggled, this,
          [this](bool on) { settings_.SetValue(QLatin1String(kVerifyAfterWriteKey), on); });
  // An adapter may be plugged in or pulled out at any time.
  connect(portMenu_, &QMenu::aboutToShow, this, &CMainFrame::RefreshPorts);
  connect(Action(cmd::kAppAbout), &QAction::triggered, this,
          [this] { CProgrammerApp::OnAppAbout(this); });
  QAction* showToolbar = Action(cmd::kViewToolbar);
  QAction* showStatus = Action(cmd::kViewStatusBar);

  toolBar_ = new QToolBar(QStringLiteral("Toolbar"), this);
  toolBar_->setObjectName(QStringLiteral("mainToolBar"));
  toolBar_->setIconSize(QSize(42, 42));
  toolBar_->setToolButtonStyle(Qt::ToolButtonIconOnly);
  toolBar_->setMovable(true);
  toolBar_->setAllowedAreas(Qt::AllToolBarAreas);
  for (const ToolButton& button : ToolButtons()) {
    if (button.command == kSeparator) {
      toolBar_->addSeparator();
      continue;
    }
    addToolCommand(button.command, MakeToolIcon(button.icon),
                   QString::fromLatin1(FindCommand(button.command)->text));
  }
  addToolBar(Qt::TopToolBarArea, toolBar_);

  // The idle text sits in the message pane; command prompts cover it while a menu item or
  // toolbar button is under the pointer.
  messagePane_ = new QLabel(QString::fromLatin1(kReadyText));
  statusBar()->addWidget(messagePane_, 1);
  noteTimer_ = new QTimer(this);
  noteTimer_->setSingleShot(true);
  connect(noteTimer_, &QTimer::timeout, this,
          [this] { messagePane_->setText(QString::fromLatin1(kReadyText)); });
  modifiedPane_ = new QLabel;
  modifiedPane_->setObjectName(QStringLiteral("indicatorModified"));
  modifiedPane_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  modifiedPane_->setAlignment(Qt::AlignCenter);
  modifiedPane_->setMinimumWidth(
      modifiedPane_->fontMetrics().horizontalAdvance(QString::fromLatin1(kModifiedText)) + 12);
  statusBar()->addPermanentWidget(modifiedPane_);
  SetModified(false);
  const char* const indicators[] = {"CAP", "NUM", "SCRL"};
  for (std::size_t i = 0; i < lockPanes_.size(); ++i) {
    auto* pane = new QLabel(QString::fromLatin1(indicators[i]));
    pane->setObjectName(QStringLiteral("indicator") + QString::fromLatin1(indicators[i]));
    pane->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    pane->setAlignment(Qt::AlignCenter);
    pane->setMinimumWidth(pane->fontMetrics().horizontalAdvance(QStringLiteral("SCRL")) + 12);
    pane->setEnabled(false);
    statusBar()->addPermanentWidget(pane);
    lockPanes_[i] = pane;
  }
  // A lock key may change in any window, so its state is looked at a few times a second.
  lockTimer_ = new QTimer(this);
  connect(lockTimer_, &QTimer::timeout, this, &CMainFrame::UpdateLockPanes);
  if (ReadLockKeys()) lockTimer_->start(kLockPollMs);
  UpdateLockPanes();

  showToolbar->setCheckable(true);
  showToolbar->setChecked(true);
  connect(showToolbar, &QAction::toggled, toolBar_, &QWidget::setVisible);
  connect(toolBar_, &QToolBar::visibilityChanged, showToolbar, &QAction::setChecked);
  showStatus->setCheckable(true);
  showStatus->setChecked(true);
  connect(showStatus, &QAction::toggled, statusBar(), &QWidget::setVisible);

  AppendSystemMenuItem();
  for (const auto& page : kPageCommands)
    Action(page.command)->setCheckable(true);
  updatePageChecks();
  ports_.Fill();
}

void CMainFrame::ShowNote(const QString& text, const QString& tip) {
  messagePane_->setText(text);
  messagePane_->setToolTip(tip);
  noteTimer_->start(kNoteMs);
}

void CMainFrame::SetModified(bool modified) {
  if (!modifiedPane_) return;
  modifiedPane_->setText(modified ? QString::fromLatin1(kModifiedText) : QString());
  // An empty pane says nothing to a screen reader, so it hears the state in words.
  modifiedPane_->setAccessibleName(
      QString::fromLatin1(modified ? kModifiedText : kNotModifiedText));
}

void CMainFrame::AddRecentFile(const QString& path) {
  recent_.Add(path);
  fillRecentFiles();
}

void CMainFrame::RemoveRecentFile(const QString& path) {
  recent_.Remove(path);
  fillRecentFiles();
}

void CMainFrame::fillRecentFiles() {
  for (QAction* item : recentItems_) {
    if (item->data().isValid()) actions_.erase(item->data().toInt());
    fileMenu_->removeAction(item);
    item->deleteLater();
  }
  recentItems_.clear();
  const QStringList& paths = recent_.Paths();
  for (int i = 0; i < paths.size() && i < cmd::kFileRecentCount; ++i) {
    const QString path = paths[i];
    QString shown = QDir::toNativeSeparators(path);
    shown.replace(QLatin1Char('&'), QStringLiteral("&&"));
    auto* item = new QAction(QStringLiteral("&%1 %2").arg(i + 1).arg(shown), this);
    item->setData(cmd::kFileRecentFirst + i);
    item->setStatusTip(QStringLiteral("Open %1").arg(QDir::toNativeSeparators(path)));
    connect(item, &QAction::triggered, this, [this, path] {
      if (view_) view_->OnOpenRecent(path);
    });
    fileMenu_->insertAction(exitAction_, item);
    actions_[cmd::kFileRecentFirst + i] = item;
    recentItems_.push_back(item);
  }
  if (!recentItems_.empty()) recentItems_.push_back(fileMenu_->insertSeparator(exitAction_));
}

void CMainFrame::UpdateLockPanes() {
  // Where the platform cannot tell the keys' state the panes stay dimmed.
  const std::optional<LockKeys> keys = ReadLockKeys();
  const bool on[] = {keys && keys->caps, keys && keys->num, keys && keys->scroll};
  for (std::size_t i = 0; i < lockPanes_.size(); ++i)
    lockPanes_[i]->setEnabled(on[i]);
}

void CMainFrame::AppendSystemMenuItem() {
  if (Action(cmd::kSystemMenu)) return;
  QAction* system = addCommand(viewMenu_, cmd::kSystemMenu,
                               QString::fromLatin1(FindCommand(cmd::kSystemMenu)->text));
  system->setCheckable(true);
  updatePageChecks();
}

void CMainFrame::SetView(CKX200View* view) {
  view_ = view;
  setCentralWidget(view);
  struct Route {
    int command;
    void (CKX200View::*handler)();
  };
  const Route routes[] = {
      {cmd::kFileNew, &CKX200View::OnFileNew},
      {cmd::kFileOpen, &CKX200View::OnFileOpen},
      {cmd::kFileSave, &CKX200View::OnFileSave},
      {cmd::kFilePrint, &CKX200View::OnFilePrint},
      {cmd::kFilePrintPreview, &CKX200View::OnFilePrintPreview},
      {cmd::kExportSheetPdf, &CKX200View::OnExportSheetPdf},
      {cmd::kImportChannelsCsv, &CKX200View::OnImportChannelsCsv},
      {cmd::kExportChannelsCsv, &CKX200View::OnExportChannelsCsv},
      {cmd::kImportConfigYaml, &CKX200View::OnImportConfigYaml},
      {cmd::kExportConfigYaml, &CKX200View::OnExportConfigYaml},
      {cmd::kModelSelect, &CKX200View::OnModelSelect},
      {cmd::kChannelMenu, &CKX200View::ShowChannelPage},
      {cmd::kChannelTool, &CKX200View::ShowChannelPage},
      {cmd::kModemMenu, &CKX200View::ShowModemPage},
      {cmd::kModemTool, &CKX200View::ShowModemPage},
      {cmd::kEepromMenu, &CKX200View::ShowEepromPage},
      {cmd::kEepromTool, &CKX200View::ShowEepromPage},
      {cmd::kSystemMenu, &CKX200View::ShowSystemPage},
      {cmd::kSystemTool, &CKX200View::ShowSystemPage},
      {cmd::kReadRadio, &CKX200View::OnRead},
      {cmd::kWriteRadio, &CKX200View::OnWrite},
      {cmd::kSquelchMenu, &CKX200View::OnSquelch},
      {cmd::kSquelchTool, &CKX200View::OnSquelch},
      {cmd::kCalibrationMenu, &CKX200View::OnCalibration},
      {cmd::kCalibrationTool, &CKX200View::OnCalibration},
  };
  for (const auto& route : routes) {
    QAction* action = Action(route.command);
    connect(action, &QAction::triggered, view, route.handler);
    action->setEnabled(view->IsCommandAvailable(route.command));
  }

  // Undo and Redo name the step they take back or do again.
  QUndoStack& history = view->History();
  QAction* undo = Action(cmd::kEditUndo);
  QAction* redo = Action(cmd::kEditRedo);
  connect(undo, &QAction::triggered, view, &CKX200View::OnUndo);
  connect(redo, &QAction::triggered, view, &CKX200View::OnRedo);
  connect(&history, &QUndoStack::canUndoChanged, undo, &QAction::setEnabled);
  connect(&history, &QUndoStack::canRedoChanged, redo, &QAction::setEnabled);
  connect(&history, &QUndoStack::undoTextChanged, undo,
          [undo](const QString& step) { undo->setText(stepText(kUndoText, step)); });
  connect(&history, &QUndoStack::redoTextChanged, redo,
          [redo](const QString& step) { redo->setText(stepText(kRedoText, step)); });
  undo->setEnabled(history.canUndo());
  redo->setEnabled(history.canRedo());
}

QAction* CMainFrame::Action(int command) const {
  const auto found = actions_.find(command);
  return found == actions_.end() ? nullptr : found->second;
}

QMenu* CMainFrame::Menu(int index) const {
  if (index < 0 || index >= static_cast<int>(menus_.size())) return nullptr;
  return menus_[static_cast<std::size_t>(index)];
}

void CMainFrame::SetCurrentPage(int page) {
  currentPage_ = page;
  updatePageChecks();
}

void CMainFrame::updatePageChecks() {
  for (const auto& page : kPageCommands) {
    if (QAction* action = Action(page.command)) action->setChecked(currentPage_ == page.page);
  }
}

void CMainFrame::BuildPortMenu() {
  ports_.Build();
}

void CMainFrame::RefreshPorts() {
  ports_.Refresh();
}

void CMainFrame::SelectPort(int number) {
  ports_.SelectPort(number);
}

void CMainFrame::AddDevicePort(const std::string& device, int number) {
  ports_.AddDevicePort(device, number);
}

bool CMainFrame::OfferDevicePort(const QString& typed) {
  return ports_.OfferDevicePort(typed);
}

PortChoice CMainFrame::CurrentPort() const {
  return ports_.CurrentPort();
}

void CMainFrame::closeEvent(QCloseEvent* event) {
  if (busy_ || (view_ && !view_->OfferToSave())) {
    event->ignore();
    return;
  }
  QMainWindow::closeEvent(event);
}

bool CMainFrame::eventFilter(QObject* watched, QEvent* event) {
  const QEvent::Type type = event->type();
  if (type != QEvent::DragEnter && type != QEvent::DragMove && type != QEvent::Drop) return false;
  auto* widget = qobject_cast<QWidget*>(watched);
  if (!widget || widget->window() != this) return false;
  // The enter and move events are drop events too.
  auto* drop = static_cast<QDropEvent*>(event);
  const QString path = draggedConfiguration(drop->mimeData());
  if (path.isEmpty()) return false;
  if (busy_ || !view_) {
    drop->ignore();
    return true;
  }
  drop->setDropAction(Qt::CopyAction);
  drop->accept();
  // Once the drag is over: the prompt and the messages are modal, and the program the file
  // came from should not wait for them.
  if (type == QEvent::Drop)
    QMetaObject::invokeMethod(
        this, [this, path] { view_->OpenConfiguration(path); }, Qt::QueuedConnection);
  return true;
}

}  // namespace kx
