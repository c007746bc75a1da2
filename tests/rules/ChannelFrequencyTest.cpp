#include <gtest/gtest.h>

#include "model/ModelTraits.h"
#include "rules/ChannelFrequency.h"
#include "rules/DecimalText.h"
#include "support/Documents.h"

namespace kx {
namespace {

TEST(FrequencyTextTest, TypingAidPutsThePointAfterTheThirdDigit) {
  const struct {
    const char* typed;
    const char* shown;
  } cases[] = {
      {"150125", "150.125"}, {"4501", "450.1"},      {"1500.5", "150.05"}, {"1.5", "15"},
      {"12.5", "12.5"},      {"150.125", "150.125"}, {"15", "15"},         {"", ""},
  };
  for (const auto& c : cases)
    EXPECT_EQ(NormalizeFrequencyText(c.typed), c.shown) << c.typed;
}

TEST(FrequencyTextTest, ConversionSeesNineCharactersAsTheCLibraryDoes) {
  EXPECT_DOUBLE_EQ(ParseDecimalText("150.12345678"), 150.12345);
  EXPECT_DOUBLE_EQ(ParseDecimalText(" 150.5MHz"), 150.5);
  EXPECT_DOUBLE_EQ(ParseDecimalText("abc"), 0);
  EXPECT_EQ(ParseDecimalInt("8413abc"), 8413);
  EXPECT_EQ(ParseDecimalInt("1234567890123"), 123456789);
}

// Leaving the RX edit, then what the channel and both edits hold.
struct RxCase {
  ModelType type;
  const char* rx;
  const char* tx;
  double rxMHz, txMHz;
  int stepCode;
  const char* rxText;
  const char* txText;
  const char* message;  // "" for none
};

TEST(ChannelFrequencyTest, ReceiveEntriesSnapToTheStepAndStayInTheSubBand) {
  const RxCase cases[] = {
      // Outside 400..440 MHz with no TX: the middle of the sub-band for both.
      {model::kKx400Uhf, "450.1", "", 420, 420, 1, "420.00000", "420.00000",
       "Valid Range : 400 to 440MHz"},
      // On no step: the 12.5 kHz grid, an odd count of 6.25 kHz rounded up.
      {model::kKx400Vhf, "150.006", "", 150, 150, 1, "150.00000", "150.00000", ""},
      {model::kKx400Vhf, "150.0065", "", 150.0125, 150.0125, 1, "150.01250", "150.01250", ""},
      // On the 5 kHz step despite binary floating point.
      {model::kKx400Vhf, "150.005", "", 150.005, 150.005, 2, "150.00500", "150.00500", ""},
      {model::kKx400Vhf, "150.0025", "", 150.0025, 150.0025, 3, "150.00250", "150.00250", ""},
      // UHF radios have no 2.5 kHz step.
      {model::kKx400Uhf, "420.0025", "", 420, 420, 1, "420.00000", "420.00000", ""},
      // A TX on 5 kHz takes the RX to the even 5 kHz count below it.
      {model::kKx400Vhf, "150.003", "150.005", 150, 0, 2, "150.00000", "150.005", ""},
      // Out of band with a TX inside: the TX value.
      {model::kKx400Vhf, "180", "150.5", 150.5, 0, 1, "150.50000", "150.5",
       "Valid Range : 146 to 174MHz"},
      {model::kKx400Vhf, "", "", 0, 0, 2, "", "", ""},
      {model::kKx400Vhf, "0", "", 0, 0, 1, "", "", ""},
      // Values no radio has are out of band too: below zero, not a number.
      {model::kKx400Vhf, "-150", "", 160, 160, 1, "160.00000", "160.00000",
       "Valid Range : 146 to 174MHz"},
      {model::kKx400Vhf, "nan", "", 160, 160, 1, "160.00000", "160.00000",
       "Valid Range : 146 to 174MHz"},
      {model::kKx400Vhf, "9e99", "", 160, 160, 1, "160.00000", "160.00000",
       "Valid Range : 146 to 174MHz"},
  };
  for (const RxCase& c : cases) {
    SCOPED_TRACE(std::string(c.rx) + " / " + c.tx);
    const CKX200Doc doc = test::DocumentOf(c.type);
    const FrequencyEdit e = ValidateRxFrequency(doc, 0, c.rx, c.tx);
    EXPECT_DOUBLE_EQ(e.rxMHz, c.rxMHz);
    EXPECT_DOUBLE_EQ(e.txMHz, c.txMHz);
    EXPECT_EQ(e.stepCode, c.stepCode);
    EXPECT_EQ(e.rxText, c.rxText);
    EXPECT_EQ(e.txText, c.txText);
    EXPECT_EQ(e.notice ? e.notice->text : "", c.message);
    if (e.notice) {
      EXPECT_EQ(e.notice->kind, NoticeKind::kStop);
      EXPECT_EQ(e.focus, ChannelFocus::kRxOption);
    }
  }
}

TEST(ChannelFrequencyTest, TransmitEntriesFollowTheReceiveFrequencyAndItsStep) {
  CKX200Doc doc = test::DocumentOf(model::kKx400Vhf);
  doc.channels[0] = {.rxFreqMHz = 150, .txFreqMHz = 150, .stepCode = kStep6250Hz};

  // No step holds both: the step stays 6.25 kHz and the TX is cut down to it.
  FrequencyEdit e = ValidateTxFrequency(doc, 0, "150.00000", "150.0031");
  EXPECT_EQ(e.txText, "150.00000");
  EXPECT_EQ(e.stepCode, kStep6250Hz);
  // A step both share becomes the channel's.
  e = ValidateTxFrequency(doc, 0, "150.00000", "150.005");
  EXPECT_EQ(e.txText, "150.00500");
  EXPECT_EQ(e.stepCode, kStep5000Hz);
  // Cleared TX: the RX is copied in.
  e = ValidateTxFrequency(doc, 0, "150.00000", "");
  EXPECT_EQ(e.txText, "150.00000");
  EXPECT_DOUBLE_EQ(e.txMHz, 150);
  // Out of band: the RX frequency, with the message without a colon.
  e = ValidateTxFrequency(doc, 0, "150.00000", "180");
  EXPECT_DOUBLE_EQ(e.txMHz, 150);
  ASSERT_TRUE(e.notice);
  EXPECT_EQ(e.notice->text, "Valid Range 146 to 174MHz");
  EXPECT_EQ(e.focus, ChannelFocus::kTxOption);
  // A TX typed alone moves into RX and comes back as its copy.
  e = ValidateTxFrequency(doc, 0, "", "151.0125");
  EXPECT_EQ(e.rxText, "151.01250");
  EXPECT_EQ(e.txText, "151.01250");
  EXPECT_DOUBLE_EQ(e.rxMHz, 151.0125);
  // Zero TX with an RX keeps 0 shown; zero with nothing empties the row.
  e = ValidateTxFrequency(doc, 0, "150.00000", "0");
  EXPECT_EQ(e.txText, "0.00000");
  e = ValidateTxFrequency(doc, 0, "0", "0");
  EXPECT_EQ(e.rxText, "");
  EXPECT_EQ(e.txText, "");
}

TEST(ChannelFrequencyTest, UhfModelsHaveNoTwoPointFiveKilohertzStep) {
  const ModelTraits& uhf = Traits(model::kKx400Uhf);
  const SnappedFrequency s = SnapTxFrequency(uhf, {400, 440}, 420.0025, 420, kStep2500Hz);
  EXPECT_DOUBLE_EQ(s.mhz, 420.0025);  // a step the model lacks leaves the value alone
  EXPECT_EQ(EvenMultiple(150'006'500, 6250), 150'012'500);
  EXPECT_TRUE(IsStepMultiple(*WholeHz(150.005), 5000));
}

}  // namespace
}  // namespace kx
