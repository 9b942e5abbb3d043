// Where the compiler keeps the texts of tokens and names: blocks of 16384
// bytes. A token must fit in one block; the number of blocks is bounded so
// that no input can make the compiler take unbounded memory.
#pragma once

#include <cstddef>
#include <memory>
#include <string_view>
#include <unordered_set>
#include <vector>

namespace mibc {

inline constexpr size_t kStringBlockSize = 16384;
// 256 MiB of token text: far above any published MIB module, and enough for
// generated modules of some hundred thousand objects.
inline constexpr size_t kMaxStringBlocks = 16384;

class String_Space {
public:
    enum class Outcome { stored, token_too_big, out_of_space };

    // Copies the text (with a terminating zero) into the space; names are
    // kept once however often they occur.
    Outcome store(std::string_view text, std::string_view& stored);
    Outcome intern(std::string_view text, std::string_view& stored);

    size_t blocks() const { return blocks_.size(); }
    size_t bytes_used() const;

private:
    std::vector<std::unique_ptr<char[]>> blocks_;
    size_t used_in_last_ = kStringBlockSize;
    std::unordered_set<std::string_view> names_;
};

}  // namespace mibc
