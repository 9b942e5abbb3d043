// The tree files step on any "Mibi.out": the copy, "Mibfinal.out" and
// "isotree.txt" are written from whatever the compiler's output holds, or
// the step says it failed; it never reads past what it was given.
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

#include "tree/tree_files.h"

namespace {

const std::string& work_dir() {
    static const std::string path = [] {
        const auto dir = std::filesystem::temp_directory_path() / ("quorvan-fuzz-files-" + std::to_string(getpid()));
        std::filesystem::create_directories(dir);
        return dir.string();
    }();
    return path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    {
        std::ofstream output(work_dir() + "/" + tree_files::kMibOutput, std::ios::binary | std::ios::trunc);
        output.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    write_tree_files(work_dir());
    return 0;
}
