#pragma once

#include <QDialog>

#include "model/MemoryMap.h"

class QLabel;

namespace kx {

// "Show Engineering Settings": the synthesizer step each channel's record holds in the working
// image, beside the record byte it comes from.
class CEngSettingsDlg : public QDialog {
 public:
  explicit CEngSettingsDlg(const image::Image& working, QWidget* parent = nullptr);

  // The step list, a line a channel ("6.25" ...).
  QString StepList() const;
  QString ByteList() const;

 private:
  QLabel* steps_;
  QLabel* bytes_;
};

}  // namespace kx
