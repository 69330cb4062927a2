#include "core/wait.h"

#include <algorithm>

namespace numera {

void Wait(Game& g, Long ms) {
  // Whatever the caller changed just before pausing (a new selection, an icon
  // moved) is on the window for the whole pause, not only after it.
  g.p.Win.SyncMainWindow();
  const std::uint32_t start = g.p.Time.NowMs();
  const std::int64_t limit = std::max<Long>(ms, 0);
  for (;;) {
    // Unsigned subtraction keeps the elapsed time right across a clock wrap.
    const std::int64_t elapsed = static_cast<std::uint32_t>(g.p.Time.NowMs() - start);
    if (elapsed > limit) return;
    g.p.Pump.ProcessEvents(static_cast<int>(limit - elapsed + 1));
  }
}

}  // namespace numera
