#pragma once

#include <QSpinBox>

namespace kx {

// The "Change Channel" box of the service dialogs. The arrows step through the radio's channels
// 1..16, but a typed number is taken as it is typed (0, 20, 123): the console decides what an
// out-of-range channel sends, and a box that silently kept its previous value or dropped the
// last digit would send a channel nobody typed.
class ChannelSpinBox : public QSpinBox {
 public:
  static constexpr int kFirstChannel = 1;
  static constexpr int kLastChannel = 16;

  explicit ChannelSpinBox(QWidget* parent = nullptr);

  void stepBy(int steps) override;

 protected:
  StepEnabled stepEnabled() const override;
};

}  // namespace kx
