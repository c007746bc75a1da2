#include <gtest/gtest.h>

#include "RuleBuiltConfigs.h"
#include "model/ConfigFile.h"
#include "support/Documents.h"
#include "textio/CsvChannels.h"
#include "textio/OptionFields.h"
#include "textio/YamlConfig.h"

namespace kx {
namespace {

constexpr ModelType kSelectable[] = {model::kKx400Vhf, model::kKx400Uhf, model::kKx600Vhf,
                                     model::kKx600Uhf};

TEST(YamlConfigTest, DatThroughYamlAndBackIsByteIdentical) {
  for (ModelType type : kSelectable) {
    for (unsigned seed = 0; seed < 50; ++seed) {
      const auto bytes = EncodeConfigFile(test::RuleBuiltConfig(type, seed).doc());
      CKX200Doc loaded;
      ASSERT_TRUE(DecodeConfigFile(loaded, bytes).ok);
      const std::string yaml = ExportConfigYaml(loaded);
      CKX200Doc imported;
      const Outcome outcome = ImportConfigYaml(imported, yaml, "c.yaml");
      ASSERT_TRUE(outcome.ok) << outcome.text() << yaml;
      EXPECT_EQ(outcome.text(), "") << yaml;
      EXPECT_EQ(EncodeConfigFile(imported), bytes) << "model " << type << " seed " << seed << '\n'
                                                   << yaml;
    }
  }
}

TEST(YamlConfigTest, AShortFileTakesTheRestFromTheModelAndNotesWhatTheRulesChanged) {
  CKX200Doc doc;
  doc.reg10 = 77;  // from a radio read; no configuration file holds it
  const std::string yaml =
      "model: KX600-VHF\n"
      "channels:\n"
      "  - ch: 2\n"
      "    rx_freq_mhz: 150.0065\n"
      "system:\n"
      "  scan_speed_ms: 125\n"
      "modem:\n"
      "  tx_on_delay_ms: 0\n"
      "timers:\n"
      "  tx_matched_sat: yes\n";
  const Outcome outcome = ImportConfigYaml(doc, yaml, "c.yaml");
  ASSERT_TRUE(outcome.ok) << outcome.text();
  EXPECT_EQ(outcome.text(),
            "c.yaml:4: rx_freq_mhz: 150.0065 stored as 150.01250\n"
            "c.yaml:6: scan_speed_ms: 125 stored as 120\n"
            "c.yaml:8: tx_on_delay_ms: 0 stored as 20\n"
            "c.yaml:10: tx_matched_sat: yes stored as OFF");
  CKX200Doc expected = test::DocumentOf(model::kKx600Vhf);
  expected.reg10 = 77;
  expected.channels[1].rxFreqMHz = expected.channels[1].txFreqMHz = 150.0125;
  expected.channels[1].stepCode = 1;
  expected.scanSpeedMs = 120;
  expected.modelName = doc.modelName;
  EXPECT_EQ(EncodeConfigFile(doc), EncodeConfigFile(expected));
  EXPECT_EQ(doc.reg10, 77);
}

TEST(YamlConfigTest, EachRefusalNamesLineAndKeyAndNothingChanges) {
  const struct {
    std::string yaml;
    const char* message;
  } cases[] = {
      {"model: kx600-uhf\nsytem:\n  squelch: ON\n", "c.yaml:2: sytem: unknown key"},
      {"model: kx600-uhf\nsystem:\n  squelch: maybe\n",
       "c.yaml:3: squelch: 'maybe' is not ON or OFF"},
      {"model: kx600-uhf\nsystem:\n  scan_delay_sec: 20\n",
       "c.yaml:3: scan_delay_sec: '20' is not one of 1 .. 15"},
      {"model: kx600-uhf\nsystem:\n  scan_speed_ms: 45\n",
       "c.yaml:3: scan_speed_ms: Valid Settings 50 - 2000 ms "},
      {"model: kx600-uhf\nsystem:\n  scan_speed_ms: 1oo\n",
       "c.yaml:3: scan_speed_ms: '1oo' is not a number"},
      {"model: kx600-uhf\nmodem:\n  modem_enabled: ON\n",
       "c.yaml:3: modem_enabled: You should select GMSK, FFSK or AFSK!"},
      {"model: kx600-uhf\nsystem:\n  external_modulation: ON\nmodem:\n  modem_type: FFSK\n"
       "  modem_enabled: ON\n",
       "c.yaml:6: modem_enabled: You cannot use Modem with External Modulation at the same "
       "time!\r\nYou should remove the check on the External Modulation on SYS/GPS tab."},
      {"model: kx600-uhf\nmodem:\n  modem_mode: Dumb Mode\n  base_block: ON\n",
       "c.yaml:4: base_block: It is not used in Dumb Mode!"},
      {"model: kx400-vhf\nmodem:\n  modem_type: GMSK\n",
       "c.yaml:3: modem_type: this model runs AFSK in Dumb Mode only"},
      {"model: kx400-vhf\nmodem:\n  tx_delay_2_ms: 300\n",
       "c.yaml:3: tx_delay_2_ms: KX220 dosen't have under 400 value"},
      {"model: kx400-uhf\nsub_band: U3\n",
       "c.yaml:2: sub_band: 'U3' is not a sub-band of the model: U1, U2"},
      {"model: kx400-uhf\nchannels:\n  - ch: 1\n    rx_freq_mhz: 450\n",
       "c.yaml:4: rx_freq_mhz: Valid Range : 400 to 440MHz"},
      {"model: kx400-uhf\nchannels:\n  - ch: 1\n    rx_freq_mhz: 400.00625\n    step_khz: 5\n",
       "c.yaml:5: step_khz: 400.00625 is not on the 5 kHz step"},
      {"model: kx400-uhf\nchannels:\n  - ch: 1\n    rx_option: D023\n    kept:\n"
       "      rx_dcs_code: D025\n",
       "c.yaml:6: rx_dcs_code: in use: it is written as rx_option"},
      {"model: kx600-uhf\nmodem:\n  modem_type: GMSK\nkept:\n  s_band_index: 1\n",
       "c.yaml:5: s_band_index: in use: it is written as s_band_bps"},
      {"model: kx600-uhf\nchannels:\n  - ch: 3\n  - ch: 3\n",
       "c.yaml:4: ch: channel 3 is also on line 3"},
      {"model: kx600-uhf\ngps:\n  gps_enabled: ON\n  gps_enabled: OFF\n",
       "c.yaml:4: gps_enabled: also on line 3"},
      {"sub_band: U1\n", "c.yaml:1: model: missing: kx400-vhf, kx400-uhf, kx600-vhf or kx600-uhf"},
      {"model: kx900\n",
       "c.yaml:1: model: 'kx900' is not kx400-vhf, kx400-uhf, kx600-vhf or kx600-uhf"},
      {"model: kx600-uhf\nchannels: [1, {ch: 2\n", "c.yaml:3: end of map flow not found"},
      {"model: kx600-uhf\n---\nmodel: kx400-vhf\n",
       "c.yaml:3: a second document: a file holds one configuration"},
      {"model: kx600-uhf\nkept: " + std::string(5000, '[') + std::string(5000, ']') + "\n",
       "c.yaml:2: nested too deeply"},
      {"model: kx600-uhf\nmodem:\n  tx_on_delay_ms: 99999999999999999999\n",
       "c.yaml:3: tx_on_delay_ms: Valid Settings 0 - 255 ms"},
      {"model: kx600-uhf\ntimers:\n  rx_on_time_ms: -1000000000000\n",
       "c.yaml:3: rx_on_time_ms: Valid Settings 30 to 260"},
      {"model: kx600-uhf\nchannels:\n  - ch: 1\n    tone_a_ms: 100000000000000000000\n",
       "c.yaml:4: tone_a_ms: Valid Settings 100 - 10000 ms"},
  };
  for (const auto& c : cases) {
    CKX200Doc doc = test::DocumentOf(model::kKx600Uhf);
    doc.channels[5].rxFreqMHz = doc.channels[5].txFreqMHz = 430;
    const CKX200Doc before = doc;
    const Outcome outcome = ImportConfigYaml(doc, c.yaml, "c.yaml");
    EXPECT_FALSE(outcome.ok) << c.message;
    ASSERT_FALSE(outcome.messages.empty()) << c.message;
    EXPECT_EQ(outcome.messages.front().text, c.message);
    EXPECT_EQ(outcome.messages.back().text, "c.yaml: nothing was imported");
    EXPECT_EQ(doc, before) << c.message;
  }
}

// A .dat holding flags other than 0 and 1 (the pages show any non-zero value as on): the files
// carry a flag's number and take it back, so the file imports; width and power, whose cells take
// only their words, and a negative flag go out as the pages show them.
TEST(YamlConfigTest, FlagsBeyondOneRoundTrip) {
  for (std::int32_t value : {2, 4, 255, 2147483647, -1}) {
    CKX200Doc doc = test::DocumentOf(model::kKx600Vhf);
    ChannelRecord& c = doc.channels[0];
    c.rxFreqMHz = c.txFreqMHz = 150;
    c.scan = c.wide = c.highPower = value;
    doc.squelchEnabled = doc.gpsEnabled = doc.txForcingMode = value;
    const std::int32_t back = value < 0 ? 1 : value;
    CKX200Doc expected = doc;
    expected.channels[0].scan = back;
    expected.channels[0].wide = expected.channels[0].highPower = 1;
    expected.squelchEnabled = expected.gpsEnabled = expected.txForcingMode = back;

    CKX200Doc fromYaml;
    const Outcome y = ImportConfigYaml(fromYaml, ExportConfigYaml(doc), "c.yaml");
    EXPECT_EQ(y.text(), "") << value;
    EXPECT_EQ(EncodeConfigFile(fromYaml), EncodeConfigFile(expected)) << value;

    CKX200Doc fromCsv = test::DocumentOf(model::kKx600Vhf);
    const Outcome t = ImportChannelsCsv(fromCsv, ExportChannelsCsv(doc), "c.csv");
    EXPECT_EQ(t.text(), "") << value;
    const ChannelRecord& one = fromCsv.channels[0];
    EXPECT_EQ((std::array{one.scan, one.wide, one.highPower}), (std::array{back, 1, 1})) << value;
  }
}

// Numbers of any length, as written or with a sign: too large for any option's field, each is
// refused with that option's own message, never wrapped into a value of the field.
TEST(YamlConfigTest, NumbersTooLargeForTheirFieldAreRefused) {
  for (const OptionField& field : OptionFields()) {
    for (const char* huge : {"99999999999999999999", "-99999999999999999999", "4294967296",
                             "1000000000000", "18446744073709551616"}) {
      CKX200Doc doc = test::DocumentOf(model::kKx600Vhf);
      doc.ffsk = 1;  // so that the baud rates have a list
      EXPECT_TRUE(field.take(doc, huge).refusal) << field.key << ": " << huge;
    }
  }
}

}  // namespace
}  // namespace kx
