#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "model/Outcome.h"

namespace kx {

// What an import of a text file has to tell: values refused and notes, each with the file, the
// line and the column or key it is about ("channels.csv:4: Rx Freq(MHz): Valid Range : 400 to
// 440MHz"), in the order of the lines.
class ImportReport {
 public:
  explicit ImportReport(std::string fileName) : fileName_(std::move(fileName)) {}

  // where: the column or key; empty for a remark about the whole line.
  void Refuse(int line, std::string_view where, std::string_view text);
  void Note(int line, std::string_view where, std::string_view text);
  bool Refused() const { return refusals_ > 0; }

  // The outcome: refused when anything was (ending on "nothing was imported"), every remark in
  // line order. Past a screenful of lines the rest are counted, not listed.
  Outcome Finish() const;

 private:
  struct Remark {
    int line;
    Notice notice;
  };
  void add(int line, std::string_view where, std::string_view text, NoticeKind kind);

  std::string fileName_;
  std::vector<Remark> remarks_;
  int refusals_ = 0;
};

}  // namespace kx
