// The calibration console and the squelch dialog from the toolbar, against a virtual radio on a
// pseudo-terminal, through the real serial port and the real pauses.
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>

#include "AppFixture.h"
#include "VirtualRadio.h"
#include "app/CommandIds.h"
#include "model/KX200Doc.h"
#include "service/CalibrationDlg.h"
#include "service/SquelchDlg.h"

namespace kx::test {

using C = CalibrationControl;

class ServiceDialogTest : public AppTest {
 protected:
  void startWithRadio(sim::RadioSettings settings) {
    radio = std::make_unique<sim::VirtualRadio>(std::move(settings));
    std::string error;
    ASSERT_TRUE(radio->Start(&error)) << error;
    start({QStringLiteral("kxprog"), QStringLiteral("--port"),
           QString::fromStdString(radio->SlavePath())});
    // A refusal the virtual radio does not give is put where its answer would arrive.
    view().SetPauseFunction([this](int milliseconds) {
      if (refuseNext) view().Port().m_QueueRead.Put(protocol::answer::kRefused);
      refuseNext = false;
      view().PauseWithPainting(milliseconds);
    });
  }
  // Runs the dialog the command opens in place of its modal loop; false when none opened.
  template <typename Dialog>
  bool work(int command, const std::function<void(Dialog&)>& steps) {
    bool opened = false;
    view().SetServiceDialogRunner([&](QDialog& shown) {
      opened = true;
      auto& dialog = dynamic_cast<Dialog&>(shown);
      dialog.show();
      steps(dialog);
      if (dialog.isVisible()) dialog.reject();
    });
    trigger(command);
    return opened;
  }
  void TearDown() override {
    AppTest::TearDown();
    radio.reset();
  }

  // Every control a screen reader can reach has a name to speak.
  static void expectNamed(QDialog& dialog) {
    for (QWidget* control : dialog.findChildren<QWidget*>()) {
      if (control->focusPolicy() == Qt::NoFocus || !control->isVisibleTo(&dialog)) continue;
      EXPECT_FALSE(control->accessibleName().isEmpty()) << control->metaObject()->className();
    }
  }

