#include "textio/ImportReport.h"

#include <algorithm>

namespace kx {

namespace {
constexpr std::size_t kMostListed = 40;
}  // namespace

void ImportReport::Refuse(int line, std::string_view where, std::string_view text) {
  ++refusals_;
  add(line, where, text, NoticeKind::kWarning);
}

void ImportReport::Note(int line, std::string_view where, std::string_view text) {
  add(line, where, text, NoticeKind::kInformation);
}

void ImportReport::add(int line, std::string_view where, std::string_view text, NoticeKind kind) {
  std::string message = fileName_;
  if (line > 0) message += ":" + std::to_string(line);
  message += ": ";
  if (!where.empty()) message += std::string(where) + ": ";
  message += text;
  remarks_.push_back({line, Notice{std::move(message), kind, {}}});
}

Outcome ImportReport::Finish() const {
  std::vector<Remark> ordered = remarks_;
  std::stable_sort(ordered.begin(), ordered.end(),
                   [](const Remark& a, const Remark& b) { return a.line < b.line; });
  Outcome outcome;
  outcome.ok = !Refused();
  for (std::size_t i = 0; i < ordered.size() && i < kMostListed; ++i)
    outcome.messages.push_back(ordered[i].notice);
  if (ordered.size() > kMostListed)
    outcome.notice(fileName_ + ": " + std::to_string(ordered.size() - kMostListed) +
                       " more remarks not listed",
                   Refused() ? NoticeKind::kWarning : NoticeKind::kInformation);
  if (Refused()) outcome.notice(fileName_ + ": nothing was imported", NoticeKind::kStop);
  return outcome;
}

}  // namespace kx
