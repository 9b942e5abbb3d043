// The commands that use the line: the field device, and one request as the
// central station.
#pragma once

#include <cstdint>

#include "cli/options.h"

int run_field_device(const Cli_Options& options);
int run_request(const Cli_Options& options);
// One request of options.command (get, getnext, set) on the station started,
// its outcome printed; the exit status of the request.
int send_request(const Cli_Options& options);

// Init in the role with the port (and the run's own time-out, when given),
// then the MIB output of the working directory; false, with the reason on
// standard error, when either fails.
bool start_station(const Cli_Options& options, int32_t role);
