// A text the engine handed over (allocated with malloc), freed with the holder.
#pragma once

#include <cstdlib>
#include <string>

struct Owned_Text {
    char* text = nullptr;
    ~Owned_Text() { std::free(text); }
    std::string str() const { return text != nullptr ? text : "(none)"; }
};
