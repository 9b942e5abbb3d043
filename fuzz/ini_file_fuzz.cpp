// The configuration file on any bytes: it loads, and what it loaded saves as
// seven lines that load back to the same settings.
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "engine/ini_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const std::string path =
        (std::filesystem::temp_directory_path() / ("quorvan-ini-fuzz-" + std::to_string(getpid()))).string();
    {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    IniFile first(path);
    if (!first.Load()) abort();
    first.Save();
    IniFile second(path);
    if (!second.Load()) abort();
    if (first.connection_type() != second.connection_type() || first.port_name() != second.port_name() ||
        first.baud() != second.baud() || first.time_out() != second.time_out() ||
        first.modem_number() != second.modem_number() || first.role() != second.role() ||
        first.ppp_info() != second.ppp_info())
        abort();
    return 0;
}
