// The service dialogs' consoles against a radio that answers with the fuzzer's bytes: the
// start-up reply with its identification records, then a run of button clicks (chosen by the
// input too), each reply taken and examined. Whatever comes back, every click ends and the
// console stays within its controls.
#include <cstddef>
#include <cstdint>

#include "DocumentUse.h"
#include "FuzzLink.h"
#include "rules/CalibrationConsole.h"
#include "rules/SquelchConsole.h"

namespace {

using namespace kx;

constexpr int kMostClicks = 64;

void clickCalibration(CalibrationConsole& console, fuzz::FuzzInput& input) {
  const int click = input.Choice(13);
  const int value = input.Byte();
  const int position = value % 21 - 2;  // the channel control, a little past both ends
  const bool on = (value & 1) != 0;
  const int choice = value % 5 - 1;  // a radio button of a group, or none
  switch (click) {
    case 0:
      console.SetChannel(position);
      break;
    case 1:
      console.SetTransmit(on);
      break;
    case 2:
      console.ChooseScan(choice);
      break;
    case 3:
      console.SendScan();
      break;
    case 4:
      console.SetGpsPower(on);
      break;
    case 5:
      console.ChooseGpsData(choice);
      break;
    case 6:
      console.SetTestData(on);
      break;
    case 7:
      console.ChooseAlignment(choice);
      break;
    case 8:
      console.SetMarkTone(on);
      break;
    case 9:
      console.SetSpaceTone(on);
      break;
    case 10:
      console.SetGmskTransmit(on);
      break;
    case 11:
      console.ToggleUpgrade();
      break;
    default:
      break;
  }
  const auto& view = console.Shown();
  fuzz::require(view.channel >= 1 && view.channel <= 16);
}

void clickSquelch(SquelchConsole& console, fuzz::FuzzInput& input) {
  const int click = input.Choice(6);
  const int position = input.Choice(21) - 2;
  switch (click) {
    case 0:
      console.SetChannel(position);
      break;
    case 1:
      console.SetCustom(position > 8);
      break;
    case 2:
      console.SetOpen();
      break;
    case 3:
      console.SetClose();
      break;
    case 4:
      console.Save();
      break;
    default:
      console.RestoreDefault();
      break;
  }
  fuzz::require(console.Shown().channel >= 1 && console.Shown().channel <= 16);
}

template <typename Console, typename Click>
void run(fuzz::FuzzInput& input, Click click) {
  fuzz::FuzzLink link(input);
  ServiceSession session(link, [&link](int ms) { link.Pause(ms); });
  CKX200Doc doc;
  Console console(session, doc);
  const ServiceOpening opening = console.Open(PortChoice{3, "/dev/ttyS2"});
  if (opening.identity) ServiceSession::Examine({opening.identity->version});
  if (!opening.ready) {
    fuzz::require(!session.IsOpen());
    return;
  }
  for (int i = 0; i < kMostClicks && !input.empty(); ++i)
    click(console, input);
  session.Close();
  fuzz::require(!link.IsOpen());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::FuzzInput input(data, size);
  if (input.Choice(2) == 0) {
    run<CalibrationConsole>(input, clickCalibration);
  } else {
    run<SquelchConsole>(input, clickSquelch);
  }
  return 0;
}
