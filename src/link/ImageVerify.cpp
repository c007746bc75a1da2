#include "link/ImageVerify.h"

#include <algorithm>

#include "model/FormatText.h"
#include "model/MemoryMapNames.h"

namespace kx {

namespace {
std::string values(const ByteDifference& d) {
  return FormatText("wrote %02X, read %02X", d.wrote, d.read);
}

std::size_t namedCount(const std::vector<ByteDifference>& differences) {
  return std::min(differences.size(), kDifferencesNamed);
}
}  // namespace

std::vector<ByteDifference> CompareImages(const image::Image& sent, const image::Image& stored) {
  std::vector<ByteDifference> differences;
  for (std::size_t at = 0; at < image::kSize; ++at) {
    if (sent[at] != stored[at]) differences.push_back({at, sent[at], stored[at]});
  }
  return differences;
}

std::string VerifyFailureText(const std::vector<ByteDifference>& differences) {
  if (differences.empty()) return {};
  std::string text = FormatText("Verify failed: %zu %s (", differences.size(),
                                differences.size() == 1 ? "byte differs" : "bytes differ");
  for (std::size_t i = 0; i < namedCount(differences); ++i) {
    if (i > 0) text += "; ";
    text += FormatText("0x%03zX: ", differences[i].address) + values(differences[i]);
  }
  if (differences.size() > kDifferencesNamed) text += "; ...";
  return text + ")";
}

std::string VerifyFailureDetail(const std::vector<ByteDifference>& differences) {
  std::string text;
  for (std::size_t i = 0; i < namedCount(differences); ++i) {
    if (i > 0) text += '\n';
    text += image::DescribeAddress(differences[i].address) + ": " + values(differences[i]);
  }
  return text;
}

}  // namespace kx
