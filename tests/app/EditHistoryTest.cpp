// Working without losing work: the edit history, the save question, the Modified pane, the
// recent files and files dropped on the window.
#ifndef _WIN32
#include <sys/stat.h>
#endif
#include <QCheckBox>
#include <QComboBox>
#include <QDropEvent>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QUndoStack>
#include <QUrl>

#include <filesystem>
#include <fstream>

#include "AppFixture.h"
#include "app/CommandIds.h"
#include "app/ReadWriteDlg.h"
#include "editors/ComDlg.h"
#include "editors/MyPage2.h"
#include "editors/MyPage3.h"
#include "editors/MyPage4.h"
#include "model/ConfigFile.h"

namespace kx::test {

class EditHistoryTest : public AppTest {
 protected:
  CMyPage4& channels() { return view().Sheet().ChannelPage(); }
  static void type(QLineEdit* edit, const char* text) {
    edit->setText(QString::fromLatin1(text));
    QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(edit, &out);
    QCoreApplication::processEvents();
  }
  void patchByte(int row, int column, const char* value) {
    CComDlg& map = view().Sheet().ComPage();
    map.runDialog = EnterMapByte(value);
    emit map.Grid()->cellDoubleClicked(row, column);
  }
  // The saved bytes and the hand patches: what undo and redo must give back exactly.
  std::vector<std::uint8_t> snapshot() {
    const auto file = EncodeConfigFile(doc());
    const RadioMemory& memory = app->Memory();
    std::vector<std::uint8_t> bytes;
    bytes.reserve(file.size() + memory.pendingFlags.size() + memory.pendingValues.size());
    bytes.insert(bytes.end(), file.begin(), file.end());
    bytes.insert(bytes.end(), memory.pendingFlags.begin(), memory.pendingFlags.end());
    bytes.insert(bytes.end(), memory.pendingValues.begin(), memory.pendingValues.end());
    return bytes;
  }
  QString menuText(int command) { return frame().Action(command)->text(); }
  QString modifiedPane() { return frame().ModifiedPane()->text(); }
  std::string file(const char* name) { return (files.path() / name).string(); }
  void answerFile(const std::string& path) {
    dialogs.fileAnswers.push_back(QString::fromStdString(path));
  }
  // As a drag delivers it: through the program's event filters on the way to the widget under
  // the pointer (a drop sent straight to a widget outside a drag never reaches them).
  bool drop(const std::string& path, QWidget* target) {
    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile(QString::fromStdString(path))});
    QDropEvent event(QPointF(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    const bool taken = frame().eventFilter(target, &event) && event.isAccepted();
    QCoreApplication::processEvents();
    return taken;
  }
  // With a side file naming COM7, which is not plugged in, reads and writes fail at once.
  void startWithoutRadio() {
    std::filesystem::create_directories(config.path() / "kxprog");
    writeAll(sideFile(), {7, 0, 0, 0});
    start();
  }
};

TEST_F(EditHistoryTest, UndoAndRedoWalkMixedEditsBackAndForthToTheExactBytes) {
  start();
  // Chosen for a configuration with nothing unsaved, a model leaves nothing unsaved either.
  view().OnModelChosen(model::kKx600Uhf);
  EXPECT_EQ(modifiedPane(), "");
  dialogs.yesNoAnswers = {true};  // the band change clears the frequencies
  CMyPage2& system = view().Sheet().SystemPage();
  const struct {
    std::function<void()> edit;
    QString step;
  } edits[] = {
      {[&] { type(channels().RxEdit(2), "420"); }, "Channel 3 Rx Freq(MHz)"},
      {[&] { channels().ScanBox(2)->click(); }, "Channel 3 Scan"},
      {[&] { emit channels().HangList()->activated(3); }, "Hang Timer"},
      {[&] { system.SquelchBox()->click(); }, "Enables Squelch"},
      {[&] { type(system.ScanSpeedEdit(), "300"); }, "Scan Speed Time"},
      {[&] { patchByte(1, 12, "42"); }, "EEPROM map byte 0x01C"},
      {[&] { view().OnSelchangeBand(1); }, "Band choice"},
      {[&] { type(channels().RxEdit(0), "450"); }, "Channel 1 Rx Freq(MHz)"},
  };
  std::vector<std::vector<std::uint8_t>> states{snapshot()};
  for (const auto& e : edits) {
    e.edit();
    EXPECT_EQ(menuText(cmd::kEditUndo), "&Undo " + e.step);
    states.push_back(snapshot());
  }
  EXPECT_EQ(modifiedPane(), "Modified");

  for (std::size_t k = states.size() - 1; k > 0; --k) {
    trigger(cmd::kEditUndo);
    EXPECT_EQ(snapshot(), states[k - 1]) << edits[k - 1].step.toStdString();
    EXPECT_EQ(menuText(cmd::kEditRedo), "&Redo " + edits[k - 1].step);
  }
  // Every page shows the configuration as it was, and nothing is unsaved.
  EXPECT_EQ(menuText(cmd::kEditUndo), "&Undo Model choice");
  EXPECT_EQ(channels().RxEdit(2)->text(), "");
  EXPECT_FALSE(channels().ScanBox(2)->isChecked());
  EXPECT_EQ(view().BandList()->currentIndex(), 0);
  EXPECT_EQ(modifiedPane(), "");

  for (std::size_t k = 1; k < states.size(); ++k) {
    trigger(cmd::kEditRedo);
    EXPECT_EQ(snapshot(), states[k]) << edits[k - 1].step.toStdString();
  }
  EXPECT_EQ(channels().RxEdit(0)->text(), "450.00000");
  EXPECT_EQ(app->Memory().working[0x1C], 0x42);  // the patch is over the image again
  EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(EditHistoryTest, EveryStepIsNamedByTheLabelOfTheControlTouched) {
  start();
  view().OnModelChosen(model::kKx600Vhf);
  CMyPage2& system = view().Sheet().SystemPage();
  CMyPage3& modem = view().Sheet().ModemPage();
  const struct {
    std::function<void()> edit;
    QWidget* control;
    QString step;
  } edits[] = {
      {[&] { system.GpsBox()->click(); }, system.GpsBox(), "Enables GPS"},
      {[&] { emit system.GpsCycleList()->activated(5); }, system.GpsCycleList(),
       "Transmission Cycle"},
      {[&] { type(system.GpsDataTimeEdit(), "7"); }, system.GpsDataTimeEdit(),
       "Data Transmission Time"},
      {[&] { system.BusyPortRadio()->click(); }, system.BusyPortRadio(), "Busy Port Check"},
      // Typed only into Tx, the frequency moves into Rx as well.
      {[&] { type(channels().TxEdit(1), "150"); }, channels().TxEdit(1), "Channel 2 Tx Freq(MHz)"},
      {[&] { channels().WidthBox(1)->click(); }, channels().WidthBox(1), "Channel 2 BW"},
      {[&] { modem.GmskBox()->click(); }, modem.GmskBox(), "GMSK"},
      {[&] { modem.ModemButton()->click(); }, modem.ModemButton(), "Modem Enable"},
      {[&] { emit modem.List(ModemListId::kPreamble)->activated(7); },
       modem.List(ModemListId::kPreamble), "Preamble Data Size ( bit )"},
      // DEFAULT puts the preamble back, among others.
      {[&] { modem.DefaultButton()->click(); }, modem.DefaultButton(), "DEFAULT"},
      {[&] { type(modem.DelayEdit(ModemDelay::kTxOn), "30"); }, modem.DelayEdit(ModemDelay::kTxOn),
       "Tx On Delay"},
  };
  for (const auto& e : edits) {
    const int steps = view().History().count();
    e.edit();
    EXPECT_EQ(view().History().count(), steps + 1) << e.step.toStdString();
    EXPECT_EQ(menuText(cmd::kEditUndo), "&Undo " + e.step);
    EXPECT_EQ(COptionPage::ControlName(e.control), e.step);  // the page's own label
  }
  EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(EditHistoryTest, HistoryKeepsAHundredStepsAndClicksThatChangeNothingAreNone) {
  start();
  for (int i = 0; i < 101; ++i)
    channels().ScanBox(5)->click();
  view().Sheet().ComPage().ClearButton()->click();
  EXPECT_EQ(view().History().count(), 101);
  for (int i = 0; i < 101; ++i)
    trigger(cmd::kEditUndo);
  EXPECT_EQ(doc().channels[5].scan, 0);
}

TEST_F(EditHistoryTest, SaveDiscardAndCancelBeforeCloseNewAndRead) {
  enum class Command { kClose, kNew, kRead };
  const struct {
    Command command;
    bool edited;
    SaveChoice answer;
    bool saveDialogCancelled;
    bool goesOn;
  } cases[] = {
      {Command::kClose, true, SaveChoice::kSave, false, true},
      {Command::kClose, true, SaveChoice::kSave, true, false},
      {Command::kClose, true, SaveChoice::kDiscard, false, true},
      {Command::kClose, true, SaveChoice::kCancel, false, false},
      {Command::kClose, false, SaveChoice::kCancel, false, true},
      {Command::kNew, true, SaveChoice::kSave, false, true},
      {Command::kNew, true, SaveChoice::kDiscard, false, true},
      {Command::kNew, true, SaveChoice::kCancel, false, false},
      {Command::kNew, false, SaveChoice::kCancel, false, true},
      {Command::kRead, true, SaveChoice::kSave, false, true},
      {Command::kRead, true, SaveChoice::kSave, true, false},
      {Command::kRead, true, SaveChoice::kDiscard, false, true},
      {Command::kRead, true, SaveChoice::kCancel, false, false},
      {Command::kRead, false, SaveChoice::kCancel, false, true},
  };
  const std::string path = file("kept.dat");
  for (const auto& c : cases) {
    SCOPED_TRACE(static_cast<int>(&c - cases));
    app.reset();
    dialogs = {};
    std::filesystem::remove(path);
    startWithoutRadio();
    type(channels().RxEdit(0), "150");
    // Undone, the configuration is as it started: nothing to ask about.
    if (!c.edited) trigger(cmd::kEditUndo);
    const auto edited = EncodeConfigFile(doc());
    dialogs.saveAnswers = {c.answer};
    dialogs.fileAnswers = {c.saveDialogCancelled ? QString() : QString::fromStdString(path)};

    bool wentOn = false;
    if (c.command == Command::kClose) wentOn = frame().close();
    if (c.command == Command::kNew) {
      trigger(cmd::kFileNew);
      wentOn = doc().channels[0].isEmpty() || !c.edited;
    }
    if (c.command == Command::kRead) {
      trigger(cmd::kReadRadio);
      wentOn = view().ReadWriteWindow() != nullptr;
    }
    const std::vector<QString> asked{c.edited ? 1u : 0u, QString(CKX200View::kSaveFirst)};
    EXPECT_EQ(dialogs.questions, asked);
    EXPECT_EQ(wentOn, c.goesOn);
    const bool saved = c.edited && c.answer == SaveChoice::kSave && !c.saveDialogCancelled;
    ASSERT_EQ(std::filesystem::exists(path), saved);
    if (saved) {
      EXPECT_EQ(readAll(path), std::vector<std::uint8_t>(edited.begin(), edited.end()));
    }
  }
}

TEST_F(EditHistoryTest, ModifiedIsClearedBySaveAndLoadButNotByFailures) {
  startWithoutRadio();
  EXPECT_EQ(heard(frame().ModifiedPane()), "Not modified");
  channels().ScanBox(0)->click();
  EXPECT_EQ(modifiedPane(), "Modified");
  EXPECT_EQ(heard(frame().ModifiedPane()), "Modified");
  EXPECT_EQ(frame().MessagePane()->text(), "Ready");
  answerFile(file("a.dat"));
  trigger(cmd::kFileSave);
  EXPECT_EQ(modifiedPane(), "");
  EXPECT_EQ(heard(frame().ModifiedPane()), "Not modified");
  EXPECT_TRUE(frame().Action(cmd::kEditUndo)->isEnabled());  // saving is no edit

  channels().ScanBox(1)->click();
  dialogs.saveAnswers = {SaveChoice::kDiscard, SaveChoice::kDiscard};
  answerFile(file("a.dat"));
  trigger(cmd::kFileOpen);
  EXPECT_EQ(modifiedPane(), "");
  EXPECT_FALSE(frame().Action(cmd::kEditUndo)->isEnabled());  // a fresh history

  channels().ScanBox(1)->click();
  trigger(cmd::kWriteRadio);
  EXPECT_TRUE(view().ReadWriteWindow()->Status().startsWith("Fail to open PORT7"));
  EXPECT_EQ(modifiedPane(), "Modified");
  writeAll(file("short.dat"), {1, 2, 3});
  answerFile(file("short.dat"));
  trigger(cmd::kFileOpen);
  EXPECT_EQ(dialogs.messages.back(), file_message::kCorrupted);
  EXPECT_EQ(modifiedPane(), "Modified");
  EXPECT_TRUE(frame().Action(cmd::kEditUndo)->isEnabled());
}

TEST_F(EditHistoryTest, RecentFilesAreKeptBetweenRunsAndAMissingOneIsTakenOff) {
  start();
  for (const char* name : {"a.dat", "b.dat", "c.dat", "d.dat", "e.dat", "b.dat"}) {
    answerFile(file(name));
    trigger(cmd::kFileSave);
  }
  QStringList newest;
  for (const char* name : {"b.dat", "e.dat", "d.dat", "c.dat"})
    newest << QString::fromStdString(file(name));
  app.reset();
  start();
  EXPECT_EQ(frame().RecentFilePaths(), newest);
  EXPECT_EQ(itemTexts(frame().Menu(0)).mid(13),
            (QStringList{"&1 " + newest[0], "&2 " + newest[1], "&3 " + newest[2], "&4 " + newest[3],
                         "-", "E&xit"}));

  std::filesystem::remove(file("e.dat"));
  trigger(cmd::kFileRecentFirst + 1);
  EXPECT_EQ(dialogs.messages,
            std::vector<QString>{newest[1] +
                                 " cannot be found. It has been taken off the recent files."});
  EXPECT_EQ(frame().RecentFilePaths(), (QStringList{newest[0], newest[2], newest[3]}));

  channels().ScanBox(3)->click();
  dialogs.saveAnswers = {SaveChoice::kDiscard};
  trigger(cmd::kFileRecentFirst + 2);
  EXPECT_EQ(doc().channels[3].scan, 0);
  EXPECT_EQ(frame().RecentFilePaths().front(), newest[3]);
}

TEST_F(EditHistoryTest, RecentFileIsLookedAtAsTheLoadersLookAtAFile) {
  start();
  const std::string big = file("zeros.dat");
  const std::string fifo = file("pipe.dat");
  const std::string notes = file("notes.txt");
  std::ofstream{big};
  std::filesystem::resize_file(big, std::uintmax_t{200} << 20);
#ifdef _WIN32
  const std::string device = "\\\\.\\COM1";
  std::filesystem::create_directory(fifo);  // Windows has no FIFOs: a folder of that name
#else
  const std::string device = "/dev/zero";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
#endif
  writeAll(notes, {'x'});
  const struct {
    std::string path;
    Notice said;
  } cases[] = {
      {big, {file_message::kCannotOpen, NoticeKind::kStop, "larger than 1048576 bytes"}},
      {device, {file_message::kCannotOpen, NoticeKind::kStop, "Not a regular file"}},
      {fifo, {file_message::kCannotOpen, NoticeKind::kStop, "Not a regular file"}},
      {notes, {file_message::kCorrupted, NoticeKind::kStop, ""}},
  };
  channels().ScanBox(0)->click();  // unsaved, and kept by every refusal
  for (const auto& c : cases) {
    SCOPED_TRACE(c.path);
    frame().AddRecentFile(QString::fromStdString(c.path));
    trigger(cmd::kFileRecentFirst);
    ASSERT_FALSE(dialogs.notices.empty());
    EXPECT_EQ(dialogs.notices.back(), c.said);
    dialogs.notices.clear();
    EXPECT_EQ(doc().channels[0].scan, 1);
  }
  // Refused before the question: there was nothing to save for.
  EXPECT_TRUE(dialogs.questions.empty());
}

TEST_F(EditHistoryTest, FileDroppedOnTheWindowOpensAsLoadDoes) {
  start();
  type(channels().RxEdit(4), "150");
  answerFile(file("five.dat"));
  trigger(cmd::kFileSave);
  writeAll(file("notes.txt"), {'x'});
  writeAll(file("bad.dat"), {1, 2, 3});
  channels().ScanBox(0)->click();

  // Anything but a configuration file is left to the control under the pointer.
  EXPECT_FALSE(drop(file("notes.txt"), channels().RxEdit(0)));
  dialogs.saveAnswers = {SaveChoice::kCancel, SaveChoice::kDiscard};
  EXPECT_TRUE(drop(file("five.dat"), channels().RxEdit(0)));
  EXPECT_EQ(doc().channels[0].scan, 1);  // cancelled
  EXPECT_TRUE(drop(file("five.dat"), &frame()));
  EXPECT_EQ(doc().channels[0].scan, 0);
  EXPECT_EQ(dialogs.questions.size(), 2u);
  EXPECT_TRUE(drop(file("bad.dat"), &frame()));
  EXPECT_EQ(dialogs.messages.back(), file_message::kCorrupted);
}

}  // namespace kx::test
