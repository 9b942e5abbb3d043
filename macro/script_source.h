// The text of a macro script. The parser reads it once; while the script
// runs, the file is looked at again between statements (at most every
// 20 ms) and, when it was changed, read again, so the statements run in
// their changed form, from the positions the parser recorded.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <memory_resource>
#include <string>
#include <string_view>

class Script_Source {
public:
    explicit Script_Source(std::pmr::memory_resource* heap) : text_(heap) {}

    // False when the file cannot be read.
    bool load(const std::string& path);
    // A script that has no file (it never changes).
    void set_text(std::string_view text);

    std::string_view text() const { return text_; }
    // True when the file changed since it was read; then it has been read again.
    bool reload_if_changed();

private:
    struct Identity {
        long long modified_ns = -1;
        long long size = -1;
        long long inode = -1;
        bool operator==(const Identity&) const = default;
    };
    static Identity identity_of(const std::string& path);
    bool read(const std::string& path);

    std::string path_;
    std::pmr::string text_;
    Identity identity_;
    std::chrono::steady_clock::time_point last_look_{};
};
