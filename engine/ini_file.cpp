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
    if (role == 1 || role == 2) store(role_, role);
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
    connection_type_ = connection_type_of(lines[0]);
    port_name_ = one_line(lines[1]);
    baud_ = sixteen_bits(lines[2]);
    time_out_ = sixteen_bits(lines[3]);
    modem_number_ = one_line(lines[4]);
    role_ = starts_with(lines[5], "FIELD") ? 2 : 1;
    ppp_info_ = one_line(lines[6]);
    return true;
}

bool IniFile::Save() {
    std::lock_guard hold(mutex_);
    std::ofstream out(file_name_, std::ios::binary | std::ios::trunc);
    if (!out) return false;
    out << (connection_type_ == 2 ? "MODEM" : connection_type_ == 1 ? "SERIAL" : "NETWORK") << '\n'
        << port_name_ << '\n'
        << baud_ << '\n'
        << time_out_ << '\n'
        << modem_number_ << '\n'
        << (role_ == 2 ? "FIELD" : "CENTRAL") << '\n'
        << ppp_info_ << '\n';
    return static_cast<bool>(out);
}
