#ifndef _WIN32
#include <sys/stat.h>
#endif
#include <QLabel>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolBar>

#include <climits>
#include <filesystem>
#include <fstream>

#include "AppFixture.h"
#include "app/CommandIds.h"
#include "app/ReadWriteDlg.h"

namespace kx::test {

namespace {
std::vector<std::uint8_t> portFileBytes(int number) {
  return {static_cast<std::uint8_t>(number), 0, 0, 0};
}

// A device that is there: a file standing in for a tty on Linux; on Windows a \\.\ device the
// system always has.
std::string presentDevice(const TempFolder& files, const char* name) {
#ifdef _WIN32
  (void)files;
  (void)name;
  return "\\\\.\\NUL";
#else
  const std::string device = files.file(name);
  writeAll(device, {});
  return device;
#endif
}

#ifdef _WIN32
constexpr const char* kAbsentDevice = "\\\\.\\CNCA9";
// Windows numbers every port up to 4096; past that, and never below 1.
constexpr std::int32_t kNoPortNumbers[] = {0, -1, INT_MIN, INT_MAX, 4097};
#else
constexpr const char* kAbsentDevice = "/dev/no-such-radio";
constexpr std::int32_t kNoPortNumbers[] = {0, -1, INT_MIN, INT_MAX, 100};
#endif
}  // namespace

using MainFrameTest = AppTest;

TEST_F(MainFrameTest, MenusCarryTheirItemsAcceleratorsAndCommandNumbers) {
  start();
  QStringList titles;
  for (const QAction* menu : frame().menuBar()->actions())
    titles << menu->text();
  EXPECT_EQ(titles, (QStringList{"&File", "&Edit", "&Program", "&Port", "&View", "&Help"}));

  EXPECT_EQ(itemTexts(frame().Menu(0)),
            (QStringList{"&New\tCtrl+N", "&Load... \tCtrl+O", "&Save\tCtrl+S", "-",
                         "&Print...\tCtrl+P", "Print Pre&view...", "&Export Data Sheet as PDF...",
                         "-", "Import Channels (CSV)...", "Export Channels (CSV)...",
                         "Import Configuration (YAML)...", "Export Configuration (YAML)...", "-",
                         "E&xit"}));
  EXPECT_EQ(itemTexts(frame().Menu(1)),
            (QStringList{"&Model Select\tCtrl + M", "-", "&Squelch\t", "&Calibration\t", "-",
                         "&Verify after Write"}));
  // "System/GPS Option" is appended once, however often the model changes.
  frame().AppendSystemMenuItem();
  EXPECT_EQ(itemTexts(frame().Menu(3)),
            (QStringList{"&Toolbar", "&Status Bar", "-", "&Channel\t", "M&odem\t", "&EEPROM W/R\t",
                         "System/GPS Option"}));
  EXPECT_EQ(itemTexts(frame().Menu(4)), QStringList{"&About KX400/KX600..."});

  const std::pair<int, QKeySequence> accelerators[] = {
      {cmd::kFileNew, QKeySequence(QStringLiteral("Ctrl+N"))},
      {cmd::kFileOpen, QKeySequence(QStringLiteral("Ctrl+O"))},
      {cmd::kFileSave, QKeySequence(QStringLiteral("Ctrl+S"))},
      {cmd::kFilePrint, QKeySequence(QStringLiteral("Ctrl+P"))},
      {cmd::kModelSelect, QKeySequence(QStringLiteral("Ctrl+M"))},
  };
  for (const auto& [command, keys] : accelerators)
    EXPECT_EQ(frame().Action(command)->shortcut(), keys) << command;

  // Every menu item answers to its command number.
  for (const QMenu* menu : {frame().Menu(0), frame().Menu(1), frame().Menu(3), frame().Menu(4)}) {
    for (const QAction* action : menu->actions()) {
      if (action->isSeparator()) continue;
      EXPECT_EQ(frame().Action(action->data().toInt()), action) << action->text().toStdString();
    }
  }
}

TEST_F(MainFrameTest, ToolbarHasItsButtonsInOrderWithPromptsAndPictures) {
  start();
  QToolBar* bar = frame().ToolBar();
  EXPECT_EQ(bar->iconSize(), QSize(42, 42));
  std::vector<int> order;
  for (const QAction* action : bar->actions())
    order.push_back(action->isSeparator() ? 0 : action->data().toInt());
  const std::vector<int> expected = {57600, 57601, 57603, 57607, 0, 32804, 32803, 0,
                                     32789, 32790, 32772, 32791, 0, 32792, 32771};
  EXPECT_EQ(order, expected);
  for (const QAction* action : bar->actions()) {
    if (action->isSeparator()) continue;
    EXPECT_FALSE(action->icon().isNull()) << action->data().toInt();
    EXPECT_FALSE(action->toolTip().isEmpty()) << action->data().toInt();
    EXPECT_FALSE(action->statusTip().isEmpty()) << action->data().toInt();
  }
  const auto prompt = [&](int command) {
    return frame().Action(command)->statusTip() + "|" + frame().Action(command)->toolTip();
  };
  EXPECT_EQ(prompt(cmd::kCalibrationTool), "Calibration|Calibration");
  EXPECT_EQ(prompt(cmd::kEepromTool), "Read/Write|EEPROM Read/Write");
  EXPECT_EQ(prompt(cmd::kEepromMenu), "Select Write / Read|COMUNICATION");
  EXPECT_EQ(prompt(cmd::kChannelTool), "CHANNEL DATA|Channel Configuration");
  EXPECT_EQ(prompt(cmd::kModemTool), "MODEM OPTION|Modem Option");
  EXPECT_EQ(prompt(cmd::kSystemTool), "SYSTEM OPTION / GPS|System option / GPS");
  EXPECT_EQ(prompt(cmd::kSquelchTool), "SETTING SQUELCH|Setting Squelch");

  // The status bar: message pane and the three lock indicators.
  EXPECT_EQ(frame().MessagePane()->text(), "Ready");
  for (const char* name : {"indicatorCAP", "indicatorNUM", "indicatorSCRL"})
    EXPECT_NE(frame().statusBar()->findChild<QLabel*>(name), nullptr) << name;

  EXPECT_EQ(frame().windowTitle(), "Data Radio PC Test Programmer Ver 1.61");
  EXPECT_TRUE(frame().isMaximized() || frame().windowState().testFlag(Qt::WindowMaximized));
}

TEST_F(MainFrameTest, PageCommandsMoveTheCheckMarkAndTheSheet) {
  start();
  const auto checks = [&] {
    return std::vector<bool>{frame().Action(cmd::kChannelMenu)->isChecked(),
                             frame().Action(cmd::kModemMenu)->isChecked(),
                             frame().Action(cmd::kEepromMenu)->isChecked(),
                             frame().Action(cmd::kSystemMenu)->isChecked()};
  };
  // Start-up ends on the channel page.
  EXPECT_EQ(frame().CurrentPage(), 0);
  EXPECT_EQ(checks(), (std::vector<bool>{true, false, false, false}));

  const std::pair<int, int> commands[] = {
      {cmd::kEepromTool, 2}, {cmd::kSystemTool, 3}, {cmd::kModemTool, 1}, {cmd::kChannelTool, 0},
      {cmd::kEepromMenu, 2}, {cmd::kSystemMenu, 3}, {cmd::kModemMenu, 1}, {cmd::kChannelMenu, 0}};
  for (const auto& [command, page] : commands) {
    trigger(command);
    EXPECT_EQ(frame().CurrentPage(), page) << command;
    EXPECT_EQ(view().Sheet().ActiveIndex(), page) << command;
    std::vector<bool> expected(4, false);
    expected[static_cast<std::size_t>(page)] = true;
    EXPECT_EQ(checks(), expected) << command;
  }
  // Choosing the page already shown keeps its mark.
  trigger(cmd::kChannelMenu);
  EXPECT_TRUE(frame().Action(cmd::kChannelMenu)->isChecked());
  // A click on a tab is a page command too.
  view().Sheet().setCurrentIndex(3);
  EXPECT_EQ(frame().CurrentPage(), 3);
  EXPECT_TRUE(frame().Action(cmd::kSystemMenu)->isChecked());
}

TEST_F(MainFrameTest, PortMenuListsThePortsAndChecksTheOneInTheSideFile) {
  std::filesystem::create_directories(config.path() / "kxprog");
  writeAll(sideFile(), portFileBytes(101));
  ports.push_back({0, "/dev/pts/7", ""});  // outside the numbering: not offered
  ports.push_back({201, "/dev/ttyACM0", "Radio cable"});
  start();
  EXPECT_EQ(itemTexts(frame().Menu(2)),
            (QStringList{"COM1  /dev/ttyS0", "COM101  /dev/ttyUSB0  (FT232R)",
                         "COM201  /dev/ttyACM0  (Radio cable)", "-", "Other port..."}));
  EXPECT_FALSE(frame().Action(portCommand(1))->isChecked());
  EXPECT_TRUE(frame().Action(portCommand(101))->isChecked());
  EXPECT_FALSE(frame().Action(portCommand(201))->isChecked());
  EXPECT_EQ(frame().CurrentPortIndex(), 100);
  EXPECT_EQ(frame().CurrentPort().device, "/dev/ttyUSB0");
}

TEST_F(MainFrameTest, PortOfTheSideFileThatIsNotThereStaysSelectedWithoutMark) {
  std::filesystem::create_directories(config.path() / "kxprog");
  writeAll(sideFile(), portFileBytes(7));
  start();
  EXPECT_FALSE(frame().Action(portCommand(1))->isChecked());
  EXPECT_FALSE(frame().Action(portCommand(101))->isChecked());
  EXPECT_EQ(frame().CurrentPortIndex(), 6);
  EXPECT_EQ(frame().CurrentPort().number, 7);
  EXPECT_EQ(frame().CurrentPort().device, "");
}

TEST_F(MainFrameTest, SideFileValueNoPortCanHaveFallsBackToTheFirstPort) {
  for (const std::int32_t value : kNoPortNumbers) {
    SCOPED_TRACE(value);
    std::filesystem::create_directories(config.path() / "kxprog");
    std::vector<std::uint8_t> bytes(4);
    for (int i = 0; i < 4; ++i)
      bytes[static_cast<std::size_t>(i)] =
          static_cast<std::uint8_t>(static_cast<std::uint32_t>(value) >> (8 * i));
    writeAll(sideFile(), bytes);
    start();
    EXPECT_EQ(frame().CurrentPortIndex(), 0);
    EXPECT_EQ(doc().sideFileValue, 1);
    EXPECT_TRUE(frame().Action(portCommand(1))->isChecked());
    app.reset();
  }
}

TEST_F(MainFrameTest, PortMenuFollowsTheAdaptersPluggedInAndPulledOut) {
  std::filesystem::create_directories(config.path() / "kxprog");
  writeAll(sideFile(), portFileBytes(101));
  start();
  QMenu* menu = frame().Menu(2);
  // Plugged in after the start: there the next time the menu opens.
  ports.push_back({102, "/dev/ttyUSB1", "CP2102"});
  emit menu->aboutToShow();
  EXPECT_EQ(itemTexts(menu), (QStringList{"COM1  /dev/ttyS0", "COM101  /dev/ttyUSB0  (FT232R)",
                                          "COM102  /dev/ttyUSB1  (CP2102)", "-", "Other port..."}));
  EXPECT_TRUE(frame().Action(portCommand(101))->isChecked());

  // The selected adapter pulled out stays selected; the next read and the menu say it has gone.
  ports.erase(ports.begin());
  trigger(cmd::kReadRadio);
  ASSERT_NE(view().ReadWriteWindow(), nullptr);
  EXPECT_TRUE(view().ReadWriteWindow()->Status().endsWith(
      "COM101 is not present on this machine; choose a port in the Port menu."))
      << view().ReadWriteWindow()->Status().toStdString();
  emit menu->aboutToShow();
  EXPECT_EQ(itemTexts(menu),
            (QStringList{"COM101 is not present on this machine", "-", "COM1  /dev/ttyS0",
                         "COM102  /dev/ttyUSB1  (CP2102)", "-", "Other port..."}));
  EXPECT_FALSE(menu->actions().front()->isEnabled());
  EXPECT_FALSE(frame().Action(portCommand(1))->isChecked());
  EXPECT_EQ(frame().CurrentPortIndex(), 100);

  // Plugged in again, it is the selected port as before.
  ports.push_back({101, "/dev/ttyUSB0", "FT232R"});
  emit menu->aboutToShow();
  EXPECT_EQ(itemTexts(menu).front(), "COM1  /dev/ttyS0");
  EXPECT_TRUE(frame().Action(portCommand(101))->isChecked());
  EXPECT_EQ(frame().CurrentPort().device, "/dev/ttyUSB0");
}

TEST_F(MainFrameTest, SettingsFileThatIsNoRegularFileNeverHoldsTheStart) {
  const std::filesystem::path folder = config.path() / "kxprog";
  const std::filesystem::path settings = folder / "kxprog.conf";
  const struct {
    const char* what;
    std::function<void()> make;
    const char* reason;
  } cases[] = {
#ifndef _WIN32
      {"a FIFO", [&] { ASSERT_EQ(::mkfifo(settings.c_str(), 0600), 0); }, "Not a regular file"},
#endif
      {"a folder", [&] { std::filesystem::create_directory(settings); }, "Not a regular file"},
      {"a huge file",
       [&] {
         std::ofstream{settings};
         std::filesystem::resize_file(settings, std::uintmax_t{200} << 20);
       },
       "larger than 1048576 bytes"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    c.make();
    const auto kind = std::filesystem::status(settings).type();
    dialogs = {};
    start();
    ASSERT_EQ(dialogs.notices.size(), 1u);
    EXPECT_EQ(dialogs.notices[0].text, "Cannot Open File!");
    EXPECT_EQ(dialogs.notices[0].detail,
              settings.string() + ": " + c.reason +
                  "\nThe settings start from their defaults and are kept for this run only.");
    // The defaults, kept for this run; the file is left as it was.
    EXPECT_TRUE(frame().VerifyAfterWrite());
    trigger(cmd::kVerifyAfterWrite);
    EXPECT_FALSE(frame().VerifyAfterWrite());
    const std::string saved = files.file("kept.dat");
    dialogs.fileAnswers = {QString::fromStdString(saved)};
    trigger(cmd::kFileSave);
    EXPECT_EQ(frame().RecentFilePaths(), QStringList{QString::fromStdString(saved)});
    EXPECT_EQ(std::filesystem::status(settings).type(), kind);
    app.reset();
  }
}

TEST_F(MainFrameTest, NoPortsLeaveOnlyOtherPort) {
  ports.clear();
  start();
  EXPECT_EQ(itemTexts(frame().Menu(2)), QStringList{"Other port..."});
}

TEST_F(MainFrameTest, ChoosingAPortWritesTheSideFileAtOnce) {
  start();
  trigger(portCommand(101));
  EXPECT_EQ(readAll(sideFile()), portFileBytes(101));
  EXPECT_TRUE(frame().Action(portCommand(101))->isChecked());
  trigger(portCommand(1));
  EXPECT_EQ(readAll(sideFile()), portFileBytes(1));
  EXPECT_FALSE(frame().Action(portCommand(101))->isChecked());
  EXPECT_TRUE(frame().Action(portCommand(1))->isChecked());
  EXPECT_EQ(doc().sideFileValue, 1);
}

TEST_F(MainFrameTest, SideFileKeepsThePortWhenTheProgramEnds) {
  start();
  trigger(portCommand(101));
  std::filesystem::remove(sideFile());
  app.reset();
  EXPECT_EQ(readAll(sideFile()), portFileBytes(101));
}

TEST_F(MainFrameTest, DevicePathFromTheCommandLineIsAddedAndSelected) {
  const std::string device = presentDevice(files, "ttyKX");
  start({QStringLiteral("kxprog"), QStringLiteral("--port"), QString::fromStdString(device)});
  const QStringList items = itemTexts(frame().Menu(2));
  ASSERT_EQ(items.size(), 5);
  EXPECT_EQ(items[2], QString::fromStdString(device));
  EXPECT_EQ(frame().CurrentPort().device, device);
  EXPECT_TRUE(frame().Menu(2)->actions()[2]->isChecked());
  EXPECT_FALSE(frame().Action(portCommand(1))->isChecked());
  // A device path has no number worth keeping: the side file is left alone.
  EXPECT_FALSE(std::filesystem::exists(sideFile()));
#ifndef _WIN32
  // Gone (the virtual radio ended): still selected, and the menu says so.
  std::filesystem::remove(device);
  emit frame().Menu(2)->aboutToShow();
  EXPECT_EQ(itemTexts(frame().Menu(2)).front(),
            QString::fromStdString(device) + " is not present on this machine");
  EXPECT_EQ(frame().CurrentPort().device, device);
#endif
}

TEST_F(MainFrameTest, OtherPortAsksForADevicePath) {
  start();
  QAction* other = frame().Menu(2)->actions().back();
  ASSERT_EQ(other->text(), "Other port...");

  dialogs.textAnswers = {QString::fromLatin1(kAbsentDevice), QStringLiteral("radio"),
                         QStringLiteral(" com101 ")};
  other->trigger();
  frame().Menu(2)->actions().back()->trigger();
  ASSERT_EQ(dialogs.messages.size(), 2u);
  EXPECT_EQ(dialogs.messages[0], QStringLiteral("There is no device %1.").arg(kAbsentDevice));
  EXPECT_TRUE(dialogs.messages[1].startsWith("Not a serial port"))
      << dialogs.messages[1].toStdString();
  EXPECT_EQ(frame().Menu(2)->actions().size(), 4);
  // A port of the list can be named the way the menu names it.
  frame().Menu(2)->actions().back()->trigger();
  EXPECT_TRUE(frame().Action(portCommand(101))->isChecked());
  EXPECT_EQ(readAll(sideFile()), portFileBytes(101));

  // A device already in the list is selected, not added twice.
#ifdef _WIN32
  const std::string device = "\\\\.\\COM5";
#else
  const std::string device = presentDevice(files, "ttyVirtual");
#endif
  ports.push_back({5, device, ""});
  frame().BuildPortMenu();
  dialogs.textAnswers = {QString::fromStdString(device)};
  frame().Menu(2)->actions().back()->trigger();
  EXPECT_EQ(frame().CurrentPort().number, 5);
  EXPECT_EQ(readAll(sideFile()), portFileBytes(5));
  EXPECT_EQ(frame().Menu(2)->actions().size(), 5);

  const std::string other2 = presentDevice(files, "ttyOther");
  dialogs.textAnswers = {QString::fromStdString(other2)};
  frame().Menu(2)->actions().back()->trigger();
  QCoreApplication::processEvents();
  EXPECT_EQ(frame().CurrentPort().device, other2);
  EXPECT_EQ(frame().Menu(2)->actions().size(), 6);
}

TEST_F(MainFrameTest, CommandLineIsCheckedBeforeAnyWindowAppears) {
  QString error;
  EXPECT_FALSE(CProgrammerApp::ParseCommandLine({"kxprog", "--bogus"}, &error));
  EXPECT_FALSE(error.isEmpty());
  EXPECT_FALSE(CProgrammerApp::ParseCommandLine({"kxprog", "--port"}, &error));
  const auto options = CProgrammerApp::ParseCommandLine(
      {"kxprog", "--port", "/dev/pts/4", "--port=/dev/pts/5"}, &error);
  ASSERT_TRUE(options);
  EXPECT_EQ(options->ports, (std::vector<std::string>{"/dev/pts/4", "/dev/pts/5"}));
}

}  // namespace kx::test
