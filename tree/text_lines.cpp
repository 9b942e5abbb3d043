#include "tree/text_lines.h"

#include <fstream>

std::optional<std::string> read_whole_file(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    std::string text;
    // Read at the size the file has now, then whatever more it has by then.
    in.seekg(0, std::ios::end);
    const std::streamoff size = in.tellg();
    in.seekg(0, std::ios::beg);
    if (size > 0) {
        text.resize(static_cast<size_t>(size));
        in.read(text.data(), size);
        text.resize(static_cast<size_t>(in.gcount()));
    }
    char buffer[1 << 12];
    in.clear();
    while (in.read(buffer, sizeof buffer) || in.gcount() > 0)
        text.append(buffer, static_cast<size_t>(in.gcount()));
    if (in.bad()) return std::nullopt;
    return text;
}

bool write_whole_file(const std::string& path, std::string_view text) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out) return false;
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
    out.close();
    return static_cast<bool>(out);
}

bool Text_Lines::next(std::string_view& line, size_t max_length) {
    if (pos_ >= text_.size()) return false;
    size_t end = text_.find('\n', pos_);
    if (end == std::string_view::npos) end = text_.size();
    line = text_.substr(pos_, end - pos_);
    pos_ = end + 1;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.size() > max_length) line = line.substr(0, max_length);
    return true;
}

Fields split_fields(std::string_view text, size_t max_fields) {
    auto separator = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    if (max_fields > Fields::kCapacity) max_fields = Fields::kCapacity;
    Fields fields;
    size_t pos = 0;
    while (pos < text.size() && fields.size() < max_fields) {
        while (pos < text.size() && separator(text[pos])) ++pos;
        if (pos == text.size()) break;
        size_t end = pos;
        while (end < text.size() && !separator(text[end])) ++end;
        fields.push_back(text.substr(pos, end - pos));
        pos = end;
    }
    return fields;
}
