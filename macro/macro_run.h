// One run of a macro script: parse it, run it (also after a failed parse,
// with the statements recorded so far), write "\nAfter execution\n". All the
// run's memory comes from its own heap and goes with it.
#pragma once

#include <string>
#include <string_view>

#include "macro/interpreter.h"
#include "macro/macro_engine.h"

// The script read from a file, which is looked at again while it runs.
Run_Report run_macro_file(const std::string& file_name, Macro_Engine& engine, Run_Limits limits = {});
// A script given as text (no file to look at again).
Run_Report run_macro_text(std::string_view script, Macro_Engine& engine, Run_Limits limits = {});
