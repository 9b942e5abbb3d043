// The budget for the texts of tokens and names, counted in blocks of 16384
// bytes: a token must fit in one block, and the number of blocks is bounded
// so that no input can make the compiler take unbounded memory. The texts
// themselves stay in the source files' buffers, which live as long as the
// compile; only texts that are made up (none today) would be copied.
#pragma once

#include <cstddef>
#include <string_view>

namespace mibc {

inline constexpr size_t kStringBlockSize = 16384;
// 256 MiB of token text: far above any published MIB module, and enough for
// generated modules of some hundred thousand objects.
inline constexpr size_t kMaxStringBlocks = 16384;

class String_Space {
public:
    enum class Outcome { stored, token_too_big, out_of_space };

    // Counts a text that lives as long as the compile against the budget.
    Outcome hold(std::string_view text);

    size_t blocks() const { return blocks_; }
    size_t bytes_used() const { return blocks_ == 0 ? 0 : (blocks_ - 1) * kStringBlockSize + used_in_last_; }

private:
    size_t blocks_ = 0;
    size_t used_in_last_ = kStringBlockSize;
};

}  // namespace mibc
