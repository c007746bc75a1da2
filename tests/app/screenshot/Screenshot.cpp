// Takes a picture of the main window on a real X display (Xvfb in scripts/screenshot), so the
// window can be looked at without a desktop.
//   app_screenshot OUTPUT.png [PAGE] [--model-dialog] [--message] [--port DEVICE --during-read]
// PAGE is 0 channel, 1 modem, 2 EEPROM map, 3 system/GPS. With --during-read the picture is
// taken half-way through a read from DEVICE, and a second one, OUTPUT-done.png, once it ended.
// With --message it shows a failed save's message box over the window; with --dialog NAME one
// of the dialogs (option, ctcss, dcs, two-tone, condition, change-map, settings) over the window;
// --model TYPE (2..5) chooses the model first; --edited makes a change (the status bar says
// "Modified") and shows the Edit menu open; --long-message shows the message box of a CSV
// import that refuses 5,000 unknown columns; with --port FILE, --port-gone removes FILE and
// shows the Port menu saying the selected port is not present. With --port DEVICE, --dialog
// calibration or
// --dialog squelch opens that service dialog against the radio on DEVICE, and --after-write
// shows the progress window once a write into that radio (verified) is over; with
// --during-read too, what was read is written back, with OUTPUT-verifying.png taken while the
// write is verified and OUTPUT-written.png once it is (nonzero exit when it was not).
#include <QApplication>
#include <QEventLoop>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QScreen>
#include <QTimer>
#include <cstdio>
#include <memory>

#include "app/CommandIds.h"
#include "app/KX200View.h"
#include "app/MainFrame.h"
#include "app/ModelSelectDlg.h"
#include "app/ProgrammerApp.h"
#include "app/ReadWriteDlg.h"
#include "app/SheetPrinter.h"
#include "editors/ChangeMapDlg.h"
#include "editors/ChannelOptionDialog.h"
#include "editors/EngSettingsDlg.h"
#include "editors/MyPage4.h"
#include "editors/MySheet.h"
#include "editors/TonePickerDialog.h"
#include "editors/TwoToneConditionDialog.h"
#include "editors/TwoToneDataDialog.h"
#include "link/ImageTransfer.h"
#include "model/KX200Doc.h"
#include "report/DataSheet.h"
#include "service/CalibrationDlg.h"
#include "service/SquelchDlg.h"
#include "textio/CsvChannels.h"
#include "ui/UserDialogs.h"

