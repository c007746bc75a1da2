#include <windows.h>

#include <QLabel>
#include <QStatusBar>
#include <algorithm>
#include <array>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "AppFixture.h"
#include "app/CommandIds.h"
#include "app/ProgramSettings.h"

// What the desktop app does differently on Windows: the lock keys come from the system's key
// state, the settings are an INI file under %APPDATA%, and the Port menu lists the COM ports
// Windows has.
namespace kx::test {

using WindowsDesktopTest = AppTest;

TEST_F(WindowsDesktopTest, LockPanesFollowTheKeyStateWindowsKeeps) {
  start();
  const auto panes = [&] {
    std::array<bool, 3> enabled{};
    const char* names[] = {"indicatorCAP", "indicatorNUM", "indicatorSCRL"};
    for (std::size_t i = 0; i < enabled.size(); ++i)
      enabled[i] = frame().statusBar()->findChild<QLabel*>(names[i])->isEnabled();
    return enabled;
  };
  std::array<BYTE, 256> before{};
  ASSERT_TRUE(::GetKeyboardState(before.data()));
  // The low bit of a lock key's entry is its toggle state.
  const auto toggle = [&](BYTE caps, BYTE num, BYTE scroll) {
    std::array<BYTE, 256> keys = before;
    keys[VK_CAPITAL] = caps;
    keys[VK_NUMLOCK] = num;
    keys[VK_SCROLL] = scroll;
    return ::SetKeyboardState(keys.data()) != 0;
  };
  ASSERT_TRUE(toggle(1, 0, 1));
  frame().UpdateLockPanes();
  EXPECT_EQ(panes(), (std::array<bool, 3>{true, false, true}));
  ASSERT_TRUE(toggle(0, 1, 0));
  frame().UpdateLockPanes();
  EXPECT_EQ(panes(), (std::array<bool, 3>{false, true, false}));
  ::SetKeyboardState(before.data());
}

TEST_F(WindowsDesktopTest, SettingsAreAnIniFileUnderTheRoamingAppData) {
  start();
  const std::string expected = config.path().string() + "\\kxprog\\kxprog.conf";
  EXPECT_EQ(ProgramSettings::Path().toStdString(), expected);
  trigger(cmd::kVerifyAfterWrite);  // on by default: now off, and kept at once
  app.reset();
  std::ifstream in(expected);
  std::stringstream text;
  text << in.rdbuf();
  EXPECT_NE(text.str().find("[program]"), std::string::npos) << text.str();
  EXPECT_NE(text.str().find("verifyAfterWrite=false"), std::string::npos) << text.str();
}

TEST_F(WindowsDesktopTest, PortMenuListsTheComPortsOfTheSystem) {
  const char* radio = std::getenv("KX_TEST_COM_PORT");
  if (!radio || !*radio) GTEST_SKIP() << "KX_TEST_COM_PORT names no COM port";
  app = std::make_unique<CProgrammerApp>(dialogs);  // the system's own list of ports
  ASSERT_TRUE(app->InitInstance({QStringLiteral("kxprog")}));
  QCoreApplication::processEvents();
  if (view().FirstModelDialog()) view().FirstModelDialog()->close();
  // "COM7  \\.\COM7", with the driver's description where SetupAPI has one.
  const QString expected = QStringLiteral("%1  \\\\.\\%1").arg(QString::fromLatin1(radio));
  const QStringList items = itemTexts(frame().Menu(2));
  EXPECT_TRUE(std::any_of(items.begin(), items.end(), [&](const QString& item) {
    return item.startsWith(expected);
  })) << items.join(QLatin1Char('|')).toStdString();
}

}  // namespace kx::test
