#include "cli/display_sink.h"

#include <cstdio>
#include <cstring>
#include <memory>
#include <mutex>

namespace {

struct File_Closer {
    void operator()(FILE* file) const { std::fclose(file); }
};

// Opened once, on the first text: the working directory is set by then.
FILE* line_activity_log() {
    static const std::unique_ptr<FILE, File_Closer> log(std::fopen(kLineActivityLog, "ab"));
    return log.get();
}

}  // namespace

// The receiver thread and a macro thread both write.
std::mutex& sink_mutex() {
    static std::mutex mutex;
    return mutex;
}

int32_t show_macro_output(const char* text) {
    if (text == nullptr) return 0;
    std::lock_guard hold(sink_mutex());
    const size_t length = std::strlen(text);
    if (FILE* log = line_activity_log()) {
        std::fwrite(text, 1, length, log);
        std::fflush(log);
    }
    std::fwrite(text, 1, length, stdout);
    std::fflush(stdout);
    return 0;
}

int32_t show_line_activity(const char* text) {
    if (text == nullptr) return 0;
    std::lock_guard hold(sink_mutex());
    const size_t length = std::strlen(text);
    if (FILE* log = line_activity_log()) {
        std::fwrite(text, 1, length, log);
        std::fflush(log);
    }
    std::fwrite(text, 1, length, stdout);
    if (length == 0 || text[length - 1] != '\n') std::fputc('\n', stdout);
    std::fflush(stdout);
    return 0;
}

void show_result(const std::string& text) {
    std::lock_guard hold(sink_mutex());
    std::fwrite(text.data(), 1, text.size(), stdout);
    std::fflush(stdout);
}
