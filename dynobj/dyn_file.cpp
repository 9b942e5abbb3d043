#include "dynobj/dyn_file.h"

#include <charconv>
#include <fstream>
#include <iterator>
#include <sstream>

namespace {

using namespace dyn_file;

std::string where(int record, const std::string& what) {
    return "Dynamic object file, record " + std::to_string(record) + ": " + what;
}

void check(const Dyn_Obj_Record& record, int position) {
    if (record.number < 1 || record.number > 13)
        throw Dyn_File_Exception(where(position, "the number must be from 1 to 13"));
    if (record.owner.size() > kMostText)
        throw Dyn_File_Exception(where(position, "the owner is longer than 49 characters"));
    if (record.community.size() > kMostText)
        throw Dyn_File_Exception(where(position, "the community name is longer than 49 characters"));
    if (record.names.size() > kMostNames)
        throw Dyn_File_Exception(where(position, "more than 26 variables"));
    for (const std::string& name : record.names) {
        if (name.empty() || name.size() > kMostName)
            throw Dyn_File_Exception(where(position, "a variable name is empty or longer than 31 characters"));
    }
}

bool read_int(const std::string& text, int& value) {
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return !text.empty() && error == std::errc() && end == text.data() + text.size();
}

// The lines of a text, CR LF or LF ended.
std::vector<std::string> lines_of(const std::string& text) {
    std::vector<std::string> lines;
    std::string line;
    std::istringstream in(text);
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

}  // namespace

std::string write_dyn_file(const Dyn_Obj_Records& records) {
    std::string text;
    int position = 0;
    for (const auto& [number, record] : records) {
        check(record, ++position);
        const auto line = [&](const std::string& field) { text += field + kLineEnd; };
        line(std::to_string(record.number));
        line(record.owner.empty() ? kNoOwner : record.owner);
        line(record.community.empty() ? kNoCommunity : record.community);
        line(std::to_string(record.group ? 0 : record.address));
        line(record.group ? "1" : "0");
        line(record.edit ? "1" : "0");
        line(std::to_string(record.names.size()));
        for (const std::string& name : record.names) line(name);
        line("");
    }
    return text;
}

std::vector<Dyn_Obj_Record> read_dyn_file(const std::string& text) {
    const std::vector<std::string> lines = lines_of(text);
    std::vector<Dyn_Obj_Record> records;
    size_t at = 0;
    int previous = 0;
    while (records.size() < static_cast<size_t>(kMostRecords) && at < lines.size() && !lines[at].empty()) {
        const int position = static_cast<int>(records.size()) + 1;
        if (lines.size() - at < 7) throw Dyn_File_Exception(where(position, "the record is cut short"));
        Dyn_Obj_Record record;
        int count = 0;
        if (!read_int(lines[at], record.number)) throw Dyn_File_Exception(where(position, "the number is not a number"));
        record.owner = lines[at + 1];
        record.community = lines[at + 2];
        if (!read_int(lines[at + 3], record.address) || record.address < 0)
            throw Dyn_File_Exception(where(position, "the address is not a number"));
        record.group = lines[at + 4] == "1";
        record.edit = lines[at + 5] == "1";
        if (!read_int(lines[at + 6], count) || count < 0)
            throw Dyn_File_Exception(where(position, "the count of variables is not a number"));
        if (static_cast<size_t>(count) > kMostNames) throw Dyn_File_Exception(where(position, "more than 26 variables"));
        at += 7;
        if (lines.size() - at < static_cast<size_t>(count)) throw Dyn_File_Exception(where(position, "the record is cut short"));
        record.names.assign(lines.begin() + static_cast<std::ptrdiff_t>(at),
                            lines.begin() + static_cast<std::ptrdiff_t>(at) + count);
        at += static_cast<size_t>(count);
        if (at < lines.size() && !lines[at].empty())
            throw Dyn_File_Exception(where(position, "the record is not followed by an empty line"));
        ++at;
        check(record, position);
        if (record.number <= previous)
            throw Dyn_File_Exception(where(position, "the numbers are not in ascending order"));
        previous = record.number;
        records.push_back(std::move(record));
    }
    return records;
}

std::vector<Dyn_Obj_Record> load_dyn_file(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw Dyn_File_Exception("Cannot open the dynamic object file " + path);
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    return read_dyn_file(text);
}

void save_dyn_file(const std::string& path, const Dyn_Obj_Records& records) {
    const std::string text = write_dyn_file(records);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out || !out.write(text.data(), static_cast<std::streamsize>(text.size())) || !out.flush())
        throw Dyn_File_Exception("Cannot write the dynamic object file " + path);
}
