#pragma once

#include <array>
#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "link/ServiceSession.h"
#include "model/Outcome.h"

namespace kx {

class CKX200Doc;

// How a service dialog's connection started, as the window that opens it needs to know.
struct ServiceOpening {
  bool ready = false;  // the dialog runs; otherwise it ends at once
  // "Fail to open PORT%d" with the system's reason as its detail, or "Error!".
  std::optional<Notice> notice;
  bool portFailed = false;
  // What the radio said about itself, also when an "Error!" came with it.
  std::optional<RadioIdentity> identity;
  // The VERSION field's "%d.%d", once the radio identified itself.
  std::optional<std::string> version;
};

// Opens the port, runs the start-up exchange and keeps the radio's channel in the document's
// radioChannel, as both service dialogs do.
ServiceOpening OpenServiceSession(ServiceSession& session, CKX200Doc& doc, const PortChoice& port);

// The controls of the "CALIBRATION" console, in the order of its rows. CLOSE is always usable.
enum class CalibrationControl : std::size_t {
  kChannelEdit,  // 1. Change Channel
  kChannelSet,
  kRtxMode,   // 2. RTX_Mode
  kScanStop,  // 3. Scan_Mode
  kScanStart,
  kScanDelete,
  kScanSet,
  kGpsPower,    // 4. GPS
  kGpsDisable,  // 5. GPS Data
  kGpsExternalOutput,
  kGpsRfTransmission,
  kTestData,  // 6. Modem Test Data
  kGmsk,      // 7. Alignment test
  kFfsk,
  kSpaceTone,
  kMarkTone,
  kGmskTransmit,
  kUpgrade,  // 8. Modem Firmware Upgrade
};
constexpr std::size_t kCalibrationControlCount = 18;

// Scan selection and GPS data selection: -1 when no radio of the group is chosen.
constexpr int kNoSelection = -1;
// The alignment modem: GMSK, FFSK, or a radio without a modem.
constexpr int kAlignGmsk = 0;
constexpr int kAlignFfsk = 1;
constexpr int kAlignNoModem = 2;

// The rules of the calibration console over a live radio: what every toggle and radio button
// says, which controls may be used or are shown, and the service command each click sends.
// The dialog only shows View and forwards the clicks; each click returns the messages to show,
// in order, after the view has been shown.
class CalibrationConsole {
 public:
  struct View {
    int channel = 1;  // 1..16
    bool transmit = false;
    int scan = kNoSelection;  // 0 Scan Stop, 1 Scan Start, 2 Scan Delete
    bool gpsPower = false;
    int gpsData = kNoSelection;  // 0 Disable, 1 External Output, 2 RF Transmission
    bool testData = false;
    int alignmentModem = kNoSelection;  // kAlignGmsk, kAlignFfsk, kAlignNoModem
    bool spaceTone = false;
    bool markTone = false;
    bool gmskTransmit = false;
    bool upgrade = false;
    std::array<bool, kCalibrationControlCount> enabled{};
    std::array<bool, kCalibrationControlCount> visible{};
    // Every button's text; the channel edit has none.
    std::array<std::string, kCalibrationControlCount> captions;
  };

  // The twelve controls a running alignment tone keeps still.
  static constexpr std::array<CalibrationControl, 12> kLockedByTone{
      CalibrationControl::kChannelEdit,       CalibrationControl::kChannelSet,
      CalibrationControl::kRtxMode,           CalibrationControl::kScanStop,
      CalibrationControl::kScanStart,         CalibrationControl::kScanDelete,
      CalibrationControl::kScanSet,           CalibrationControl::kGpsPower,
      CalibrationControl::kTestData,          CalibrationControl::kGpsDisable,
      CalibrationControl::kGpsExternalOutput, CalibrationControl::kGpsRfTransmission};

  CalibrationConsole(ServiceSession& session, CKX200Doc& doc);

  // Start-up: the document's reservedInt1 as the scan selection, the port opened, the radio
  // put into service mode; its identification decides the channel and the alignment modem.
  ServiceOpening Open(const PortChoice& port);

  const View& Shown() const { return view_; }
  bool Enabled(CalibrationControl c) const { return view_.enabled[index(c)]; }
  bool Visible(CalibrationControl c) const { return view_.visible[index(c)]; }
  const std::string& Caption(CalibrationControl c) const { return view_.captions[index(c)]; }

  // Called whenever the view changed before the radio is waited for, so the window can show
  // the new state during the wait.
  std::function<void()> changed;

  // SET of "Change Channel" with the up-down control's position; outside 1..16 sends channel 1.
  std::vector<Notice> SetChannel(int position);
  // The RTX_Mode toggle now shows transmit (true) or receive.
  std::vector<Notice> SetTransmit(bool on);
  // A Scan_Mode radio (0 Stop, 1 Start, 2 Delete) only records the choice; SET sends it.
  std::vector<Notice> ChooseScan(int selection);
  std::vector<Notice> SendScan();
  std::vector<Notice> SetGpsPower(bool on);
  // A GPS Data radio: 0 Disable, 1 External Output, 2 RF Transmission.
  std::vector<Notice> ChooseGpsData(int selection);
  std::vector<Notice> SetTestData(bool on);
  // An Alignment test radio: kAlignGmsk or kAlignFfsk. Nothing is sent.
  std::vector<Notice> ChooseAlignment(int modem);
  std::vector<Notice> SetMarkTone(bool on);
  std::vector<Notice> SetSpaceTone(bool on);
  std::vector<Notice> SetGmskTransmit(bool on);
  // The Modem Firmware Upgrade toggle was pressed: the other state is asked of the radio, and
  // taken only when it answers.
  std::vector<Notice> ToggleUpgrade();

 private:
  static std::size_t index(CalibrationControl c) { return static_cast<std::size_t>(c); }
  void enable(CalibrationControl c, bool on) { view_.enabled[index(c)] = on; }
  void show(CalibrationControl c, bool on) { view_.visible[index(c)] = on; }
  void caption(CalibrationControl c, std::string text) {
    view_.captions[index(c)] = std::move(text);
  }
  void lockForTone(bool locked);
  void enableGpsData(bool on);
  void gpsDataCaptions();
  void alignmentFor(std::uint8_t modem);
  void showAlignment(int modem);
  void notifyChanged();
  // The transmit-mode guard: "This is Tx Mode" while the radio transmits.
  std::optional<Notice> refusedWhileTransmitting() const;

  ServiceSession& session_;
  CKX200Doc& doc_;
  View view_;
};

}  // namespace kx
