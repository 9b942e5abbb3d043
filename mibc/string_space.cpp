#include "mibc/string_space.h"

#include <cstring>

namespace mibc {

String_Space::Outcome String_Space::store(std::string_view text, std::string_view& stored) {
    const size_t needed = text.size() + 1;
    if (needed > kStringBlockSize) return Outcome::token_too_big;
    if (kStringBlockSize - used_in_last_ < needed) {
        if (blocks_.size() >= kMaxStringBlocks) return Outcome::out_of_space;
        blocks_.push_back(std::make_unique<char[]>(kStringBlockSize));
        used_in_last_ = 0;
    }
    char* place = blocks_.back().get() + used_in_last_;
    if (!text.empty()) std::memcpy(place, text.data(), text.size());
    place[text.size()] = '\0';
    used_in_last_ += needed;
    stored = std::string_view(place, text.size());
    return Outcome::stored;
}

String_Space::Outcome String_Space::intern(std::string_view text, std::string_view& stored) {
    if (const auto found = names_.find(text); found != names_.end()) {
        stored = *found;
        return Outcome::stored;
    }
    const Outcome outcome = store(text, stored);
    if (outcome == Outcome::stored) names_.insert(stored);
    return outcome;
}

size_t String_Space::bytes_used() const {
    return blocks_.empty() ? 0 : (blocks_.size() - 1) * kStringBlockSize + used_in_last_;
}

}  // namespace mibc
