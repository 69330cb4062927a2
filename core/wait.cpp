#include "core/wait.h"

#include <algorithm>

namespace numera {

void Wait(Game& g, Long ms) {
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
