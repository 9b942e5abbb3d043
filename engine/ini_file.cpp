#include "engine/ini_file.h"

#include <fstream>
#include <string_view>

#include "tree/text_lines.h"
#include "tree/text_number.h"

namespace {

bool starts_with(std::string_view text, std::string_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

uint16_t sixteen_bits(std::string_view line) {
    const uint32_t value = leading_decimal(line);
    return static_cast<uint16_t>(value > 0xFFFF ? 0xFFFF : value);
}

int32_t connection_type_of(std::string_view line) {
    if (starts_with(line, "SERIAL")) return 1;
    if (starts_with(line, "MODEM")) return 2;
    if (starts_with(line, "NETWORK")) return 3;
    return 1;
}

}  // namespace

IniFile::IniFile(std::string file_name) : file_name_(std::move(file_name)) {}

IniFile::~IniFile() { Save(); }

std::string IniFile::one_line(std::string_view text) {
    text = text.substr(0, text.find_first_of("\r\n"));
    return std::string(text.substr(0, kMaxLineLength));
}

void IniFile::set_role(int32_t role) {
    if (role == 1 || role == 2) store(&Settings::role, role);
}

bool IniFile::Load() {
    const auto text = read_whole_file(file_name_);
    if (!text) return false;
    std::lock_guard hold(mutex_);
    Text_Lines reader(*text);
    std::string lines[7];
    for (std::string& line : lines) {
        std::string_view read;
        if (reader.next(read, kMaxLineLength)) line.assign(read);
    }
    Settings& loaded = current_;
    loaded.connection_type = connection_type_of(lines[0]);
    loaded.port_name = one_line(lines[1]);
    loaded.baud = sixteen_bits(lines[2]);
    loaded.time_out = sixteen_bits(lines[3]);
    loaded.modem_number = one_line(lines[4]);
    loaded.role = starts_with(lines[5], "FIELD") ? 2 : 1;
    loaded.ppp_info = one_line(lines[6]);
    kept_ = loaded;
    return true;
}

bool IniFile::Save() {
    std::lock_guard hold(mutex_);
    std::ofstream out(file_name_, std::ios::binary | std::ios::trunc);
    if (!out) return false;
    const Settings& kept = kept_;
    out << (kept.connection_type == 2 ? "MODEM" : kept.connection_type == 1 ? "SERIAL" : "NETWORK") << '\n'
        << kept.port_name << '\n'
        << kept.baud << '\n'
        << kept.time_out << '\n'
        << kept.modem_number << '\n'
        << (kept.role == 2 ? "FIELD" : "CENTRAL") << '\n'
        << kept.ppp_info << '\n';
    return static_cast<bool>(out);
}
