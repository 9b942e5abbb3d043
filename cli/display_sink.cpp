#include "cli/display_sink.h"

#include <cstdio>
#include <cstring>

int32_t show_line_activity(const char* text) {
    if (text == nullptr) return 0;
    const size_t length = std::strlen(text);
    if (FILE* log = std::fopen(kLineActivityLog, "ab")) {
        std::fwrite(text, 1, length, log);
        std::fclose(log);
    }
    std::fwrite(text, 1, length, stdout);
    if (length == 0 || text[length - 1] != '\n') std::fputc('\n', stdout);
    std::fflush(stdout);
    return 0;
}
