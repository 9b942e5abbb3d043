#include "cli/mib_source.h"

#include <filesystem>
#include <fstream>
#include <sstream>

int32_t mib_compile_flag() { return std::filesystem::exists(kMibSource) ? 1 : 0; }

std::string file_text(const std::string& name) {
    std::ifstream in(name, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return std::move(text).str();
}
