#include <gtest/gtest.h>

#include <limits>

#include "support/DamagedConfigs.h"
#include "textio/ConfigDiff.h"
#include "textio/CsvChannels.h"
#include "textio/YamlConfig.h"

namespace kx {
namespace {

constexpr std::int32_t kExtremes[] = {std::numeric_limits<std::int32_t>::max(),
                                      std::numeric_limits<std::int32_t>::min(), -1};

// export, import, diff and show of a .dat whose 32-bit fields hold anything: every value is
// range-checked before it is used in a sum or as an index, and a text form of it is refused on
// the way back with the key's message.
TEST(DamagedFileTest, AnyStoredIntegerIsExportedComparedAndRefusedWithoutArithmetic) {
  for (ModelType type : {model::kKx400Vhf, model::kKx400Uhf, model::kKx600Vhf, model::kKx600Uhf}) {
    for (std::int32_t value : kExtremes) {
      const CKX200Doc damaged = test::DamagedConfig(type, value);
      const std::string yaml = ExportConfigYaml(damaged);
      const std::string index = "index " + std::to_string(value);
      for (const char* key : {"scan_delay_sec: ", "power_save_delay_sec: ", "gps_cycle_hours: "})
        EXPECT_NE(yaml.find(key + index + "\n"), std::string::npos) << key << '\n' << yaml;
      CKX200Doc imported = damaged;
      const Outcome refused = ImportConfigYaml(imported, yaml, "d.yaml");
      EXPECT_FALSE(refused.ok);
      EXPECT_EQ(imported, damaged);
      // The options alone, past the channels' refusals.
      const std::string options = "model: " + yaml.substr(yaml.find("model: ") + 7, 9) + "\n" +
                                  yaml.substr(yaml.find("\ntimers:") + 1);
      EXPECT_NE(ImportConfigYaml(imported, options, "d.yaml")
                    .text()
                    .find("scan_delay_sec: '" + index + "' is not one of 1 .. 15"),
                std::string::npos)
          << options;

      CKX200Doc csvImported = damaged;
      ImportChannelsCsv(csvImported, ExportChannelsCsv(damaged), "d.csv");
      const CKX200Doc fresh = test::DocumentOf(type);
      EXPECT_FALSE(DiffConfigurations(fresh, damaged).empty());
      EXPECT_FALSE(DiffRadioContents(fresh, damaged).empty());
    }
  }
}

TEST(DamagedFileTest, AnyStoredDoubleIsExportedAndComparedWithoutOverflow) {
  for (double value : {std::numeric_limits<double>::quiet_NaN(),
                       std::numeric_limits<double>::infinity(), -1e300, 1e300}) {
    const CKX200Doc damaged = test::DamagedDoubles(model::kKx600Uhf, value);
    CKX200Doc imported = damaged;
    EXPECT_FALSE(ImportConfigYaml(imported, ExportConfigYaml(damaged), "d.yaml").ok);
    ImportChannelsCsv(imported, ExportChannelsCsv(damaged), "d.csv");
    EXPECT_FALSE(DiffRadioContents(test::DocumentOf(model::kKx600Uhf), damaged).empty());
  }
}

}  // namespace
}  // namespace kx
