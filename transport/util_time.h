// The time of day as the station shows it beside line activity.
#pragma once

#include <string>

// Local time "HH:MM:SS.mmm".
std::string util_time();
