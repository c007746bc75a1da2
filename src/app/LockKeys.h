#pragma once

#include <optional>

namespace kx {

// The keyboard's lock keys, for the CAP, NUM and SCRL panes of the status bar.
struct LockKeys {
  bool caps = false;
  bool num = false;
  bool scroll = false;
};

// Their state now; nothing where the platform cannot tell it. Qt itself does not report it, so
// this asks Windows (GetKeyState), or the X server's keyboard extension when the app runs on
// X11. Wayland gives a client the state only with its own key events and the offscreen platform
// has no keyboard: there the panes stay dimmed.
std::optional<LockKeys> ReadLockKeys();

}  // namespace kx
