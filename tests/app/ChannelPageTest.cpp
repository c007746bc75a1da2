// The channel page's wiring: typing, leaving an edit, the option buttons and the timers. The
// rules behind them are tested in tests/rules.
#include <QCheckBox>
#include <QComboBox>
#include <QFocusEvent>
#include <QLineEdit>
#include <QTest>
#include <QToolBar>
#include <filesystem>

#include "AppFixture.h"
#include "app/CommandIds.h"
#include "editors/MyPage4.h"
#include "editors/OptionButton.h"
#include "model/ConfigFile.h"
#include "model/KX200Doc.h"
#include "support/CommaLocale.h"

namespace kx::test {

class ChannelPageTest : public AppTest {
 protected:
  CMyPage4& page() { return view().Sheet().ChannelPage(); }
  // The technician tabs out of an edit.
  static void leave(QWidget* edit) {
    QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(edit, &out);
    QCoreApplication::processEvents();
  }
};

TEST_F(ChannelPageTest, TabWalksARowLeftToRightThenTheNextRow) {
  start();
  // The next control Tab reaches from a widget.
  auto next = [](QWidget* from) {
    QWidget* w = from->nextInFocusChain();
    while (!(w->focusPolicy() & Qt::TabFocus) || !w->isEnabled())
      w = w->nextInFocusChain();
    return w;
  };
  EXPECT_EQ(next(page().RxEdit(0)), page().RxOption(0));
  EXPECT_EQ(next(page().RxOption(0)), page().TxEdit(0));
  EXPECT_EQ(next(page().TxOption(0)), page().WidthBox(0));
  EXPECT_EQ(next(page().ScanBox(0)), page().RxEdit(1));
  EXPECT_EQ(page().RxEdit(2)->accessibleName(), "Channel 3 Rx Freq(MHz)");
  EXPECT_EQ(page().TxOption(2)->accessibleName(), "Channel 3 TxOption");
}

TEST_F(ChannelPageTest, TypedFrequencyIsPointedSnappedAndCopiedToTransmit) {
  start();
  QTest::keyClicks(page().RxEdit(2), "1500065");
  EXPECT_EQ(page().RxEdit(2)->text(), "150.0065");
  EXPECT_EQ(page().RxEdit(2)->cursorPosition(), 8);
  leave(page().RxEdit(2));

  EXPECT_EQ(page().RxEdit(2)->text(), "150.01250");
  EXPECT_EQ(page().TxEdit(2)->text(), "150.01250");
  EXPECT_DOUBLE_EQ(doc().channels[2].txFreqMHz, 150.0125);
  EXPECT_EQ(page().RxOption(2)->text(), "NO");
  EXPECT_TRUE(dialogs.messages.empty());

  // Outside the sub-band: the stop message, the middle of the band, the focus on the option.
  page().RxEdit(3)->setText(QStringLiteral("200"));
  leave(page().RxEdit(3));
  ASSERT_EQ(dialogs.notices.size(), 1u);
  EXPECT_EQ(dialogs.notices[0].text, "Valid Range : 146 to 174MHz");
  EXPECT_EQ(dialogs.notices[0].kind, NoticeKind::kStop);
  EXPECT_EQ(page().RxEdit(3)->text(), "160.00000");
}

TEST_F(ChannelPageTest, OptionButtonsNeedBothFrequenciesAndShowTheToneColour) {
  start();
  int opened = 0;
  page().runOptionDialog = [&] {
    ++opened;
    doc().channels[0].rxOption = kOptionCtcss;
    doc().channels[0].rxCtcssHz = 69.3;
    return true;
  };
  page().RxOption(0)->click();
  EXPECT_EQ(opened, 0);
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_EQ(dialogs.messages[0], "Fill Rx/Tx Freq. first");

  page().RxEdit(0)->setText(QStringLiteral("150.00000"));
  leave(page().RxEdit(0));
  page().TxOption(0)->click();
  EXPECT_EQ(opened, 1);
  EXPECT_EQ(doc().currentChannel, 1);
  EXPECT_EQ(page().RxOption(0)->text(), " 69.3");
  EXPECT_EQ(page().RxOption(0)->Background(), 0xFFCCFFu);
  // A screen reader hears the button and what it shows.
  EXPECT_EQ(heard(page().RxOption(0)), "Channel 1 RxOption");
  EXPECT_EQ(heard(page().RxOption(0), QAccessible::Description), "69.3");
  EXPECT_EQ(heard(page().TxOption(0), QAccessible::Description), "NO");
  EXPECT_EQ(heard(page().TxOption(1), QAccessible::Description), "");
}

TEST_F(ChannelPageTest, AFastClickRightAfterTypingSeesTheTypedFrequency) {
  // COM7 is not plugged in: a write fails at once.
  std::filesystem::create_directories(config.path() / "kxprog");
  writeAll(sideFile(), {7, 0, 0, 0});
  start();
  int opened = 0;
  page().runOptionDialog = [&] { return ++opened, false; };
  frame().activateWindow();
  QApplication::setActiveWindow(&frame());
  // Press and release in one go, as a touchpad tap sends them, before the edit's check has run.
  const auto typeThenClick = [&](int row, const char* typed, QWidget* target) {
    page().RxEdit(row)->setFocus();
    ASSERT_EQ(QApplication::focusWidget(), page().RxEdit(row));
    QTest::keyClicks(page().RxEdit(row), typed);
    QTest::mouseClick(target, Qt::LeftButton);
  };
  typeThenClick(0, "150", page().RxOption(0));
  EXPECT_EQ(opened, 1);
  EXPECT_TRUE(dialogs.messages.empty());
  EXPECT_DOUBLE_EQ(doc().channels[0].txFreqMHz, 150.0);

  const auto toolButton = [&](int command) {
    return frame().ToolBar()->widgetForAction(frame().Action(command));
  };
  const std::string path = files.file("typed.dat");
  dialogs.fileAnswers.push_back(QString::fromStdString(path));
  typeThenClick(1, "151", toolButton(cmd::kFileSave));
  CKX200Doc saved;
  ASSERT_TRUE(LoadConfigFile(saved, path).ok);
  EXPECT_DOUBLE_EQ(saved.channels[1].rxFreqMHz, 151.0);

  typeThenClick(2, "152", toolButton(cmd::kWriteRadio));
  EXPECT_DOUBLE_EQ(doc().channels[2].rxFreqMHz, 152.0);
  EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(ChannelPageTest, ControlsWriteTheDocumentAndFollowEachOther) {
  start();
  page().WidthBox(5)->click();
  EXPECT_EQ(doc().channels[5].wide, 1);
  EXPECT_EQ(page().WidthBox(5)->text(), "Wide");
  page().HangList()->setCurrentIndex(3);
  emit page().HangList()->activated(3);
  EXPECT_EQ(doc().hangOnTimeMs, 200);

  page().BusyLockoutBox()->click();
  page().TxMatchedSatBox()->click();
  EXPECT_EQ(doc().txMatchedSatEnabled, 1);
  page().BusyLockoutBox()->click();  // off: Tx matched SAT goes with it
  EXPECT_EQ(doc().txMatchedSatEnabled, 0);
  EXPECT_FALSE(page().TxMatchedSatBox()->isEnabled());

  page().PowerSaveBox()->click();
  EXPECT_TRUE(page().RxOffEdit()->isEnabled());
  page().RxOffEdit()->setText(QStringLiteral("15"));
  leave(page().RxOffEdit());
  EXPECT_EQ(dialogs.messages.back(), "Valid Settings 20 to 400");
  EXPECT_EQ(page().RxOffEdit()->text(), "200");

  // With the FFSK modem on, Tx Delay cannot be used once the page is shown again.
  doc().txDelayEnabled = doc().ffsk = doc().modemEnabled = 1;
  view().ShowChannelPage();
  EXPECT_FALSE(page().TxDelayBox()->isEnabled());
  EXPECT_EQ(doc().txDelayEnabled, 0);
}

// A desktop with a decimal comma: the page still reads and writes the radio's "150.12500".
TEST_F(ChannelPageTest, FrequenciesAndTonesKeepTheirDecimalsUnderACommaLocale) {
  CommaLocale comma;
  ASSERT_TRUE(comma.active());
  QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
  start();
  QTest::keyClicks(page().RxEdit(0), "150125");
  EXPECT_EQ(page().RxEdit(0)->text(), "150.125");
  leave(page().RxEdit(0));
  EXPECT_EQ(page().RxEdit(0)->text(), "150.12500");
  EXPECT_EQ(page().TxEdit(0)->text(), "150.12500");
  EXPECT_DOUBLE_EQ(doc().channels[0].rxFreqMHz, 150.125);

  page().runOptionDialog = [&] {
    doc().channels[0].rxOption = kOptionCtcss;
    doc().channels[0].rxCtcssHz = 69.3;
    return true;
  };
  page().RxOption(0)->click();
  EXPECT_EQ(page().RxOption(0)->text(), " 69.3");
  EXPECT_TRUE(dialogs.messages.empty());

  // The power-save times take digits only, never the language's thousands separator.
  int position = 0;
  for (QString typed : {QStringLiteral("1.000"), QStringLiteral("1,000")})
    EXPECT_EQ(page().RxOffEdit()->validator()->validate(typed, position), QValidator::Invalid);
  QLocale::setDefault(QLocale::c());
}

}  // namespace kx::test
