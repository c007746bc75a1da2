#pragma once

#include <string>
#include <vector>

namespace kx {

class CKX200Doc;

// The two-page data sheet of a configuration, as fixed texts at fixed positions. Positions are
// in twips (1/1440 inch) with y growing upwards, so rows down the page have negative y. The
// printer draws each text with its top-left corner at (x, y); a terminal renders the same
// items as lines of text.
namespace data_sheet {
constexpr const char* kFontFace = "Courier New";
constexpr int kFontHeight = -180;  // 9 point character height
constexpr int kFontWeight = 400;
// Twips of one character: Courier advances 0.6 of its 9 point (180 twip) height. No two texts
// of a sheet may share any of the boxes this width and the height give them.
constexpr int kCharWidth = 108;
constexpr const char* kJobSuffix = " DATA SHEET";
}  // namespace data_sheet

struct SheetText {
  int page;  // 1 or 2
  int x;
  int y;
  std::string text;
};

struct DataSheet {
  std::string jobName;  // the model's caption + " DATA SHEET"
  std::vector<SheetText> items;
};

DataSheet LayoutDataSheet(const CKX200Doc& doc);

// The sheet as monospaced text, one page after the other: each distinct y becomes a line and x
// becomes a column at the width of a 9 point Courier character.
std::string RenderDataSheetText(const DataSheet& sheet);

}  // namespace kx
