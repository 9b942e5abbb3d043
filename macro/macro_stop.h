// Ends a macro run: the message says why, and the run reports that it
// stopped on an error. Never leaves the macro thread.
#pragma once

#include <stdexcept>
#include <string>

struct Macro_Stop : std::runtime_error {
    using std::runtime_error::runtime_error;
};
