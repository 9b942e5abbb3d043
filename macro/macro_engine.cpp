#include "macro/macro_engine.h"

#include <fstream>
#include <iterator>

bool Macro_Engine::create_file(const std::string& name) {
    std::ofstream file(name, std::ios::trunc);
    return static_cast<bool>(file);
}

bool Macro_Engine::append_file(const std::string& name, std::string_view text) {
    std::ofstream file(name, std::ios::app);
    if (!file) return false;
    file << text;
    return static_cast<bool>(file);
}

std::optional<std::string> Macro_Engine::read_file(const std::string& name) {
    std::ifstream file(name);
    if (!file) return std::nullopt;
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}
