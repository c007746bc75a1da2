#pragma once

namespace kx {

// A list of numbers the modem page offers: first, first + step, ... (count of them). The
// document and the radio keep the position in the list, not the number.
struct ValueSteps {
  int first;
  int step;
  int count;

  constexpr int valueAt(int position) const { return first + position * step; }
  constexpr int last() const { return valueAt(count - 1); }
};

// The modem page's stepped lists, as the page, the text forms and the data sheet all read them.
namespace modem_steps {
constexpr ValueSteps kPreambleBits{16, 8, 16};
constexpr ValueSteps kWaitForBusyMs{100, 100, 16};
constexpr ValueSteps kTxDelay1Ms{5, 5, 16};
constexpr ValueSteps kTxDelay2Ms{200, 50, 6};
constexpr ValueSteps kStartBitErrors{0, 1, 4};
}  // namespace modem_steps

}  // namespace kx
