#include "macro/script_source.h"

#include <sys/stat.h>

#include <fstream>
#include <iterator>

namespace {
constexpr auto kLookEvery = std::chrono::milliseconds(20);
}

Script_Source::Identity Script_Source::identity_of(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) return {};
    return {static_cast<long long>(info.st_mtim.tv_sec) * 1000000000LL + info.st_mtim.tv_nsec,
            static_cast<long long>(info.st_size), static_cast<long long>(info.st_ino)};
}

bool Script_Source::read(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) return false;
    identity_ = identity_of(path);
    text_.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    return true;
}

bool Script_Source::load(const std::string& path) {
    path_ = path;
    last_look_ = std::chrono::steady_clock::now();
    return read(path);
}

void Script_Source::set_text(std::string_view text) {
    path_.clear();
    text_.assign(text);
}

bool Script_Source::reload_if_changed() {
    if (path_.empty()) return false;
    const auto now = std::chrono::steady_clock::now();
    if (now - last_look_ < kLookEvery) return false;
    last_look_ = now;
    const Identity seen = identity_of(path_);
    if (seen == identity_ || seen.size < 0) return false;
    return read(path_);
}
