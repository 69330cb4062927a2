#include "platform/app_icon.h"

#include <QPainter>

namespace numera {

QImage DrawNumeraIcon(int size) {
  QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  p.setBrush(QColor(0x30, 0x80, 0x30));
  p.setPen(Qt::NoPen);
  p.drawRoundedRect(QRectF(0, 0, size, size), size * 0.18, size * 0.18);
  p.setPen(Qt::white);
  QFont f(QStringLiteral("ＭＳ ゴシック"));
  f.setPixelSize(size * 6 / 10);
  p.setFont(f);
  p.drawText(QRectF(0, 0, size, size), Qt::AlignCenter, QStringLiteral("ぬ"));
  return image;
}

QIcon NumeraIcon() {
  QIcon icon;
  for (int size : {16, 24, 32, 48, 64, 128, 256}) icon.addPixmap(QPixmap::fromImage(DrawNumeraIcon(size)));
  return icon;
}

}  // namespace numera
