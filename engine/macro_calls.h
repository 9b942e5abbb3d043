// The macro exports' side of the engine's life cycle.
#pragma once

// Whether Init has made the engine (exports.cpp keeps it).
bool engine_is_up();

// Asks every macro run that is still going to stop, and waits for its end:
// Shutdown calls it before the engine goes. Never throws.
void stop_macro_runs();
