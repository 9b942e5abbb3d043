// The MIB compiler on any text: every compile ends with one of its results
// and an error file, writes output only when it succeeds, and never crashes,
// hangs or reads out of bounds. Include directives may name any file
// (only regular files are read).
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "mibc/mib_compiler.h"

namespace {

// A directory of the fuzzer's own for the three files (libFuzzer's working
// directory stays as it is: it writes the corpus there).
const std::filesystem::path& own_directory() {
    static const std::filesystem::path dir = [] {
        auto path = std::filesystem::temp_directory_path() / ("quorvan-mibc-fuzz-" + std::to_string(getpid()));
        std::filesystem::create_directories(path);
        return path;
    }();
    return dir;
}

size_t file_size(const std::string& name) {
    std::error_code error;
    const auto size = std::filesystem::file_size(name, error);
    return error ? 0 : static_cast<size_t>(size);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string input = (own_directory() / "main.mib").string();
    const std::string output = (own_directory() / "main.out").string();
    const std::string errors = (own_directory() / "main.err").string();
    {
        std::ofstream file(input, std::ios::binary | std::ios::trunc);
        file.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    // A compiler of its own per input, so that an option one input sets (the
    // parser trace, say) does not slow down every later one.
    mibc::Mib_Compiler compiler;
    const auto result = compiler.compile(input, output, errors);
    switch (result) {
        case mibc::Compile_Result::success:
            if (file_size(output) == 0) std::abort();  // success always writes the tree
            break;
        case mibc::Compile_Result::parser_gave_up:
        case mibc::Compile_Result::errors_found:
            if (file_size(output) != 0 || file_size(errors) == 0) std::abort();
            break;
        default:
            std::abort();  // the three files are always there to open
    }
    return 0;
}
