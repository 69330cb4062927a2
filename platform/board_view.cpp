#include "platform/board_view.h"

#include <QMouseEvent>
#include <QPainter>

#include "platform/fonts.h"

namespace numera {

namespace {
constexpr int kSmallestLegiblePixels = 7;
}

QColor ToQColor(Colour bbggrr) {
  return QColor(bbggrr & 0xFF, (bbggrr >> 8) & 0xFF, (bbggrr >> 16) & 0xFF);
}

int GameButton(Qt::MouseButton button) {
  switch (button) {
    case Qt::LeftButton:
      return 1;
    case Qt::RightButton:
      return 2;
    case Qt::MiddleButton:
      return 4;
    default:
      return 0;
  }
}

BoardView::BoardView(QWidget* parent) : QWidget(parent) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  setFocusPolicy(Qt::ClickFocus);
  setContextMenuPolicy(Qt::PreventContextMenu);
}

void BoardView::BeginFrame(int width, int height, const QString& fontName, double pointSize) {
  lines_.clear();
  texts_.clear();
  if (this->width() != width || this->height() != height) resize(width, height);
  font_ = GameFont(fontName, pointSize);
  // Big boards ask for sizes of a pixel or two; nobody can read that, so the
  // picture never prints smaller than the smallest legible size.
  if (font_.pixelSize() < kSmallestLegiblePixels) font_.setPixelSize(kSmallestLegiblePixels);
  vertical_ = IsVerticalFontName(fontName);
}

void BoardView::Line(double x1, double y1, double x2, double y2, Colour colour) {
  lines_.push_back({QLineF(x1, y1, x2, y2), ToQColor(colour)});
}

void BoardView::Print(double x, double y, const QString& text, Colour colour) {
  texts_.push_back({QPointF(x, y), text, ToQColor(colour)});
}

void BoardView::EndFrame() {
  update();
}

void BoardView::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.fillRect(rect(), Qt::white);
  for (const LineItem& l : lines_) {
    p.setPen(QPen(l.colour, 1.0));
    p.drawLine(l.line);
  }
  p.setFont(font_);
  p.setRenderHint(QPainter::TextAntialiasing);
  const QFontMetricsF metrics(font_);
  const qreal ascent = metrics.ascent();
  QColor pen_colour;
  for (const TextItem& t : texts_) {
    if (t.colour != pen_colour) {
      p.setPen(t.colour);
      pen_colour = t.colour;
    }
    if (!vertical_) {
      // Printed from the top-left corner of the cell, as text is printed at a
      // position: the baseline sits one ascent below it.
      p.drawText(QPointF(t.at.x(), t.at.y() + ascent), t.text);
      continue;
    }
    // A vertical-writing font lays each glyph on its side: a quarter turn
    // anticlockwise about the centre of its cell.
    qreal x = t.at.x();
    for (const QChar c : t.text) {
      const qreal w = metrics.horizontalAdvance(c);
      const qreal h = metrics.height();
      p.save();
      p.translate(x + w / 2, t.at.y() + h / 2);
      p.rotate(-90);
      p.drawText(QRectF(-w / 2, -h / 2, w, h), Qt::AlignCenter, QString(c));
      p.restore();
      x += w;
    }
  }
  ++frames_painted_;
}

void BoardView::mousePressEvent(QMouseEvent* event) {
  if (on_press)
    on_press(GameButton(event->button()), static_cast<float>(event->position().x()),
             static_cast<float>(event->position().y()));
}

void BoardView::mouseReleaseEvent(QMouseEvent* event) {
  if (on_release)
    on_release(GameButton(event->button()), static_cast<float>(event->position().x()),
               static_cast<float>(event->position().y()));
}

}  // namespace numera
