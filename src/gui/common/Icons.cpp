#include "gui/common/Icons.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

namespace kelvo {

QPixmap IconPixmap(IconKind kind, int size) {
  QPixmap pixmap(size, size);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  p.scale(size / 16.0, size / 16.0);
  QPen ink(QColor(40, 40, 90), 1.2);
  p.setPen(ink);
  switch (kind) {
    case IconKind::Copy:
      p.setBrush(QColor(235, 240, 255));
      p.drawRect(QRectF(2.5, 2.5, 7, 9));
      p.drawRect(QRectF(6.5, 5.5, 7, 9));
      break;
    case IconKind::Paste:
      p.setBrush(QColor(205, 170, 110));
      p.drawRoundedRect(QRectF(2.5, 3.5, 10, 11), 1.5, 1.5);
      p.setBrush(QColor(245, 245, 245));
      p.drawRect(QRectF(4.5, 6.5, 6, 6.5));
      p.setBrush(QColor(120, 120, 120));
      p.drawRect(QRectF(5.5, 1.5, 4, 3));
      break;
    case IconKind::Delete:
      p.setPen(QPen(QColor(200, 30, 30), 2.4, Qt::SolidLine, Qt::RoundCap));
      p.drawLine(QPointF(4, 4), QPointF(12, 12));
      p.drawLine(QPointF(12, 4), QPointF(4, 12));
      break;
    case IconKind::Enlarge:
    case IconKind::Reduce:
      p.setBrush(QColor(225, 240, 255));
      p.drawEllipse(QRectF(1.5, 1.5, 9, 9));
      p.setPen(QPen(QColor(40, 40, 90), 2.2, Qt::SolidLine, Qt::RoundCap));
      p.drawLine(QPointF(9.5, 9.5), QPointF(14, 14));
      p.setPen(QPen(QColor(40, 40, 90), 1.4));
      p.drawLine(QPointF(3.8, 6), QPointF(8.2, 6));
      if (kind == IconKind::Enlarge) p.drawLine(QPointF(6, 3.8), QPointF(6, 8.2));
      break;
    case IconKind::Help: {
      p.setBrush(QColor(60, 110, 200));
      p.setPen(Qt::NoPen);
      p.drawEllipse(QRectF(1, 1, 14, 14));
      QFont f = p.font();
      f.setBold(true);
      f.setPixelSize(11);
      p.setFont(f);
      p.setPen(Qt::white);
      p.drawText(QRectF(1, 1, 14, 14), Qt::AlignCenter, QStringLiteral("?"));
      break;
    }
  }
  return pixmap;
}

QIcon ProgramIcon(IconKind kind) {
  QIcon icon;
  icon.addPixmap(IconPixmap(kind, 16));
  icon.addPixmap(IconPixmap(kind, 32));
  return icon;
}

void DrawTitlePicture(QPainter& p, int width, int height) {
  if (width < 1 || height < 1) return;
  p.save();
  // The sky's vertical gradient, a solid row at a time: Qt's general gradient fill takes
  // milliseconds of the start-up for the same picture.
  const QColor top(28, 60, 120), bottom(120, 170, 220);
  for (int y = 0; y < height; ++y) {
    const double t = height > 1 ? static_cast<double>(y) / (height - 1) : 0.0;
    auto mix = [t](int a, int b) { return static_cast<int>(std::lround(a + (b - a) * t)); };
    p.fillRect(0, y, width, 1,
               QColor(mix(top.red(), bottom.red()), mix(top.green(), bottom.green()),
                      mix(top.blue(), bottom.blue())));
  }
  // A bell curve over its shaded area: the picture of the subject.
  QPainterPath curve;
  const double base = height * 0.85, peak = height * 0.55;
  // Every 4 pixels is smooth to the eye and keeps the path short to fill.
  const int steps = std::max(width / 4, 1);
  for (int i = 0; i <= steps; ++i) {
    const double x = width * static_cast<double>(i) / steps;
    const double z = (x - width / 2.0) / (width / 8.0);
    const double y = base - peak * std::exp(-z * z / 2.0);
    if (i == 0) curve.moveTo(x, y);
    else curve.lineTo(x, y);
  }
  QPainterPath area = curve;
  area.lineTo(width, base);
  area.lineTo(0, base);
  area.closeSubpath();
  // The white curve covers the fill's edge, so the fill needs no antialiasing.
  p.setRenderHint(QPainter::Antialiasing, false);
  p.fillPath(area, QColor(255, 255, 255, 60));
  p.setRenderHint(QPainter::Antialiasing, true);
  p.setPen(QPen(QColor(255, 255, 255, 200), 3));
  p.drawPath(curve);
  p.setPen(QPen(QColor(255, 255, 255, 120), 1));
  p.drawLine(0, static_cast<int>(base), width, static_cast<int>(base));
  p.restore();
}

QImage ProgramImage(int size) {
  QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  p.scale(size / 64.0, size / 64.0);
  QLinearGradient tile(0, 0, 0, 64);
  tile.setColorAt(0, QColor(36, 78, 150));
  tile.setColorAt(1, QColor(70, 130, 200));
  p.setPen(Qt::NoPen);
  p.setBrush(tile);
  p.drawRoundedRect(QRectF(3, 3, 58, 58), 11, 11);

  const double base = 50, peak = 34, mid = 32, spread = 8.5;
  auto height = [&](double x) {
    const double z = (x - mid) / spread;
    return base - peak * std::exp(-z * z / 2.0);
  };
  QPainterPath curve;
  curve.moveTo(8, height(8));
  for (double x = 8.5; x <= 56; x += 0.5) curve.lineTo(x, height(x));
  // The rejection region: the tail beyond the critical value.
  const double critical = 41;
  QPainterPath tail;
  tail.moveTo(critical, base);
  for (double x = critical; x <= 56; x += 0.5) tail.lineTo(x, height(x));
  tail.lineTo(56, base);
  tail.closeSubpath();
  p.fillPath(tail, QColor(255, 170, 60));
  p.setPen(QPen(QColor(255, 255, 255, 220), 1.6));
  p.drawLine(QPointF(8, base), QPointF(56, base));
  p.setPen(QPen(Qt::white, 3.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.setBrush(Qt::NoBrush);
  p.drawPath(curve);
  p.setPen(QPen(QColor(255, 170, 60), 2.0, Qt::SolidLine, Qt::FlatCap));
  p.drawLine(QPointF(critical, base + 4), QPointF(critical, base));
  return image;
}

QIcon ApplicationIcon() {
  QIcon icon;
  for (int size : {16, 32, 48, 64}) icon.addPixmap(QPixmap::fromImage(ProgramImage(size)));
  return icon;
}

}  // namespace kelvo
