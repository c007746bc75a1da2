#include "report/SheetPdf.h"

#include <string>

#include "model/FormatText.h"

namespace kx {

namespace {

using namespace sheet_pdf;

constexpr double kTwipsPerPoint = 20;
// Courier's ascent: the printer puts a text's top at y, PDF puts its baseline there.
constexpr double kAscent = 0.629;

// A PDF string: backslash, parentheses and anything outside printable ASCII escaped.
std::string pdfString(const std::string& text) {
  std::string out = "(";
  for (unsigned char c : text) {
    if (c == '(' || c == ')' || c == '\\') {
      out += '\\';
      out += static_cast<char>(c);
    } else if (c < 0x20 || c > 0x7E) {
      out += FormatText("\\%03o", c);
    } else {
      out += static_cast<char>(c);
    }
  }
  return out + ")";
}

std::string pageContent(const DataSheet& sheet, int page) {
  std::string content = FormatText("BT /F1 %.0f Tf\n", kFontSizePt);
  for (const SheetText& item : sheet.items) {
    if (item.page != page) continue;
    const double x = kMarginPt + item.x / kTwipsPerPoint;
    const double y = kPageHeightPt - kMarginPt + item.y / kTwipsPerPoint - kAscent * kFontSizePt;
    content += FormatText("1 0 0 1 %.2f %.2f Tm ", x, y) + pdfString(item.text) + " Tj\n";
  }
  return content + "ET\n";
}

// Objects in order, each remembered by the offset it starts at, then the cross-reference table.
class PdfWriter {
 public:
  void object(int number, const std::string& body) {
    offsets_.resize(static_cast<std::size_t>(number));
    offsets_[static_cast<std::size_t>(number - 1)] = out_.size();
    out_ += std::to_string(number) + " 0 obj\n" + body + "\nendobj\n";
  }
  void stream(int number, const std::string& data) {
    object(number,
           "<< /Length " + std::to_string(data.size()) + " >>\nstream\n" + data + "endstream");
  }
  std::vector<std::uint8_t> finish(int root, const std::string& title) {
    const std::size_t xref = out_.size();
    out_ += "xref\n0 " + std::to_string(offsets_.size() + 1) + "\n0000000000 65535 f \n";
    for (std::size_t offset : offsets_)
      out_ += FormatText("%010zu 00000 n \n", offset);
    out_ += "trailer\n<< /Size " + std::to_string(offsets_.size() + 1) + " /Root " +
            std::to_string(root) + " 0 R /Info << /Title " + pdfString(title) +
            " /Producer (kxprog) >> >>\nstartxref\n" + std::to_string(xref) + "\n%%EOF\n";
    return {out_.begin(), out_.end()};
  }

 private:
  std::string out_ = "%PDF-1.4\n";
  std::vector<std::size_t> offsets_;
};

}  // namespace

std::vector<std::uint8_t> RenderDataSheetPdf(const DataSheet& sheet) {
  // 1 catalogue, 2 page tree, 3 font, 4..5 pages, 6..7 their contents.
  PdfWriter pdf;
  pdf.object(1, "<< /Type /Catalog /Pages 2 0 R >>");
  pdf.object(2, "<< /Type /Pages /Kids [4 0 R 5 0 R] /Count 2 >>");
  pdf.object(3, "<< /Type /Font /Subtype /Type1 /BaseFont /Courier /Encoding /WinAnsiEncoding >>");
  const std::string box = FormatText("[0 0 %.2f %.2f]", kPageWidthPt, kPageHeightPt);
  for (int page = 1; page <= 2; ++page)
    pdf.object(3 + page, "<< /Type /Page /Parent 2 0 R /MediaBox " + box +
                             " /Resources << /Font << /F1 3 0 R >> >> /Contents " +
                             std::to_string(5 + page) + " 0 R >>");
  for (int page = 1; page <= 2; ++page)
    pdf.stream(5 + page, pageContent(sheet, page));
  return pdf.finish(1, sheet.jobName);
}

}  // namespace kx
