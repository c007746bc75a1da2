#pragma once

#include <gtest/gtest.h>

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QCoreApplication>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <functional>
#include <memory>

#include "app/KX200View.h"
#include "app/MainFrame.h"
#include "app/ModelSelectDlg.h"
#include "app/ProgrammerApp.h"
#include "editors/ChangeMapDlg.h"
#include "editors/MySheet.h"
#include "model/SideFile.h"
#include "support/ScriptedUserDialogs.h"
#include "support/TempFolder.h"

// Readable failures for Qt strings.
inline void PrintTo(const QString& text, std::ostream* out) {
  *out << '"' << text.toStdString() << '"';
}

namespace kx::test {

// Answers the CHANGE EEPROM MAP dialog as a technician does: the access code, INPUT, the value,
// OK. For CComDlg::runDialog.
inline std::function<int(QDialog&)> EnterMapByte(const char* value) {
  return [value](QDialog& dialog) {
    auto& change = dynamic_cast<CChangeMapDlg&>(dialog);
    change.CodeEdit()->setText(QStringLiteral("8413"));
    change.InputButton()->click();
    change.ValueEdit()->setText(QString::fromLatin1(value));
    change.OkButton()->click();
    return dialog.result();
  };
}

// The whole program, offscreen, with scripted message boxes and file dialogs, a port list of
// the test's choosing and its settings in a folder of its own.
#ifdef _WIN32
constexpr const char* kConfigVariable = "APPDATA";
constexpr const char* kDataVariable = "LOCALAPPDATA";
#else
constexpr const char* kConfigVariable = "XDG_CONFIG_HOME";
constexpr const char* kDataVariable = "XDG_DATA_HOME";
#endif

class AppTest : public ::testing::Test {
 protected:
  void SetUp() override {
    qputenv(kConfigVariable, QByteArray::fromStdString(config.path().string()));
    // Radio images kept by reads and writes.
    qputenv(kDataVariable, QByteArray::fromStdString(data.path().string()));
  }
  void TearDown() override {
    app.reset();
    qunsetenv(kConfigVariable);
    qunsetenv(kDataVariable);
  }

  // Starts the program; the model dialog of the first activation is closed unless kept.
  void start(QStringList arguments = {QStringLiteral("kxprog")}, bool keepModelDialog = false) {
    app = std::make_unique<CProgrammerApp>(dialogs, [this] { return ports; });
    ASSERT_TRUE(app->InitInstance(arguments));
    QCoreApplication::processEvents();
    if (!keepModelDialog && view().FirstModelDialog()) view().FirstModelDialog()->close();
    QCoreApplication::processEvents();
  }

  CMainFrame& frame() { return *app->Frame(); }
  CKX200View& view() { return *app->View(); }
  CKX200Doc& doc() { return app->Document(); }
  static int portCommand(int number) { return 32899 + number; }
  void trigger(int command) {
    QAction* action = frame().Action(command);
    ASSERT_NE(action, nullptr) << command;
    action->trigger();
  }
  std::string sideFile() const { return (config.path() / "kxprog" / "KX400.ini").string(); }
  // What a screen reader hears of a widget: its accessible name or description.
  static QString heard(QWidget* widget, QAccessible::Text part = QAccessible::Name) {
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(widget);
    return face ? face->text(part) : QString();
  }
  // Texts of a menu's items, "-" for a separator.
  static QStringList itemTexts(const QMenu* menu) {
    QStringList texts;
    for (const QAction* action : menu->actions())
      texts << (action->isSeparator() ? QStringLiteral("-") : action->text());
    return texts;
  }

  TempFolder config;
  TempFolder data;
  TempFolder files;
  ScriptedUserDialogs dialogs;
  // Serial ports are numbered after their kernel name: ttyS0 is COM1, ttyUSB0 COM101.
  std::vector<SerialPortInfo> ports{{101, "/dev/ttyUSB0", "FT232R"}, {1, "/dev/ttyS0", ""}};
  std::unique_ptr<CProgrammerApp> app;
};

}  // namespace kx::test
