// The EEPROM map page's wiring: a double click patches a byte behind the access code.
#include <QFocusEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>

#include "AppFixture.h"
#include "editors/ChangeMapDlg.h"
#include "editors/ComDlg.h"
#include "editors/EngSettingsDlg.h"
#include "model/RadioMemory.h"

namespace kx::test {

using EepromPageTest = AppTest;

// Answers " CHANGE EEPROM MAP": the code, INPUT, the value, then OK or Cancel.
std::function<int(QDialog&)> patchWith(const char* code, const char* value, bool ok) {
  return [=](QDialog& dialog) {
    auto& change = dynamic_cast<CChangeMapDlg&>(dialog);
    change.CodeEdit()->setText(QString::fromLatin1(code));
    change.InputButton()->click();
    change.ValueEdit()->setText(QString::fromLatin1(value));
    QFocusEvent leave(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(change.ValueEdit(), &leave);
    if (ok)
      change.OkButton()->click();
    else
      change.reject();
    return dialog.result();
  };
}

TEST_F(EepromPageTest, DoubleClickPatchesTheByteBehindTheAccessCode) {
  start();
  CComDlg& map = view().Sheet().ComPage();
  QTableWidget* grid = map.Grid();

  // Byte 0x0B8 reaches the document as soon as it is typed, even when the dialog is cancelled.
  map.runDialog = patchWith("8413", "5", false);
  emit grid->cellDoubleClicked(11, 8);
  EXPECT_EQ(doc().regB8, 0x05);
  EXPECT_EQ(app->Memory().pendingCount(), 0u);

  map.runDialog = patchWith("8413", "a", true);
  emit grid->cellDoubleClicked(0, 12);
  EXPECT_EQ(grid->item(0, 12)->text(), "0A");
  EXPECT_EQ(app->Memory().pendingFlags[0x0C], 1);

  // A wrong code: the message, and nothing patched.
  map.runDialog = patchWith("1234", "FF", true);
  emit grid->cellDoubleClicked(0, 13);
  EXPECT_EQ(dialogs.messages, std::vector<QString>{"Wrong password!"});
  EXPECT_NE(grid->item(0, 13)->text(), "FF");
  EXPECT_EQ(app->Memory().pendingCount(), 1u);

  map.runDialog = [](QDialog& dialog) {
    auto& settings = dynamic_cast<CEngSettingsDlg&>(dialog);
    EXPECT_EQ(settings.windowTitle(), "Show Engineering Settings");
    EXPECT_EQ(settings.StepList().split(QLatin1Char('\n')).size(), 16);
    return 1;
  };
  map.SettingsButton()->click();
}

}  // namespace kx::test
