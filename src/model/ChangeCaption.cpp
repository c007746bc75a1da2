#include "model/ChangeCaption.h"

#include <cstdio>

#include "model/EditState.h"

namespace kx {

namespace {

using D = CKX200Doc;
using C = ChannelRecord;
using DocCompare = bool (*)(const CKX200Doc&, const CKX200Doc&);
using DocValue = std::int32_t (*)(const CKX200Doc&);
using ChannelCompare = bool (*)(const ChannelRecord&, const ChannelRecord&);

template <auto Member>
bool docDiffers(const CKX200Doc& a, const CKX200Doc& b) {
  return !(a.*Member == b.*Member);
}
template <auto Member>
std::int32_t docValue(const CKX200Doc& d) {
  return static_cast<std::int32_t>(d.*Member);
}
template <auto Member>
bool channelDiffers(const ChannelRecord& a, const ChannelRecord& b) {
  return !(a.*Member == b.*Member);
}

// A field and the label of the control that edits it. A pair of radios, and the modem button
// whose caption follows its state, name the one the field now stands at: name while the field
// holds offValue, onName otherwise.
struct DocField {
  DocCompare differs;
  const char* name;
  DocValue value = nullptr;
  std::int32_t offValue = 0;
  const char* onName = nullptr;

  const char* NameAfter(const CKX200Doc& after) const {
    return value && value(after) != offValue ? onName : name;
  }
};
template <auto Member>
constexpr DocField field(const char* name) {
  return {docDiffers<Member>, name};
}
template <auto Member>
constexpr DocField pair(std::int32_t offValue, const char* offName, const char* onName) {
  return {docDiffers<Member>, offName, docValue<Member>, offValue, onName};
}

struct ChannelField {
  ChannelCompare differs;
  const char* name;
};

// Radio-wide fields by the labels the pages show (as a screen reader speaks them), page by
// page. Where one control changes several fields, the field of the control comes first: a
// modem type before the modem and its baud rates, the AFSK flavour before the mode it sets,
// the mode before the flow control and base block it resets, the flow control before the base
// block size it clears. The byte count has no control but DEFAULT.
constexpr DocField kDocFields[] = {
    field<&D::modelType>("Model choice"),
    field<&D::subBandIndex>("Band choice"),
    field<&D::txTimeoutEnabled>("Time out Timer"),
    field<&D::txTimeoutSec>("Time out Timer"),
    field<&D::hangOnEnabled>("Hang Timer"),
    field<&D::hangOnTimeMs>("Hang Timer"),
    field<&D::busyLockoutEnabled>("Busy channel lockout"),
    field<&D::txMatchedSatEnabled>("Enables Tx matched SAT"),
    field<&D::txDelayEnabled>("Tx Delay"),
    field<&D::powerSaveEnabled>("Power Save"),
    field<&D::powerSaveDelayIndex>("Delay Time"),
    field<&D::powerSaveOnMs>("Rx Off Time"),
    field<&D::powerSaveOffMs>("Rx On Time"),
    field<&D::squelchEnabled>("Enables Squelch"),
    pair<&D::squelchBusyPortCheck>(0, "Rssi Level Check", "Busy Port Check"),
    field<&D::beepOnHangOn>("Beep ON When Hang ON Time"),
    field<&D::txToneForDataInput>("Tx Tone Generation For Data Input"),
    field<&D::externalModulation>("Enables External Modulation"),
    field<&D::scanDelayIndex>("Scan Delay Time"),
    field<&D::scanSpeedMs>("Scan Speed Time"),
    field<&D::gpsEnabled>("Enables GPS"),
    field<&D::gpsCycleIndex>("Transmission Cycle"),
    field<&D::gpsDataTimeSec>("Data Transmission Time"),
    field<&D::gpsDataDelaySec>("Data Delay Time"),
    field<&D::gmsk>("GMSK"),
    field<&D::ffsk>("FFSK"),
    field<&D::afsk>("AFSK"),
    pair<&D::afskBell202>(0, "V23", "BELL 202"),
    pair<&D::modemEnabled>(0, "Modem Disable", "Modem Enable"),
    field<&D::sBandBaudIndex>("S - BAND"),
    field<&D::nBandBaudIndex>("N - BAND"),
    pair<&D::modemMode>(modem::kDumbMode, "Dumb Mode", "Auto Mode"),
    field<&D::txForcingMode>("Enables Tx Forcing Mode"),
    field<&D::initDataForHt>("Enables Initializing Data For HT"),
    field<&D::baseBlockEnabled>("Base Block Size 1"),
    field<&D::flowControl>("Flow Control"),
    field<&D::baseBlockSizeIndex>("Base Block Size 1 ( byte )"),
    field<&D::preambleSizeIndex>("Preamble Data Size ( bit )"),
    field<&D::waitForBusyIndex>("Wait For Busy Time ( ms )"),
    field<&D::txDelay1Index>("Tx Delay Time 1 (ms)"),
    field<&D::txDelay2Index>("Tx Delay Time 2 (ms, Tone Only)"),
    field<&D::startBitErrors>("Number of Allowable Errors for Start Bit"),
    field<&D::byteCountIndex>("DEFAULT"),
    field<&D::txOffDelayMs>("Tx OFF Delay"),
    field<&D::txOnDelayMs>("Tx On Delay"),
    field<&D::rxOnDelayMs>("Rx On Delay"),
};

// A channel's fields in the order of its row, by the column headings; the signalling settings
// go by the option button that opens their dialog, and the step by the frequency it is found
// from.
constexpr ChannelField kChannelFields[] = {
    {channelDiffers<&C::rxFreqMHz>, "Rx Freq(MHz)"},
    {channelDiffers<&C::rxOption>, "RxOption"},
    {channelDiffers<&C::rxCtcssHz>, "RxOption"},
    {channelDiffers<&C::rxDcsCode>, "RxOption"},
    {channelDiffers<&C::twoToneSelect>, "RxOption"},
    {channelDiffers<&C::toneAHz>, "RxOption"},
    {channelDiffers<&C::toneAMs>, "RxOption"},
    {channelDiffers<&C::toneBHz>, "RxOption"},
    {channelDiffers<&C::toneBMs>, "RxOption"},
    {channelDiffers<&C::txFreqMHz>, "Tx Freq(MHz)"},
    {channelDiffers<&C::txOption>, "TxOption"},
    {channelDiffers<&C::txCtcssHz>, "TxOption"},
    {channelDiffers<&C::txDcsCode>, "TxOption"},
    {channelDiffers<&C::wide>, "BW"},
    {channelDiffers<&C::highPower>, "Tx Power"},
    {channelDiffers<&C::scan>, "Scan"},
    {channelDiffers<&C::stepCode>, "Rx Freq(MHz)"},
};

constexpr const char* kAnyOtherChange = "Configuration change";

std::string patchCaption(const EditState& before, const EditState& after) {
  for (std::size_t at = 0; at < image::kSize; ++at) {
    const bool was = before.pendingFlags[at] != 0;
    const bool is = after.pendingFlags[at] != 0;
    if (was == is && (!is || before.pendingValues[at] == after.pendingValues[at])) continue;
    char text[32];
    std::snprintf(text, sizeof text, "EEPROM map byte 0x%03zX", at);
    return text;
  }
  return {};
}

std::string channelCaption(const CKX200Doc& before, const CKX200Doc& after) {
  for (std::size_t i = 0; i < before.channels.size(); ++i) {
    for (const ChannelField& field : kChannelFields) {
      if (field.differs(before.channels[i], after.channels[i]))
        return "Channel " + std::to_string(i + 1) + " " + field.name;
    }
  }
  return {};
}

}  // namespace

std::string DescribeChange(const EditState& before, const EditState& after) {
  if (std::string patch = patchCaption(before, after); !patch.empty()) return patch;
  for (const DocField& f : kDocFields) {
    if (f.differs(before.doc, after.doc)) return f.NameAfter(after.doc);
  }
  if (std::string channel = channelCaption(before.doc, after.doc); !channel.empty()) return channel;
  return kAnyOtherChange;
}

}  // namespace kx
