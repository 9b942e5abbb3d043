#include "mibc/diagnostics.h"

#include <cstdarg>
#include <cstdio>
#include <vector>

namespace mibc {

void Diagnostics::finding(std::string_view kind, const Source_Position& at, std::string_view text) {
    out_ << kind;
    if (at.line != 1 || at.column != 0) {
        if (at.file != nullptr && *at.file != main_file_) out_ << "f(" << *at.file << "), ";
        out_ << '(' << at.line << ',' << at.column << ") ";
    }
    out_ << text << "\r\n";
}

std::string format(const char* pattern, ...) {
    va_list args;
    va_start(args, pattern);
    va_list again;
    va_copy(again, args);
    const int length = std::vsnprintf(nullptr, 0, pattern, args);
    va_end(args);
    std::string text;
    if (length > 0) {
        std::vector<char> buffer(static_cast<size_t>(length) + 1);
        std::vsnprintf(buffer.data(), buffer.size(), pattern, again);
        text.assign(buffer.data(), static_cast<size_t>(length));
    }
    va_end(again);
    return text;
}

}  // namespace mibc
