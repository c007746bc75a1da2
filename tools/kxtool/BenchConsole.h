#pragma once

#include <cstddef>
#include <mutex>
#include <string>
#include <vector>

#include "link/ImageTransfer.h"

namespace kxtool {

// Shows several transfers running at once: on a terminal one live line per port (port,
// progress, status text) redrawn in place; otherwise every status change as a plain line
// prefixed with its port. The events may be called from any thread.
class BenchConsole {
 public:
  explicit BenchConsole(std::vector<std::string> names);
  BenchConsole(const BenchConsole&) = delete;
  BenchConsole& operator=(const BenchConsole&) = delete;

  kx::TransferEvents EventsFor(std::size_t index);
  // Redraws the live lines when something changed since the last time.
  void Refresh();
  // The lines as the transfers left them.
  void Finish();

 private:
  struct Line {
    std::string status;
    int position = 0;
  };
  void ShowStatus(std::size_t index, const std::string& text);
  void ShowProgress(std::size_t index, int position);
  void DrawLocked();

  std::mutex mutex_;
  std::vector<std::string> names_;
  std::vector<Line> lines_;
  std::size_t nameWidth_ = 0;
  bool live_;
  bool changed_ = true;
  bool drawn_ = false;
};

}  // namespace kxtool
