// Pimain, the board picture. It keeps the last frame DrawBoard painted as a
// short display list and paints it whenever Qt asks, at any pixel ratio.
#pragma once

#include <QColor>
#include <QFont>
#include <QWidget>
#include <functional>
#include <vector>

#include "core/platform.h"

namespace numera {

QColor ToQColor(Colour bbggrr);

class BoardView : public QWidget, public Canvas {
  Q_OBJECT
 public:
  explicit BoardView(QWidget* parent = nullptr);

  void BeginFrame(int width, int height, const QString& fontName, double pointSize) override;
  void Line(double x1, double y1, double x2, double y2, Colour colour) override;
  void Print(double x, double y, const QString& text, Colour colour) override;
  void EndFrame() override;

  // Mouse presses and releases: button 1 left, 2 right, 4 middle.
  std::function<void(int button, float x, float y)> on_press;
  std::function<void(int button, float x, float y)> on_release;

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
  };
  struct TextItem {
    QPointF at;
    QString text;
    QColor colour;
  };
  std::vector<LineItem> lines_;
  std::vector<TextItem> texts_;
  QFont font_;
  bool vertical_ = false;
  qint64 frames_painted_ = 0;
};

int GameButton(Qt::MouseButton button);

}  // namespace numera
