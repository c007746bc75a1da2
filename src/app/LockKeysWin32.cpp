#include <windows.h>

#include "app/LockKeys.h"

namespace kx {

// Windows keeps the lock keys' toggle state for every program: the low bit of GetKeyState.
std::optional<LockKeys> ReadLockKeys() {
  const auto on = [](int key) { return (::GetKeyState(key) & 1) != 0; };
  return LockKeys{on(VK_CAPITAL), on(VK_NUMLOCK), on(VK_SCROLL)};
}

}  // namespace kx
