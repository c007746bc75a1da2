#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>

#include "AppFixture.h"
#include "editors/ChannelOptionDialog.h"
#include "editors/TonePickerDialog.h"
#include "editors/TwoToneConditionDialog.h"
#include "editors/TwoToneDataDialog.h"
#include "support/Documents.h"

namespace kx::test {

namespace {

const QColor kPink(255, 204, 255);

// A KX600 with channel 3 filled in and chosen, as the channel page opens the dialog.
class ChannelOptionDialogTest : public ::testing::Test {
 protected:
  ChannelOptionDialogTest() : doc(DocumentOf(model::kKx600Uhf)) {
    doc.channels[2].rxFreqMHz = doc.channels[2].txFreqMHz = 450;
    doc.currentChannel = 3;
  }

  // Answers the next sub-dialog in place instead of running it.
  template <typename Dialog>
  static std::function<int(QDialog&)> answer(std::function<void(Dialog&)> act) {
    return [act](QDialog& dialog) {
      auto* typed = dynamic_cast<Dialog*>(&dialog);
      EXPECT_NE(typed, nullptr) << dialog.windowTitle().toStdString();
      if (typed) act(*typed);
      return dialog.result();
    };
  }

  CKX200Doc doc;
  ScriptedUserDialogs dialogs;
};

TEST_F(ChannelOptionDialogTest, CancelPutsBackTheToneThatWasPicked) {
  ChannelOptionDialog dialog(doc, dialogs);
  EXPECT_EQ(dialog.windowTitle(), "CHANNEL OPTION");
  EXPECT_EQ(dialog.ChannelEdit()->text(), "3");
  QPushButton* tone = dialog.ValueButton(OptionValue::kRxCtcss);
  EXPECT_FALSE(tone->isEnabled());

  dialog.RxRadio(kOptionCtcss)->click();
  EXPECT_EQ(doc.channels[2].rxOption, kOptionCtcss);
  ASSERT_TRUE(tone->isEnabled());
  EXPECT_EQ(tone->text(), " 67.0");
  EXPECT_EQ(tone->accessibleName(), "RX CTCSS tone");

  dialog.runDialog = answer<CtcssPickerDialog>([](CtcssPickerDialog& picker) {
    picker.Grid()->setCurrentCell(0, 1);
    picker.OkButton()->click();
  });
  tone->click();
  EXPECT_EQ(tone->text(), "69.3");
  EXPECT_EQ(tone->palette().color(QPalette::Button), kPink);
  EXPECT_DOUBLE_EQ(doc.channels[2].rxCtcssHz, 69.3);

  dialog.CancelButton()->click();
  EXPECT_EQ(dialog.result(), QDialog::Rejected);
  EXPECT_DOUBLE_EQ(doc.channels[2].rxCtcssHz, 67.0);
  EXPECT_EQ(doc.channels[2].rxOption, kOptionNone);
  EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(ChannelOptionDialogTest, TabOnCancelMovesToTheNextChannelAndWrapsAfterSixteen) {
  doc.currentChannel = 16;
  ChannelOptionDialog dialog(doc, dialogs);
  QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
  QApplication::sendEvent(dialog.CancelButton(), &tab);
  EXPECT_EQ(dialog.ChannelEdit()->text(), "1");
  EXPECT_EQ(dialogs.messages, std::vector<QString>{"Out of range channel"});
  QApplication::sendEvent(dialog.CancelButton(), &tab);
  EXPECT_EQ(dialog.ChannelEdit()->text(), "2");
  EXPECT_EQ(doc.currentChannel, 2);
}

TEST_F(ChannelOptionDialogTest, DisableWithTheCodeTakesTwoToneOffEveryChannel) {
  doc.twoToneLocked = 0;
  for (int c : {0, 5, 15})
    doc.channels[static_cast<std::size_t>(c)].rxOption = kOptionTwoTone;
  ChannelOptionDialog dialog(doc, dialogs);
  ASSERT_TRUE(dialog.RxRadio(kOptionTwoTone)->isEnabled());

  dialog.runDialog = answer<TwoToneConditionDialog>([](TwoToneConditionDialog& condition) {
    EXPECT_EQ(condition.windowTitle(), "CHANGE TWO TONE CONDITION");
    EXPECT_EQ(condition.PasswordEdit()->echoMode(), QLineEdit::Password);
    condition.PasswordEdit()->setText("8413");
    condition.DisableButton()->click();
  });
  dialog.RxRadio(kOptionTwoTone)->click();
  EXPECT_EQ(doc.twoToneLocked, 1);
  for (const ChannelRecord& c : doc.channels)
    EXPECT_NE(c.rxOption, kOptionTwoTone);
  EXPECT_TRUE(dialog.RxRadio(kOptionNone)->isChecked());
  EXPECT_FALSE(dialog.ValueButton(OptionValue::kTwoTone)->isEnabled());
  EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(ChannelOptionDialogTest, EnableWithAWrongCodeLeavesTwoToneWithoutItsButton) {
  doc.twoToneLocked = 0;
  ChannelOptionDialog dialog(doc, dialogs);
  dialog.runDialog = answer<TwoToneConditionDialog>([](TwoToneConditionDialog& condition) {
    condition.PasswordEdit()->setText("1234");
    condition.EnableButton()->click();
  });
  dialog.RxRadio(kOptionTwoTone)->click();
  EXPECT_EQ(dialogs.messages, std::vector<QString>{"Wrong password!"});
  EXPECT_TRUE(dialog.RxRadio(kOptionTwoTone)->isChecked());
  EXPECT_EQ(doc.channels[2].rxOption, kOptionTwoTone);
  EXPECT_FALSE(dialog.ValueButton(OptionValue::kTwoTone)->isEnabled());
}

TEST_F(ChannelOptionDialogTest, EnableWithAWrongCodeWhileLockedChangesNothing) {
  doc.channels[2].rxOption = kOptionDcs;
  ChannelOptionDialog dialog(doc, dialogs);
  ASSERT_EQ(doc.twoToneLocked, 1);
  ASSERT_TRUE(dialog.RxRadio(kOptionTwoTone)->isEnabled());
  dialog.runDialog = answer<TwoToneConditionDialog>([](TwoToneConditionDialog& condition) {
    condition.PasswordEdit()->setText("1234");
    condition.EnableButton()->click();
  });
  dialog.RxRadio(kOptionTwoTone)->click();
  EXPECT_EQ(dialogs.messages, std::vector<QString>{"Wrong password!"});
  EXPECT_TRUE(dialog.RxRadio(kOptionDcs)->isChecked());
  EXPECT_TRUE(dialog.ValueButton(OptionValue::kRxDcs)->isEnabled());
  EXPECT_FALSE(dialog.ValueButton(OptionValue::kTwoTone)->isEnabled());
  EXPECT_EQ(doc.channels[2].rxOption, kOptionDcs);
  EXPECT_EQ(doc.channels[2].twoToneSelect, kToneBoth);
  dialog.OkButton()->click();
  EXPECT_EQ(doc.channels[2].rxOption, kOptionDcs);
}

TEST_F(ChannelOptionDialogTest, PickerGridsHoldTheTablesAndOkGivesTheCurrentCell) {
  CtcssPickerDialog ctcss;
  EXPECT_EQ(ctcss.windowTitle(), " CTCSS");
  QTableWidget* grid = ctcss.Grid();
  ASSERT_EQ(grid->rowCount(), 7);
  ASSERT_EQ(grid->columnCount(), 7);
  EXPECT_EQ(grid->item(0, 0)->text(), "67.0");
  EXPECT_EQ(grid->item(6, 6)->text(), "254.1");
  EXPECT_EQ(grid->item(0, 1)->background().color(), kPink);
  EXPECT_NE(grid->item(0, 2)->background().color(), kPink);
  EXPECT_EQ(grid->currentRow(), 0);
  EXPECT_EQ(grid->currentColumn(), 0);
  ctcss.OkButton()->click();
  EXPECT_EQ(ctcss.Picked(), "67.0");

  DcsPickerDialog dcs;
  EXPECT_EQ(dcs.windowTitle(), " DCS");
  ASSERT_EQ(dcs.Grid()->rowCount(), 8);
  ASSERT_EQ(dcs.Grid()->columnCount(), 13);
  EXPECT_EQ(dcs.Grid()->item(7, 12)->text(), "754");
  emit dcs.Grid()->cellDoubleClicked(1, 2);
  EXPECT_EQ(dcs.result(), QDialog::Accepted);
  EXPECT_EQ(dcs.Picked(), "074");
}

TEST_F(ChannelOptionDialogTest, TwoToneDataRefusesAFrequencyAbove3000) {
  ChannelRecord& c = doc.channels[2];
  c.twoToneSelect = kToneBoth;
  TwoToneDataDialog data(doc, dialogs);
  QLineEdit* frequencyA = data.Edit(TwoToneDataDialog::kToneAFrequency);
  EXPECT_EQ(frequencyA->text(), " 300");
  EXPECT_TRUE(data.GroupRadio(kToneBoth)->isChecked());

  frequencyA->setText("3001");
  QFocusEvent leave(QEvent::FocusOut, Qt::TabFocusReason);
  QApplication::sendEvent(frequencyA, &leave);
  EXPECT_EQ(dialogs.messages, std::vector<QString>{"Valid Settings 300 - 3000 Hz"});
  EXPECT_EQ(frequencyA->text(), "300.0");
  EXPECT_DOUBLE_EQ(c.toneAHz, 300);

  // OK while an edit still has the focus checks it first.
  data.GroupRadio(kToneB)->click();
  EXPECT_FALSE(frequencyA->isEnabled());
  QLineEdit* frequencyB = data.Edit(TwoToneDataDialog::kToneBFrequency);
  frequencyB->setText("2999");
  frequencyB->setFocus();
  data.OkButton()->click();
  EXPECT_DOUBLE_EQ(c.toneBHz, 2990);
  EXPECT_EQ(data.Caption(), "Tone B");
  EXPECT_EQ(c.twoToneSelect, kToneB);
  EXPECT_EQ(dialogs.messages.size(), 1u);
}

}  // namespace
}  // namespace kx::test
