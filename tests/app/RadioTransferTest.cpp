// Read and Write from the toolbar against a virtual radio on a pseudo-terminal, through the real
// serial port, with the protocol's real pauses.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSettings>
#include <QTableWidget>
#include <chrono>

#include "AppFixture.h"
#include "VirtualRadio.h"
#include "app/CommandIds.h"
#include "app/ReadWriteDlg.h"
#include "editors/ComDlg.h"
#include "editors/MyPage4.h"
#include "model/ImageCodec.h"
#include "model/UserFolders.h"

namespace kx::test {

namespace {

// What the program looked like at each pause of a transfer.
struct DuringTransfer {
  int pauses = 0;
  bool windowShownAndBusy = true;
  bool inputHeldByWindow = true;
  bool frameStayedOpen = true;
  std::vector<int> progress;
  int barPaints = 0;  // the progress bar painted during the transfer
};

// Counts the paint events of the progress bar.
class PaintCounter : public QObject {
 public:
  PaintCounter(int& count, QObject* watched) : QObject(watched), count_(count) {
    watched->installEventFilter(this);
  }
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) ++count_;
    return false;
  }

 private:
  int& count_;
};

}  // namespace

class RadioTransferTest : public AppTest {
 protected:
  void startWithRadio(sim::RadioSettings settings) {
    radio = std::make_unique<sim::VirtualRadio>(std::move(settings));
    std::string error;
    ASSERT_TRUE(radio->Start(&error)) << error;
    start({QStringLiteral("kxprog"), QStringLiteral("--port"),
           QString::fromStdString(radio->SlavePath())});
    ASSERT_EQ(frame().CurrentPort().device, radio->SlavePath());
    // Looks at the program at every pause, then pauses as the program does.
    view().SetPauseFunction([this](int milliseconds) {
      ++seen.pauses;
      CReadWriteDlg* window = view().ReadWriteWindow();
      seen.windowShownAndBusy &= window && window->isVisible() && window->Busy();
      seen.inputHeldByWindow &= QApplication::activeModalWidget() == window;
      frame().close();
      seen.frameStayedOpen &= frame().isVisible();
      if (window) {
        seen.progress.push_back(window->Progress());
        QProgressBar* bar = window->findChild<QProgressBar*>();
        if (bar && !bar->property("counted").toBool()) {
          bar->setProperty("counted", true);
          new PaintCounter(seen.barPaints, bar);
        }
      }
      if (onPause) onPause();
      view().PauseWithPainting(milliseconds);
    });
  }
  void TearDown() override {
    AppTest::TearDown();
    radio.reset();
  }

  std::unique_ptr<sim::VirtualRadio> radio;
  DuringTransfer seen;
  std::function<void()> onPause;
};

TEST_F(RadioTransferTest, ReadFromTheToolbarShowsTheRadiosConfiguration) {
  sim::RadioSettings settings;
  settings.model = model::kKx600Uhf;
  settings.version = 0x21;
  startWithRadio(settings);
  ASSERT_EQ(doc().modelType, model::kKx400Vhf);

  trigger(cmd::kReadRadio);

  // The radio counts the read once it has heard the last acknowledgement, after the host is done.
  EXPECT_TRUE(
      radio->WaitFor([&] { return radio->State().readsCompleted == 1; }, std::chrono::seconds(10)));
  EXPECT_EQ(view().ReadWriteWindow(), nullptr);  // closed itself
  EXPECT_FALSE(view().Transferring());
  EXPECT_GT(seen.pauses, 26);
  EXPECT_TRUE(seen.windowShownAndBusy);
  EXPECT_TRUE(seen.inputHeldByWindow);
  EXPECT_TRUE(seen.frameStayedOpen);
  ASSERT_FALSE(seen.progress.empty());
  EXPECT_TRUE(std::is_sorted(seen.progress.begin(), seen.progress.end()));
  EXPECT_GE(seen.progress.back(), 0x180);
  // It did not freeze: the bar was painted again and again while the blocks arrived.
  EXPECT_GT(seen.barPaints, 10);

  // Every page shows the configuration decoded from the radio's memory.
  CKX200Doc expected;
  ASSERT_TRUE(DecodeImage(expected, radio->Memory()).ok);
  EXPECT_EQ(doc().modelType, model::kKx600Uhf);
  EXPECT_EQ(doc().channels, expected.channels);
  EXPECT_EQ(view().ModelCaption()->text(), "KX600 UHF");
  EXPECT_EQ(view().BandList()->count(), 2);
  EXPECT_EQ(view().Version()->text(), "2.1");
  const ChannelRecord& first = doc().channels[0];
  ASSERT_NE(first.rxFreqMHz, 0);
  EXPECT_EQ(view().Sheet().ChannelPage().RxEdit(0)->text(),
            QString::asprintf("%.5f", first.rxFreqMHz));
  const image::Image memory = radio->Memory();
  QTableWidget* grid = view().Sheet().ComPage().Grid();
  for (std::size_t at = 0; at < image::kSize; at += 37)
    EXPECT_EQ(grid->item(static_cast<int>(at / 16), static_cast<int>(at % 16))->text(),
              QString::asprintf("%02X", memory[at]))
        << at;
  EXPECT_TRUE(frame().isVisible());
  EXPECT_EQ(frame().MessagePane()->text(),
            "Radio memory kept in " + frame().MessagePane()->toolTip());
}

