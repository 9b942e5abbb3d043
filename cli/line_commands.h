// The commands that use the line: the field device, and one request as the
// central station.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "cli/options.h"

int run_field_device(const Cli_Options& options);
int run_request(const Cli_Options& options);

// Init in the role with the port (and the run's own time-out, when given),
// then the MIB output of the working directory; false, with the reason on
// standard error, when either fails.
bool start_station(const Cli_Options& options, int32_t role);

// The settings file as it is, to put back after a run with its own time-out
// (the engine writes the file at shutdown); removed when there was none.
std::optional<std::string> read_settings_file();
void put_back_settings_file(const std::optional<std::string>& settings);
