#pragma once

#include <QPushButton>
#include <cstdint>
#include <optional>

namespace kx {

// A channel's signalling button on the channel page: a 3-D frame (white light edge, grey dark
// edge, swapped while pressed), the caption centred on one line, and the background of the
// signalling kind (none keeps the button's own).
class OptionButton : public QPushButton {
 public:
  explicit OptionButton(QWidget* parent = nullptr);

  // background: 0x00BBGGRR, or nothing for the normal background.
  void SetLook(const QString& caption, std::optional<std::uint32_t> background);
  std::optional<std::uint32_t> Background() const { return background_; }

  QSize sizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  std::optional<std::uint32_t> background_;
};

}  // namespace kx
