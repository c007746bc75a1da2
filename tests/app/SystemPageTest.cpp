// The system option / GPS page's wiring: leaving an edit, the boxes that gate other controls,
// the model's enabling and External Modulation. The rules behind them are in tests/rules.
#include <QCheckBox>
#include <QComboBox>
#include <QFocusEvent>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>

#include "AppFixture.h"
#include "editors/MyPage2.h"

namespace kx::test {

class SystemPageTest : public AppTest {
 protected:
  CMyPage2& page() { return view().Sheet().SystemPage(); }
  // The technician tabs out of an edit.
  static void leave(QWidget* edit) {
    QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(edit, &out);
    QCoreApplication::processEvents();
  }
};

TEST_F(SystemPageTest, EditsAreCheckedWhenLeftAndGpsGatesItsFields) {
  start();
  view().OnModelChosen(model::kKx600Uhf);
  view().ShowSystemPage();
  EXPECT_EQ(doc().viewFlagA, 1);

  page().ScanSpeedEdit()->setText(QStringLiteral("45"));
  leave(page().ScanSpeedEdit());
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_EQ(dialogs.messages[0], "Valid Settings 50 - 2000 ms ");
  EXPECT_EQ(page().ScanSpeedEdit()->text(), "  50");
  EXPECT_EQ(doc().scanSpeedMs, 50);
  EXPECT_EQ(page().window()->focusWidget(), page().ScanSpeedEdit());

  page().GpsBox()->click();
  ASSERT_TRUE(page().GpsDataTimeEdit()->isEnabled());
  page().GpsDataTimeEdit()->setText(QStringLiteral("11"));
  leave(page().GpsDataTimeEdit());
  EXPECT_EQ(dialogs.messages.back(), "Valid Settings 1 - 10");
  EXPECT_EQ(page().GpsDataTimeEdit()->text(), "5");
  page().GpsDataDelayEdit()->setText(QStringLiteral("305"));
  leave(page().GpsDataDelayEdit());
  EXPECT_EQ(doc().gpsDataDelaySec, 300);
  page().GpsCycleList()->setCurrentIndex(5);
  emit page().GpsCycleList()->activated(5);

  page().GpsBox()->click();  // off: the fields go grey and keep their values
  EXPECT_EQ(doc().gpsEnabled, 0);
  for (QWidget* field : {static_cast<QWidget*>(page().GpsCycleList()),
                         static_cast<QWidget*>(page().GpsDataTimeEdit()),
                         static_cast<QWidget*>(page().GpsDataDelayEdit())})
    EXPECT_FALSE(field->isEnabled());
  EXPECT_EQ(page().GpsDataDelayEdit()->text(), "300");
  EXPECT_EQ(doc().gpsCycleIndex, 5);
  EXPECT_EQ(page().GpsCycleList()->currentIndex(), 5);

  page().SquelchBox()->click();
  EXPECT_EQ(doc().squelchEnabled, 0);
  EXPECT_FALSE(page().BusyPortRadio()->isEnabled());
  EXPECT_EQ(page().ScanSpeedEdit()->accessibleName(), "Scan Speed Time");
  EXPECT_EQ(page().GpsBox()->accessibleName(), "Enables GPS");
}

TEST_F(SystemPageTest, BelowTheKx600OnlyExternalModulationIsUsable) {
  start();
  view().OnModelChosen(model::kKx400Uhf);
  EXPECT_EQ(doc().viewFlagA, 0);
  const QList<QWidget*> controls = page().findChildren<QWidget*>();
  int usable = 0;
  for (QWidget* control : controls) {
    if (!(control->focusPolicy() & Qt::TabFocus) || !control->isEnabled()) continue;
    ++usable;
    EXPECT_EQ(control, page().ExternalModulationBox()) << control->accessibleName().toStdString();
  }
  EXPECT_EQ(usable, 1);

  page().ExternalModulationBox()->click();
  EXPECT_EQ(doc().externalModulation, 1);
  page().DisableExternalModulation();
  EXPECT_FALSE(page().ExternalModulationBox()->isEnabled());
  EXPECT_EQ(doc().externalModulation, 1);
  page().EnableExternalModulation();
  EXPECT_TRUE(page().ExternalModulationBox()->isEnabled());
  EXPECT_TRUE(page().ExternalModulationBox()->isChecked());
}

}  // namespace kx::test
