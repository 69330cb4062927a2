#include "platform/app_icon.h"

#include <QFontDatabase>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>

namespace numera {

namespace {

// A family that can show the kana on the crossing tile, or empty when this
// machine has no Japanese font at all (the tile then stays plain).
QString KanaFamily() {
  static const QString family = [] {
    const QStringList japanese = QFontDatabase::families(QFontDatabase::Japanese);
    for (const QString& preferred :
         {QStringLiteral("IPAGothic"), QStringLiteral("Noto Sans CJK JP"),
          QStringLiteral("IPAexGothic"), QStringLiteral("VL Gothic"),
          QStringLiteral("TakaoGothic")}) {
      if (japanese.contains(preferred)) return preferred;
    }
    return japanese.isEmpty() ? QString() : japanese.first();
  }();
  return family;
}

// One letter tile: a rounded square with a lighter top edge, so that the
// tiles read as pieces lying on the board.
void DrawTile(QPainter& p, const QRectF& cell, QColor top, QColor bottom, double unit) {
  if (unit < 32) {  // too small for roundings: whole pixels, one flat colour
    p.setPen(Qt::NoPen);
    p.setBrush(bottom);
    p.drawRect(cell);
    return;
  }
  const double inset = cell.width() * 0.07;
  const QRectF tile = cell.adjusted(inset, inset, -inset, -inset);
  const double radius = tile.width() * 0.2;
  if (unit >= 32) {  // a soft shadow under the tile
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x5a, 0x48, 0x20, 60));
    p.drawRoundedRect(tile.translated(0, tile.height() * 0.06), radius, radius);
  }
  QLinearGradient fill(tile.topLeft(), tile.bottomLeft());
  fill.setColorAt(0, top);
  fill.setColorAt(1, bottom);
  p.setBrush(fill);
  p.setPen(unit >= 32 ? QPen(bottom.darker(125), unit / 128.0) : QPen(Qt::NoPen));
  p.drawRoundedRect(tile, radius, radius);
}

// The end mark the game puts before and after every placed word.
void DrawEndMark(QPainter& p, const QRectF& cell, double unit) {
  if (unit < 32) {  // a cross of single pixels along the cell's diagonals
    const int n = static_cast<int>(cell.width());
    const int margin = n > 3 ? 1 : 0;
    const int x0 = static_cast<int>(cell.left()) + margin,
              y0 = static_cast<int>(cell.top()) + margin;
    const int last = n - 1 - 2 * margin;
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xd8, 0x1e, 0x1e));
    for (int k = 0; k <= last; ++k) {
      p.drawRect(QRect(x0 + k, y0 + k, 1, 1));
      p.drawRect(QRect(x0 + last - k, y0 + k, 1, 1));
    }
    return;
  }
  const double arm = cell.width() * 0.24;
  const QPointF c = cell.center();
  QPen pen(QColor(0xd8, 0x1e, 0x1e), std::max(1.0, cell.width() * (unit >= 32 ? 0.13 : 0.18)));
  pen.setCapStyle(Qt::RoundCap);
  p.setPen(pen);
  p.drawLine(c + QPointF(-arm, -arm), c + QPointF(arm, arm));
  p.drawLine(c + QPointF(-arm, arm), c + QPointF(arm, -arm));
}

}  // namespace

