#pragma once

#include <QIcon>
#include <QPixmap>

namespace kx {

// The toolbar's pictures, painted here so that they look the same on every desktop theme and
// say what the button does: a page for New, a folder for Load, a radio with an arrow into or
// out of the PC for Read and Write, a hex grid for the EEPROM map, and so on.
enum class ToolIcon {
  New,
  Load,
  Save,
  Print,
  ReadRadio,
  WriteRadio,
  Channel,
  Modem,
  Eeprom,
  SystemGps,
  Squelch,
  Calibration,
  Application,
};

QIcon MakeToolIcon(ToolIcon kind);
// One picture at any size (the model dialog and the about box show the radio large).
QPixmap MakeToolPixmap(ToolIcon kind, int side);

}  // namespace kx
