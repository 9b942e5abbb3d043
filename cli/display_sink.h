// Where the command line shows line activity: standard output, each text on
// lines of its own, and the line-activity log "quorvanlog.txt" of the
// working directory, as the texts came.
#pragma once

#include <cstdint>
#include <string>

inline constexpr const char* kLineActivityLog = "quorvanlog.txt";

// The display callback given to the engine.
int32_t show_line_activity(const char* text);

// A text exactly as it comes (a prompt and its answer share a line), to
// standard output and the same log.
int32_t show_macro_output(const char* text);

// A command's own result lines, in one piece, to standard output only; the
// receiver thread's texts never fall between them.
void show_result(const std::string& text);
