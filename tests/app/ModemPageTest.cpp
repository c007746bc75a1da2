// The modem page's wiring: clicks reach the document, messages are shown, controls follow the
// rules. The rules themselves are tested in tests/rules.
#include <QCheckBox>
#include <QComboBox>
#include <QFocusEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "AppFixture.h"
#include "editors/ModemScanWarningDialog.h"
#include "editors/MyPage2.h"
#include "editors/MyPage3.h"

namespace kx::test {

class ModemPageTest : public AppTest {
 protected:
  // The program on a freshly chosen model, the modem switches recorded on their way to the
  // system page.
  void startWith(ModelType type) {
    start();
    view().OnModelChosen(type);
    auto toSystemPage = page().onModemSwitched;
    page().onModemSwitched = [this, toSystemPage](bool on) {
      switched.push_back(on);
      toSystemPage(on);
    };
  }
  CMyPage3& page() { return view().Sheet().ModemPage(); }
  QComboBox* list(ModemListId id) { return page().List(id); }
  void type(ModemDelay delay, const char* text) {
    QLineEdit* edit = page().DelayEdit(delay);
    edit->setText(QString::fromLatin1(text));
    QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(edit, &out);
    QCoreApplication::processEvents();
  }
  std::vector<bool> switched;
};

TEST_F(ModemPageTest, TypeBoxesShowTheirRatesAndClearingTheTypeSwitchesTheModemOff) {
  startWith(model::kKx600Uhf);
  page().FfskBox()->click();
  EXPECT_EQ(list(ModemListId::kSBand)->currentText(), "4800");
  EXPECT_EQ(list(ModemListId::kNBand)->currentText(), "2400");
  EXPECT_EQ(doc().sBandBaudIndex, 2);
  EXPECT_EQ(doc().nBandBaudIndex, 1);
  EXPECT_FALSE(page().GmskBox()->isEnabled());

  page().FfskBox()->click();
  page().GmskBox()->click();
  page().ModemButton()->click();
  EXPECT_EQ(page().ModemButton()->text(), "Modem Enable");
  EXPECT_TRUE(list(ModemListId::kSBand)->isEnabled());
  page().GmskBox()->click();
  EXPECT_EQ(doc().modemEnabled, 0);
  EXPECT_FALSE(page().ModemButton()->isChecked());
  EXPECT_EQ(page().ModemButton()->text(), "Modem Disable");
  EXPECT_EQ(switched, (std::vector<bool>{true, false}));
  EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(ModemPageTest, RefusedEnableSpringsBackAndToneWarningsNameEachChannel) {
  startWith(model::kKx600Uhf);  // no modem type
  page().ModemButton()->click();
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_EQ(dialogs.messages[0], "You should select GMSK, FFSK or AFSK!");
  EXPECT_FALSE(page().ModemButton()->isChecked());
  EXPECT_EQ(page().ModemButton()->text(), "Modem Disable");
  EXPECT_EQ(doc().modemEnabled, 0);
  EXPECT_TRUE(switched.empty());

  doc().channels[2].rxOption = kOptionCtcss;
  page().GmskBox()->click();
  page().ModemButton()->click();
  ASSERT_EQ(dialogs.messages.size(), 2u);
  EXPECT_EQ(dialogs.messages[1], "Tone isn't used in GMSK modem");
  EXPECT_EQ(doc().modemEnabled, 1);
}

TEST_F(ModemPageTest, ScanningChannelsAskOnceWhetherTheModemOrTheScanStays) {
  for (const bool yes : {true, false}) {
    startWith(model::kKx400Vhf);  // AFSK
    doc().channels[1].scan = doc().channels[4].scan = 1;
    int asked = 0;
    page().runScanWarning = [&] {
      ++asked;
      return yes;
    };
    page().ModemButton()->click();
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(doc().modemRequestPending, 0);
    EXPECT_EQ(doc().modemEnabled, yes ? 1 : 0);
    EXPECT_EQ(doc().channels[1].scan + doc().channels[4].scan, yes ? 0 : 2);
    EXPECT_EQ(page().ModemButton()->isChecked(), yes);
    EXPECT_EQ(page().ModemButton()->text(), yes ? "Modem Enable" : "Modem Disable");
    app.reset();
    switched.clear();
  }
}

TEST_F(ModemPageTest, ScanWarningDialogNoEscapeAndCloseSwitchTheModemOff) {
  start();
  doc().modemEnabled = doc().modemRequestPending = 1;
  doc().channels[3].scan = 1;
  ModemScanWarningDialog dialog(doc());
  EXPECT_EQ(dialog.windowTitle(), " WARNING");
  QTest::keyClick(&dialog, Qt::Key_Escape);
  EXPECT_EQ(doc().modemEnabled, 0);
  EXPECT_EQ(doc().modemRequestPending, 0);
  EXPECT_EQ(doc().channels[3].scan, 1);

  doc().modemEnabled = doc().modemRequestPending = 1;
  dialog.accept();
  EXPECT_EQ(doc().modemEnabled, 1);
  EXPECT_EQ(doc().channels[3].scan, 0);
}

TEST_F(ModemPageTest, DelayEditsAreCheckedWhenLeft) {
  startWith(model::kKx600Vhf);
  type(ModemDelay::kTxOn, "255");
  ASSERT_EQ(dialogs.notices.size(), 1u);
  EXPECT_EQ(dialogs.notices[0].text, "Valid Settings 0 - 255 ms");
  EXPECT_EQ(dialogs.notices[0].kind, NoticeKind::kStop);
  EXPECT_EQ(page().DelayEdit(ModemDelay::kTxOn)->text(), "0");
  EXPECT_EQ(doc().txOnDelayMs, 0);
  type(ModemDelay::kTxOn, "253");
  EXPECT_EQ(page().DelayEdit(ModemDelay::kTxOn)->text(), "252");
  EXPECT_EQ(doc().txOnDelayMs, 252);
  type(ModemDelay::kRxOn, "127");
  EXPECT_EQ(dialogs.messages.back(), "Valid Settings 0 - 127 ms");
  EXPECT_EQ(doc().rxOnDelayMs, 0);
}

TEST_F(ModemPageTest, ListsAndButtonsWriteTheDocument) {
  startWith(model::kKx600Uhf);
  list(ModemListId::kTxDelay2)->setCurrentIndex(5);
  emit list(ModemListId::kTxDelay2)->activated(5);
  page().DefaultButton()->click();
  EXPECT_EQ(list(ModemListId::kTxDelay2)->currentText(), "250");
  EXPECT_EQ(doc().txDelay2Index, 1);

  page().DumbRadio()->click();
  EXPECT_EQ(doc().modemMode, 1);
  EXPECT_FALSE(page().BaseBlockBox()->isEnabled());
  emit page().BaseBlockBox()->clicked(true);
  EXPECT_EQ(dialogs.messages.back(), "It is not used in Dumb Mode!");
  EXPECT_FALSE(page().BaseBlockBox()->isChecked());
  page().TxForcingBox()->click();
  EXPECT_EQ(doc().txForcingMode, 1);

  dialogs.saveAnswers = {SaveChoice::kDiscard};  // the edits above are not kept
  view().OnModelChosen(model::kKx400Vhf);
  emit list(ModemListId::kTxDelay2)->activated(2);
  EXPECT_EQ(dialogs.messages.back(), "KX220 dosen't have under 400 value");
  EXPECT_EQ(list(ModemListId::kTxDelay2)->currentText(), "400");
  EXPECT_EQ(doc().txDelay2Index, 4);
}

TEST_F(ModemPageTest, LoadDisablesWhatTheModelLacksAndHoldsAModemWithoutTypeOff) {
  startWith(model::kKx400Uhf);
  for (QWidget* control : std::initializer_list<QWidget*>{page().GmskBox(), page().FfskBox(),
                                                          page().DumbRadio(), page().AutoRadio()})
    EXPECT_FALSE(control->isEnabled()) << control->accessibleName().toStdString();
  EXPECT_TRUE(page().AfskBox()->isChecked());
  EXPECT_TRUE(page().DumbRadio()->isChecked());

  doc().afsk = 0;
  doc().modemEnabled = 1;
  CKX200Doc before = doc();
  page().Refresh();
  before.modemEnabled = 0;
  EXPECT_EQ(doc(), before);
  EXPECT_FALSE(page().ModemButton()->isChecked());
  EXPECT_EQ(page().ModemButton()->text(), "Modem Disable");
  EXPECT_EQ(doc().viewFlagB, 1);

  // Every control can be named by a screen reader.
  for (QWidget* control : page().findChildren<QWidget*>()) {
    if (control->focusPolicy() & Qt::TabFocus) {
      EXPECT_FALSE(control->accessibleName().isEmpty()) << control->metaObject()->className();
    }
  }
  EXPECT_EQ(list(ModemListId::kSBand)->accessibleName(), "S - BAND");
  EXPECT_EQ(page().DelayEdit(ModemDelay::kTxOn)->accessibleName(), "Tx On Delay");
}

TEST_F(ModemPageTest, ControlsShowWhatAWriteSendsWhateverTheClicks) {
  startWith(model::kKx600Vhf);
  QCheckBox* external = view().Sheet().SystemPage().ExternalModulationBox();

  // A file with the modem on and no type: a type ticked afterwards leaves the modem off.
  doc().modemEnabled = 1;
  page().Refresh();
  page().GmskBox()->click();
  EXPECT_EQ(doc().modemEnabled, 0);
  EXPECT_FALSE(page().ModemButton()->isChecked());
  EXPECT_EQ(page().ModemButton()->text(), "Modem Disable");
  EXPECT_TRUE(external->isEnabled());
  page().GmskBox()->click();

  // BELL 202 holds the mode in Dumb only while AFSK is ticked.
  page().AfskBox()->click();
  page().Bell202Radio()->click();
  EXPECT_TRUE(page().DumbRadio()->isChecked());
  EXPECT_FALSE(page().AutoRadio()->isEnabled());
  page().AfskBox()->click();
  page().GmskBox()->click();
  ASSERT_TRUE(page().AutoRadio()->isEnabled());
  page().AutoRadio()->click();
  EXPECT_EQ(doc().modemMode, 2);

  // In Dumb mode the flow control list holds the one the radio gets.
  page().DumbRadio()->click();
  QComboBox* flow = list(ModemListId::kFlowControl);
  EXPECT_EQ(flow->currentText(), "NONE");
  EXPECT_EQ(doc().flowControl, 0);
  page().DefaultButton()->click();
  EXPECT_EQ(flow->currentText(), "Xon/Xoff");
  EXPECT_EQ(doc().flowControl, 1);
  emit flow->activated(0);
  EXPECT_EQ(flow->currentText(), "Xon/Xoff");
  EXPECT_EQ(doc().flowControl, 1);
  EXPECT_TRUE(dialogs.messages.empty());
}

}  // namespace kx::test
