// Running a program as a separate process and collecting what it printed.
#pragma once

#include <string>
#include <vector>

struct Process_Result {
    int exit_status = -1;  // -1 when it did not exit normally
    std::string out;
    std::string err;
};

Process_Result run_process(const std::vector<std::string>& argv);
