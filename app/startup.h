// Start-up: everything between the main window being created (hidden) and it
// being shown. The event loop takes over afterwards.
#pragma once

#include "core/platform.h"
#include "dialogs/chain.h"

namespace numera {

// Clears the puzzle state to what a fresh start has.
void ResetGameState(GameState& s);

// The confirmation chain of the persistent message setting. Its only exits
// are the end of step 23 (start-up goes on) and "了解" at step 10 (the
// program ends).
const Chain& StartupChain();
inline constexpr int kStartupContinue = -1;
inline constexpr int kStartupQuit = -2;

// Runs start-up steps 2 to 16 with AppPath already set. Ends the program
// (with a message and a non-zero status) when the Data folder cannot be read;
// a settings or sound file that is no regular file gets a message, and
// start-up goes on with the defaults or without that sound.
void Main(Game& g);

}  // namespace numera