// A rounded green square (the game's own background colour) holding a small
// cream board of 4 × 4 cells: one word lies across, one runs down through
// it, and red crosses close the words, as on the real board. The shared
// tile carries "ぬ" when the picture is large enough to read it.
QImage DrawNumeraIcon(int size) {
  QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  p.setRenderHint(QPainter::TextAntialiasing);
  const double s = size;

  // Background: small icons use the whole square, larger ones keep the
  // customary margin around a rounded body.
  const double margin = size >= 32 ? s * 0.04 : 0.0;
  const QRectF body(margin, margin, s - 2 * margin, s - 2 * margin);
  const double bodyRadius = body.width() * 0.2;
  QLinearGradient green(body.topLeft(), body.bottomLeft());
  green.setColorAt(0, QColor(0x3c, 0xb0, 0x4a));
  green.setColorAt(1, QColor(0x13, 0x6b, 0x24));
  p.setPen(Qt::NoPen);
  p.setBrush(green);
  p.drawRoundedRect(body, bodyRadius, bodyRadius);
  if (size >= 48) {  // a faint gloss on the upper half
    QLinearGradient gloss(body.topLeft(), QPointF(body.left(), body.center().y()));
    gloss.setColorAt(0, QColor(255, 255, 255, 60));
    gloss.setColorAt(1, QColor(255, 255, 255, 0));
    QPainterPath upper;
    upper.addRoundedRect(body, bodyRadius, bodyRadius);
    QPainterPath half;
    half.addRect(QRectF(body.left(), body.top(), body.width(), body.height() * 0.5));
    p.setBrush(gloss);
    p.drawPath(upper.intersected(half));
  }

  // The board.
  // Whole-pixel cells keep the grid sharp at every size.
  constexpr int kCells = 4;
  const double boardInset = size >= 32 ? s * 0.15 : 1.5;
  const int cell = static_cast<int>((s - 2 * boardInset) / kCells);
  const int boardLeft = (size - kCells * cell) / 2;
  const QRectF board(boardLeft, boardLeft, kCells * cell, kCells * cell);
  const double boardRadius = size >= 32 ? board.width() * 0.06 : 0.0;
  if (size >= 32) {
    p.setBrush(QColor(0, 0x30, 0x08, 70));
    p.drawRoundedRect(board.translated(0, s * 0.015), boardRadius, boardRadius);
  }
  p.setBrush(QColor(0xfb, 0xf5, 0xe2));
  p.drawRoundedRect(board, boardRadius, boardRadius);

  auto cellRect = [&](int x, int y) {
    return QRectF(board.left() + x * cell, board.top() + y * cell, cell, cell);
  };
  if (size >= 32) {  // the grid lines
    p.setPen(QPen(QColor(0xcf, 0xc3, 0x9c), std::max(1.0, s / 160.0)));
    for (int k = 1; k < kCells; ++k) {
      p.drawLine(QPointF(board.left() + k * cell, board.top()),
                 QPointF(board.left() + k * cell, board.bottom()));
      p.drawLine(QPointF(board.left(), board.top() + k * cell),
                 QPointF(board.right(), board.top() + k * cell));
    }
  }

  // Across: row 1, columns 0 to 2, closed by a cross in column 3.
  // Down: column 1, rows 1 to 3, its front cross in row 0.
  const QColor orangeTop(0xff, 0xa9, 0x45), orangeBottom(0xf0, 0x7a, 0x0c);
  const QColor blueTop(0x9c, 0xb8, 0xff), blueBottom(0x5f, 0x86, 0xf0);
  DrawTile(p, cellRect(1, 2), blueTop, blueBottom, s);
  DrawTile(p, cellRect(1, 3), blueTop, blueBottom, s);
  DrawTile(p, cellRect(0, 1), orangeTop, orangeBottom, s);
  DrawTile(p, cellRect(2, 1), orangeTop, orangeBottom, s);
  DrawTile(p, cellRect(1, 1), orangeTop, orangeBottom, s);
  DrawEndMark(p, cellRect(3, 1), s);
  DrawEndMark(p, cellRect(1, 0), s);

  const QString family = size >= 64 ? KanaFamily() : QString();
  if (!family.isEmpty()) {
    QFont font(family);
    font.setPixelSize(static_cast<int>(cell * 0.66));
    font.setBold(true);
    p.setFont(font);
    p.setPen(QColor(0x5a, 0x2c, 0x00));
    p.drawText(cellRect(1, 1), Qt::AlignCenter, QStringLiteral("ぬ"));
  }
  return image;
}

QIcon NumeraIcon() {
  QIcon icon;
  for (int size : {16, 24, 32, 48, 64, 128, 256}) {
    icon.addPixmap(QPixmap::fromImage(DrawNumeraIcon(size)));
  }
  return icon;
}

}  // namespace numera
