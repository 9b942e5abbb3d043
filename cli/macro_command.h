// quorvan-cli macro: a script run as the central station, with its verdicts
// as a JUnit XML report.
#pragma once

#include <string>
#include <vector>

#include "cli/options.h"

struct Script_Verdict {
    std::string name;
    bool passed = false;
};

int run_macro(const Cli_Options& options);

// The JUnit XML of one script's run: one test case per verdict, and one that
// says whether the script ran to its end.
std::string junit_report(const std::string& script, bool ran_to_end, const std::vector<Script_Verdict>& verdicts);
