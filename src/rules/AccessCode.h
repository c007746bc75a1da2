#pragma once

namespace kx {

// The four-digit code that unlocks two-tone signalling and hand patches of the memory map.
constexpr int kAccessCode = 8413;
constexpr const char* kWrongPassword = "Wrong password!";

}  // namespace kx
