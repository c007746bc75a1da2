#pragma once

#include <memory>

#include "editors/OptionPage.h"

namespace kx {

class ReadOnlyForm;

// The system option and GPS page: squelch, transmit, scan and GPS options. For now the settings
// are shown read-only.
class CMyPage2 : public COptionPage {
 public:
  explicit CMyPage2(CKX200Doc& doc, QWidget* parent = nullptr);
  ~CMyPage2() override;

  // LoadFromDocument: also says, through viewFlagA, whether the model has these options.
  void Refresh() override;
  const ReadOnlyForm& Form() const { return *form_; }

 private:
  std::unique_ptr<ReadOnlyForm> form_;
};

}  // namespace kx
