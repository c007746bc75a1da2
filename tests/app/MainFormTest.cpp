#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>

#include "AppFixture.h"
#include "app/CommandIds.h"
#include "editors/ComDlg.h"
#include "editors/MyPage4.h"
#include "model/ConfigFile.h"
#include "rules/MapEdit.h"

namespace kx::test {

namespace {

QStringList bandLines(const QComboBox* list) {
  QStringList lines;
  for (int i = 0; i < list->count(); ++i)
    lines << list->itemText(i);
  return lines;
}

// Presses a model button of the modal model dialog as soon as it is open.
void chooseInModalDialog(int button) {
  QTimer::singleShot(0, [button] {
    auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    ASSERT_EQ(dialog->windowTitle(), "SELECT MODEL");
    static_cast<CModelSelectDlg*>(dialog)->ModelButton(button)->click();
  });
}

}  // namespace

using MainFormTest = AppTest;

TEST_F(MainFormTest, StartsAsAKx400VhfWithTheModelDialogOpen) {
  start({QStringLiteral("kxprog")}, /*keepModelDialog=*/true);
  EXPECT_EQ(view().ModelCaption()->text(), "KX400 VHF");
  EXPECT_EQ(bandLines(view().BandList()), QStringList{" V2 : 146 - 174 MHz"});
  EXPECT_EQ(view().Version()->text(), "");
  EXPECT_FALSE(view().PllIcList()->isVisibleTo(&view()));
  EXPECT_FALSE(view().PllIcList()->isEnabled());
  EXPECT_EQ(doc().pllIcIndex, 0);

  // The first activation opens the model dialog once, without holding the main window.
  CModelSelectDlg* dialog = view().FirstModelDialog();
  ASSERT_NE(dialog, nullptr);
  EXPECT_TRUE(dialog->isVisible());
  EXPECT_FALSE(dialog->isModal());
  EXPECT_EQ(dialog->windowTitle(), "SELECT MODEL");
  EXPECT_EQ(doc().modelDialogCount, 1);
  QStringList captions;
  for (int i = 0; i < CModelSelectDlg::ButtonCount(); ++i)
    captions << dialog->ModelButton(i)->text();
  EXPECT_EQ(captions, (QStringList{"KX400 VHF", "KX400 UHF", "KX600 VHF", "KX600 UHF"}));
  view().hide();
  view().show();
  QCoreApplication::processEvents();
  EXPECT_EQ(doc().modelDialogCount, 1);

  // Ctrl+M while it is still open: it gives way to the modal one.
  chooseInModalDialog(3);
  trigger(cmd::kModelSelect);
  QCoreApplication::processEvents();
  EXPECT_EQ(view().FirstModelDialog(), nullptr);
  EXPECT_EQ(doc().modelType, 5);
}

TEST_F(MainFormTest, HoverDescribesTheModelUnderThePointer) {
  start({QStringLiteral("kxprog")}, true);
  CModelSelectDlg* dialog = view().FirstModelDialog();
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(dialog->Description(), "");
  QEvent enter(QEvent::Enter);
  QApplication::sendEvent(dialog->ModelButton(1), &enter);
  EXPECT_EQ(dialog->Description(),
            " Click to program for KX400 UHF. \n\n The band frequency is \n400 MHz to 480 MHz.\n");
  QApplication::sendEvent(dialog->ModelButton(2), &enter);
  EXPECT_EQ(dialog->Description(),
            " Click to program for KX600 VHF. \n\n The band frequency is \n146 MHz to 174 MHz.\n");
  // Leaving keeps the text; the picture has a text of its own.
  QEvent leave(QEvent::Leave);
  QApplication::sendEvent(dialog->ModelButton(2), &leave);
  EXPECT_NE(dialog->Description().indexOf("KX600 VHF"), -1);
  QApplication::sendEvent(dialog->Picture(), &enter);
  EXPECT_EQ(dialog->Description().indexOf("KX600 VHF"), -1);
  EXPECT_FALSE(dialog->Description().isEmpty());
}

TEST_F(MainFormTest, ChoosingAModelResetsTheDocumentAndTheBandList) {
  start({QStringLiteral("kxprog")}, true);
  doc().scanSpeedMs = 500;
  doc().channels[0].rxFreqMHz = 150.0;
  doc().twoToneUnlocked = 1;
  // The configuration changed before each model choice; it is not kept.
  dialogs.saveAnswers.assign(3, SaveChoice::kDiscard);
  trigger(cmd::kSystemTool);
  view().FirstModelDialog()->ModelButton(1)->click();
  QCoreApplication::processEvents();

  EXPECT_EQ(view().FirstModelDialog(), nullptr);  // closed and gone
  EXPECT_EQ(doc().modelType, 3);
  EXPECT_EQ(doc().scanSpeedMs, 100);
  EXPECT_EQ(doc().channels[0].rxFreqMHz, 0);
  EXPECT_EQ(doc().twoToneUnlocked, 0);
  EXPECT_EQ(doc().subBandIndex, 0);
  EXPECT_EQ(frame().CurrentPage(), 0);
  EXPECT_EQ(view().Sheet().ActiveIndex(), 0);
  EXPECT_EQ(view().ModelCaption()->text(), "KX400 UHF");
  EXPECT_EQ(bandLines(view().BandList()),
            (QStringList{" U1 : 400 - 440 MHz", " U2 : 440 - 480 MHz"}));
  EXPECT_EQ(view().BandList()->currentIndex(), 0);

  // Ctrl+M: the same dialog, modal; the model already chosen still resets everything.
  doc().subBandIndex = 1;
  doc().scanSpeedMs = 700;
  chooseInModalDialog(1);
  trigger(cmd::kModelSelect);
  EXPECT_EQ(doc().modelType, 3);
  EXPECT_EQ(doc().scanSpeedMs, 100);
  EXPECT_EQ(doc().subBandIndex, 0);

  chooseInModalDialog(2);
  trigger(cmd::kModelSelect);
  EXPECT_EQ(doc().modelType, 4);
  EXPECT_EQ(view().ModelCaption()->text(), "KX600 VHF");
  EXPECT_EQ(bandLines(view().BandList()), QStringList{" V2 : 146 - 174 MHz"});
}

TEST_F(MainFormTest, ModelDialogAcceptedWithoutAModelKeepsTheConfiguration) {
  start({QStringLiteral("kxprog")}, true);
  CModelSelectDlg* dialog = view().FirstModelDialog();
  doc().scanSpeedMs = 500;
  doc().modemCondition = 0;
  dialog->accept();
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_EQ(dialogs.messages[0], "Select Modem condition!");
  EXPECT_TRUE(dialog->isVisible());

  doc().modemCondition = 2;
  dialog->accept();
  EXPECT_FALSE(dialog->isVisible());
  EXPECT_EQ(doc().modelType, 2);
  EXPECT_EQ(doc().scanSpeedMs, 500);
}

TEST_F(MainFormTest, SubBandChangeAsksBeforeClearingFrequencies) {
  start();
  view().OnModelChosen(model::kKx400Uhf);
  ChannelRecord& ch = doc().channels[4];
  ch.rxFreqMHz = 410.5;
  ch.txFreqMHz = 415.0;
  ch.scan = 1;

  dialogs.yesNoAnswers = {false};
  view().BandList()->setCurrentIndex(1);
  view().OnSelchangeBand(1);
  ASSERT_EQ(dialogs.questions.size(), 1u);
  EXPECT_EQ(dialogs.questions[0],
            "All frequencies will be cleared.\r\n\r\nDo you want to continue?");
  EXPECT_EQ(doc().subBandIndex, 0);
  EXPECT_EQ(view().BandList()->currentIndex(), 0);
  EXPECT_EQ(ch.rxFreqMHz, 410.5);

  dialogs.yesNoAnswers = {true};
  view().OnSelchangeBand(1);
  EXPECT_EQ(dialogs.questions.size(), 2u);
  EXPECT_EQ(doc().subBandIndex, 1);
  EXPECT_EQ(ch.rxFreqMHz, 0);
  EXPECT_EQ(ch.txFreqMHz, 0);
  EXPECT_EQ(ch.scan, 1);  // only the frequencies go
  EXPECT_EQ(view().Sheet().ChannelPage().RxEdit(4)->text(), "");

  // Nothing programmed: no question. The same line: nothing at all.
  view().OnSelchangeBand(0);
  view().OnSelchangeBand(0);
  EXPECT_EQ(dialogs.questions.size(), 2u);
  EXPECT_EQ(doc().subBandIndex, 0);
}

TEST_F(MainFormTest, NewKeepsModelAndSubBand) {
  start();
  view().OnModelChosen(model::kKx600Uhf);
  view().OnSelchangeBand(1);
  doc().scanSpeedMs = 1200;
  doc().channels[0].rxFreqMHz = 450.0;
  trigger(cmd::kEepromTool);
  dialogs.saveAnswers = {SaveChoice::kDiscard};
  trigger(cmd::kFileNew);
  EXPECT_EQ(doc().modelType, 5);
  EXPECT_EQ(doc().subBandIndex, 1);
  EXPECT_EQ(doc().scanSpeedMs, 100);
  EXPECT_EQ(doc().channels[0].rxFreqMHz, 0);
  EXPECT_EQ(frame().CurrentPage(), 0);
  EXPECT_EQ(view().BandList()->currentIndex(), 1);
}

TEST_F(MainFormTest, LoadingAFileOfAnotherModelChangesCaptionAndBandList) {
  start();
  CKX200Doc other;
  other.modelType = model::kKx600Uhf;
  other.ResetToDefaults();
  other.subBandIndex = 1;
  other.channels[2].rxFreqMHz = 455.125;
  const std::string path = files.file("kx600.dat");
  ASSERT_TRUE(other.OnSaveDocument(path).ok);

  dialogs.fileAnswers = {QString::fromStdString(path)};
  trigger(cmd::kFileOpen);
  ASSERT_EQ(dialogs.openFilters.size(), 1u);
  EXPECT_EQ(dialogs.openFilters[0],
            (QStringList{"Data Files (*.dat)", "KX100 Files (*.UHF *.VHF)"}));
  EXPECT_TRUE(dialogs.messages.empty());
  EXPECT_EQ(doc().modelType, 5);
  EXPECT_EQ(view().ModelCaption()->text(), "KX600 UHF");
  EXPECT_EQ(bandLines(view().BandList()),
            (QStringList{" U1 : 400 - 440 MHz", " U2 : 440 - 480 MHz"}));
  EXPECT_EQ(view().BandList()->currentIndex(), 1);
  EXPECT_EQ(view().Sheet().ChannelPage().RxEdit(2)->text(), "455.12500");
  EXPECT_EQ(frame().CurrentPage(), 0);  // the load does not switch pages

  // Cancelled: nothing changes.
  dialogs.fileAnswers = {QString()};
  trigger(cmd::kFileOpen);
  EXPECT_EQ(doc().modelType, 5);
}

TEST_F(MainFormTest, ChannelFilesOfTheOtherBandAreRefused) {
  start();
  const std::string uhf = files.file("old.UHF");
  const std::string vhf = files.file("old.vhf");
  writeAll(uhf, std::vector<std::uint8_t>(1000, '0'));
  writeAll(vhf, std::vector<std::uint8_t>(1000, '0'));
  doc().scanSpeedMs = 300;
  dialogs.saveAnswers.assign(3, SaveChoice::kDiscard);  // the changed scan speed is not kept

  dialogs.fileAnswers = {QString::fromStdString(uhf)};
  trigger(cmd::kFileOpen);
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_EQ(dialogs.messages[0],
            "This file is for UHF. Model type is mismatched.\r\n\r\nPlease select model again...");
  EXPECT_EQ(doc().scanSpeedMs, 300);

  view().OnModelChosen(model::kKx600Uhf);
  doc().scanSpeedMs = 300;
  dialogs.fileAnswers = {QString::fromStdString(vhf)};
  trigger(cmd::kFileOpen);
  ASSERT_EQ(dialogs.messages.size(), 2u);
  EXPECT_EQ(dialogs.messages[1],
            "This file is for VHF. Model type is mismatched.\r\n\r\nPlease select model again...");
  EXPECT_EQ(doc().scanSpeedMs, 300);
}

TEST_F(MainFormTest, SaveWritesTheFileAndReportsFailure) {
  start();
  doc().scanSpeedMs = 1500;
  const std::string path = files.file("saved.dat");
  dialogs.fileAnswers = {QString::fromStdString(path)};
  trigger(cmd::kFileSave);
  ASSERT_EQ(dialogs.saveFilters.size(), 1u);
  EXPECT_EQ(dialogs.saveFilters[0], QStringList{"Data Files (*.dat)"});
  EXPECT_EQ(readAll(path).size(), config_file::kSize);
  EXPECT_TRUE(dialogs.messages.empty());

  dialogs.fileAnswers = {QString::fromStdString(files.file("no/such/folder/x.dat"))};
  trigger(cmd::kFileSave);
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_EQ(dialogs.messages[0], "Cannot Save File!");
}

TEST_F(MainFormTest, EepromPageShowsWhatAWriteWouldSendWithChangesMarked) {
  start();
  trigger(cmd::kEepromTool);
  QTableWidget* grid = view().Sheet().ComPage().Grid();
  EXPECT_EQ(grid->rowCount(), 26);
  EXPECT_EQ(grid->verticalHeaderItem(25)->text(), "19");
  const QString before = grid->item(0, 1)->text();
  EXPECT_EQ(grid->item(0, 1)->background().color(), QColor(Qt::white));

  doc().txTimeoutSec = 120;  // image byte 0x01, seconds / 10
  trigger(cmd::kChannelTool);
  trigger(cmd::kEepromTool);
  EXPECT_EQ(grid->item(0, 1)->text(), "0C");
  EXPECT_NE(before, "0C");
  EXPECT_EQ(grid->item(0, 1)->background().color(), QColor(0xFF, 0xCC, 0xFF));
  EXPECT_EQ(grid->item(0, 1)->toolTip(), "0x001: Tx time-out (s / 10)");

  // Clear Changes: white again, the texts stay.
  view().Sheet().ComPage().ClearButton()->click();
  EXPECT_EQ(grid->item(0, 1)->background().color(), QColor(Qt::white));
  EXPECT_EQ(grid->item(0, 1)->text(), "0C");
}

TEST_F(MainFormTest, FileOnTheCommandLineOpensAsLoadOrImportDoes) {
  // Files of a KX600 UHF configuration, written by the program itself.
  start();
  view().OnModelChosen(model::kKx600Uhf);
  CMyPage4& channels = view().Sheet().ChannelPage();
  channels.RxEdit(0)->setText(QStringLiteral("420"));
  channels.ValidateRxFrequency(0);
  const std::string dat = files.file("site.dat");
  const std::string yaml = files.file("site.yaml");
  for (const std::string& path : {dat, yaml}) {
    dialogs.fileAnswers = {QString::fromStdString(path)};
    trigger(path == dat ? cmd::kFileSave : cmd::kExportConfigYaml);
  }
  const std::string csv = files.file("plan.csv");
  writeText(csv, "CH,Rx Freq(MHz)\n1,420\n");
  writeText(files.file("notes.txt"), "x");
  app.reset();

  const struct {
    std::string file;
    bool modelDialog;  // the start's model dialog comes, then a KX600 UHF is chosen there
    std::vector<QString> said;
  } cases[] = {
      {dat, false, {}},
      {yaml, false, {}},
      {csv, true, {}},
      {files.file("notes.txt"), true, {file_message::kCorrupted}},
      {files.file("gone.dat"), true, {file_message::kCannotOpen}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.file);
    app.reset();
    dialogs = {};
    start({QStringLiteral("kxprog"), QString::fromStdString(c.file)}, /*keepModelDialog=*/true);
    ASSERT_EQ(view().FirstModelDialog() != nullptr, c.modelDialog);
    if (c.modelDialog) {
      view().FirstModelDialog()->ModelButton(3)->click();
      QCoreApplication::processEvents();
    }
    EXPECT_EQ(dialogs.messages, c.said);
    EXPECT_EQ(doc().modelType, model::kKx600Uhf);
    const bool opened = c.said.empty();
    EXPECT_EQ(doc().channels[0].rxFreqMHz, opened ? 420.0 : 0.0);
  }
  // The configuration of the .dat file is a file loaded: nothing unsaved, and a recent file.
  app.reset();
  start({QStringLiteral("kxprog"), QString::fromStdString(dat)});
  EXPECT_EQ(frame().ModifiedPane()->text(), "");
  EXPECT_EQ(frame().RecentFilePaths().front(), QString::fromStdString(dat));

  QString error;
  const auto options =
      CProgrammerApp::ParseCommandLine({"kxprog", "--port", "/dev/pts/4", "a.dat"}, &error);
  ASSERT_TRUE(options);
  EXPECT_EQ(options->file, "a.dat");
  EXPECT_FALSE(CProgrammerApp::ParseCommandLine({"kxprog", "a.dat", "b.dat"}, &error));
  EXPECT_EQ(error, "Unexpected argument: b.dat");
}

}  // namespace kx::test
