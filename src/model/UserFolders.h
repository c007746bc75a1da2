#pragma once

#include <string>

namespace kx {

// The program's per-user folders. On Linux after the XDG base directory rules: settings in
// $XDG_CONFIG_HOME (else ~/.config) + "/kxprog", data it keeps for the user in $XDG_DATA_HOME
// (else ~/.local/share) + "/kxprog". On Windows settings in %APPDATA%\kxprog, data in
// %LOCALAPPDATA%\kxprog.
std::string ConfigFolder();
std::string DataFolder();

}  // namespace kx
