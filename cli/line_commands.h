// The commands that use the line: the field device, and one request as the
// central station.
#pragma once

#include "cli/options.h"

int run_field_device(const Cli_Options& options);
int run_request(const Cli_Options& options);
