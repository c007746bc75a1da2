#pragma once

#include "editors/OptionPage.h"

class QTableWidget;

namespace kx {

// The channel input page: the sixteen channels with their frequencies, signalling, bandwidth,
// power and scan membership. For now the channels are listed read-only.
class CMyPage4 : public COptionPage {
 public:
  explicit CMyPage4(CKX200Doc& doc, QWidget* parent = nullptr);

  void Refresh() override;
  // With the FFSK modem enabled the page leaves out two-tone signalling; told every time the
  // page is shown.
  void ApplyModemLayout(bool ffskModemEnabled);
  bool FfskModemLayout() const { return ffskModemLayout_; }

  QTableWidget* Table() const { return table_; }

 private:
  QTableWidget* table_;
  bool ffskModemLayout_ = false;
};

}  // namespace kx
