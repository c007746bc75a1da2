#include "app/SheetPrinter.h"

#include <QFile>
#include <QFont>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>

#include "model/ConfigFile.h"
#include "model/FileIo.h"
#include "report/DataSheet.h"
#include "report/SheetPdf.h"
#include "ui/UserDialogs.h"

namespace kx {

namespace {

constexpr double kTwipsPerInch = 1440;
constexpr const char* kPdfFilter = "PDF Files (*.pdf) | *.pdf||";
constexpr const char* kCannotExport = "Cannot Save File!";

void paintPage(const DataSheet& sheet, int page, QPainter& painter) {
  const double sx = painter.device()->logicalDpiX() / kTwipsPerInch;
  const double sy = painter.device()->logicalDpiY() / kTwipsPerInch;
  for (const SheetText& item : sheet.items) {
    if (item.page != page) continue;
    // y grows upwards in twips and downwards on the device; the text hangs from its top.
    const QPointF topLeft(item.x * sx, -item.y * sy);
    painter.drawText(QRectF(topLeft, QSizeF(1e5, 1e5)), Qt::AlignLeft | Qt::AlignTop,
                     QString::fromLatin1(item.text.c_str()));
  }
}

QString jobName(const DataSheet& sheet) {
  return QString::fromStdString(sheet.jobName);
}

}  // namespace

QFont DataSheetFont() {
  QFont font(QString::fromLatin1(data_sheet::kFontFace));
  font.setStyleHint(QFont::TypeWriter);
  font.setPointSizeF(-data_sheet::kFontHeight / 20.0);
  font.setWeight(QFont::Normal);
  return font;
}

void PaintDataSheet(const DataSheet& sheet, QPagedPaintDevice& device) {
  QPainter painter(&device);
  painter.setFont(DataSheetFont());
  paintPage(sheet, 1, painter);
  device.newPage();
  paintPage(sheet, 2, painter);
}

void PrintDataSheet(const CKX200Doc& doc, QWidget* parent) {
  const DataSheet sheet = LayoutDataSheet(doc);
  QPrinter printer(QPrinter::HighResolution);
  printer.setDocName(jobName(sheet));
  QPrintDialog dialog(&printer, parent);
  dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
  dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
  dialog.setOption(QAbstractPrintDialog::PrintToFile, false);
  if (dialog.exec() != QDialog::Accepted) return;
  PaintDataSheet(sheet, printer);
}

void PreviewDataSheet(const CKX200Doc& doc, QWidget* parent) {
  const DataSheet sheet = LayoutDataSheet(doc);
  QPrinter printer(QPrinter::HighResolution);
  printer.setDocName(jobName(sheet));
  QPrintPreviewDialog preview(&printer, parent);
  preview.setWindowTitle(jobName(sheet));
  QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview,
                   [&sheet](QPrinter* target) { PaintDataSheet(sheet, *target); });
  preview.exec();
}

void ExportDataSheetPdf(const CKX200Doc& doc, UserDialogs& dialogs, QWidget* parent) {
  const auto path = dialogs.SaveFileName(parent, QtNameFilters(kPdfFilter), QStringLiteral("pdf"));
  if (!path) return;
  const std::vector<std::uint8_t> pdf = RenderDataSheetPdf(LayoutDataSheet(doc));
  std::string reason;
  if (!fileio::writeAtomically(path->toStdString(), pdf, &reason))
    dialogs.Show(parent, Notice{kCannotExport, NoticeKind::kStop, reason});
}

}  // namespace kx
