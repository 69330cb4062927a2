// The view's zoom: the main window, the message boxes and the settings
// window are shown at z times their design size. The logic never sees it:
// it keeps working in design pixels, and the view scales what it shows and
// divides the mouse positions it reports.
#pragma once

#include <QRect>

namespace numera {

// The steps of Ctrl + plus and Ctrl + minus; resizing the window by hand
// may give any zoom from the first step up to kMaxZoom.
inline constexpr double kZoomSteps[] = {1.0, 1.25, 1.5, 2.0, 2.5, 3.0};
inline constexpr double kMaxZoom = 4.0;

double ZoomIn(double z);   // the next step above z; the last step stays
double ZoomOut(double z);  // the next step below z; the first step stays

// The largest zoom at which a window of the design size `design` fits in
// `available`, keeping its proportions.
double FitZoom(QSize available, QSize design);

// The zoom at which a window of the design size `design` is shown when the
// player asks for `wanted` and the screen offers `available` (less any
// frame): `wanted` where the whole window fits, else the largest step below
// it that fits. Never below the first step: at zoom 1 a window keeps its
// design size even where the screen is smaller.
double FittingZoom(double wanted, QSize design, QSize available);

// A design rectangle at zoom z. Its edges are scaled and rounded, so that
// controls which touch at the design size still touch.
QRect Zoomed(const QRectF& design, double z);
QRect Zoomed(const QRect& design, double z);
QSize Zoomed(QSize design, double z);

// The zoom kept in the player's own settings between sessions (1 if none).
double StoredZoom();
void StoreZoom(double z);

}  // namespace numera
