#pragma once

#include <string>

namespace kx {

// The program's per-user folders, after the XDG base directory rules:
// settings in $XDG_CONFIG_HOME (else ~/.config) + "/kxprog",
// data it keeps for the user in $XDG_DATA_HOME (else ~/.local/share) + "/kxprog".
std::string ConfigFolder();
std::string DataFolder();

}  // namespace kx
