#include "model/ChangeCaption.h"

#include <cstdio>

#include "model/EditState.h"
#include "model/RadioOptions.h"

namespace kx {

namespace {

using C = ChannelRecord;
using ChannelCompare = bool (*)(const ChannelRecord&, const ChannelRecord&);

template <auto Member>
bool channelDiffers(const ChannelRecord& a, const ChannelRecord& b) {
  return !(a.*Member == b.*Member);
}

struct ChannelField {
  ChannelCompare differs;
  const char* name;
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

// The radio-wide options by the labels of their controls, in the order of the options' table;
// an option whose control changes others too is asked first.
std::string optionCaption(const CKX200Doc& before, const CKX200Doc& after) {
  const RadioOption* named = nullptr;
  const OptionMember* member = nullptr;
  for (const RadioOption& option : RadioOptions()) {
    if (named && option.namedFirst <= named->namedFirst) continue;
    for (const OptionMember& m : option.Members()) {
      if (m.name.empty() || !m.differs(before, after)) continue;
      named = &option;
      member = &m;
      break;
    }
  }
  return member ? std::string(member->NameAfter(after)) : std::string();
}

}  // namespace

std::string DescribeChange(const EditState& before, const EditState& after) {
  if (std::string patch = patchCaption(before, after); !patch.empty()) return patch;
  if (std::string option = optionCaption(before.doc, after.doc); !option.empty()) return option;
  if (std::string channel = channelCaption(before.doc, after.doc); !channel.empty()) return channel;
  return kAnyOtherChange;
}

}  // namespace kx
