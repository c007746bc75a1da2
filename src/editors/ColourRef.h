#pragma once

#include <QColor>
#include <cstdint>

namespace kx {

// A colour as the radio software writes it (0x00BBGGRR) as Qt's colour.
inline QColor ColourOf(std::uint32_t colorref) {
  return QColor(static_cast<int>(colorref & 0xFF), static_cast<int>((colorref >> 8) & 0xFF),
                static_cast<int>((colorref >> 16) & 0xFF));
}

}  // namespace kx
