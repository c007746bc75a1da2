#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "RuleBuiltConfigs.h"
#include "model/ConfigFile.h"
#include "model/FormatText.h"
#include "report/DataSheet.h"
#include "report/SheetPdf.h"
#include "rules/DecimalText.h"
#include "support/CommaLocale.h"
#include "textio/CsvChannels.h"
#include "textio/YamlConfig.h"

namespace kx {
namespace {

// Whatever the desktop's locale, numbers are read and written as the radio software writes them
// ("%.5f", a '.' decimal point): each case is taken once in the "C" locale, then again under a
// decimal-comma locale, and must come out the same.

struct Outputs {
  std::vector<std::string> formatted;
  std::vector<double> parsed;
  std::vector<std::string> files;
};

const char* const kTyped[] = {"150.125", " 150.5MHz", "-150", "+1.5e3", "412,5",   "1e999",
                              "-1e-999", "0x1p3",     "0x",   "inf",    "nan",     ".5",
                              "--5",     "abc",       "",     "9e99",   "150.1234"};

std::vector<std::string> formatted() {
  return {FormatText("%.5f", 150.125),
          FormatText("%5.1f|%4.1f", 69.3, 1200.0),
          FormatText("%8.4f", -412.5),
          FormatText("%0.1f (CTCSS)", 254.1),
          FormatText("%.0f Tf %.2f", 9.0, 1.005),
          FormatText("%+.1f %-6.1f| %07.2f", 2.5, 3.25, -1.5),
          FormatText("%e %G %g", 1234.5, 1e-7, 0.5),
          FormatText("%03d %02X 0x%03zX %s %c%%", 7, 171, std::size_t{0x0C2}, "a,b", 'x'),
          FormatText("%*.*f", 9, 3, 2.0)};
}

Outputs outputsOf(const std::vector<CKX200Doc>& docs) {
  Outputs out{formatted(), {}, {}};
  for (const char* text : kTyped)
    out.parsed.push_back(ParseDecimalText(text));
  for (const CKX200Doc& doc : docs) {
    out.files.push_back(ExportChannelsCsv(doc));
    out.files.push_back(ExportConfigYaml(doc));
    const DataSheet sheet = LayoutDataSheet(doc);
    out.files.push_back(RenderDataSheetText(sheet));
    const auto pdf = RenderDataSheetPdf(sheet);
    out.files.emplace_back(pdf.begin(), pdf.end());
  }
  return out;
}

std::vector<CKX200Doc> ruleBuilt() {
  std::vector<CKX200Doc> docs;
  for (ModelType type = 2; type < 6; ++type)
    for (unsigned seed = 0; seed < 4; ++seed)
      docs.push_back(test::RuleBuiltConfig(type, seed).doc());
  return docs;
}

TEST(CommaLocaleTest, NumbersReadAndWrittenAsInTheCLocale) {
  const std::vector<CKX200Doc> docs = ruleBuilt();
  const Outputs inC = outputsOf(docs);
  for (std::size_t i = 0; i < std::size(kTyped); ++i) {  // the C library's own reading, in "C"
    if (std::isnan(inC.parsed[i])) continue;
    EXPECT_EQ(inC.parsed[i], std::atof(kTyped[i])) << kTyped[i];
  }

  test::CommaLocale comma;
  ASSERT_TRUE(comma.active()) << "the test's de_DE locale could not be compiled (localedef)";
  const Outputs underComma = outputsOf(docs);

  EXPECT_EQ(underComma.formatted, inC.formatted);
  for (std::size_t i = 0; i < std::size(kTyped); ++i) {
    if (std::isnan(inC.parsed[i])) {
      EXPECT_TRUE(std::isnan(underComma.parsed[i])) << kTyped[i];
    } else {
      EXPECT_EQ(underComma.parsed[i], inC.parsed[i]) << '"' << kTyped[i] << '"';
    }
  }
  for (std::size_t i = 0; i < inC.files.size(); ++i)
    EXPECT_EQ(underComma.files[i], inC.files[i]) << "output " << i;
}

TEST(CommaLocaleTest, PagesAndImportsStoreTheSameValues) {
  std::vector<std::array<std::uint8_t, config_file::kSize>> inC;
  std::vector<std::array<std::uint8_t, config_file::kSize>> csvInC;
  std::vector<std::string> yaml, csv;
  for (const CKX200Doc& doc : ruleBuilt()) {
    inC.push_back(EncodeConfigFile(doc));
    yaml.push_back(ExportConfigYaml(doc));
    csv.push_back(ExportChannelsCsv(doc));
    CKX200Doc fromCsv = doc;
    EXPECT_TRUE(ImportChannelsCsv(fromCsv, csv.back(), "c.csv").ok);
    csvInC.push_back(EncodeConfigFile(fromCsv));
  }

  test::CommaLocale comma;
  ASSERT_TRUE(comma.active());
  const std::vector<CKX200Doc> typedUnderComma = ruleBuilt();
  for (std::size_t i = 0; i < inC.size(); ++i) {
    EXPECT_EQ(EncodeConfigFile(typedUnderComma[i]), inC[i]) << "typed config " << i;
    CKX200Doc fromYaml;
    ASSERT_TRUE(ImportConfigYaml(fromYaml, yaml[i], "c.yaml").ok);
    EXPECT_EQ(EncodeConfigFile(fromYaml), inC[i]) << yaml[i];
    CKX200Doc fromCsv = typedUnderComma[i];
    ASSERT_TRUE(ImportChannelsCsv(fromCsv, csv[i], "c.csv").ok);
    EXPECT_EQ(EncodeConfigFile(fromCsv), csvInC[i]) << csv[i];
  }
}

}  // namespace
}  // namespace kx
