#include "tests/support/temp_dir.h"

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <vector>

Temp_Dir::Temp_Dir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "quorvan-test-XXXXXX").string();
    std::vector<char> buffer(pattern.begin(), pattern.end());
    buffer.push_back('\0');
    if (mkdtemp(buffer.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
    path_ = buffer.data();
}

Temp_Dir::~Temp_Dir() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

void Temp_Dir::write(const std::string& name, const std::string& text) const {
    std::ofstream out(file(name), std::ios::binary | std::ios::trunc);
    out << text;
}

std::string Temp_Dir::read(const std::string& name) const {
    std::ifstream in(file(name), std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

bool Temp_Dir::exists(const std::string& name) const { return std::filesystem::exists(file(name)); }

Working_Directory::Working_Directory(const std::string& path)
    : previous_(std::filesystem::current_path().string()) {
    std::filesystem::current_path(path);
}

Working_Directory::~Working_Directory() {
    std::error_code ignored;
    std::filesystem::current_path(previous_, ignored);
}
