// Working without losing work: the edit history, the questions before a command replaces a
// modified configuration, the Modified pane, the recent files and files dropped on the window.
#include <QCheckBox>
#include <QComboBox>
#include <QDropEvent>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QTableWidget>
#include <QUndoStack>
#include <QUrl>
#include <filesystem>

#include "AppFixture.h"
#include "app/CommandIds.h"
#include "app/ReadWriteDlg.h"
#include "editors/ChangeMapDlg.h"
#include "editors/ComDlg.h"
#include "editors/MyPage2.h"
#include "editors/MyPage4.h"
#include "model/ConfigFile.h"
#include "model/RadioMemory.h"

namespace kx::test {

class EditHistoryTest : public AppTest {
 protected:
  CMyPage4& channels() { return view().Sheet().ChannelPage(); }
  CMyPage2& system() { return view().Sheet().SystemPage(); }
  static void leave(QWidget* edit) {
    QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(edit, &out);
    QCoreApplication::processEvents();
  }
  static void type(QLineEdit* edit, const char* text) {
    edit->setText(QString::fromLatin1(text));
    leave(edit);
  }
  void patchByte(int row, int column, const char* value) {
    CComDlg& map = view().Sheet().ComPage();
    map.runDialog = [value](QDialog& dialog) {
      auto& change = dynamic_cast<CChangeMapDlg&>(dialog);
      change.CodeEdit()->setText(QStringLiteral("8413"));
      change.InputButton()->click();
      change.ValueEdit()->setText(QString::fromLatin1(value));
      change.OkButton()->click();
      return dialog.result();
    };
    emit map.Grid()->cellDoubleClicked(row, column);
  }
  // The saved bytes and the hand patches: what undo and redo must give back exactly.
  std::vector<std::uint8_t> snapshot() {
    const auto file = EncodeConfigFile(doc());
    std::vector<std::uint8_t> bytes(file.begin(), file.end());
    const RadioMemory& memory = app->Memory();
    bytes.insert(bytes.end(), memory.pendingFlags.begin(), memory.pendingFlags.end());
    bytes.insert(bytes.end(), memory.pendingValues.begin(), memory.pendingValues.end());
    return bytes;
  }
  QString undoText() { return frame().Action(cmd::kEditUndo)->text(); }
  QString modifiedPane() { return frame().ModifiedPane()->text(); }
  std::string file(const char* name) { return (files.path() / name).string(); }
  void save(const std::string& path) {
    dialogs.fileAnswers.push_back(QString::fromStdString(path));
    trigger(cmd::kFileSave);
  }
  void drop(const std::string& path, QWidget* target) {
    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile(QString::fromStdString(path))});
    QDropEvent event(QPointF(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    // As a drag delivers it: through the program's event filters to the widget under the
    // pointer (a synthetic drop sent to a widget never reaches them).
    lastDropTaken = frame().eventFilter(target, &event) && event.isAccepted();
    QCoreApplication::processEvents();
  }
  // A side file naming COM7, which is not plugged in: reads and writes fail at once.
  void startWithoutRadio() {
    std::filesystem::create_directories(config.path() / "kxprog");
    writeAll(sideFile(), {7, 0, 0, 0});
    start();
  }

  bool lastDropTaken = false;
};

TEST_F(EditHistoryTest, UndoAndRedoWalkMixedEditsBackAndForthToTheExactBytes) {
  start();
  // A UHF model has two sub-bands. Chosen for a configuration with nothing unsaved, it leaves
  // nothing unsaved either.
  view().OnModelChosen(model::kKx600Uhf);
  EXPECT_EQ(undoText(), "&Undo Model choice");
  dialogs.yesNoAnswers = {true};  // the band change clears the frequencies
  const struct {
    std::function<void()> edit;
    const char* step;
  } edits[] = {
      {[&] { type(channels().RxEdit(2), "420"); }, "Channel 3 Rx frequency"},
      {[&] { channels().ScanBox(2)->click(); }, "Channel 3 scan"},
      {[&] { emit channels().HangList()->activated(3); }, "Hang-on time"},
      {[&] { system().SquelchBox()->click(); }, "Squelch"},
      {[&] { type(system().ScanSpeedEdit(), "300"); }, "Scan speed"},
      {[&] { patchByte(1, 12, "42"); }, "EEPROM map byte 0x01C"},
      {[&] { view().OnSelchangeBand(1); }, "Band choice"},
      {[&] { type(channels().RxEdit(0), "450"); }, "Channel 1 Rx frequency"},
  };
  EXPECT_EQ(modifiedPane(), "");
  std::vector<std::vector<std::uint8_t>> states{snapshot()};
  for (const auto& e : edits) {
    e.edit();
    EXPECT_NE(snapshot(), states.back()) << e.step;
    EXPECT_EQ(undoText(), QStringLiteral("&Undo ") + QString::fromLatin1(e.step));
    states.push_back(snapshot());
  }
  EXPECT_EQ(modifiedPane(), "Modified");
  EXPECT_TRUE(dialogs.messages.empty());

  for (std::size_t k = states.size() - 1; k > 0; --k) {
    trigger(cmd::kEditUndo);
    EXPECT_EQ(snapshot(), states[k - 1]) << edits[k - 1].step;
    EXPECT_EQ(frame().Action(cmd::kEditRedo)->text(),
              QStringLiteral("&Redo ") + QString::fromLatin1(edits[k - 1].step));
  }
  // Back where the edits started: every page shows it, and nothing is unsaved.
  EXPECT_EQ(undoText(), "&Undo Model choice");
  EXPECT_EQ(channels().RxEdit(2)->text(), "");
  EXPECT_FALSE(channels().ScanBox(2)->isChecked());
  EXPECT_EQ(system().ScanSpeedEdit()->text(), QString::number(doc().scanSpeedMs));
  EXPECT_EQ(view().BandList()->currentIndex(), 0);
  EXPECT_EQ(app->Memory().pendingCount(), 0u);
  EXPECT_EQ(modifiedPane(), "");

  for (std::size_t k = 1; k < states.size(); ++k) {
    trigger(cmd::kEditRedo);
    EXPECT_EQ(snapshot(), states[k]) << edits[k - 1].step;
  }
  EXPECT_EQ(channels().RxEdit(0)->text(), "450.00000");
  EXPECT_EQ(app->Memory().working[0x1C], 0x42);  // the patch is over the image again
  EXPECT_FALSE(frame().Action(cmd::kEditRedo)->isEnabled());

  // The shortcuts of the Edit menu.
  EXPECT_EQ(frame().Action(cmd::kEditUndo)->shortcut(), QKeySequence(QStringLiteral("Ctrl+Z")));
  EXPECT_EQ(frame().Action(cmd::kEditRedo)->shortcuts(),
            (QList<QKeySequence>{QKeySequence(QStringLiteral("Ctrl+Shift+Z")),
                                 QKeySequence(QStringLiteral("Ctrl+Y"))}));
}

TEST_F(EditHistoryTest, HistoryKeepsAHundredStepsAndIgnoresClicksThatChangeNothing) {
  start();
  for (int i = 0; i < 101; ++i)
    channels().ScanBox(5)->click();
  // A button that changes nothing in the configuration is no step.
  view().Sheet().ComPage().ClearButton()->click();
  EXPECT_EQ(view().History().count(), 101);
  for (int i = 0; i < 101; ++i) {
    ASSERT_TRUE(frame().Action(cmd::kEditUndo)->isEnabled()) << i;
    trigger(cmd::kEditUndo);
  }
  EXPECT_EQ(doc().channels[5].scan, 0);
}

// Each command that replaces the configuration asks first, and each answer does what it says.
TEST_F(EditHistoryTest, SaveDiscardAndCancelBeforeCloseNewAndRead) {
  enum class Command { kClose, kNew, kRead };
  struct Case {
    Command command;
    SaveChoice answer;
    bool saveDialogCancelled;
    bool goesOn;
  };
  const Case cases[] = {
      {Command::kClose, SaveChoice::kSave, false, true},
      {Command::kClose, SaveChoice::kSave, true, false},
      {Command::kClose, SaveChoice::kDiscard, false, true},
      {Command::kClose, SaveChoice::kCancel, false, false},
      {Command::kNew, SaveChoice::kSave, false, true},
      {Command::kNew, SaveChoice::kSave, true, false},
      {Command::kNew, SaveChoice::kDiscard, false, true},
      {Command::kNew, SaveChoice::kCancel, false, false},
      {Command::kRead, SaveChoice::kSave, false, true},
      {Command::kRead, SaveChoice::kDiscard, false, true},
      {Command::kRead, SaveChoice::kCancel, false, false},
  };
  int n = 0;
  for (const Case& c : cases) {
    SCOPED_TRACE(n);
    app.reset();
    dialogs = {};
    startWithoutRadio();
    type(channels().RxEdit(0), "150");
    const auto bytes = EncodeConfigFile(doc());
    const std::vector<std::uint8_t> edited(bytes.begin(), bytes.end());
    const std::string path = file("kept.dat");
    std::filesystem::remove(path);
    dialogs.saveAnswers = {c.answer};
    dialogs.fileAnswers = {c.saveDialogCancelled ? QString() : QString::fromStdString(path)};

    bool wentOn = false;
    switch (c.command) {
      case Command::kClose:
        wentOn = frame().close();
        break;
      case Command::kNew:
        trigger(cmd::kFileNew);
        wentOn = doc().channels[0].isEmpty();
        break;
      case Command::kRead:
        trigger(cmd::kReadRadio);
        wentOn = view().ReadWriteWindow() != nullptr;
        break;
    }
    EXPECT_EQ(dialogs.questions, std::vector<QString>{CKX200View::kSaveFirst});
    EXPECT_EQ(wentOn, c.goesOn);
    const bool saved = c.answer == SaveChoice::kSave && !c.saveDialogCancelled;
    EXPECT_EQ(std::filesystem::exists(path), saved);
    if (saved) {
      EXPECT_EQ(readAll(path), edited);
    }
    ++n;
  }
}

TEST_F(EditHistoryTest, NothingIsAskedWhenNothingChanged) {
  startWithoutRadio();
  type(channels().RxEdit(0), "150");
  trigger(cmd::kEditUndo);  // back to the configuration as it started
  trigger(cmd::kFileNew);
  trigger(cmd::kReadRadio);
  EXPECT_TRUE(frame().close());
  EXPECT_TRUE(dialogs.questions.empty());
}

TEST_F(EditHistoryTest, ModifiedIsClearedBySaveAndLoadButNotByAFailedWrite) {
  startWithoutRadio();
  channels().ScanBox(0)->click();
  EXPECT_EQ(modifiedPane(), "Modified");
  EXPECT_EQ(frame().MessagePane()->text(), "Ready");  // the message pane is left alone
  save(file("a.dat"));
  EXPECT_EQ(modifiedPane(), "");
  // The step stays: saving is no edit.
  EXPECT_TRUE(frame().Action(cmd::kEditUndo)->isEnabled());

  channels().ScanBox(1)->click();
  EXPECT_EQ(modifiedPane(), "Modified");
  dialogs.saveAnswers = {SaveChoice::kDiscard};
  dialogs.fileAnswers = {QString::fromStdString(file("a.dat"))};
  trigger(cmd::kFileOpen);
  EXPECT_EQ(doc().channels[1].scan, 0);
  EXPECT_EQ(modifiedPane(), "");
  EXPECT_FALSE(frame().Action(cmd::kEditUndo)->isEnabled());  // a fresh history

  channels().ScanBox(1)->click();
  trigger(cmd::kWriteRadio);
  ASSERT_NE(view().ReadWriteWindow(), nullptr);
  EXPECT_TRUE(view().ReadWriteWindow()->Status().startsWith("Fail to open PORT7"));
  EXPECT_EQ(modifiedPane(), "Modified");

  // A load that fails leaves the configuration, its history and its mark as they were.
  writeAll(file("short.dat"), {1, 2, 3});
  dialogs.saveAnswers = {SaveChoice::kDiscard};
  dialogs.fileAnswers = {QString::fromStdString(file("short.dat"))};
  trigger(cmd::kFileOpen);
  EXPECT_EQ(dialogs.messages.back(), file_message::kCorrupted);
  EXPECT_EQ(modifiedPane(), "Modified");
  EXPECT_TRUE(frame().Action(cmd::kEditUndo)->isEnabled());
}

TEST_F(EditHistoryTest, RecentFilesAreKeptBetweenRunsAndAMissingOneIsTakenOff) {
  start();
  for (const char* name : {"a.dat", "b.dat", "c.dat", "d.dat", "e.dat", "b.dat"})
    save(file(name));
  const QStringList newestFirst{
      QString::fromStdString(file("b.dat")), QString::fromStdString(file("e.dat")),
      QString::fromStdString(file("d.dat")), QString::fromStdString(file("c.dat"))};
  EXPECT_EQ(frame().RecentFilePaths(), newestFirst);

  app.reset();
  start();
  EXPECT_EQ(frame().RecentFilePaths(), newestFirst);
  const QStringList items = itemTexts(frame().Menu(0));
  ASSERT_GE(items.size(), 6);
  EXPECT_EQ(
      items.mid(items.size() - 6),
      (QStringList{QStringLiteral("&1 ") + newestFirst[0], QStringLiteral("&2 ") + newestFirst[1],
                   QStringLiteral("&3 ") + newestFirst[2], QStringLiteral("&4 ") + newestFirst[3],
                   "-", "E&xit"}));

  std::filesystem::remove(file("e.dat"));
  trigger(cmd::kFileRecentFirst + 1);
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_EQ(dialogs.messages[0],
            newestFirst[1] + " cannot be found. It has been taken off the recent files.");
  EXPECT_EQ(frame().RecentFilePaths(),
            (QStringList{newestFirst[0], newestFirst[2], newestFirst[3]}));

  // A file of the list opens as Load opens it.
  channels().ScanBox(3)->click();
  dialogs.saveAnswers = {SaveChoice::kDiscard};
  trigger(cmd::kFileRecentFirst + 2);
  EXPECT_EQ(doc().channels[3].scan, 0);
  EXPECT_EQ(dialogs.questions, std::vector<QString>{CKX200View::kSaveFirst});
  EXPECT_EQ(frame().RecentFilePaths().front(), newestFirst[3]);
}

TEST_F(EditHistoryTest, FileDroppedOnTheWindowOpensAsLoadDoes) {
  start();
  type(channels().RxEdit(4), "150");
  save(file("five.dat"));
  writeAll(file("notes.txt"), {'x'});
  trigger(cmd::kFileNew);
  channels().ScanBox(0)->click();

  // Text and other files are left to the control under the pointer.
  drop(file("notes.txt"), channels().RxEdit(0));
  EXPECT_FALSE(lastDropTaken);

  dialogs.saveAnswers = {SaveChoice::kCancel, SaveChoice::kDiscard};
  drop(file("five.dat"), channels().RxEdit(0));
  EXPECT_TRUE(lastDropTaken);
  EXPECT_TRUE(doc().channels[4].isEmpty());  // cancelled
  drop(file("five.dat"), &frame());
  EXPECT_EQ(doc().channels[4].rxFreqMHz, 150.0);
  EXPECT_EQ(channels().RxEdit(0)->text(), "");
  EXPECT_EQ(dialogs.questions,
            (std::vector<QString>{CKX200View::kSaveFirst, CKX200View::kSaveFirst}));
  EXPECT_EQ(modifiedPane(), "");

  // A file that is not a configuration is refused as Load refuses it.
  writeAll(file("bad.dat"), {1, 2, 3});
  drop(file("bad.dat"), &frame());
  EXPECT_EQ(dialogs.messages.back(), file_message::kCorrupted);
}

}  // namespace kx::test
