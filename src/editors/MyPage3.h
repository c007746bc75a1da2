#pragma once

#include <memory>

#include "editors/OptionPage.h"

namespace kx {

class ReadOnlyForm;

// The modem option page: modem type, enable state, baud rates, link and keying timing. For now
// the settings are shown read-only.
class CMyPage3 : public COptionPage {
 public:
  explicit CMyPage3(CKX200Doc& doc, QWidget* parent = nullptr);
  ~CMyPage3() override;

  void Refresh() override;
  const ReadOnlyForm& Form() const { return *form_; }

 private:
  std::unique_ptr<ReadOnlyForm> form_;
};

}  // namespace kx
