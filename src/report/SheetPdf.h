#pragma once

#include <cstdint>
#include <vector>

#include "report/DataSheet.h"

namespace kx {

// The data sheet as a PDF document: two A4 pages, every text in the PDF's own Courier at 9
// point, placed as the printer places it (the sheet's twips from the top-left corner of the
// printable area, here a 0.3 inch margin). Needs no font file and no window system, so the
// command-line tool writes the same pages as the desktop app.
std::vector<std::uint8_t> RenderDataSheetPdf(const DataSheet& sheet);

namespace sheet_pdf {
constexpr double kPageWidthPt = 595.28;  // A4
constexpr double kPageHeightPt = 841.89;
constexpr double kMarginPt = 21.6;  // 0.3 inch, about a printer's unprintable edge
constexpr double kFontSizePt = 9;
}  // namespace sheet_pdf

}  // namespace kx
