// An engine behind the C interface, as a front end has it: the central role,
// the sample MIB loaded, no line. Made once for a fuzz target's whole run, in
// a working directory of its own: the engine's files (the settings it writes
// at Shutdown among them) stay there, and libFuzzer keeps reading its corpus
// by paths relative to the directory it was started in.
#pragma once

#include <cstdlib>
#include <filesystem>

#include "quorvan.h"
#include "tests/support/sample.h"
#include "tests/support/temp_dir.h"

inline const Temp_Dir& engine_dir() {
    static const Temp_Dir dir;
    return dir;
}

template <typename Work>
void in_engine_dir(Work work) {
    const std::filesystem::path before = std::filesystem::current_path();
    std::filesystem::current_path(engine_dir().path());
    work();
    std::filesystem::current_path(before);
}

inline void start_sample_engine() {
    static const bool started = [] {
        copy_sample_into(engine_dir());
        in_engine_dir([] {
            if (Init("", 0, nullptr, QV_ROLE_CENTRAL, nullptr, nullptr, 0) != 0) std::abort();
            char output_name[16] = "Mibi.out";
            if (CompileMIB("Mibi", output_name, "Errors.out", 0) != 0) std::abort();
        });
        // Before the directory goes: the engine ends inside it.
        std::atexit([] { in_engine_dir([] { Shutdown(); }); });
        return true;
    }();
    (void)started;
}

// A fresh start of the engine (its outstanding requests forgotten); the MIB stays.
inline void restart_sample_engine() {
    in_engine_dir([] { Init("", 0, nullptr, QV_ROLE_CENTRAL, nullptr, nullptr, 0); });
}

inline void free_node_info(Node_Info& info) {
    for (char* text : {info.syntax, info.access, info.status, info.further, info.oid, info.value, info.name})
        std::free(text);
}
