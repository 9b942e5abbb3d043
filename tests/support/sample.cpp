#include "tests/support/sample.h"

#include <fstream>
#include <iterator>
#include <stdexcept>

#include "tests/support/temp_dir.h"

std::string source_file(const std::string& relative_path) {
    return std::string(QUORVAN_SOURCE_DIR) + "/" + relative_path;
}

std::string read_source_file(const std::string& relative_path) {
    std::ifstream in(source_file(relative_path), std::ios::binary);
    if (!in) throw std::runtime_error("missing source file " + relative_path);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

void copy_sample_into(const Temp_Dir& dir) {
    dir.write("Mibi.out", read_source_file("mibs/demo.out"));
    dir.write("TreeCfg.ini", read_source_file("mibs/TreeCfg.ini"));
}
