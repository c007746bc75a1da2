#include <gtest/gtest.h>

#include "textio/SignallingText.h"
#include "textio/TextValues.h"

namespace kx {
namespace {

TEST(TextValuesTest, NumbersAreDecimalsAndNothingElse) {
  const struct {
    const char* text;
    std::optional<double> value;
  } cases[] = {
      {"150.125", 150.125},
      {" 150,125 ", 150.125},
      {"+67", 67},
      {"-5", -5},
      {".5", 0.5},
      {"7.", 7},
      {"1e3", {}},
      {"1.2.3", {}},
      {"150.125MHz", {}},
      {"", {}},
      {"-", {}},
      {".", {}},
      {"0x10", {}},
      {"nan", {}},
      {"1_000", {}},
      {"12 5", {}},
  };
  for (const auto& c : cases)
    EXPECT_EQ(text_values::ParseNumber(c.text), c.value) << c.text;
  EXPECT_EQ(text_values::ParseWhole("2147483648"), std::nullopt);
  EXPECT_EQ(text_values::ParseWhole("12.5"), std::nullopt);
  EXPECT_EQ(text_values::NumberText(1234.5678), "1234.5678");
  EXPECT_EQ(text_values::NumberText(300), "300");
}

TEST(TextValuesTest, FlagsInTheWordsTechniciansUse) {
  const struct {
    const char* text;
    std::optional<std::int32_t> flag;
  } cases[] = {
      {"ON", 1}, {"off", 0}, {"Yes", 1}, {"no", 0},  {"TRUE", 1},   {"false", 0},
      {"1", 1},  {"0", 0},   {"4", 4},   {"-1", {}}, {"maybe", {}}, {"", {}},
  };
  for (const auto& c : cases)
    EXPECT_EQ(text_values::ParseFlag(c.text), c.flag) << c.text;
  EXPECT_EQ(text_values::FlagText(4), "4");
}

TEST(TextValuesTest, SignallingAsSpreadsheetsHoldIt) {
  const struct {
    const char* text;
    std::int32_t kind;
    double ctcss;
    std::int32_t dcs;
    std::int32_t group;
  } accepted[] = {
      {"NO", kOptionNone, 0, 0, kToneBoth},     {"none", kOptionNone, 0, 0, kToneBoth},
      {"67", kOptionCtcss, 67.0, 0, kToneBoth}, {"254.10", kOptionCtcss, 254.1, 0, kToneBoth},
      {"D23", kOptionDcs, 0, 23, kToneBoth},    {"d754", kOptionDcs, 0, 754, kToneBoth},
      {"tone b", kOptionTwoTone, 0, 0, kToneB}, {"BOTH", kOptionTwoTone, 0, 0, kToneBoth},
  };
  for (const auto& c : accepted) {
    const auto parsed = ParseSignalling(c.text);
    ASSERT_TRUE(std::holds_alternative<Signalling>(parsed)) << c.text;
    const Signalling s = std::get<Signalling>(parsed);
    EXPECT_EQ(s.kind, c.kind) << c.text;
    EXPECT_EQ(s.ctcssHz, c.ctcss) << c.text;
    EXPECT_EQ(s.dcsCode, c.dcs) << c.text;
    EXPECT_EQ(s.twoToneGroup, c.group) << c.text;
  }
  const struct {
    const char* text;
    const char* reason;
  } refused[] = {
      {"67.05", "67.05 is not a CTCSS tone of the table"},
      {"023", "023 is not a CTCSS tone of the table; a DCS code is written D023"},
      {"D0231", "'D0231' is not a DCS code (D023)"},
      {"D028", "D028 is not a DCS code of the table"},
      {"Tone C\x1b[2J",
       "'Tone C?[2J' is not a signalling (NO, a CTCSS tone such as 67.0, a DCS code such as "
       "D023, or Tone A, Tone B, Both)"},
  };
  for (const auto& c : refused) {
    const auto parsed = ParseSignalling(c.text);
    ASSERT_TRUE(std::holds_alternative<std::string>(parsed)) << c.text;
    EXPECT_EQ(std::get<std::string>(parsed), c.reason);
  }
}

}  // namespace
}  // namespace kx
