#include "platform/board_view.h"

#include <QHash>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <iterator>
#include <tuple>

#include "platform/fonts.h"
#include "platform/zoom.h"
#include "play/mouse.h"

namespace numera {

namespace {

// Letters smaller than this on the screen lose their dakuten.
constexpr int kReadablePixels = 11;

// How far the ink of a full-width letter reaches, across or down, per pixel
// of font size (the em square holds some air around it).
double InkPerPixel(const QFont& font) {
  static QHash<QString, double> known;
  const auto it = known.constFind(font.family());
  if (it != known.constEnd()) return *it;
  QFont probe = font;
  probe.setPixelSize(100);
  const QFontMetricsF metrics(probe);
  double reach = 0;
  for (const QChar c : QStringLiteral("ぽぶ漢■"))
    reach = std::max(
        {reach, metrics.tightBoundingRect(c).width(), metrics.tightBoundingRect(c).height()});
  return known[font.family()] = std::max(reach, 50.0) / 100;
}

}  // namespace

int GameButton(Qt::MouseButton button) {
  switch (button) {
    case Qt::LeftButton:
      return kLeftButton;
    case Qt::RightButton:
      return kRightButton;
    case Qt::MiddleButton:
      return kMiddleButton;
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
  shown_lines_.swap(lines_);
  shown_texts_.swap(texts_);
  shown_font_ = letter_font_;
  lines_.clear();
  texts_.clear();
  design_ = QSize(width, height);
  const QSize shown = Zoomed(design_, zoom_);
  if (size() != shown) resize(shown);
  font_ = GameFont(fontName, pointSize);
  vertical_ = IsVerticalFontName(fontName);
}

void BoardView::Line(double x1, double y1, double x2, double y2, Colour colour) {
  lines_.push_back({QLineF(x1, y1, x2, y2), ToQColor(colour)});
}

void BoardView::Print(double x, double y, const QString& text, Colour colour) {
  texts_.push_back({QPointF(x, y), text, ToQColor(colour)});
}

void BoardView::EndFrame() {
  ChooseLetterSize();
  // Mostly a press changes a few cells: only they are painted again, which
  // keeps a large zoomed board quick to answer.
  if (lines_ == shown_lines_ && letter_font_ == shown_font_)
    update(ChangedCells(shown_texts_));
  else
    update();
}

// The cells whose print differs between the frames, in whatever order
// either frame printed them.
QRegion BoardView::ChangedCells(std::vector<TextItem> before) const {
  const auto order = [](const TextItem& a, const TextItem& b) {
    return std::tuple(a.at.y(), a.at.x(), a.text, a.colour.rgba()) <
           std::tuple(b.at.y(), b.at.x(), b.text, b.colour.rgba());
  };
  std::vector<TextItem> now = texts_;
  std::sort(before.begin(), before.end(), order);
  std::sort(now.begin(), now.end(), order);
  std::vector<TextItem> changed;
  std::set_symmetric_difference(before.begin(), before.end(), now.begin(), now.end(),
                                std::back_inserter(changed), order);
  QRegion dirty;
  for (const TextItem& t : changed) {
    // The cell and half of each neighbour, for letters that reach past it.
    const QRectF cell((t.at.x() - 1 - cell_ / 2) * zoom_, (t.at.y() - 1 - cell_ / 2) * zoom_,
                      2 * cell_ * zoom_, 2 * cell_ * zoom_);
    dirty += cell.toAlignedRect();
  }
  return dirty;
}

void BoardView::SetZoom(double z) {
  zoom_ = z;
  resize(Zoomed(design_, z));
  ChooseLetterSize();
  update();
}

// The letters keep their design size where that can be read and fits the
// cell on the screen; otherwise they take the largest size whose ink fits
// between the grid lines, centred there. So a 30 x 30 board, printed at the
// smallest size by design, shows its dakuten as soon as the zoom gives
// its cells room.
void BoardView::ChooseLetterSize() {
  // The grid has one line across and one down between each two cells.
  const auto cells = static_cast<double>(lines_.size() / 2 + 1);
  cell_ = (design_.width() - 1) / cells;
  const double room = (cell_ - 1) * zoom_;
  const double ink = InkPerPixel(font_);
  const int design = static_cast<int>(std::lround(font_.pixelSize() * zoom_));
  centred_ = design < kReadablePixels || design * ink > room;
  QFont chosen = font_;
  chosen.setPixelSize(centred_ ? std::max(1, static_cast<int>(room / ink)) : design);
  // The letters laid out so far stay good for as long as the font does.
  if (chosen != letter_font_) laid_out_.clear();
  letter_font_ = chosen;
}

const QStaticText& BoardView::LaidOut(const QString& text) {
  auto it = laid_out_.find(text);
  if (it == laid_out_.end()) {
    QStaticText laid(text);
    laid.setTextFormat(Qt::PlainText);
    laid.setPerformanceHint(QStaticText::AggressiveCaching);
    laid.prepare(QTransform(), letter_font_);
    it = laid_out_.insert(text, laid);
  }
  return *it;
}

void BoardView::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.fillRect(rect(), Qt::white);
  // The grid lies where the design puts it, in lines of one pixel up to
  // zoom 2 and of two beyond, all alike, so no cell looks wider than another.
  p.save();
  p.scale(zoom_, zoom_);
  for (const LineItem& l : lines_) {
    QPen pen(l.colour, zoom_ < 2 ? 1.0 : 2.0);
    pen.setCosmetic(true);
    p.setPen(pen);
    p.drawLine(l.line);
  }
  p.restore();
  p.setFont(letter_font_);
  p.setRenderHint(QPainter::TextAntialiasing);
  const QFontMetricsF metrics(letter_font_);
  const qreal ascent = metrics.ascent();
  const qreal room = (cell_ - 1) * zoom_;
  QColor pen_colour;
  for (const TextItem& t : texts_) {
    if (t.colour != pen_colour) {
      p.setPen(t.colour);
      pen_colour = t.colour;
    }
    if (centred_) {
      // The cell between its grid lines begins one pixel before the print
      // position; the letter's box is centred in it.
      const QPointF centre = (t.at - QPointF(1, 1)) * zoom_ + QPointF(room, room) / 2;
      const qreal advance = t.text.size() == 1 ? metrics.horizontalAdvance(t.text[0])
                                               : metrics.horizontalAdvance(t.text);
      const QPointF box(advance / 2, (ascent - metrics.descent()) / 2);
      if (!vertical_) {
        p.drawStaticText(QPointF(centre.x() - box.x(), centre.y() + box.y() - ascent),
                         LaidOut(t.text));
        continue;
      }
      p.save();
      p.translate(centre);
      p.rotate(-90);
      p.drawText(QPointF(-box.x(), box.y()), t.text);
      p.restore();
      continue;
    }
    const QPointF at = t.at * zoom_;
    if (!vertical_) {
      // Printed from the top-left corner of the cell, as text is printed at a
      // position: the baseline sits one ascent below it.
      p.drawStaticText(at, LaidOut(t.text));
      continue;
    }
    // A vertical-writing font lays each glyph on its side: a quarter turn
    // anticlockwise about the centre of its cell.
    qreal x = at.x();
    for (const QChar c : t.text) {
      const qreal w = metrics.horizontalAdvance(c);
      const qreal h = metrics.height();
      p.save();
      p.translate(x + w / 2, at.y() + h / 2);
      p.rotate(-90);
      p.drawText(QRectF(-w / 2, -h / 2, w, h), Qt::AlignCenter, QString(c));
      p.restore();
      x += w;
    }
  }
  ++frames_painted_;
}

// The logic takes presses in design pixels, so a press lands on the same
// cell at every zoom.
void BoardView::mousePressEvent(QMouseEvent* event) {
  const QPointF at = event->position() / zoom_;
  if (on_press)
    on_press(GameButton(event->button()), static_cast<float>(at.x()), static_cast<float>(at.y()));
}

void BoardView::mouseReleaseEvent(QMouseEvent*) {
  if (on_release) on_release();
}

}  // namespace numera
