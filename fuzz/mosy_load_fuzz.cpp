// The load path on any bytes: both substitution passes, the loader and
// instance creation. Failures must be the tree's own errors, nothing else.
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "tree/instance_builder.h"
#include "tree/iso_tree.h"
#include "tree/mosy_loader.h"
#include "tree/substitution_pass.h"
#include "tree/tree_exception.h"

namespace {

// A table configuration with small row counts, so that instance creation
// stays quick; what the input asks for beyond it is appended.
const std::string& table_config_path() {
    static const std::string path = [] {
        const auto dir = std::filesystem::temp_directory_path() / ("quorvan-fuzz-" + std::to_string(getpid()));
        std::filesystem::create_directories(dir);
        return (dir / "TreeCfg.ini").string();
    }();
    return path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string input(reinterpret_cast<const char*>(data), size);
    std::string once;
    std::string twice;
    const auto quiet = [](const std::string&) {};
    if (!substitute_text(input, once, quiet) || !substitute_text(once, twice, quiet)) return 0;

    {
        std::ofstream config(table_config_path(), std::ios::trunc);
        config << "dynObjNumber = 2\n";
    }
    ISO_Tree tree(table_config_path());
    try {
        load_mosy_text(tree, twice);
        std::ostringstream log;
        create_instances(tree, log);
    } catch (const Tree_Exception&) {
    }
    return 0;
}
