// A text the engine allocated for the caller, freed when it goes.
#pragma once

#include <cstdlib>

struct Engine_Text {
    char* text = nullptr;
    ~Engine_Text() { std::free(text); }
    const char* c_str() const { return text != nullptr ? text : ""; }
};