TEST_F(RadioTransferTest, WriteFromTheToolbarPutsTheConfigurationIntoTheRadio) {
  sim::RadioSettings settings;
  settings.version = 0x12;
  startWithRadio(settings);
  doc().channels[0].rxFreqMHz = 150.0;
  doc().channels[0].txFreqMHz = 155.0;
  doc().scanSpeedMs = 300;

  trigger(cmd::kWriteRadio);

  EXPECT_EQ(radio->State().writesCompleted, 1);
  EXPECT_EQ(view().ReadWriteWindow(), nullptr);
  EXPECT_TRUE(seen.windowShownAndBusy);
  EXPECT_TRUE(seen.inputHeldByWindow);
  EXPECT_GE(seen.progress.back(), 0x180);
  EXPECT_GT(seen.barPaints, 10);
  EXPECT_EQ(view().Version()->text(), "1 . 2");
  CKX200Doc written;
  ASSERT_TRUE(DecodeImage(written, radio->Memory()).ok);
  EXPECT_EQ(written.channels[0].rxFreqMHz, 150.0);
  EXPECT_EQ(written.channels[0].txFreqMHz, 155.0);
  EXPECT_EQ(written.scanSpeedMs, 300);
  EXPECT_EQ(doc().channels[0].rxFreqMHz, 150.0);  // a write leaves the document alone
}

TEST_F(RadioTransferTest, HandPatchesMadeOneAfterAnotherAllReachTheRadio) {
  startWithRadio({});
  CComDlg& map = view().Sheet().ComPage();
  for (const auto& [column, value] : {std::pair{12, "42"}, {13, "55"}}) {
    map.runDialog = EnterMapByte(value);
    map.EditByte(1, column);  // 0x01C and 0x01D, bytes the radio keeps for itself
  }
  trigger(cmd::kWriteRadio);
  ASSERT_EQ(radio->State().writesCompleted, 1);
  EXPECT_EQ(radio->Memory()[0x1C], 0x42);
  EXPECT_EQ(radio->Memory()[0x1D], 0x55);
}

TEST_F(RadioTransferTest, WriteClearsTheModifiedMarkAndReadStartsAFreshHistory) {
  startWithRadio({});
  view().Sheet().ChannelPage().ScanBox(0)->click();
  EXPECT_EQ(frame().ModifiedPane()->text(), "Modified");
  trigger(cmd::kWriteRadio);
  ASSERT_EQ(radio->State().writesCompleted, 1);
  EXPECT_EQ(frame().ModifiedPane()->text(), "");
  EXPECT_TRUE(dialogs.questions.empty());

  view().Sheet().ChannelPage().ScanBox(1)->click();
  dialogs.saveAnswers = {SaveChoice::kDiscard};
  trigger(cmd::kReadRadio);
  EXPECT_EQ(dialogs.questions, std::vector<QString>{CKX200View::kSaveFirst});
  EXPECT_EQ(doc().channels[1].scan, 0);
  EXPECT_EQ(frame().ModifiedPane()->text(), "");
  EXPECT_FALSE(frame().Action(cmd::kEditUndo)->isEnabled());
}

