// PPP on the command line: the link set up for a PPP line, the wait for the
// Network phase before a request, and the "ppp" command that drives the
// link step by step from standard input.
#pragma once

#include "cli/options.h"

// SetLinkType, the secret and the restart timer, as the options ask; for
// every command that uses a PPP line, after the station has started.
void prepare_ppp_link(const Cli_Options& options);
// StartPPP, then waits until the link is in the Network phase; false (with
// the link's state and phase on standard error) when it is not within the
// seconds given.
bool open_ppp_link(int seconds);
int run_ppp(const Cli_Options& options);
