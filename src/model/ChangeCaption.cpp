#include "model/ChangeCaption.h"

#include <cstdio>

#include "model/EditState.h"

namespace kx {

namespace {

using DocCompare = bool (*)(const CKX200Doc&, const CKX200Doc&);
using ChannelCompare = bool (*)(const ChannelRecord&, const ChannelRecord&);

template <auto Member>
bool docDiffers(const CKX200Doc& a, const CKX200Doc& b) {
  return !(a.*Member == b.*Member);
}
template <auto Member>
bool channelDiffers(const ChannelRecord& a, const ChannelRecord& b) {
  return !(a.*Member == b.*Member);
}

struct DocField {
  DocCompare differs;
  const char* name;
};
struct ChannelField {
  ChannelCompare differs;
  const char* name;
};

// Radio-wide fields as the pages show them: model and band, the channel page's timers, the
// system page, the modem page.
constexpr DocField kDocFields[] = {
    {docDiffers<&CKX200Doc::modelType>, "Model choice"},
    {docDiffers<&CKX200Doc::subBandIndex>, "Band choice"},
    {docDiffers<&CKX200Doc::txTimeoutEnabled>, "Tx time-out"},
    {docDiffers<&CKX200Doc::txTimeoutSec>, "Tx time-out"},
    {docDiffers<&CKX200Doc::hangOnEnabled>, "Hang-on time"},
    {docDiffers<&CKX200Doc::hangOnTimeMs>, "Hang-on time"},
    {docDiffers<&CKX200Doc::busyLockoutEnabled>, "Busy channel lockout"},
    {docDiffers<&CKX200Doc::txMatchedSatEnabled>, "Tx matched SAT"},
    {docDiffers<&CKX200Doc::txDelayEnabled>, "Tx delay"},
    {docDiffers<&CKX200Doc::powerSaveEnabled>, "Power save"},
    {docDiffers<&CKX200Doc::powerSaveDelayIndex>, "Power save delay"},
    {docDiffers<&CKX200Doc::powerSaveOnMs>, "Rx off time"},
    {docDiffers<&CKX200Doc::powerSaveOffMs>, "Rx on time"},
    {docDiffers<&CKX200Doc::squelchEnabled>, "Squelch"},
    {docDiffers<&CKX200Doc::squelchBusyPortCheck>, "Squelch check"},
    {docDiffers<&CKX200Doc::beepOnHangOn>, "Beep on hang-on"},
    {docDiffers<&CKX200Doc::txToneForDataInput>, "Tx tone for data input"},
    {docDiffers<&CKX200Doc::externalModulation>, "External modulation"},
    {docDiffers<&CKX200Doc::scanDelayIndex>, "Scan delay"},
    {docDiffers<&CKX200Doc::scanSpeedMs>, "Scan speed"},
    {docDiffers<&CKX200Doc::gpsEnabled>, "GPS"},
    {docDiffers<&CKX200Doc::gpsCycleIndex>, "GPS data transmission time"},
    {docDiffers<&CKX200Doc::gpsDataTimeSec>, "GPS data time"},
    {docDiffers<&CKX200Doc::gpsDataDelaySec>, "GPS data delay"},
    {docDiffers<&CKX200Doc::modemEnabled>, "Modem"},
    {docDiffers<&CKX200Doc::gmsk>, "GMSK"},
    {docDiffers<&CKX200Doc::ffsk>, "FFSK"},
    {docDiffers<&CKX200Doc::afsk>, "AFSK"},
    {docDiffers<&CKX200Doc::afskBell202>, "AFSK standard"},
    {docDiffers<&CKX200Doc::sBandBaudIndex>, "Modem baud rate"},
    {docDiffers<&CKX200Doc::nBandBaudIndex>, "Modem baud rate"},
    {docDiffers<&CKX200Doc::modemMode>, "Modem mode"},
    {docDiffers<&CKX200Doc::txForcingMode>, "Tx forcing mode"},
    {docDiffers<&CKX200Doc::initDataForHt>, "Initializing data for HT"},
    {docDiffers<&CKX200Doc::baseBlockEnabled>, "Base block size"},
    {docDiffers<&CKX200Doc::baseBlockSizeIndex>, "Base block size"},
    {docDiffers<&CKX200Doc::preambleSizeIndex>, "Preamble size"},
    {docDiffers<&CKX200Doc::waitForBusyIndex>, "Wait for busy"},
    {docDiffers<&CKX200Doc::byteCountIndex>, "Byte count"},
    {docDiffers<&CKX200Doc::flowControl>, "Flow control"},
    {docDiffers<&CKX200Doc::txDelay1Index>, "Tx delay 1"},
    {docDiffers<&CKX200Doc::txDelay2Index>, "Tx delay 2"},
    {docDiffers<&CKX200Doc::txOffDelayMs>, "Tx off delay"},
    {docDiffers<&CKX200Doc::txOnDelayMs>, "Tx on delay"},
    {docDiffers<&CKX200Doc::rxOnDelayMs>, "Rx on delay"},
    {docDiffers<&CKX200Doc::startBitErrors>, "Start bit errors"},
};

// A channel's fields in the order of its row; the signalling settings go by the option button
// that opens their dialog.
constexpr ChannelField kChannelFields[] = {
    {channelDiffers<&ChannelRecord::rxFreqMHz>, "Rx frequency"},
    {channelDiffers<&ChannelRecord::rxOption>, "Rx option"},
    {channelDiffers<&ChannelRecord::rxCtcssHz>, "Rx option"},
    {channelDiffers<&ChannelRecord::rxDcsCode>, "Rx option"},
    {channelDiffers<&ChannelRecord::twoToneSelect>, "Rx option"},
    {channelDiffers<&ChannelRecord::toneAHz>, "Rx option"},
    {channelDiffers<&ChannelRecord::toneAMs>, "Rx option"},
    {channelDiffers<&ChannelRecord::toneBHz>, "Rx option"},
    {channelDiffers<&ChannelRecord::toneBMs>, "Rx option"},
    {channelDiffers<&ChannelRecord::txFreqMHz>, "Tx frequency"},
    {channelDiffers<&ChannelRecord::txOption>, "Tx option"},
    {channelDiffers<&ChannelRecord::txCtcssHz>, "Tx option"},
    {channelDiffers<&ChannelRecord::txDcsCode>, "Tx option"},
    {channelDiffers<&ChannelRecord::wide>, "bandwidth"},
    {channelDiffers<&ChannelRecord::highPower>, "Tx power"},
    {channelDiffers<&ChannelRecord::scan>, "scan"},
    {channelDiffers<&ChannelRecord::stepCode>, "step"},
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
  for (const DocField& field : kDocFields) {
    if (field.differs(before.doc, after.doc)) return field.name;
  }
  if (std::string channel = channelCaption(before.doc, after.doc); !channel.empty()) return channel;
  return kAnyOtherChange;
}

}  // namespace kx