TEST_F(RadioTransferTest, RefusedReadLeavesTheWindowOpenAndTheConfigurationAlone) {
  sim::RadioSettings settings;
  settings.model = model::kKx600Uhf;
  settings.faults.refuse = true;
  startWithRadio(settings);
  const CKX200Doc before = doc();

  trigger(cmd::kReadRadio);

  CReadWriteDlg* window = view().ReadWriteWindow();
  ASSERT_NE(window, nullptr);
  EXPECT_TRUE(window->isVisible());
  EXPECT_EQ(window->Status(), "Read Fail..!");
  EXPECT_TRUE(window->OkButton()->isEnabled());
  EXPECT_EQ(doc(), before);
  EXPECT_EQ(view().ModelCaption()->text(), "KX400 VHF");

  // The failure stays on show without holding the program; the next transfer holds it again.
  EXPECT_EQ(window->windowModality(), Qt::NonModal);
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
  trigger(cmd::kWriteRadio);
  EXPECT_EQ(view().ReadWriteWindow(), window);
  EXPECT_TRUE(seen.inputHeldByWindow);
  EXPECT_EQ(window->Status(), "Write Fail..!");
}

TEST_F(RadioTransferTest, RadioThatGoesAwayIsToldOnceAfterTheTransfer) {
  sim::RadioSettings settings;
  settings.faults.vanishAfterBlock = 3;
  startWithRadio(settings);
  bool messageDuringTransfer = false;
  onPause = [&] { messageDuringTransfer |= !dialogs.messages.empty(); };

  trigger(cmd::kReadRadio);
  QCoreApplication::processEvents();

  EXPECT_FALSE(messageDuringTransfer);
  EXPECT_EQ(view().ReadWriteWindow()->Status(), "Read Fail!");
  ASSERT_EQ(dialogs.notices.size(), 1u);
  EXPECT_EQ(dialogs.notices[0].text, "Serial port lost: " + radio->SlavePath());
  EXPECT_EQ(dialogs.notices[0].kind, NoticeKind::kStop);
}

TEST_F(RadioTransferTest, StopEndsAWriteAndSaysSo) {
  startWithRadio({});
  onPause = [this] {
    if (seen.pauses == 6) view().ReadWriteWindow()->StopButton()->click();
  };

  trigger(cmd::kWriteRadio);

  CReadWriteDlg* window = view().ReadWriteWindow();
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(window->Status(), "Stopped by the user!");
  EXPECT_FALSE(window->StopButton()->isVisible());
  EXPECT_EQ(radio->State().writesCompleted, 0);
  EXPECT_LT(seen.pauses, 12);
}

TEST_F(RadioTransferTest, FailedVerificationAfterWriteStaysOnScreenWithTheAddresses) {
  sim::RadioSettings settings;
  settings.faults.corruptAddress = 0x029;
  startWithRadio(settings);
  QAction* verify = frame().Action(cmd::kVerifyAfterWrite);
  ASSERT_TRUE(verify->isCheckable());
  EXPECT_TRUE(verify->isChecked());  // on until the technician turns it off
  bool sawVerifying = false;
  onPause = [&] { sawVerifying |= view().ReadWriteWindow()->Status() == "Verifying.....!"; };

  trigger(cmd::kWriteRadio);

  EXPECT_TRUE(sawVerifying);
  EXPECT_TRUE(
      radio->WaitFor([&] { return radio->State().readsCompleted == 1; }, std::chrono::seconds(10)));
  CReadWriteDlg* window = view().ReadWriteWindow();
  ASSERT_NE(window, nullptr);
  EXPECT_TRUE(window->isVisible());
  EXPECT_TRUE(window->Status().startsWith("Verify failed: 1 byte differs (0x029: wrote "));
  EXPECT_TRUE(window->Status().contains(
      "\n0x029: channel 2: step, narrow, high power, receive count bits 16..14: wrote "));

  // Turned off, it stays off in the settings; a write is then not read back.
  verify->setChecked(false);
  const QSettings kept(QString::fromStdString(ConfigFolder() + "/kxprog.conf"),
                       QSettings::IniFormat);
  EXPECT_FALSE(kept.value("program/verifyAfterWrite", true).toBool());
  trigger(cmd::kWriteRadio);
  EXPECT_TRUE(
      radio->WaitFor([&] { return radio->State().readsCompleted == 1; }, std::chrono::seconds(10)));
  EXPECT_EQ(view().ReadWriteWindow(), nullptr);
}

}  // namespace kx::test
