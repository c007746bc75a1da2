#pragma once

// Command numbers of the menus and the toolbar. Tests and the page switching find actions by
// these numbers, so they stay the ones technicians' notes and older documentation refer to.
namespace kx::cmd {

// File
constexpr int kFileNew = 57600;
constexpr int kFileOpen = 57601;
constexpr int kFileSave = 57603;
constexpr int kFilePrint = 57607;
constexpr int kFilePrintPreview = 57609;
constexpr int kExportSheetPdf = 32805;
constexpr int kImportChannelsCsv = 32806;
constexpr int kExportChannelsCsv = 32807;
constexpr int kImportConfigYaml = 32808;
constexpr int kExportConfigYaml = 32809;
constexpr int kAppExit = 57665;
// The recent configuration files, newest first: kFileRecentFirst + 0 .. 3.
constexpr int kFileRecentFirst = 32817;
constexpr int kFileRecentCount = 4;
// Edit
constexpr int kEditUndo = 32815;
constexpr int kEditRedo = 32816;
// Program
constexpr int kModelSelect = 147;
constexpr int kSquelchMenu = 32795;
constexpr int kCalibrationMenu = 32796;
constexpr int kVerifyAfterWrite = 32810;  // checkable, kept in the settings
// View
constexpr int kViewToolbar = 59392;
constexpr int kViewStatusBar = 59393;
constexpr int kChannelMenu = 32793;
constexpr int kModemMenu = 32794;
constexpr int kEepromMenu = 32778;
constexpr int kSystemMenu = 32802;  // appended to the View menu when the frame is created
// Help
constexpr int kAppAbout = 57664;
// Toolbar only
constexpr int kReadRadio = 32804;
constexpr int kWriteRadio = 32803;
constexpr int kChannelTool = 32789;
constexpr int kModemTool = 32790;
constexpr int kEepromTool = 32772;
constexpr int kSystemTool = 32791;
constexpr int kSquelchTool = 32792;
constexpr int kCalibrationTool = 32771;
// Port menu: COMn is kPortBase + n.
constexpr int kPortBase = 32899;
constexpr int kFirstListedPort = 1;

}  // namespace kx::cmd
