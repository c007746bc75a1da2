#include "app/ToolbarIcons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QPolygonF>
#include <cmath>
#include <numbers>

namespace kx {

namespace {

constexpr int kSide = 42;  // the toolbar's button images are 42 x 42

const QColor kInk(0x2b, 0x3a, 0x4a);
const QColor kPaper(0xfb, 0xfb, 0xf7);
const QColor kBlue(0x2f, 0x6f, 0xc8);
const QColor kGreen(0x2e, 0x9a, 0x4e);
const QColor kOrange(0xe0, 0x7b, 0x1f);
const QColor kYellow(0xf2, 0xc1, 0x3d);
const QColor kRadioBody(0x45, 0x4f, 0x5a);

QPen inkPen(qreal width = 1.6) {
  return QPen(kInk, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

void drawPage(QPainter& p, QRectF r) {
  const qreal fold = 8;
  QPainterPath page;
  page.moveTo(r.left(), r.top());
  page.lineTo(r.right() - fold, r.top());
  page.lineTo(r.right(), r.top() + fold);
  page.lineTo(r.right(), r.bottom());
  page.lineTo(r.left(), r.bottom());
  page.closeSubpath();
  p.setPen(inkPen());
  p.setBrush(kPaper);
  p.drawPath(page);
  p.setBrush(QColor(0xdd, 0xdd, 0xd6));
  p.drawPolygon(
      QPolygonF({QPointF(r.right() - fold, r.top()), QPointF(r.right() - fold, r.top() + fold),
                 QPointF(r.right(), r.top() + fold)}));
}

void drawArrow(QPainter& p, QPointF from, QPointF to, const QColor& color) {
  p.setPen(QPen(color, 3.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.drawLine(from, to);
  const qreal angle = std::atan2(to.y() - from.y(), to.x() - from.x());
  const qreal head = 6.5;
  const QPointF a = to - QPointF(std::cos(angle - 0.6) * head, std::sin(angle - 0.6) * head);
  const QPointF b = to - QPointF(std::cos(angle + 0.6) * head, std::sin(angle + 0.6) * head);
  p.setBrush(color);
  p.drawPolygon(QPolygonF({to, a, b}));
}

// A hand-held radio: body, antenna, speaker grille, small display.
void drawRadio(QPainter& p, QRectF body) {
  p.setPen(inkPen(1.4));
  p.setBrush(kInk);
  p.drawRoundedRect(QRectF(body.left() + 2, body.top() - 9, 3, 10), 1, 1);  // antenna
  p.setBrush(kRadioBody);
  p.drawRoundedRect(body, 3, 3);
  p.setBrush(QColor(0x9f, 0xd8, 0xa8));
  p.drawRect(QRectF(body.left() + 3, body.top() + 3, body.width() - 6, 6));  // display
  p.setPen(QPen(QColor(0xcf, 0xd6, 0xdc), 1.2));
  for (qreal y = body.top() + 13; y < body.bottom() - 3; y += 3)
    p.drawLine(QPointF(body.left() + 4, y), QPointF(body.right() - 4, y));
}

// A small PC screen the arrows of Read and Write point to or from.
void drawScreen(QPainter& p, QRectF r) {
  p.setPen(inkPen(1.4));
  p.setBrush(QColor(0xd8, 0xe6, 0xf6));
  p.drawRoundedRect(r, 2, 2);
  p.setBrush(kInk);
  p.drawRect(QRectF(r.center().x() - 2, r.bottom(), 4, 3));
  p.drawRect(QRectF(r.center().x() - 6, r.bottom() + 3, 12, 2));
}

void paintIcon(QPainter& p, ToolIcon kind) {
  switch (kind) {
    case ToolIcon::New: {
      drawPage(p, QRectF(9, 5, 24, 32));
      // a spark: something new
      p.setPen(QPen(kOrange, 2.2, Qt::SolidLine, Qt::RoundCap));
      const QPointF c(30, 12);
      for (int i = 0; i < 4; ++i) {
        const qreal a = i * std::numbers::pi / 4;
        p.drawLine(c + QPointF(std::cos(a) * 6, std::sin(a) * 6),
                   c - QPointF(std::cos(a) * 6, std::sin(a) * 6));
      }
      break;
    }
    case ToolIcon::Load: {
      p.setPen(inkPen());
      p.setBrush(QColor(0xe8, 0xb9, 0x4f));
      QPainterPath back;
      back.moveTo(5, 12);
      back.lineTo(15, 12);
      back.lineTo(18, 15);
      back.lineTo(35, 15);
      back.lineTo(35, 34);
      back.lineTo(5, 34);
      back.closeSubpath();
      p.drawPath(back);
      p.setBrush(kYellow);
      p.drawPolygon(QPolygonF({QPointF(5, 34), QPointF(10, 20), QPointF(39, 20), QPointF(35, 34)}));
      drawArrow(p, QPointF(28, 4), QPointF(28, 15), kGreen);
      break;
    }
    case ToolIcon::Save: {
      p.setPen(inkPen());
      p.setBrush(kBlue);
      p.drawRoundedRect(QRectF(6, 6, 30, 30), 3, 3);
      p.setBrush(kPaper);
      p.drawRect(QRectF(11, 6, 20, 11));
      p.setBrush(kInk);
      p.drawRect(QRectF(25, 8, 4, 7));
      p.setBrush(QColor(0xe4, 0xea, 0xf2));
      p.drawRect(QRectF(10, 23, 22, 13));
      break;
    }
    case ToolIcon::Print: {
      p.setPen(inkPen());
      drawPage(p, QRectF(12, 4, 18, 14));
      p.setBrush(QColor(0x8d, 0x98, 0xa3));
      p.drawRoundedRect(QRectF(5, 16, 32, 14), 3, 3);
      drawPage(p, QRectF(11, 25, 20, 13));
      p.setPen(QPen(kInk, 1.2));
      p.drawLine(QPointF(14, 30), QPointF(28, 30));
      p.drawLine(QPointF(14, 33), QPointF(25, 33));
      p.setPen(Qt::NoPen);
      p.setBrush(kGreen);
      p.drawEllipse(QPointF(32, 20), 1.8, 1.8);
      break;
    }
    case ToolIcon::ReadRadio:
    case ToolIcon::WriteRadio: {
      // Radio on the left, PC on the right; the arrow says which way the memory goes.
      drawRadio(p, QRectF(4, 12, 13, 26));
      drawScreen(p, QRectF(22, 6, 17, 13));
      if (kind == ToolIcon::ReadRadio)
        drawArrow(p, QPointF(19, 31), QPointF(39, 31), kGreen);
      else
        drawArrow(p, QPointF(39, 31), QPointF(19, 31), kOrange);
      break;
    }
    case ToolIcon::Channel: {
      p.setPen(inkPen(1.2));
      p.setBrush(kPaper);
      p.drawRect(QRectF(5, 6, 32, 30));
      p.setBrush(QColor(0xc9, 0xdc, 0xf3));
      p.drawRect(QRectF(5, 6, 32, 6));
      for (qreal y = 12; y < 36; y += 6)
        p.drawLine(QPointF(5, y), QPointF(37, y));
      p.drawLine(QPointF(12, 6), QPointF(12, 36));
      p.drawLine(QPointF(25, 6), QPointF(25, 36));
      QFont f = p.font();
      f.setPixelSize(6);
      p.setFont(f);
      for (int row = 0; row < 4; ++row)
        p.drawText(QRectF(5, 12 + row * 6, 7, 6), Qt::AlignCenter, QString::number(row + 1));
      break;
    }
    case ToolIcon::Modem: {
      // a data burst: square bits over a carrier wave
      p.setPen(QPen(kBlue, 2.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
      QPainterPath wave;
      wave.moveTo(4, 28);
      for (int x = 4; x <= 38; ++x)
        wave.lineTo(x, 28 + 6 * std::sin((x - 4) * std::numbers::pi / 4.25));
      p.drawPath(wave);
      p.setPen(QPen(kOrange, 2.2, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
      QPolygonF bits({QPointF(4, 15), QPointF(10, 15), QPointF(10, 7), QPointF(16, 7),
                      QPointF(16, 15), QPointF(22, 15), QPointF(22, 7), QPointF(31, 7),
                      QPointF(31, 15), QPointF(38, 15)});
      p.drawPolyline(bits);
      break;
    }
    case ToolIcon::Eeprom: {
      // a memory chip with a little hex grid on it
      p.setPen(inkPen(1.2));
      p.setBrush(kInk);
      for (int i = 0; i < 5; ++i) {
        p.drawRect(QRectF(10 + i * 5, 3, 2, 5));
        p.drawRect(QRectF(10 + i * 5, 34, 2, 5));
      }
      p.setBrush(QColor(0x30, 0x36, 0x3d));
      p.drawRoundedRect(QRectF(5, 8, 32, 26), 2, 2);
      p.setPen(QColor(0x9f, 0xe0, 0xb0));
      QFont f("monospace");
      f.setPixelSize(8);
      f.setBold(true);
      p.setFont(f);
      p.drawText(QRectF(5, 9, 32, 12), Qt::AlignCenter, "A1 0F");
      p.drawText(QRectF(5, 20, 32, 12), Qt::AlignCenter, "3C FF");
      break;
    }
    case ToolIcon::SystemGps: {
      // a map pin over a globe
      p.setPen(inkPen(1.3));
      p.setBrush(QColor(0xc9, 0xe6, 0xf6));
      p.drawEllipse(QPointF(19, 24), 14, 14);
      p.setBrush(Qt::NoBrush);
      p.drawEllipse(QPointF(19, 24), 6, 14);
      p.drawLine(QPointF(5, 24), QPointF(33, 24));
      p.setBrush(QColor(0xd6, 0x3a, 0x3a));
      QPainterPath pin;
      pin.moveTo(31, 22);
      pin.cubicTo(QPointF(23, 12), QPointF(25, 3), QPointF(31, 3));
      pin.cubicTo(QPointF(37, 3), QPointF(39, 12), QPointF(31, 22));
      p.drawPath(pin);
      p.setBrush(Qt::white);
      p.drawEllipse(QPointF(31, 9.5), 2.5, 2.5);
      break;
    }
    case ToolIcon::Squelch: {
      // a loudspeaker behind a threshold line
      p.setPen(inkPen(1.4));
      p.setBrush(kRadioBody);
      p.drawPolygon(QPolygonF({QPointF(5, 16), QPointF(11, 16), QPointF(19, 9), QPointF(19, 33),
                               QPointF(11, 26), QPointF(5, 26)}));
      p.setPen(QPen(kBlue, 2, Qt::SolidLine, Qt::RoundCap));
      p.setBrush(Qt::NoBrush);
      p.drawArc(QRectF(15, 14, 12, 14), -50 * 16, 100 * 16);
      p.drawArc(QRectF(15, 9, 20, 24), -50 * 16, 100 * 16);
      p.setPen(QPen(kOrange, 2, Qt::DashLine, Qt::FlatCap));
      p.drawLine(QPointF(3, 38), QPointF(39, 38));
      break;
    }
    case ToolIcon::Calibration: {
      // a meter with its needle
      p.setPen(inkPen(1.4));
      p.setBrush(kPaper);
      p.drawRoundedRect(QRectF(4, 8, 34, 26), 3, 3);
      p.setBrush(Qt::NoBrush);
      p.drawArc(QRectF(9, 14, 24, 24), 20 * 16, 140 * 16);
      for (int i = 0; i <= 4; ++i) {
        const qreal a = (160 - i * 35) * std::numbers::pi / 180;
        const QPointF c(21, 26);
        p.drawLine(c + QPointF(std::cos(a) * 12, -std::sin(a) * 12),
                   c + QPointF(std::cos(a) * 9, -std::sin(a) * 9));
      }
      drawArrow(p, QPointF(21, 26), QPointF(28, 17), QColor(0xd6, 0x3a, 0x3a));
      p.setPen(inkPen(1));
      p.setBrush(kInk);
      p.drawEllipse(QPointF(21, 26), 2, 2);
      break;
    }
    case ToolIcon::Application: {
      drawRadio(p, QRectF(8, 14, 18, 26));
      p.setPen(QPen(kBlue, 2, Qt::SolidLine, Qt::RoundCap));
      p.setBrush(Qt::NoBrush);
      p.drawArc(QRectF(6, 1, 12, 12), 0, 90 * 16);
      p.drawArc(QRectF(3, -2, 18, 18), 0, 90 * 16);
      break;
    }
  }
}

}  // namespace

QPixmap MakeToolPixmap(ToolIcon kind, int side) {
  QPixmap pixmap(side, side);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setRenderHint(QPainter::TextAntialiasing);
  painter.scale(static_cast<qreal>(side) / kSide, static_cast<qreal>(side) / kSide);
  paintIcon(painter, kind);
  painter.end();
  return pixmap;
}

QIcon MakeToolIcon(ToolIcon kind) {
  QIcon icon;
  for (const int scale : {1, 2}) {
    QPixmap pixmap = MakeToolPixmap(kind, kSide * scale);
    pixmap.setDevicePixelRatio(scale);
    icon.addPixmap(pixmap);
  }
  return icon;
}

}  // namespace kx
