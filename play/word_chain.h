// The six "are you sure?" boxes shown under the persistent message setting
// before a word is placed or taken back. Each has the single button "Ok", so
// there is nothing to decline.
#pragma once

#include "dialogs/chain.h"

namespace numera {

const Chain& WordChoiceChain();
// Shows the six boxes in order.
void ConfirmWordChoice(Game& g);

}  // namespace numera
