// Runs a script from a file in a fresh working directory with a stub
// engine, and collects what it wrote: the messages, and the text its out()
// calls put into "out.txt" (the script opens it with outfile("out.txt")).
#pragma once

#include <string>

#include "macro/macro_run.h"
#include "tests/macro/stub_engine.h"
#include "tests/support/temp_dir.h"

struct Script_Run {
    std::string messages;  // between the parse verdict and "\nAfter execution\n"
    std::string written;   // everything
    std::string out;
    Run_Report report;
};

inline Script_Run run_script(const std::string& script, Stub_Engine& engine, Run_Limits limits = {}) {
    Temp_Dir dir;
    Working_Directory enter(dir.path());
    dir.write("script.mac", script);
    Script_Run run;
    run.report = run_macro_file("script.mac", engine, limits);
    run.written = engine.written;
    run.messages = engine.written;
    // The parse's own messages come before its verdict.
    const std::string parsed = "File parsed successfully\n";
    if (const size_t at = run.messages.find(parsed); at != std::string::npos) run.messages.erase(0, at + parsed.size());
    const std::string tail = "\nAfter execution\n";
    if (run.messages.size() >= tail.size() && run.messages.compare(run.messages.size() - tail.size(), tail.size(), tail) == 0)
        run.messages.resize(run.messages.size() - tail.size());
    if (dir.exists("out.txt")) run.out = dir.read("out.txt");
    return run;
}

inline Script_Run run_script(const std::string& script, Run_Limits limits = {}) {
    Stub_Engine engine;
    return run_script(script, engine, limits);
}
