#include <gtest/gtest.h>

#include "RuleBuiltConfigs.h"
#include "support/Documents.h"
#include "textio/CsvChannels.h"

namespace kx {
namespace {

constexpr ModelType kSelectable[] = {model::kKx400Vhf, model::kKx400Uhf, model::kKx600Vhf,
                                     model::kKx600Uhf};

TEST(CsvChannelsTest, ExportThenImportGivesTheSameChannelTable) {
  for (ModelType type : kSelectable) {
    for (unsigned seed = 0; seed < 30; ++seed) {
      const CKX200Doc original = test::RuleBuiltConfig(type, seed).doc();
      const std::string csv = ExportChannelsCsv(original);
      CKX200Doc imported = test::DocumentOf(type);
      imported.subBandIndex = original.subBandIndex;
      const Outcome outcome = ImportChannelsCsv(imported, csv, "channels.csv");
      ASSERT_TRUE(outcome.ok) << outcome.text() << csv;
      EXPECT_EQ(outcome.text(), "") << csv;
      EXPECT_EQ(ExportChannelsCsv(imported), csv);
    }
  }
}

TEST(CsvChannelsTest, RowsAreTypedIntoTheChannelPage) {
  CKX200Doc doc = test::DocumentOf(model::kKx600Vhf);
  doc.channels[3].rxFreqMHz = doc.channels[3].txFreqMHz = 160;
  const CKX200Doc before = doc;
  // Columns in another order and case, a locale's semicolons and decimal comma, a byte-order
  // mark, CRLF, quotes, a spreadsheet's "67" and "D23"; no row for channel 4.
  const std::string csv =
      "\xEF\xBB\xBF"
      "scan;CH;rx freq(mhz);RXOPTION;Tx Freq(MHz);Tone A(Hz)\r\n"
      "yes;1;150,0065;67;;\r\n"
      "0;2;;d23;150.005;\r\n"
      "OFF;3;\"150.1\";\"tone a\";150.2;1234\r\n"
      ";5;;NO;;\r\n";
  const Outcome outcome = ImportChannelsCsv(doc, csv, "channels.csv");
  ASSERT_TRUE(outcome.ok) << outcome.text();
  EXPECT_EQ(outcome.text(),
            "channels.csv:2: Rx Freq(MHz): 150,0065 stored as 150.01250\n"
            "channels.csv:4: Tone A(Hz): 1234 stored as 1230");

  const ChannelRecord& one = doc.channels[0];
  EXPECT_DOUBLE_EQ(one.rxFreqMHz, 150.0125);
  EXPECT_DOUBLE_EQ(one.txFreqMHz, 150.0125);  // TX follows RX
  EXPECT_EQ(one.stepCode, 1);
  EXPECT_EQ(one.rxOption, kOptionCtcss);
  EXPECT_DOUBLE_EQ(one.rxCtcssHz, 67.0);
  EXPECT_EQ(one.scan, 1);
  // A TX alone moves to RX and TX follows it.
  const ChannelRecord& two = doc.channels[1];
  EXPECT_DOUBLE_EQ(two.rxFreqMHz, 150.005);
  EXPECT_DOUBLE_EQ(two.txFreqMHz, 150.005);
  EXPECT_EQ(two.stepCode, 2);
  EXPECT_EQ(two.rxOption, kOptionDcs);
  EXPECT_EQ(two.rxDcsCode, 23);
  const ChannelRecord& three = doc.channels[2];
  EXPECT_DOUBLE_EQ(three.txFreqMHz, 150.2);
  EXPECT_EQ(three.rxOption, kOptionTwoTone);
  EXPECT_EQ(three.twoToneSelect, kToneA);
  EXPECT_DOUBLE_EQ(three.toneAHz, 1230);
  EXPECT_EQ(doc.channels[3], before.channels[3]);
  EXPECT_TRUE(doc.channels[4].isEmpty());
  // Columns the file leaves out keep the base's values.
  EXPECT_EQ(three.txOption, before.channels[2].txOption);
  EXPECT_EQ(three.wide, before.channels[2].wide);
}

TEST(CsvChannelsTest, EachRefusalNamesLineAndColumnAndNothingIsWritten) {
  const std::string header = "CH,Rx Freq(MHz),Tx Freq(MHz),RxOption,TxOption,Tone A(Hz),BW\n";
  const std::string good = "1,420,,NO,NO,300,Narrow\n";
  const struct {
    std::string rows;  // from line 3
    const char* message;
  } cases[] = {
      {"4,450,,NO,NO,300,Wide\n", "channels.csv:3: Rx Freq(MHz): Valid Range : 400 to 440MHz"},
      {"4,420,445,NO,NO,300,Wide\n", "channels.csv:3: Tx Freq(MHz): Valid Range 400 to 440MHz"},
      {"4,4x0,,NO,NO,300,Wide\n", "channels.csv:3: Rx Freq(MHz): '4x0' is not a frequency in MHz"},
      {"4,420,,67.5,NO,300,Wide\n",
       "channels.csv:3: RxOption: 67.5 is not a CTCSS tone of the table"},
      {"4,420,,NO,D024,300,Wide\n",
       "channels.csv:3: TxOption: D024 is not a DCS code of the table"},
      {"4,420,,Both,NO,300,Wide\n",
       "channels.csv:3: RxOption: this model has no two-tone signalling"},
      {"4,420,,NO,Tone B,300,Wide\n", "channels.csv:3: TxOption: Two Tone is for receive only"},
      {"4,420,,NO,NO,3100,Wide\n", "channels.csv:3: Tone A(Hz): Valid Settings 300 - 3000 Hz"},
      {"4,420,,NO,NO,300,Medium\n", "channels.csv:3: BW: 'Medium' is not Narrow or Wide"},
      {"4,420,,NO,NO,300,5\n", "channels.csv:3: BW: '5' is not Narrow or Wide"},
      {"17,420,,NO,NO,300,Wide\n", "channels.csv:3: CH: '17' is not a channel 1..16"},
      {"1,420,,NO,NO,300,Wide\n", "channels.csv:3: CH: channel 1 is already on line 2"},
      {"4,420,,NO,NO,300\n", "channels.csv:3: 6 fields where the header has 7"},
      {"4,\"420,,NO,NO,300,Wide\n", "channels.csv:3: a quoted field is not closed"},
  };
  for (const auto& c : cases) {
    CKX200Doc doc = test::DocumentOf(model::kKx400Uhf);
    doc.channels[0].scan = 1;
    const CKX200Doc before = doc;
    const Outcome outcome = ImportChannelsCsv(doc, header + good + c.rows, "channels.csv");
    EXPECT_FALSE(outcome.ok) << c.message;
    EXPECT_EQ(outcome.messages.front().text, c.message);
    EXPECT_EQ(outcome.messages.back().text, "channels.csv: nothing was imported");
    EXPECT_EQ(doc, before) << c.message;
  }
}

TEST(CsvChannelsTest, AHeaderThatIsNotTheTablesIsRefused) {
  CKX200Doc doc = test::DocumentOf(model::kKx400Vhf);
  const Outcome unknown = ImportChannelsCsv(doc, "CH,Rx Freq (MHz)\n1,150\n", "c.csv");
  EXPECT_EQ(unknown.messages.front().text,
            "c.csv:1: unknown column 'Rx Freq (MHz)' (the columns are CH, Rx Freq(MHz), "
            "RxOption, Tx Freq(MHz), TxOption, BW, Tx Power, Scan, Tone A(Hz), Tone A(ms), "
            "Tone B(Hz), Tone B(ms))");
  const Outcome noChannel = ImportChannelsCsv(doc, "Rx Freq(MHz)\n150\n", "c.csv");
  EXPECT_EQ(noChannel.messages.front().text, "c.csv:1: the header has no CH column");
  EXPECT_EQ(doc, test::DocumentOf(model::kKx400Vhf));
}

}  // namespace
}  // namespace kx
