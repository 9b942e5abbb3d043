// The error file: one line per finding, "E: " or "W: ", the position, the
// text and CR LF; the counts of errors and warnings of one compile.
#pragma once

#include <cstdint>
#include <fstream>
#include <string>
#include <string_view>

namespace mibc {

struct Source_Position {
    const std::string* file = nullptr;  // the file the scanner reads; none: the main input
    uint32_t line = 1;                  // from 1
    uint32_t column = 0;                // from 0
};

class Diagnostics {
public:
    // Writes to the stream; main_file is the compile's main input, whose
    // name is left out of positions.
    Diagnostics(std::ostream& out, std::string main_file) : out_(out), main_file_(std::move(main_file)) {}

    void error(const Source_Position& at, std::string_view text) { finding("E: ", at, text), ++errors_; }
    void warning(const Source_Position& at, std::string_view text) { finding("W: ", at, text), ++warnings_; }
    // Written as it stands: no prefix, position or line end, not counted.
    void plain(std::string_view text) { out_ << text; }
    // A finding that is not counted: no prefix or position, but its own line.
    void note(std::string_view text) { out_ << text << "\r\n"; }

    uint32_t errors() const { return errors_; }
    uint32_t warnings() const { return warnings_; }

private:
    void finding(std::string_view kind, const Source_Position& at, std::string_view text);

    std::ostream& out_;
    std::string main_file_;
    uint32_t errors_ = 0;
    uint32_t warnings_ = 0;
};

// printf-style formatting into a string (for the message texts with %s, %lu, %u, %d).
std::string format(const char* pattern, ...) __attribute__((format(printf, 1, 2)));

}  // namespace mibc
