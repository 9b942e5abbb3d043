#include "mibc/string_space.h"

namespace mibc {

String_Space::Outcome String_Space::hold(std::string_view text) {
    const size_t needed = text.size() + 1;  // with its terminating zero
    if (needed > kStringBlockSize) return Outcome::token_too_big;
    if (kStringBlockSize - used_in_last_ < needed) {
        if (blocks_ >= kMaxStringBlocks) return Outcome::out_of_space;
        ++blocks_;
        used_in_last_ = 0;
    }
    used_in_last_ += needed;
    return Outcome::stored;
}

}  // namespace mibc
