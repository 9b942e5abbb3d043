// Dial-up on the command line: the station on a Hayes modem, and the "dial"
// command - the central station dials, optionally runs PPP, sends the
// requests read from standard input, and hangs up.
#pragma once

#include <cstdint>

#include "cli/options.h"

// Init in the role, the connection made a modem one for this run, the
// modem's settings and port; false when the engine refuses.
bool open_modem_line(const Cli_Options& options, int32_t role);
// Gives the configuration back the connection type it had before.
void end_modem_line();
int run_dial(const Cli_Options& options);
