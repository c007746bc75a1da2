#include <gtest/gtest.h>

#include "link/ImageVerify.h"

namespace kx {
namespace {

// The verification's message as the technician reads it: counted, in address order, at most
// eight addresses, values in hex, each named as the EEPROM map names it.
TEST(ImageVerifyTest, MessageNamesTheFirstEightDifferences) {
  struct Case {
    std::vector<std::size_t> addresses;
    std::string text;
  };
  const Case cases[] = {
      {{}, ""},
      {{0x029}, "Verify failed: 1 byte differs (0x029: wrote 47, read 46)"},
      {{0x000, 0x029, 0x19F},
       "Verify failed: 3 bytes differ (0x000: wrote 47, read 46; 0x029: wrote 47, read 46; "
       "0x19F: wrote 47, read 46)"},
      {{1, 2, 3, 4, 5, 6, 7, 8, 9},
       "Verify failed: 9 bytes differ (0x001: wrote 47, read 46; 0x002: wrote 47, read 46; "
       "0x003: wrote 47, read 46; 0x004: wrote 47, read 46; 0x005: wrote 47, read 46; 0x006: "
       "wrote 47, read 46; 0x007: wrote 47, read 46; 0x008: wrote 47, read 46; ...)"},
  };
  for (const Case& k : cases) {
    image::Image sent{};
    sent.fill(0x47);
    image::Image stored = sent;
    for (std::size_t at : k.addresses)
      stored[at] = 0x46;
    const auto differences = CompareImages(sent, stored);
    ASSERT_EQ(differences.size(), k.addresses.size());
    EXPECT_EQ(VerifyFailureText(differences), k.text);
    const std::string detail = VerifyFailureDetail(differences);
    EXPECT_EQ(static_cast<std::size_t>(std::count(detail.begin(), detail.end(), '\n')),
              std::min<std::size_t>(k.addresses.size(), 8) - (k.addresses.empty() ? 0 : 1));
  }
  const image::Image sent{};
  image::Image stored{};
  stored[0x029] = 0x01;
  EXPECT_EQ(VerifyFailureDetail(CompareImages(sent, stored)),
            "0x029: channel 2: step, narrow, high power, receive count bits 16..14: wrote 00, "
            "read 01");
}

}  // namespace
}  // namespace kx
