#include "BenchConsole.h"

#include <algorithm>
#include <iostream>

#include "Console.h"

#include "model/MemoryMap.h"

namespace kxtool {

namespace {
constexpr int kBarWidth = 24;

std::string bar(int position) {
  const int filled =
      std::clamp(position * kBarWidth / static_cast<int>(kx::image::kSize - 1), 0, kBarWidth);
  return "[" + std::string(static_cast<std::size_t>(filled), '#') +
         std::string(static_cast<std::size_t>(kBarWidth - filled), '.') + "]";
}
}  // namespace

BenchConsole::BenchConsole(std::vector<std::string> names)
    : names_(std::move(names)), lines_(names_.size()), live_(console::IsTerminal(console::Stream::kError)) {
  for (const auto& name : names_)
    nameWidth_ = std::max(nameWidth_, name.size());
}

kx::TransferEvents BenchConsole::EventsFor(std::size_t index) {
  kx::TransferEvents events;
  events.status = [this, index](const std::string& text) { ShowStatus(index, text); };
  events.progress = [this, index](int position) { ShowProgress(index, position); };
  return events;
}

void BenchConsole::ShowStatus(std::size_t index, const std::string& text) {
  const std::lock_guard lock(mutex_);
  lines_[index].status = text;
  changed_ = true;
  if (!live_) std::cerr << names_[index] << ": " << text << '\n';
}

void BenchConsole::ShowProgress(std::size_t index, int position) {
  const std::lock_guard lock(mutex_);
  // A finished transfer sets its bar back to 0; the live line keeps showing how far it got.
  if (position == 0) return;
  lines_[index].position = position;
  changed_ = true;
}

void BenchConsole::Refresh() {
  const std::lock_guard lock(mutex_);
  if (live_ && changed_) DrawLocked();
}

void BenchConsole::Finish() {
  const std::lock_guard lock(mutex_);
  if (live_) DrawLocked();
}

void BenchConsole::DrawLocked() {
  changed_ = false;
  // Back to the first of the lines drawn last time, then each line over its old self.
  if (drawn_) std::cerr << "\033[" << lines_.size() << 'A';
  drawn_ = true;
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    std::cerr << '\r' << names_[i] << std::string(nameWidth_ - names_[i].size() + 2, ' ')
              << bar(lines_[i].position) << ' ' << lines_[i].status << "\033[K\n";
  }
  std::cerr << std::flush;
}

}  // namespace kxtool
