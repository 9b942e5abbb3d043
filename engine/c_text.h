// Texts handed to callers of the C interface: allocated with malloc so that
// any caller, in any language, releases them with free().
#pragma once

#include <cstdlib>
#include <cstring>
#include <new>
#include <string_view>

inline char* c_text(std::string_view text) {
    auto* copy = static_cast<char*>(std::malloc(text.size() + 1));
    if (copy == nullptr) throw std::bad_alloc();
    std::memcpy(copy, text.data(), text.size());
    copy[text.size()] = '\0';
    return copy;
}
