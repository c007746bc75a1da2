#include "service/ChannelSpinBox.h"

#include <algorithm>

namespace kx {

namespace {
// What the box takes when typed: up to three digits, or a minus and two.
constexpr int kLowestTyped = -99;
constexpr int kHighestTyped = 999;
}  // namespace

ChannelSpinBox::ChannelSpinBox(QWidget* parent) : QSpinBox(parent) {
  setRange(kLowestTyped, kHighestTyped);
  setValue(kFirstChannel);
}

void ChannelSpinBox::stepBy(int steps) {
  setValue(std::clamp(value() + steps, kFirstChannel, kLastChannel));
  selectAll();
}

QAbstractSpinBox::StepEnabled ChannelSpinBox::stepEnabled() const {
  StepEnabled enabled = StepNone;
  if (isReadOnly() || !isEnabled()) return enabled;
  if (value() < kLastChannel) enabled |= StepUpEnabled;
  if (value() > kFirstChannel) enabled |= StepDownEnabled;
  return enabled;
}

}  // namespace kx
