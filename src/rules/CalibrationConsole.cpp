#include "rules/CalibrationConsole.h"

#include "link/RadioProtocol.h"
#include "model/KX200Doc.h"

namespace kx {

namespace {
using C = CalibrationControl;

constexpr int kFirstChannel = 1;
constexpr int kLastChannel = 16;

bool validChannel(int channel) {
  return channel >= kFirstChannel && channel <= kLastChannel;
}

// The three GPS Data captions after each choice: the output that is on, and every one before it,
// say "Enable".
struct GpsDataCaptions {
  const char* disable;
  const char* externalOutput;
  const char* rfTransmission;
};
constexpr GpsDataCaptions kGpsDataCaptions[] = {
    {" Disable", " External Output Disable", " RF Transmission Disable"},
    {" Enable", " External Output Enable", " RF Transmission Disable"},
    {" Enable", " External Output Enable", " RF Transmission Enable"},
};

std::vector<Notice> stopWith(ReplyVerdict verdict) {
  if (const auto text = VerdictText(verdict)) return {Notice::stop(*text)};
  return {};
}
}  // namespace

ServiceOpening OpenServiceSession(ServiceSession& session, CKX200Doc& doc, const PortChoice& port) {
  const ServiceStart start = session.Start(port);
  ServiceOpening opening;
  opening.ready = start.ok();
  opening.identity = start.identity;
  if (start.identity) {
    doc.radioChannel = start.identity->channel;
    opening.version = start.identity->VersionText();
  }
  switch (start.result) {
    case ServiceStart::Result::kPortFailed:
      opening.portFailed = true;
      opening.notice = Notice{start.status, NoticeKind::kStop, start.portError};
      break;
    case ServiceStart::Result::kRefused:
      opening.notice = Notice::stop(service_text::kError);
      break;
    case ServiceStart::Result::kReady:
      break;
  }
  return opening;
}

CalibrationConsole::CalibrationConsole(ServiceSession& session, CKX200Doc& doc)
    : session_(session), doc_(doc) {
  view_.enabled.fill(true);
  view_.visible.fill(true);
  view_.captions = {"",
                    "SET",
                    "Rx Mode",
                    "Scan Stop",
                    "Scan Start",
                    "Scan Delete",
                    "SET",
                    "Power Disable",
                    kGpsDataCaptions[0].disable,
                    kGpsDataCaptions[0].externalOutput,
                    kGpsDataCaptions[0].rfTransmission,
                    "Disable",
                    "GMSK",
                    " FFSK",
                    "Space Disable",
                    "Mark Disable",
                    " Tx Disable",
                    "Disable"};
}

ServiceOpening CalibrationConsole::Open(const PortChoice& port) {
  const int scan = doc_.reservedInt1;
  view_.scan = scan >= 0 && scan <= 2 ? scan : kNoSelection;
  const ServiceOpening opening = OpenServiceSession(session_, doc_, port);

  // Until the radio names its modem there is nothing to align.
  alignmentFor(protocol::modem_byte::kNone);
  if (opening.identity) alignmentFor(opening.identity->modem);
  if (!validChannel(doc_.radioChannel)) doc_.radioChannel = kFirstChannel;
  view_.channel = doc_.radioChannel;
  // The GPS data output is chosen once the GPS receiver has power.
  enableGpsData(false);
  return opening;
}

void CalibrationConsole::alignmentFor(std::uint8_t modem) {
  const bool gmsk = modem == protocol::modem_byte::kGmsk;
  const bool ffsk = modem == protocol::modem_byte::kFfsk;
  view_.alignmentModem = gmsk ? kAlignGmsk : ffsk ? kAlignFfsk : kAlignNoModem;
  enable(C::kGmsk, gmsk);
  enable(C::kFfsk, ffsk);
  show(C::kGmskTransmit, gmsk);
  show(C::kSpaceTone, ffsk);
  show(C::kMarkTone, ffsk);
}

void CalibrationConsole::showAlignment(int modem) {
  view_.alignmentModem = modem;
  show(C::kGmskTransmit, modem == kAlignGmsk);
  show(C::kSpaceTone, modem == kAlignFfsk);
  show(C::kMarkTone, modem == kAlignFfsk);
}

void CalibrationConsole::enableGpsData(bool on) {
  enable(C::kGpsDisable, on);
  enable(C::kGpsExternalOutput, on);
  enable(C::kGpsRfTransmission, on);
}

void CalibrationConsole::gpsDataCaptions() {
  const int selection = view_.gpsData >= 0 && view_.gpsData <= 2 ? view_.gpsData : 0;
  const GpsDataCaptions& captions = kGpsDataCaptions[selection];
  caption(C::kGpsDisable, captions.disable);
  caption(C::kGpsExternalOutput, captions.externalOutput);
  caption(C::kGpsRfTransmission, captions.rfTransmission);
}

void CalibrationConsole::lockForTone(bool locked) {
  for (const C control : kLockedByTone)
    enable(control, !locked);
}

void CalibrationConsole::notifyChanged() {
  if (changed) changed();
}

std::optional<Notice> CalibrationConsole::refusedWhileTransmitting() const {
  if (!view_.transmit) return std::nullopt;
  return Notice::warning(service_text::kTxMode);
}

std::vector<Notice> CalibrationConsole::SetChannel(int position) {
  if (auto refused = refusedWhileTransmitting()) return {*refused};
  view_.channel = validChannel(position) ? position : kFirstChannel;
  notifyChanged();
  const ReplyVerdict verdict = session_.ChangeChannel(view_.channel);
  if (verdict != ReplyVerdict::kNone) return stopWith(verdict);
  view_.scan = kNoSelection;
  return {};
}

std::vector<Notice> CalibrationConsole::SetTransmit(bool on) {
  view_.transmit = on;
  if (!on) {
    caption(C::kRtxMode, "Rx Mode");
    enable(C::kGpsPower, true);
    enable(C::kTestData, true);
    enable(C::kUpgrade, true);
    notifyChanged();
    session_.ReceiveMode();
    return {};
  }
  // What the three were before: a refused transmit leaves the radio receiving, and them as
  // they were.
  const bool gpsPower = Enabled(C::kGpsPower);
  const bool testData = Enabled(C::kTestData);
  const bool upgrade = Enabled(C::kUpgrade);
  caption(C::kRtxMode, "Tx Mode");
  enable(C::kGpsPower, false);
  enable(C::kTestData, false);
  enable(C::kUpgrade, false);
  notifyChanged();
  const ReplyVerdict verdict = session_.TransmitMode();
  if (verdict == ReplyVerdict::kNotAllowed) {
    view_.transmit = false;
    caption(C::kRtxMode, "Rx Mode");
    enable(C::kRtxMode, true);
    enable(C::kGpsPower, gpsPower);
    enable(C::kTestData, testData);
    enable(C::kUpgrade, upgrade);
  }
  return stopWith(verdict);
}

std::vector<Notice> CalibrationConsole::ChooseScan(int selection) {
  if (auto refused = refusedWhileTransmitting()) return {*refused};
  if (selection >= 0 && selection <= 2) view_.scan = selection;
  return {};
}

std::vector<Notice> CalibrationConsole::SendScan() {
  if (auto refused = refusedWhileTransmitting()) return {*refused};
  static constexpr ScanCommand kCommands[] = {ScanCommand::kStop, ScanCommand::kStart,
                                              ScanCommand::kDelete};
  if (view_.scan >= 0 && view_.scan <= 2) session_.Scan(kCommands[view_.scan]);
  return {};
}

std::vector<Notice> CalibrationConsole::SetGpsPower(bool on) {
  if (auto refused = refusedWhileTransmitting()) return {*refused};
  if (on) {
    view_.gpsPower = true;
    caption(C::kGpsPower, "Power Enable");
    enable(C::kTestData, false);
    notifyChanged();
    session_.GpsPowerOn();
    enableGpsData(true);
    view_.gpsData = 0;
    return {};
  }
  const bool testData = Enabled(C::kTestData);
  view_.gpsPower = false;
  caption(C::kGpsPower, "Power Disable");
  enable(C::kTestData, true);
  notifyChanged();
  if (!session_.GpsPowerOff()) {
    // Nobody knows whether the receiver is off: it counts as still on, and the technician
    // may try again.
    view_.gpsPower = true;
    caption(C::kGpsPower, "Power Enable");
    enable(C::kTestData, testData);
    return {Notice::stop(service_text::kNoAnswer)};
  }
  view_.gpsData = 0;
  gpsDataCaptions();
  enableGpsData(false);
  return {};
}

std::vector<Notice> CalibrationConsole::ChooseGpsData(int selection) {
  if (auto refused = refusedWhileTransmitting()) return {*refused};
  if (selection < 0 || selection > 2) return {};
  const int before = view_.gpsData;
  const auto captionsBefore = view_.captions;
  view_.gpsData = selection;
  gpsDataCaptions();
  notifyChanged();
  static constexpr GpsDataCommand kCommands[] = {
      GpsDataCommand::kDisable, GpsDataCommand::kExternalOutput, GpsDataCommand::kRfTransmission};
  if (!session_.GpsData(kCommands[selection])) {
    view_.gpsData = before;
    view_.captions = captionsBefore;
    return {Notice::stop(service_text::kNoAnswer)};
  }
  return {};
}

std::vector<Notice> CalibrationConsole::SetTestData(bool on) {
  if (auto refused = refusedWhileTransmitting()) {
    view_.testData = false;
    caption(C::kTestData, "Disable");
    return {*refused};
  }
  // Nothing can reach a radio whose port has closed.
  if (!session_.IsOpen()) return {Notice::stop(service_text::kPortError)};
  view_.testData = on;
  if (on) {
    caption(C::kTestData, "Enable");
    notifyChanged();
    session_.TestDataOn();
    // While the modem sends test data only the toggle that stops it (and CLOSE) may be used.
    for (std::size_t i = 0; i < kCalibrationControlCount; ++i)
      view_.enabled[i] = i == index(C::kTestData);
    return {};
  }
  caption(C::kTestData, "Disable");
  for (const C control :
       {C::kChannelEdit, C::kChannelSet, C::kRtxMode, C::kScanStop, C::kScanStart, C::kScanDelete,
        C::kScanSet, C::kGpsPower, C::kGmskTransmit, C::kSpaceTone, C::kMarkTone, C::kUpgrade})
    enable(control, true);
  enable(C::kGmsk, view_.alignmentModem == kAlignGmsk);
  enable(C::kFfsk, view_.alignmentModem == kAlignFfsk);
  notifyChanged();
  return stopWith(session_.TestDataOff());
}

std::vector<Notice> CalibrationConsole::ChooseAlignment(int modem) {
  if (auto refused = refusedWhileTransmitting()) {
    view_.alignmentModem = kNoSelection;
    return {*refused};
  }
  if (modem == kAlignGmsk) {
    if (view_.spaceTone || view_.markTone) {
      view_.alignmentModem = kAlignFfsk;
      return {Notice::warning(service_text::kFfskModem)};
    }
    showAlignment(kAlignGmsk);
  } else if (modem == kAlignFfsk) {
    if (view_.gmskTransmit) {
      view_.alignmentModem = kAlignGmsk;
      return {Notice::warning(service_text::kGmskModem)};
    }
    showAlignment(kAlignFfsk);
  }
  return {};
}

std::vector<Notice> CalibrationConsole::SetMarkTone(bool on) {
  if (auto refused = refusedWhileTransmitting()) {
    view_.markTone = false;
    return {*refused};
  }
  view_.markTone = on;
  if (on) {
    caption(C::kMarkTone, "Mark Enable");
    // Mark and space exclude each other; the radio is told space is off whatever it was.
    caption(C::kSpaceTone, "Space Disable");
    view_.spaceTone = false;
    session_.SpaceTone(false);
    lockForTone(true);
    notifyChanged();
    session_.MarkTone(true);
    return {};
  }
  caption(C::kMarkTone, "Mark Disable");
  session_.MarkTone(false);
  lockForTone(false);
  return {};
}

std::vector<Notice> CalibrationConsole::SetSpaceTone(bool on) {
  if (auto refused = refusedWhileTransmitting()) {
    view_.spaceTone = false;
    return {*refused};
  }
  view_.spaceTone = on;
  if (on) {
    caption(C::kSpaceTone, "Space Enable");
    if (view_.markTone) {
      caption(C::kMarkTone, "Mark Disable");
      view_.markTone = false;
      session_.MarkTone(false);
    }
    session_.SpaceTone(true);
    lockForTone(true);
    return {};
  }
  caption(C::kSpaceTone, "Space Disable");
  enable(C::kMarkTone, true);
  session_.SpaceTone(false);
  lockForTone(false);
  return {};
}

std::vector<Notice> CalibrationConsole::SetGmskTransmit(bool on) {
  if (auto refused = refusedWhileTransmitting()) {
    view_.gmskTransmit = false;
    return {*refused};
  }
  view_.gmskTransmit = on;
  caption(C::kGmskTransmit, on ? "Tx Enable" : "Tx Disable");
  session_.GmskTransmit(on);
  lockForTone(on);
  return {};
}

std::vector<Notice> CalibrationConsole::ToggleUpgrade() {
  if (auto refused = refusedWhileTransmitting()) {
    view_.upgrade = false;
    return {*refused};
  }
  const bool wanted = !view_.upgrade;
  // The modem changes over only when the radio answers; otherwise the toggle stays as it was.
  if (session_.UpgradeTransmit(wanted)) {
    view_.upgrade = wanted;
    caption(C::kUpgrade, wanted ? "Enable" : "Disable");
  }
  return {};
}

}  // namespace kx