  std::unique_ptr<sim::VirtualRadio> radio;
  bool refuseNext = false;
};

TEST_F(ServiceDialogTest, CalibrationDrivesTheRadioAndEndsOnEnter) {
  sim::RadioSettings settings;
  settings.channel = 7;
  settings.version = 0x23;
  settings.modem = sim::ModemType::kGmsk;
  startWithRadio(settings);
  EXPECT_TRUE(frame().Action(cmd::kCalibrationTool)->isEnabled());
  EXPECT_TRUE(frame().Action(cmd::kSquelchMenu)->isEnabled());

  const bool opened = work<CCalibrationDlg>(cmd::kCalibrationTool, [&](CCalibrationDlg& dialog) {
    EXPECT_EQ(view().Version()->text(), "2.3");
    EXPECT_EQ(doc().radioChannel, 7);
    EXPECT_EQ(dialog.ChannelEdit()->value(), 7);
    EXPECT_TRUE(dialog.Button(C::kGmskTransmit)->isVisible());
    EXPECT_FALSE(dialog.Button(C::kMarkTone)->isVisible());
    EXPECT_FALSE(dialog.Button(C::kGpsExternalOutput)->isEnabled());
    EXPECT_EQ(dialog.Button(C::kGpsExternalOutput)->text(), " External Output Disable");
    expectNamed(dialog);
    frame().close();
    EXPECT_TRUE(frame().isVisible());

    dialog.ChannelEdit()->setValue(9);
    refuseNext = true;
    dialog.Button(C::kChannelSet)->click();
    EXPECT_EQ(radio->State().channel, 9);
    ASSERT_EQ(dialogs.notices.size(), 1u);
    EXPECT_EQ(dialogs.notices[0], Notice::stop("Invalid serial command transfer!"));

    dialog.Button(C::kRtxMode)->click();
    EXPECT_TRUE(radio->State().transmitting);
    EXPECT_EQ(dialog.Button(C::kRtxMode)->text(), "Tx Mode");
    EXPECT_FALSE(dialog.Button(C::kGpsPower)->isEnabled());
    dialog.Button(C::kScanSet)->click();
    ASSERT_EQ(dialogs.notices.size(), 2u);
    EXPECT_EQ(dialogs.notices[1], Notice::warning("This is Tx Mode"));
    dialog.Button(C::kRtxMode)->click();
    EXPECT_FALSE(radio->State().transmitting);

    QTest::keyClick(dialog.ChannelEdit(), Qt::Key_Return);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_FALSE(view().Port().IsOpen());
  });
  EXPECT_TRUE(opened);
  EXPECT_FALSE(view().InService());
  EXPECT_EQ(dialogs.notices.size(), 2u);
}

TEST_F(ServiceDialogTest, SquelchOpensOnChannelOneAndDefaultLeavesSaveUsable) {
  sim::RadioSettings settings;
  settings.channel = 5;
  startWithRadio(settings);

  const bool opened = work<CSquelchDlg>(cmd::kSquelchTool, [&](CSquelchDlg& dialog) {
    EXPECT_EQ(view().Version()->text(), "2.1");
    EXPECT_EQ(doc().radioChannel, 5);
    EXPECT_EQ(dialog.ChannelEdit()->value(), 1);
    EXPECT_EQ(dialog.UnmutedEdit()->text(), "- 115");
    EXPECT_EQ(dialog.MutedEdit()->text(), "- 120");
    EXPECT_FALSE(dialog.SaveButton()->isEnabled());
    expectNamed(dialog);

    dialog.CustomToggle()->click();
    EXPECT_EQ(dialog.CustomToggle()->text(), "Custom Mode");
    EXPECT_TRUE(dialog.SetOpenButton()->isEnabled());
    radio->SetSignalLevel(-112);
    dialog.SetOpenButton()->click();
    EXPECT_EQ(radio->State().squelchOpenDbm, -112);

    dialog.DefaultButton()->click();
    EXPECT_EQ(radio->State().squelchOpenDbm, sim::kPresetOpenDbm);
    EXPECT_EQ(dialog.CustomToggle()->text(), "Custom Define ?");
    EXPECT_FALSE(dialog.CustomToggle()->isChecked());
    EXPECT_FALSE(dialog.SetOpenButton()->isEnabled());
    EXPECT_TRUE(dialog.SaveButton()->isEnabled());

    dialog.CloseButton()->click();
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_FALSE(view().Port().IsOpen());
  });
  EXPECT_TRUE(opened);
  EXPECT_TRUE(dialogs.notices.empty());
}

// The channel box as the technician types into it, then SET; what the radio got and what the box
// shows. Outside 1..16 the radio gets channel 1.
template <typename Dialog>
void expectTypedChannels(sim::VirtualRadio& radio, Dialog& dialog, QAbstractButton* set) {
  const struct {
    const char* typed;
    int sent;
  } cases[] = {{"5", 5}, {"0", 1}, {"16", 16}, {"20", 1}};
  for (const auto& c : cases) {
    QSpinBox* box = dialog.ChannelEdit();
    box->setFocus();
    box->selectAll();
    QTest::keyClicks(box, QString::fromLatin1(c.typed));
    set->click();
    EXPECT_EQ(radio.State().channel, c.sent) << c.typed;
    EXPECT_EQ(box->value(), c.sent) << c.typed;
    EXPECT_EQ(box->text(), QString::number(c.sent)) << c.typed;
  }
  // The arrows stay on the radio's channels.
  dialog.ChannelEdit()->setValue(16);
  dialog.ChannelEdit()->stepUp();
  EXPECT_EQ(dialog.ChannelEdit()->value(), 16);
}

TEST_F(ServiceDialogTest, ChannelTypedOutsideOneToSixteenSendsChannelOne) {
  startWithRadio({});
  EXPECT_TRUE(work<CCalibrationDlg>(cmd::kCalibrationTool, [&](CCalibrationDlg& dialog) {
    expectTypedChannels(*radio, dialog, dialog.Button(C::kChannelSet));
  }));
  EXPECT_TRUE(work<CSquelchDlg>(cmd::kSquelchTool, [&](CSquelchDlg& dialog) {
    expectTypedChannels(*radio, dialog, dialog.ChannelSetButton());
  }));
  EXPECT_TRUE(dialogs.notices.empty());
}

}  // namespace kx::test
