#pragma once

#include <functional>

#include "editors/OptionPage.h"
#include "rules/MapEdit.h"

class QTableWidget;
class QPushButton;

namespace kx {

class UserDialogs;
struct RadioMemory;

// The EEPROM map page: the 416-byte working image as 26 rows of 16 hexadecimal bytes, each cell
// naming its field in a tool tip. Bytes that changed since the grid last showed them are marked
// pink until "Clear Changes"; a double click patches a byte by hand behind the access code, and
// the patch goes over every image a write sends until a read clears it. The page's own read and
// write are not offered: the toolbar's Read and Write are the way to the radio.
class CComDlg : public COptionPage {
 public:
  CComDlg(CKX200Doc& doc, RadioMemory& memory, UserDialogs& dialogs, QWidget* parent = nullptr);

  // Every cell from the working image, all white (after a radio read).
  void FillMapGrid();
  // The cells whose byte differs from what the grid last showed, plain or marked. Called right
  // after the document was encoded into the image.
  void RefreshMapGrid(MapMarking marking);
  // All cells white again; the texts stay.
  void ClearMapChanges();
  // Patches the byte of a cell (row and column from 0) through " CHANGE EEPROM MAP".
  void EditByte(int row, int column);
  // "Show Engineering Settings".
  void ShowSettings();
  // Shows the working image as it is.
  void Refresh() override { FillMapGrid(); }

  // Runs a dialog of the page modally; tests answer it in place. Returns the dialog's result.
  std::function<int(QDialog&)> runDialog;

  QTableWidget* Grid() const { return grid_; }
  QPushButton* ClearButton() const { return clear_; }
  QPushButton* SettingsButton() const { return settings_; }

 private:
  void showByte(std::size_t address, bool marked);

  RadioMemory& memory_;
  UserDialogs& dialogs_;
  QTableWidget* grid_;
  QPushButton* clear_;
  QPushButton* settings_;
};

}  // namespace kx
