#include "app/CommandTable.h"

#include <algorithm>

#include "app/CommandIds.h"

namespace kx {

namespace {

constexpr CommandEntry kCommands[] = {
    {cmd::kFileNew, "&New\tCtrl+N", "Ctrl+N", "Create a new document\nNew"},
    {cmd::kFileOpen, "&Load... \tCtrl+O", "Ctrl+O", "Open an existing document\nOpen"},
    {cmd::kFileSave, "&Save\tCtrl+S", "Ctrl+S", "Save the active document\nSave"},
    {cmd::kFilePrint, "&Print...\tCtrl+P", "Ctrl+P", "Print the active document\nPrint"},
    {cmd::kFilePrintPreview, "Print Pre&view...", "", "Display full pages\nPrint Preview"},
    {cmd::kExportSheetPdf, "&Export Data Sheet as PDF...", "",
     "Save the data sheet as a PDF file\nExport PDF"},
    {cmd::kImportChannelsCsv, "Import Channels (CSV)...", "",
     "Take the channels from a CSV channel table\nImport Channels"},
    {cmd::kExportChannelsCsv, "Export Channels (CSV)...", "",
     "Save the channels as a CSV channel table\nExport Channels"},
    {cmd::kImportConfigYaml, "Import Configuration (YAML)...", "",
     "Open a configuration written as YAML\nImport Configuration"},
    {cmd::kExportConfigYaml, "Export Configuration (YAML)...", "",
     "Save the configuration as YAML\nExport Configuration"},
    {cmd::kAppExit, "E&xit", "", "Quit the application\nExit"},
    {cmd::kEditUndo, kUndoText, "Ctrl+Z", "Undo the last change\nUndo"},
    {cmd::kEditRedo, kRedoText, "Ctrl+Shift+Z; Ctrl+Y", "Redo the change undone last\nRedo"},
    {cmd::kModelSelect, "&Model Select\tCtrl + M", "Ctrl+M",
     "Select the radio model\nModel Select"},
    {cmd::kSquelchMenu, "&Squelch\t", "", "SETTING SQUELCH\nSetting Squelch"},
    {cmd::kCalibrationMenu, "&Calibration\t", "", "Calibration\nCalibration"},
    {cmd::kVerifyAfterWrite, "&Verify after Write", "",
     "Read the radio back after every write and compare it with what was sent\nVerify after "
     "Write"},
    {cmd::kViewToolbar, "&Toolbar", "", "Show or hide the toolbar\nToggle ToolBar"},
    {cmd::kViewStatusBar, "&Status Bar", "", "Show or hide the status bar\nToggle StatusBar"},
    {cmd::kChannelMenu, "&Channel\t", "", "CHANNEL DATA\nChannel Configuration"},
    {cmd::kModemMenu, "M&odem\t", "", "MODEM OPTION\nModem Option"},
    {cmd::kEepromMenu, "&EEPROM W/R\t", "", "Select Write / Read\nCOMUNICATION"},
    {cmd::kSystemMenu, "System/GPS Option", "", "SYSTEM OPTION / GPS\nSystem option / GPS"},
    {cmd::kAppAbout, "&About KX400/KX600...", "",
     "Display program information, version number and copyright\nAbout"},
    {cmd::kReadRadio, "Read", "", "Read the configuration from the radio\nRead from Radio"},
    {cmd::kWriteRadio, "Write", "", "Write the configuration into the radio\nWrite to Radio"},
    {cmd::kChannelTool, "Channel", "", "CHANNEL DATA\nChannel Configuration"},
    {cmd::kModemTool, "Modem", "", "MODEM OPTION\nModem Option"},
    {cmd::kEepromTool, "EEPROM", "", "Read/Write\nEEPROM Read/Write"},
    {cmd::kSystemTool, "System/GPS", "", "SYSTEM OPTION / GPS\nSystem option / GPS"},
    {cmd::kSquelchTool, "Squelch", "", "SETTING SQUELCH\nSetting Squelch"},
    {cmd::kCalibrationTool, "Calibration", "", "Calibration\nCalibration"},
};

constexpr int kFileItems[] = {cmd::kFileNew,
                              cmd::kFileOpen,
                              cmd::kFileSave,
                              kSeparator,
                              cmd::kFilePrint,
                              cmd::kFilePrintPreview,
                              cmd::kExportSheetPdf,
                              kSeparator,
                              cmd::kImportChannelsCsv,
                              cmd::kExportChannelsCsv,
                              cmd::kImportConfigYaml,
                              cmd::kExportConfigYaml,
                              kSeparator,
                              cmd::kAppExit};
constexpr int kEditItems[] = {cmd::kEditUndo, cmd::kEditRedo};
constexpr int kProgramItems[] = {cmd::kModelSelect,     kSeparator, cmd::kSquelchMenu,
                                 cmd::kCalibrationMenu, kSeparator, cmd::kVerifyAfterWrite};
// System/GPS Option is appended to the View menu when the frame is created.
constexpr int kViewItems[] = {cmd::kViewToolbar, cmd::kViewStatusBar, kSeparator,
                              cmd::kChannelMenu, cmd::kModemMenu,     cmd::kEepromMenu};
constexpr int kHelpItems[] = {cmd::kAppAbout};

// The Port menu is filled with the ports there are each time it opens.
constexpr MenuLayout kMenus[] = {
    {"&File", true, kFileItems}, {"&Edit", false, kEditItems}, {"&Program", true, kProgramItems},
    {"&Port", true, {}},         {"&View", true, kViewItems},  {"&Help", true, kHelpItems},
};

constexpr ToolButton kToolButtons[] = {
    {cmd::kFileNew, ToolIcon::New},
    {cmd::kFileOpen, ToolIcon::Load},
    {cmd::kFileSave, ToolIcon::Save},
    {cmd::kFilePrint, ToolIcon::Print},
    {kSeparator, ToolIcon::New},
    {cmd::kReadRadio, ToolIcon::ReadRadio},
    {cmd::kWriteRadio, ToolIcon::WriteRadio},
    {kSeparator, ToolIcon::New},
    {cmd::kChannelTool, ToolIcon::Channel},
    {cmd::kModemTool, ToolIcon::Modem},
    {cmd::kEepromTool, ToolIcon::Eeprom},
    {cmd::kSystemTool, ToolIcon::SystemGps},
    {kSeparator, ToolIcon::New},
    {cmd::kSquelchTool, ToolIcon::Squelch},
    {cmd::kCalibrationTool, ToolIcon::Calibration},
};

}  // namespace

const CommandEntry* FindCommand(int command) {
  const auto found =
      std::find_if(std::begin(kCommands), std::end(kCommands),
                   [command](const CommandEntry& e) { return e.command == command; });
  return found == std::end(kCommands) ? nullptr : found;
}

std::span<const MenuLayout> Menus() {
  return kMenus;
}

std::span<const ToolButton> ToolButtons() {
  return kToolButtons;
}

}  // namespace kx
