// File > Print and Export Data Sheet as PDF: the pages reach the printer and the file.
#include <QFontMetricsF>
#include <QLineEdit>
#include <QPdfWriter>

#include "AppFixture.h"
#include "app/CommandIds.h"
#include "app/SheetPrinter.h"
#include "editors/MyPage4.h"
#include "report/DataSheet.h"
#include "support/SheetOverlap.h"

namespace kx::test {

using DataSheetPrintTest = AppTest;

TEST_F(DataSheetPrintTest, PrintTakesTheFrequencyStillBeingTyped) {
  start();
  CMyPage4& page = view().Sheet().ChannelPage();
  frame().activateWindow();
  QApplication::setActiveWindow(&frame());
  page.RxEdit(0)->setFocus();
  ASSERT_EQ(QApplication::focusWidget(), page.RxEdit(0));
  page.RxEdit(0)->setText(QStringLiteral("150.125"));
  std::optional<double> printed;
  view().printSheet = [&](const CKX200Doc& d) { printed = d.channels[0].rxFreqMHz; };
  trigger(cmd::kFilePrint);
  ASSERT_TRUE(printed);
  EXPECT_DOUBLE_EQ(*printed, 150.125);
}

TEST_F(DataSheetPrintTest, ExportWritesTheTwoPagesTheCommandLineWrites) {
  start();
  const std::string path = files.file("sheet.pdf");
  dialogs.fileAnswers.push_back(QString::fromStdString(path));
  trigger(cmd::kExportSheetPdf);
  const std::vector<std::uint8_t> pdf = readAll(path);
  ASSERT_GT(pdf.size(), 500u);
  EXPECT_EQ(std::string(pdf.begin(), pdf.begin() + 8), "%PDF-1.4");

  // The painter draws both pages on any paged device.
  QPdfWriter writer(QString::fromStdString(files.file("painted.pdf")));
  PaintDataSheet(LayoutDataSheet(doc()), writer);
  EXPECT_GT(readAll(files.file("painted.pdf")).size(), 500u);
}

// The font the system gives for "Courier New" (a stand-in such as Liberation Mono or DejaVu Sans
// Mono where it is missing) must leave the texts as clear of each other as Courier does.
TEST_F(DataSheetPrintTest, NoTwoTextsOverlapOnPaperInTheFontThePrinterGets) {
  QPdfWriter writer(QString::fromStdString(files.file("metrics.pdf")));
  writer.setResolution(1200);
  const QFontMetricsF metrics(DataSheetFont(), &writer);
  const double charWidth = metrics.horizontalAdvance(QLatin1Char('0')) * 1440 / writer.resolution();
  ASSERT_GT(charWidth, 0.0);
  for (const ModelType type : model::kAllTypes) {
    for (const bool testMode : {false, true}) {
      for (const CKX200Doc& d : LongestSheetDocuments(type, testMode))
        EXPECT_EQ(OverlappingTexts(LayoutDataSheet(d), charWidth), std::vector<std::string>{})
            << "model " << type << (testMode ? " in test mode" : "") << ", " << charWidth
            << " twips a character";
    }
  }
}

}  // namespace kx::test
