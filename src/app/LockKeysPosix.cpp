#include "app/LockKeys.h"

#include <qguiapplication_platform.h>
#include <QGuiApplication>

#ifdef KX_HAVE_X11
// Last: Xlib defines macros (Bool, Status, None) that Qt's headers must not see.
#include <X11/XKBlib.h>
#endif

namespace kx {

std::optional<LockKeys> ReadLockKeys() {
#ifdef KX_HAVE_X11
  auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
  Display* display = x11 ? x11->display() : nullptr;
  if (!display) return std::nullopt;
  // The indicators by name: their bit numbers differ from one keyboard map to another.
  auto lit = [display](const char* name) {
    Bool on = False;
    const Atom atom = XInternAtom(display, name, True);
    return atom != 0 && XkbGetNamedIndicator(display, atom, nullptr, &on, nullptr, nullptr) &&
           on == True;
  };
  return LockKeys{lit("Caps Lock"), lit("Num Lock"), lit("Scroll Lock")};
#else
  return std::nullopt;
#endif
}

}  // namespace kx
