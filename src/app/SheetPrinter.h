#pragma once

#include <QFont>
#include <QString>

class QPagedPaintDevice;
class QPainter;
class QWidget;

namespace kx {

class CKX200Doc;
class UserDialogs;
struct DataSheet;

// Draws the two pages of a data sheet on a printer or a PDF device: every text at its twips
// position from the top-left corner of the printable area, in "Courier New" 9 point (or the
// font system's metric-compatible stand-in, such as Liberation Mono).
void PaintDataSheet(const DataSheet& sheet, QPagedPaintDevice& device);
// The font the pages are painted in.
QFont DataSheetFont();

// File > Print: the print dialog, then the two pages under the job name; nothing when the
// dialog is cancelled.
void PrintDataSheet(const CKX200Doc& doc, QWidget* parent);
// File > Print Preview: the two pages as they will print.
void PreviewDataSheet(const CKX200Doc& doc, QWidget* parent);
// File > Export Data Sheet as PDF: the same two pages the command line writes, saved where the
// technician says. Failures are told through the dialog service.
void ExportDataSheetPdf(const CKX200Doc& doc, UserDialogs& dialogs, QWidget* parent);

}  // namespace kx
