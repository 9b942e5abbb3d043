// The MIB compiler on any text: every compile ends with one of its results
// and an error file, writes output only when it succeeds, and never crashes,
// hangs or reads out of bounds. Include directives may name any file; the
// fuzzer's own directory holds only what it wrote.
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "mibc/mib_compiler.h"

namespace {

// A working directory of the fuzzer's own, entered once.
void enter_own_directory() {
    static const bool entered = [] {
        const auto dir = std::filesystem::temp_directory_path() / ("quorvan-mibc-fuzz-" + std::to_string(getpid()));
        std::filesystem::create_directories(dir);
        std::filesystem::current_path(dir);
        return true;
    }();
    (void)entered;
}

size_t file_size(const char* name) {
    std::error_code error;
    const auto size = std::filesystem::file_size(name, error);
    return error ? 0 : static_cast<size_t>(size);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    enter_own_directory();
    {
        std::ofstream input("main.mib", std::ios::binary | std::ios::trunc);
        input.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    // One compiler for the whole run: options carry over between compiles, as in the station.
    static mibc::Mib_Compiler compiler;
    const auto result = compiler.compile("main.mib", "main.out", "main.err");
    switch (result) {
        case mibc::Compile_Result::success:
            if (file_size("main.out") == 0) std::abort();  // success always writes the tree
            break;
        case mibc::Compile_Result::parser_gave_up:
        case mibc::Compile_Result::errors_found:
            if (file_size("main.out") != 0 || file_size("main.err") == 0) std::abort();
            break;
        default:
            std::abort();  // the three files are always there to open
    }
    return 0;
}