namespace {

void settle(int milliseconds) {
  QEventLoop loop;
  QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
  loop.exec();
}

bool shoot(const QString& file) {
  const QPixmap shot = QGuiApplication::primaryScreen()->grabWindow(0);
  if (!shot.save(file)) {
    std::fprintf(stderr, "cannot write %s\n", file.toLocal8Bit().constData());
    return false;
  }
  std::printf("%s\n", file.toLocal8Bit().constData());
  return true;
}

// A channel dialog shown over the channel page, on a programmed KX600 channel with a tone.
bool shootDialog(kx::CProgrammerApp& program, kx::UserDialogs& dialogs, const QString& name,
                 const QString& output) {
  program.View()->OnModelChosen(kx::model::kKx600Uhf);
  kx::CKX200Doc& doc = program.Document();
  doc.twoToneLocked = 0;
  kx::ChannelRecord& c = doc.channels[0];
  c.rxFreqMHz = c.txFreqMHz = 420.0;
  c.rxOption = kx::kOptionCtcss;
  c.rxCtcssHz = 69.3;
  c.txOption = kx::kOptionDcs;
  doc.currentChannel = 1;
  program.View()->Sheet().ChannelPage().Refresh();
  std::unique_ptr<QDialog> dialog;
  if (name == QStringLiteral("option"))
    dialog = std::make_unique<kx::ChannelOptionDialog>(doc, dialogs);
  if (name == QStringLiteral("ctcss")) dialog = std::make_unique<kx::CtcssPickerDialog>();
  if (name == QStringLiteral("dcs")) dialog = std::make_unique<kx::DcsPickerDialog>();
  if (name == QStringLiteral("two-tone"))
    dialog = std::make_unique<kx::TwoToneDataDialog>(doc, dialogs);
  if (name == QStringLiteral("change-map"))
    dialog = std::make_unique<kx::CChangeMapDlg>(doc, program.Memory(), dialogs, 0xB8);
  if (name == QStringLiteral("settings"))
    dialog = std::make_unique<kx::CEngSettingsDlg>(program.Memory().working);
  if (name == QStringLiteral("condition"))
    dialog = std::make_unique<kx::TwoToneConditionDialog>(doc, dialogs);
  QPrinter printer(QPrinter::HighResolution);
  const kx::DataSheet sheet = kx::LayoutDataSheet(doc);
  if (name == QStringLiteral("preview")) {
    auto preview = std::make_unique<QPrintPreviewDialog>(&printer);
    QObject::connect(preview.get(), &QPrintPreviewDialog::paintRequested,
                     [&sheet](QPrinter* target) { kx::PaintDataSheet(sheet, *target); });
    preview->resize(1200, 760);
    dialog = std::move(preview);
  }
  if (!dialog) {
    std::fprintf(stderr, "unknown dialog %s\n", name.toLocal8Bit().constData());
    return false;
  }
  dialog->show();
  settle(700);
  return shoot(output);
}

// A service dialog over the window, started against the radio on the selected port.
bool shootServiceDialog(kx::CProgrammerApp& program, kx::UserDialogs& dialogs, const QString& name,
                        const QString& output) {
  kx::CKX200View* view = program.View();
  const kx::PortChoice port = program.Frame()->CurrentPort();
  auto pause = [view](int milliseconds) { view->PauseWithPainting(milliseconds); };
  std::unique_ptr<kx::ServiceDialog> dialog;
  if (name == QStringLiteral("calibration")) {
    dialog = std::make_unique<kx::CCalibrationDlg>(view->Port(), program.Document(), dialogs, port,
                                                   pause, view);
  } else {
    dialog = std::make_unique<kx::CSquelchDlg>(view->Port(), program.Document(), dialogs, port,
                                               pause, view);
  }
  const kx::ServiceOpening opening = dialog->Start();
  if (!opening.ready) {
    std::fprintf(stderr, "%s\n", opening.notice ? opening.notice->text.c_str() : "not ready");
    return false;
  }
  if (opening.version) view->Version()->setText(QString::fromStdString(*opening.version));
  dialog->show();
  settle(700);
  return shoot(output);
}

}  // namespace

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  QStringList args = QApplication::arguments();
  args.removeFirst();
  const bool keepModelDialog = args.removeAll(QStringLiteral("--model-dialog")) > 0;
  const bool duringRead = args.removeAll(QStringLiteral("--during-read")) > 0;
  const bool message = args.removeAll(QStringLiteral("--message")) > 0;
  const bool edited = args.removeAll(QStringLiteral("--edited")) > 0;
  const bool afterWrite = args.removeAll(QStringLiteral("--after-write")) > 0;
  const bool longMessage = args.removeAll(QStringLiteral("--long-message")) > 0;
  const bool portGone = args.removeAll(QStringLiteral("--port-gone")) > 0;
  QString dialogName;
  int model = 0;
  if (const qsizetype at = args.indexOf(QStringLiteral("--model"));
      at >= 0 && at + 1 < args.size()) {
    model = args[at + 1].toInt();
    args.remove(at, 2);
  }
  if (const qsizetype at = args.indexOf(QStringLiteral("--dialog"));
      at >= 0 && at + 1 < args.size()) {
    dialogName = args[at + 1];
    args.remove(at, 2);
  }
  QStringList programArgs{QStringLiteral("kxprog")};
  if (const qsizetype at = args.indexOf(QStringLiteral("--port"));
      at >= 0 && at + 1 < args.size()) {
    programArgs << args[at] << args[at + 1];
    args.remove(at, 2);
  }
  if (args.isEmpty()) {
    std::fprintf(stderr,
                 "usage: app_screenshot OUTPUT.png [PAGE] [--model-dialog] [--message] [--port "
                 "DEVICE --during-read]\n");
    return 2;
  }
  const QString output = args[0];
  const int page = args.size() > 1 ? args[1].toInt() : 0;

  kx::QtUserDialogs dialogs;
  kx::CProgrammerApp program(dialogs);
  if (!program.InitInstance(programArgs)) return 1;
  // Without a window manager nothing maximises the frame, so give it the screen.
  program.Frame()->setGeometry(QGuiApplication::primaryScreen()->availableGeometry());
  settle(500);
  kx::CKX200View* view = program.View();
  if (!keepModelDialog && view->FirstModelDialog()) view->FirstModelDialog()->close();
  if (model != 0) view->OnModelChosen(static_cast<kx::ModelType>(model));
  switch (page) {
    case 1:
      view->ShowModemPage();
      break;
    case 2:
      view->ShowEepromPage();
      break;
    case 3:
      view->ShowSystemPage();
      break;
    default:
      view->ShowChannelPage();
      break;
  }
  settle(700);
  if (edited) {
    kx::CMyPage4& channels = view->Sheet().ChannelPage();
    channels.RxEdit(2)->setText(QStringLiteral("150"));
    channels.ValidateRxFrequency(2);
    view->OnDocumentEdited();
    kx::CMainFrame& frame = *program.Frame();
    const QRect title = frame.menuBar()->actionGeometry(frame.EditMenu()->menuAction());
    frame.EditMenu()->popup(frame.menuBar()->mapToGlobal(title.bottomLeft()));
    settle(700);
  }
  if (portGone) {
    // The device of --port (a file the script made) goes away, then the Port menu opens.
    kx::CMainFrame& frame = *program.Frame();
    std::remove(frame.CurrentPort().device.c_str());
    QMenu* ports = frame.Menu(2);
    ports->popup(frame.menuBar()->mapToGlobal(
        frame.menuBar()->actionGeometry(ports->menuAction()).bottomLeft()));
    settle(700);
    return shoot(output) ? 0 : 1;
  }
  if (longMessage) {
    // The refusals of a channel table with 5,000 columns no channel page has, in one box as an
    // import shows them.
    std::string table = "CH";
    for (int column = 1; column <= 5000; ++column)
      table += ",Column " + std::to_string(column);
    kx::CKX200Doc scratch = program.Document();
    const kx::Outcome refused = kx::ImportChannelsCsv(scratch, table + "\n1\n", "wide.csv");
    kx::Notice box{{}, kx::NoticeKind::kStop, {}};
    for (const kx::Notice& n : refused.messages)
      box.text += (box.text.empty() ? "" : "\n") + n.text;
    bool shot = false;
    QTimer::singleShot(700, [&] {
      shot = shoot(output);
      if (QWidget* open = QApplication::activeModalWidget()) open->close();
    });
    dialogs.Show(program.Frame(), box);
    return shot ? 0 : 1;
  }
  if (message) {
    bool shot = false;
    QTimer::singleShot(700, [&] {
      shot = shoot(output);
      if (QWidget* box = QApplication::activeModalWidget()) box->close();
    });
    dialogs.Show(program.Frame(),
                 {"Cannot Save File!", kx::NoticeKind::kStop, "The file is read-only"});
    return shot ? 0 : 1;
  }
  if (dialogName == QStringLiteral("calibration") || dialogName == QStringLiteral("squelch"))
    return shootServiceDialog(program, dialogs, dialogName, output) ? 0 : 1;
  if (!dialogName.isEmpty()) return shootDialog(program, dialogs, dialogName, output) ? 0 : 1;
  if (afterWrite && !duringRead) {
    program.Frame()->Action(kx::cmd::kWriteRadio)->trigger();
    settle(700);
    return shoot(output) ? 0 : 1;
  }
  if (!duringRead) return shoot(output) ? 0 : 1;

  const auto named = [&output](const char* suffix) {
    QString file = output;
    return file.replace(QStringLiteral(".png"), QString::fromLatin1(suffix));
  };
  int pauses = 0;
  bool shot = false;
  bool writing = false;
  bool verifyShot = false;
  view->SetPauseFunction([&](int milliseconds) {
    view->PauseWithPainting(milliseconds);
    if (!writing && ++pauses == 16) shot = shoot(output);
    // Written back: one picture while the radio is read again to verify the write.
    const kx::CReadWriteDlg* window = view->ReadWriteWindow();
    if (writing && !verifyShot && window &&
        window->Status() == QString::fromLatin1(kx::transfer_status::kVerifying))
      verifyShot = shoot(named("-verifying.png"));
  });
  program.Frame()->Action(kx::cmd::kReadRadio)->trigger();
  settle(700);
  if (!shot || !shoot(named("-done.png"))) return 1;
  if (!afterWrite) return 0;
  // What was read, written back: a verified write closes its window by itself.
  writing = true;
  program.Frame()->Action(kx::cmd::kWriteRadio)->trigger();
  settle(700);
  return verifyShot && !view->ReadWriteWindow() && shoot(named("-written.png")) ? 0 : 1;
}
