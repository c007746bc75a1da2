#pragma once

#include <array>
#include <span>

#include "app/ToolbarIcons.h"

namespace kx {

// One command of the menus or the toolbar, as it is shown.
struct CommandEntry {
  int command;
  const char* text;    // the menu item ("&New\tCtrl+N"), or a toolbar-only button's name
  const char* keys;    // its shortcuts as QKeySequence reads them, "; " between several
  const char* prompt;  // the status-bar prompt, then "\n" and the tool tip; "" for none
};
// A command of the menus or the toolbar; nothing when command is not one of them.
const CommandEntry* FindCommand(int command);

// The menus of the menu bar, in order. Those that are numbered are the frame's Menu(0..4):
// every menu but Edit, which came later and must not move the others.
enum MenuIndex { kFileMenu, kEditMenu, kProgramMenu, kPortMenu, kViewMenu, kHelpMenu };
constexpr int kSeparator = 0;
struct MenuLayout {
  const char* title;
  bool numbered;
  std::span<const int> items;  // commands, kSeparator between groups
};
std::span<const MenuLayout> Menus();

// The toolbar's buttons in order, kSeparator between groups, each with its picture.
struct ToolButton {
  int command;
  ToolIcon icon;
};
std::span<const ToolButton> ToolButtons();

// The Edit menu's commands without a step to name.
constexpr const char* kUndoText = "&Undo";
constexpr const char* kRedoText = "&Redo";

}  // namespace kx
