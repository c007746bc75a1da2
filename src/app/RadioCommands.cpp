#include "app/RadioCommands.h"

#include <QApplication>
#include <QEventLoop>
#include <QTimer>
#include <algorithm>

#include "app/MainFrame.h"
#include "app/ReadWriteDlg.h"
#include "app/TransferThread.h"
#include "model/KX200Doc.h"
#include "service/CalibrationDlg.h"
#include "service/SquelchDlg.h"
#include "ui/UserDialogs.h"

namespace kx {

RadioCommands::RadioCommands(QWidget& form, CKX200Doc& doc, RadioMemory& memory, CMainFrame& frame,
                             UserDialogs& dialogs, FormHooks hooks)
    : form_(form),
      doc_(doc),
      memory_(memory),
      frame_(frame),
      dialogs_(dialogs),
      hooks_(std::move(hooks)) {
  // The watch thread's messages come from its own thread; the technician sees them on the form.
  port_.SetMessageSink([this](const Notice& notice) {
    QMetaObject::invokeMethod(
        &form_, [this, notice] { OnPortMessage(notice); }, Qt::QueuedConnection);
  });
}

RadioCommands::~RadioCommands() {
  port_.Close();
  port_.SetMessageSink(nullptr);
}

void RadioCommands::OnPortMessage(const Notice& notice) {
  // A message box in the middle of a transfer would hold its pauses; it waits for the end.
  if (transferring_) {
    heldPortMessages_.push_back(notice);
    return;
  }
  dialogs_.Show(&form_, notice);
}

CReadWriteDlg* RadioCommands::ReadWriteWindow() const {
  // Once closed it is only waiting to be deleted.
  return readWrite_ && readWrite_->isVisible() ? readWrite_.data() : nullptr;
}

void RadioCommands::OnRead() {
  if (transferring_ || !hooks_.offerToSave()) return;
  runTransfer(false);
}

void RadioCommands::OnWrite() {
  hooks_.commitEdits();
  runTransfer(true);
}

namespace {
// Modality only takes effect when a window is shown, so a shown window is shown again.
void setModality(QWidget* window, Qt::WindowModality modality) {
  if (window->windowModality() == modality) return;
  const bool shown = window->isVisible();
  if (shown) window->hide();
  window->setWindowModality(modality);
  if (shown) window->show();
}

// The second line of a port failure: what was tried and why it failed.
QString portFailureDetail(const PortChoice& port, const std::string& reason) {
  if (port.device.empty())
    return QStringLiteral("COM%1 is not present on this machine; choose a port in the Port menu.")
        .arg(port.number);
  return QStringLiteral("%1: %2").arg(QString::fromStdString(port.device),
                                      QString::fromStdString(reason));
}
}  // namespace

CReadWriteDlg* RadioCommands::showReadWriteWindow() {
  if (!readWrite_) {
    readWrite_ = new CReadWriteDlg(&form_);
    readWrite_->setAttribute(Qt::WA_DeleteOnClose);
  }
  // While the transfer runs it holds every other window's input.
  setModality(readWrite_, Qt::ApplicationModal);
  readWrite_->SetStatus({});
  readWrite_->SetProgress(0);
  readWrite_->show();
  readWrite_->raise();
  readWrite_->activateWindow();
  return readWrite_;
}

void RadioCommands::showHeldPortMessages() {
  // Each message once, however often the watch thread said it.
  std::vector<Notice> held;
  held.swap(heldPortMessages_);
  held.erase(std::unique(held.begin(), held.end()), held.end());
  for (const auto& notice : held)
    dialogs_.Show(&form_, notice);
}

void RadioCommands::PauseWithPainting(int milliseconds) {
  // Every event is handled, input included: the progress window is application modal, so the
  // only input that reaches anything is its Stop button. The main form and its pages cannot be
  // touched, and the frame refuses to close, until the transfer is over.
  QEventLoop loop;
  QTimer::singleShot(std::max(0, milliseconds), Qt::PreciseTimer, &loop, &QEventLoop::quit);
  loop.exec();
}

void RadioCommands::runTransfer(bool write) {
  if (transferring_) return;
  CReadWriteDlg* window = showReadWriteWindow();
  ImageTransfer::PauseFunction pause = pause_;
  if (!pause) pause = [](int milliseconds) { PauseWithPainting(milliseconds); };
  // The transfer runs on a thread of its own, on copies of the configuration and the memory
  // images that come back when it is over; its pauses and events run here.
  TransferThread thread(&form_);
  CKX200Doc doc = doc_;
  RadioMemory memory = memory_;
  ImageTransfer engine(port_, memory, thread.Relay(pause));
  window->onStop = [&engine] { engine.RequestStop(); };
  transferring_ = true;
  frame_.SetBusy(true);
  window->SetBusy(true);
  QApplication::setOverrideCursor(Qt::WaitCursor);

  TransferEvents events;
  events.status = [window](const std::string& text) { window->SetStatus(DisplayText(text)); };
  events.progress = [window](int position) { window->SetProgress(position); };
  events.version = [this](const std::string& text) {
    hooks_.showVersion(QString::fromStdString(text));
  };
  events.pllIc = [this](int index) { hooks_.showPllIc(index); };
  // The adapter may have been plugged in or pulled out since the Port menu was last open.
  frame_.RefreshPorts();
  const PortChoice port = frame_.CurrentPort();
  const bool verify = frame_.VerifyAfterWrite();
  const TransferEvents relayed = thread.Relay(events);
  const TransferOutcome outcome = thread.Run([&] {
    if (!write) return engine.OnRead(doc, port, relayed);
    return verify ? engine.OnWriteAndVerify(doc, port, relayed)
                  : engine.OnWrite(doc, port, relayed);
  });
  doc_ = doc;
  memory_ = memory;

  QApplication::restoreOverrideCursor();
  transferring_ = false;
  frame_.SetBusy(false);
  window->onStop = nullptr;
  window->SetBusy(false);
  QString status = DisplayText(outcome.status);
  // The system's reason helps more than the port number alone, above all for a device path.
  if (outcome.result == TransferOutcome::Result::kPortFailed)
    status += QLatin1Char('\n') + portFailureDetail(port, outcome.portError);
  // A failed verification names the bytes, so the technician can see what the radio holds.
  if (!outcome.differences.empty())
    status += QLatin1Char('\n') + QString::fromStdString(VerifyFailureDetail(outcome.differences));
  window->SetStatus(status);
  if (const std::string backup = outcome.BackupText(); !backup.empty()) {
    frame_.ShowNote(QString::fromStdString(backup),
                    QString::fromStdString(outcome.backupPath.empty() ? outcome.backupError
                                                                      : outcome.backupPath));
  }
  if (outcome.ok()) {
    window->close();
  } else {
    // The failure stays on show, and the rest of the program can be used again.
    setModality(window, Qt::NonModal);
  }
  showHeldPortMessages();

  if (!write && outcome.ok()) hooks_.afterRead();
  if (write && outcome.ok()) hooks_.afterWrite();
}

ImageTransfer::PauseFunction RadioCommands::servicePause() const {
  if (pause_) return pause_;
  return [](int milliseconds) {
    // The window keeps painting; clicks wait until the command is over, so no second command
    // starts in the middle of one.
    QEventLoop loop;
    QTimer::singleShot(std::max(0, milliseconds), Qt::PreciseTimer, &loop, &QEventLoop::quit);
    loop.exec(QEventLoop::ExcludeUserInputEvents);
  };
}

void RadioCommands::OnCalibration() {
  if (Busy()) return;
  hooks_.commitEdits();
  frame_.RefreshPorts();
  CCalibrationDlg dialog(port_, doc_, dialogs_, frame_.CurrentPort(), servicePause(), &form_);
  runService(dialog);
}

void RadioCommands::OnSquelch() {
  if (Busy()) return;
  hooks_.commitEdits();
  frame_.RefreshPorts();
  CSquelchDlg dialog(port_, doc_, dialogs_, frame_.CurrentPort(), servicePause(), &form_);
  runService(dialog);
}

void RadioCommands::runService(ServiceDialog& dialog) {
  // The dialog holds the port until it ends; the frame stays open until then.
  inService_ = true;
  frame_.SetBusy(true);
  QApplication::setOverrideCursor(Qt::WaitCursor);
  const PortChoice port = frame_.CurrentPort();
  const ServiceOpening opening = dialog.Start();
  QApplication::restoreOverrideCursor();
  if (opening.version) hooks_.showVersion(QString::fromStdString(*opening.version));
  if (opening.notice) {
    Notice notice = *opening.notice;
    if (opening.portFailed) notice.detail = portFailureDetail(port, notice.detail).toStdString();
    dialogs_.Show(&form_, notice);
  }
  if (opening.ready) {
    if (runServiceDialog_) {
      runServiceDialog_(dialog);
    } else {
      dialog.exec();
    }
  }
  frame_.SetBusy(false);
  inService_ = false;
  hooks_.afterService();
}

}  // namespace kx
