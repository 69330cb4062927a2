// Text that can be read on any background. The colours of the word and
// score labels carry meaning (black not placed, white placed, light blue
// selected, red an incomplete board), so they stay; where one stands out
// too little from the window behind it, the text gets a thin outline in
// black or white, whichever stands out more from the text itself.
#pragma once

#include <QColor>
#include <optional>

namespace numera {

// The contrast of two colours by their relative luminance (WCAG): 1 to 21.
double ContrastRatio(const QColor& a, const QColor& b);

// The outline a text of this colour needs on this background: none where
// the contrast is 3:1 or more.
std::optional<QColor> OutlineFor(const QColor& text, const QColor& background);

}  // namespace numera
