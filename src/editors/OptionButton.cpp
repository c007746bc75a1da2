#include "editors/OptionButton.h"

#include <QPainter>
#include <QStyleOptionFocusRect>
#include <QStylePainter>

#include "editors/ColourRef.h"

namespace kx {

namespace {
constexpr std::uint32_t kLightEdge = 0xFFFFFF;
constexpr std::uint32_t kDarkEdge = 0x646464;
}  // namespace

OptionButton::OptionButton(QWidget* parent) : QPushButton(parent) {
  setFocusPolicy(Qt::StrongFocus);
  setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

void OptionButton::SetLook(const QString& caption, std::optional<std::uint32_t> background) {
  setText(caption);
  // The accessible name says which button it is ("Channel 1 RxOption"); a screen reader hears
  // what it shows (the tone, the code, "NO") as its description.
  setAccessibleDescription(caption.trimmed());
  background_ = background;
  update();
}

QSize OptionButton::sizeHint() const {
  const QFontMetrics metrics(font());
  return {metrics.horizontalAdvance(QStringLiteral(" 254.1 ")) + 12, metrics.height() + 8};
}

void OptionButton::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const QRect frame = rect().adjusted(0, 0, -1, -1);
  painter.fillRect(rect(),
                   background_ ? ColourOf(*background_) : palette().color(QPalette::Button));
  const bool down = isDown();
  const QColor light = ColourOf(down ? kDarkEdge : kLightEdge);
  const QColor dark = ColourOf(down ? kLightEdge : kDarkEdge);
  painter.setPen(light);
  painter.drawLine(frame.topLeft(), frame.topRight());
  painter.drawLine(frame.topLeft(), frame.bottomLeft());
  painter.setPen(dark);
  painter.drawLine(frame.bottomLeft(), frame.bottomRight());
  painter.drawLine(frame.topRight(), frame.bottomRight());

  painter.setPen(
      palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::ButtonText));
  const QRect inside = rect().adjusted(2, 2, -2, -2).translated(down ? 1 : 0, down ? 1 : 0);
  painter.drawText(inside, Qt::AlignCenter | Qt::TextSingleLine, text());
  if (hasFocus()) {
    QStyleOptionFocusRect focus;
    focus.initFrom(this);
    focus.rect = rect().adjusted(3, 3, -3, -3);
    style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &painter, this);
  }
}

}  // namespace kx
