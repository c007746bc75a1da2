#pragma once

#include "editors/OptionPage.h"

class QTableWidget;

namespace kx {

struct RadioMemory;

// The EEPROM map page: the 416-byte working image as 26 rows of 16 hexadecimal bytes. Bytes
// that changed since the grid last showed them can be marked pink until "Clear Changes".
class CComDlg : public COptionPage {
 public:
  CComDlg(CKX200Doc& doc, RadioMemory& memory, QWidget* parent = nullptr);

  // Every cell from the working image, all white (after a radio read).
  void FillMapGrid();
  // The cells whose byte differs from what the grid last showed; mode 1 marks them pink,
  // mode 0 leaves them white. Called right after the document was encoded into the image.
  void RefreshMapGrid(int mode);
  // All cells white again; the texts stay.
  void ClearMapChanges();
  // Shows the working image as it is.
  void Refresh() override { FillMapGrid(); }

  QTableWidget* Grid() const { return grid_; }

 private:
  RadioMemory& memory_;
  QTableWidget* grid_;
};

}  // namespace kx
