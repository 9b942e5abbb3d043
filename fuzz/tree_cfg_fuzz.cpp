// "TreeCfg.ini" as a user or another program leaves it: any bytes as the
// table configuration under the sample MIB's tables. Instance creation
// either makes the rows the file asks for or refuses with the tree's own
// errors; a file can neither crash it nor make it build without bound.
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "tests/support/sample.h"
#include "tree/instance_builder.h"
#include "tree/iso_tree.h"
#include "tree/mosy_loader.h"
#include "tree/substitution_pass.h"
#include "tree/table_config.h"
#include "tree/tree_exception.h"

namespace {

const std::string& sample_mosy() {
    static const std::string text = [] {
        const auto quiet = [](const std::string&) {};
        std::string once;
        std::string twice;
        substitute_text(read_source_file("mibs/demo.out"), once, quiet);
        substitute_text(once, twice, quiet);
        return twice;
    }();
    return text;
}

const std::string& config_path() {
    static const std::string path = [] {
        const auto dir = std::filesystem::temp_directory_path() / ("quorvan-fuzz-cfg-" + std::to_string(getpid()));
        std::filesystem::create_directories(dir);
        return (dir / "TreeCfg.ini").string();
    }();
    return path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    {
        std::ofstream config(config_path(), std::ios::binary | std::ios::trunc);
        config.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    // The file on its own, for a name taken from its first line.
    Table_Config table(config_path());
    const std::string text(reinterpret_cast<const char*>(data), size);
    try {
        table.row_count(text.substr(0, text.find('\n')));
        table.row_count("dynObjNumber");
    } catch (const Tree_Exception&) {
    }
    ISO_Tree tree(config_path());
    try {
        load_mosy_text(tree, sample_mosy());
        std::ostringstream log;
        create_instances(tree, log);
    } catch (const Tree_Exception&) {
    }
    return 0;
}
