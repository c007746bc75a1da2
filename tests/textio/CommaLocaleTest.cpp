#include <gtest/gtest.h>

#include <cmath>
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

template <typename Bytes>
std::string textOf(const Bytes& bytes) {
  return std::string(bytes.begin(), bytes.end());
}

// Everything the programs make of numbers in the locale of the moment: configurations typed on
// the pages (through their rules), their exports, data sheets and files, and the exports taken
// back in.
Outputs outputsNow() {
  Outputs out{formatted(), {}, {}};
  for (const char* text : kTyped)
    out.parsed.push_back(ParseDecimalText(text));
  for (const ModelType type : model::selectableTypes()) {
    for (unsigned seed = 0; seed < 4; ++seed) {
      const CKX200Doc doc = test::RuleBuiltConfig(type, seed).doc();
      const std::string csv = ExportChannelsCsv(doc), yaml = ExportConfigYaml(doc);
      CKX200Doc fromYaml, fromCsv = doc;
      EXPECT_TRUE(ImportConfigYaml(fromYaml, yaml, "c.yaml").ok);
      EXPECT_TRUE(ImportChannelsCsv(fromCsv, csv, "c.csv").ok);
      const DataSheet sheet = LayoutDataSheet(doc);
      for (std::string file :
           {csv, yaml, RenderDataSheetText(sheet), textOf(RenderDataSheetPdf(sheet)),
            textOf(EncodeConfigFile(doc)), textOf(EncodeConfigFile(fromYaml)),
            textOf(EncodeConfigFile(fromCsv))})
        out.files.push_back(std::move(file));
    }
  }
  return out;
}

TEST(CommaLocaleTest, NumbersReadAndWrittenAsInTheCLocale) {
  const Outputs inC = outputsNow();
  for (std::size_t i = 0; i < std::size(kTyped); ++i) {  // the C library's own reading, in "C"
    if (std::isnan(inC.parsed[i])) continue;
    EXPECT_EQ(inC.parsed[i], std::strtod(kTyped[i], nullptr)) << kTyped[i];
  }

  test::CommaLocale comma;
  ASSERT_TRUE(comma.active()) << "the test's de_DE locale could not be compiled (localedef)";
  const Outputs underComma = outputsNow();

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

}  // namespace
}  // namespace kx
