// Logout, shutdown and Ctrl+C reach the program as SIGTERM, SIGHUP and SIGINT. They arrive here
// as a call on the UI thread, through the event loop, so the program can close as a window
// closes instead of being cut off in the middle of whatever it was doing.
#pragma once

#include <functional>

namespace kv {

// From now on the three signals call handler with the signal's number (a later call replaces
// the handler). A signal that comes while the handler runs is not lost. An empty handler gives
// the signals back their default: they end the program.
void OnTerminationSignals(std::function<void(int signal)> handler);

}  // namespace kv
