#pragma once

#include <QDialog>
#include <QString>
#include <cstdint>
#include <optional>

class QPushButton;
class QTableWidget;

namespace kx {

// A grid of signalling values for the "CHANNEL OPTION" dialog to pick one from. The grid opens
// on its first cell, so OK without a choice picks the table's first entry; a double click on a
// cell picks that cell.
class TonePickerDialog : public QDialog {
 public:
  // The text of the cell that was current when OK closed the dialog; empty until then.
  QString Picked() const { return picked_; }

  QTableWidget* Grid() const { return grid_; }
  QPushButton* OkButton() const { return ok_; }
  QPushButton* CancelButton() const { return cancel_; }

  void accept() override;

 protected:
  // columnTwips: the width of a column in twips (1/1440 inch), as the radio software lays the
  // grids out.
  TonePickerDialog(const QString& caption, const QString& gridName, int rows, int columns,
                   int columnTwips, QWidget* parent);
  // Puts the text of one cell; background 0x00BBGGRR, or nothing for the grid's own.
  void setCell(int row, int column, const QString& text,
               std::optional<std::uint32_t> background = std::nullopt);
  // Sizes the grid to its cells and makes the first cell current, with the focus on the grid.
  void finishGrid();

 private:
  QTableWidget* grid_;
  QPushButton* ok_;
  QPushButton* cancel_;
  int columnWidth_;
  QString picked_;
};

// " CTCSS": the 49 tones, seven to a row, the non-standard ones in pink.
class CtcssPickerDialog : public TonePickerDialog {
 public:
  explicit CtcssPickerDialog(QWidget* parent = nullptr);
};

// " DCS": the 104 codes, thirteen to a row.
class DcsPickerDialog : public TonePickerDialog {
 public:
  explicit DcsPickerDialog(QWidget* parent = nullptr);
};

}  // namespace kx
