#include "mibc/options.h"

#include <cctype>

namespace mibc {

bool Option_Set::push() {
    if (stack_.size() >= kOptionStackDepth) return false;
    stack_.push_back(mask_);
    return true;
}

bool Option_Set::pop() {
    if (stack_.empty()) return false;
    mask_ = stack_.back();
    stack_.pop_back();
    return true;
}

std::string Option_Set::add(std::string_view letters) { return change(letters, true); }
std::string Option_Set::remove(std::string_view letters) { return change(letters, false); }

std::string Option_Set::change(std::string_view letters, bool on) {
    std::string unknown;
    for (const char c : letters) {
        if (c == ' ' || c == '\t') continue;
        const char upper = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        bool found = false;
        for (const auto& option : kOptionLetters) {
            if (option.letter != upper) continue;
            on ? set(option.bit) : clear(option.bit);
            found = true;
        }
        if (!found) unknown += c;
    }
    return unknown;
}

std::string Option_Set::listing() const {
    std::string text = "options:";
    for (const auto& option : kOptionLetters) {
        if (has(option.bit)) {
            text += ' ';
            text += option.letter;
        }
    }
    if (mask_ == 0) text += " **none set**";
    text += '\n';
    return text;
}

}  // namespace mibc
