#include "platform/zoom.h"

#include <QSettings>
#include <algorithm>
#include <cmath>

namespace numera {

namespace {
QSettings PlayerSettings() {
  return QSettings(QStringLiteral("numera"), QStringLiteral("numera"));
}
int Scaled(int v, double z) {
  return static_cast<int>(std::lround(v * z));
}
}  // namespace

double ZoomIn(double z) {
  for (const double step : kZoomSteps)
    if (step > z + 1e-9) return step;
  return std::max(z, kZoomSteps[std::size(kZoomSteps) - 1]);
}

double ZoomOut(double z) {
  for (auto it = std::rbegin(kZoomSteps); it != std::rend(kZoomSteps); ++it)
    if (*it < z - 1e-9) return *it;
  return kZoomSteps[0];
}

double FitZoom(QSize available, QSize design) {
  if (design.isEmpty()) return kZoomSteps[0];
  const double z = std::min(static_cast<double>(available.width()) / design.width(),
                            static_cast<double>(available.height()) / design.height());
  return std::clamp(z, kZoomSteps[0], kMaxZoom);
}

double FittingZoom(double wanted, QSize design, QSize available) {
  const auto fits = [&](double z) {
    const QSize size = Zoomed(design, z);
    return size.width() <= available.width() && size.height() <= available.height();
  };
  if (fits(wanted)) return wanted;
  for (auto it = std::rbegin(kZoomSteps); it != std::rend(kZoomSteps); ++it)
    if (*it < wanted && fits(*it)) return *it;
  return kZoomSteps[0];
}

QRect Zoomed(const QRectF& design, double z) {
  const auto edge = [z](double v) { return static_cast<int>(std::lround(v * z)); };
  const int left = edge(design.left());
  const int top = edge(design.top());
  return QRect(left, top, edge(design.right()) - left, edge(design.bottom()) - top);
}

QRect Zoomed(const QRect& design, double z) {
  return Zoomed(QRectF(design), z);
}

QSize Zoomed(QSize design, double z) {
  return QSize(Scaled(design.width(), z), Scaled(design.height(), z));
}

double StoredZoom() {
  bool ok = false;
  const double z = PlayerSettings().value(QStringLiteral("zoom")).toDouble(&ok);
  return ok ? std::clamp(z, kZoomSteps[0], kMaxZoom) : kZoomSteps[0];
}

void StoreZoom(double z) {
  QSettings settings = PlayerSettings();
  settings.setValue(QStringLiteral("zoom"), z);
  settings.sync();
}

}  // namespace numera
