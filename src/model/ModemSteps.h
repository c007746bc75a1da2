#pragma once

#include <algorithm>
#include <array>

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

// The modem's baud rates in bps, as the page's sorted lists show them: the document keeps the
// position in the list. GMSK has one N - BAND rate and AFSK one rate for both, whatever
// position is stored.
namespace modem_rates {
constexpr std::array<int, 2> kGmskSBand{4800, 9600};
constexpr std::array<int, 1> kGmskNBand{4800};
constexpr std::array<int, 3> kFfskSBand{1200, 2400, 4800};
constexpr std::array<int, 2> kFfskNBand{1200, 2400};
constexpr std::array<int, 1> kAfskBand{1200};
static_assert(std::ranges::is_sorted(kGmskSBand) && std::ranges::is_sorted(kFfskSBand) &&
              std::ranges::is_sorted(kFfskNBand));
}  // namespace modem_rates

}  // namespace kx
