#pragma once

namespace numera {
// The whole program: creates the windows, starts up and runs the event loop.
int RunNumera(int argc, char** argv);
}  // namespace numera
