// quorvan-cli dynobj: define a dynamic object in the device, list one.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "cli/options.h"

int run_dynobj(const Cli_Options& options);

// Lists dynamic object n as this station's tree holds it; the row count, or -1.
int32_t print_dyn_obj(int32_t number);
// Reads the device's definition of dynamic object n (its dynObj rows, with one
// SNMP Get) into this station's tree, so that STMP can use it; then the names
// of its objects, in order, and their value types.
bool learn_dyn_obj(const Cli_Options& options, int32_t number, std::vector<std::string>& names,
                   std::vector<uint8_t>& types);
