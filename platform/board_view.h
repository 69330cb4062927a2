// Pimain, the board picture. It keeps the last frame DrawBoard painted as a
// short display list and paints it whenever Qt asks, at any pixel ratio and
// at the view's zoom: the grid through a scaled painter, the letters at a
// size chosen for the cells on the screen.
#pragma once

#include <QColor>
#include <QFont>
#include <QHash>
#include <QRegion>
#include <QStaticText>
#include <QWidget>
#include <functional>
#include <vector>

#include "core/platform.h"
#include "platform/qt_colour.h"

namespace numera {

class BoardView : public QWidget, public Canvas {
  Q_OBJECT
 public:
  explicit BoardView(QWidget* parent = nullptr);

  void BeginFrame(int width, int height, const QString& fontName, double pointSize) override;
  void Line(double x1, double y1, double x2, double y2, Colour colour) override;
  void Print(double x, double y, const QString& text, Colour colour) override;
  void EndFrame() override;

  // Shows the picture at zoom z; presses are still reported in design pixels.
  void SetZoom(double z);
  // The pixel size the letters are printed at on the screen.
  int letter_pixels() const { return letter_font_.pixelSize(); }

  // Mouse presses and releases: button 1 left, 2 right, 4 middle.
  std::function<void(int button, float x, float y)> on_press;
  std::function<void()> on_release;

  // Times of the last press and of the first paint after it (for measuring).
  qint64 frames_painted() const { return frames_painted_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  struct LineItem {
    QLineF line;
    QColor colour;
    bool operator==(const LineItem&) const = default;
  };
  struct TextItem {
    QPointF at;
    QString text;
    QColor colour;
    bool operator==(const TextItem&) const = default;
  };
  // The cells a new frame prints differently from the one on the screen.
  QRegion ChangedCells(std::vector<TextItem> before) const;
  void ChooseLetterSize();

  std::vector<LineItem> lines_, shown_lines_;
  std::vector<TextItem> texts_, shown_texts_;
  QFont shown_font_;
  QSize design_{251, 251};
  double zoom_ = 1.0;
  double cell_ = 250.0;  // design pixels from one grid line to the next
  QFont font_;           // as the logic asks, in design pixels
  QFont letter_font_;    // as printed on the screen
  // Each letter laid out once per font: a board repeats a few dozen letters
  // hundreds of times, and laying out text is most of the cost of a paint.
  QHash<QString, QStaticText> laid_out_;
  const QStaticText& LaidOut(const QString& text);
  bool centred_ = false;  // letters centred in their cells rather than at their print positions
  bool vertical_ = false;
  qint64 frames_painted_ = 0;
};

int GameButton(Qt::MouseButton button);

}  // namespace numera
