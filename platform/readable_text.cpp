#include "platform/readable_text.h"

#include <algorithm>
#include <cmath>

namespace numera {

namespace {

constexpr double kLeastContrast = 3.0;

double Linear(double channel) {
  return channel <= 0.04045 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
}

double Luminance(const QColor& c) {
  return 0.2126 * Linear(c.redF()) + 0.7152 * Linear(c.greenF()) + 0.0722 * Linear(c.blueF());
}

}  // namespace

double ContrastRatio(const QColor& a, const QColor& b) {
  const double la = Luminance(a), lb = Luminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

std::optional<QColor> OutlineFor(const QColor& text, const QColor& background) {
  if (ContrastRatio(text, background) >= kLeastContrast) return std::nullopt;
  const QColor black(Qt::black), white(Qt::white);
  return ContrastRatio(text, black) >= ContrastRatio(text, white) ? black : white;
}

}  // namespace numera
