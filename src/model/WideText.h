#pragma once

#include <string>
#include <string_view>

// Windows only: the programs keep every text and path in UTF-8; the Windows API takes and
// gives UTF-16. These convert at that border, and put the system's error codes into words.
namespace kx::win32 {

std::wstring Wide(std::string_view utf8);
std::string Utf8(std::wstring_view wide);

// The system's text for an error code (GetLastError), without its closing full stop and line
// break: "Access is denied". The code itself when the system has no text for it.
std::string ErrorText(unsigned long code);

}  // namespace kx::win32
