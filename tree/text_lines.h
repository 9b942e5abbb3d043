// Reading the line-oriented text files of the station: whole files, bounded
// lines and blank-separated fields.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

// The whole content of a file; nothing when it cannot be opened or read.
std::optional<std::string> read_whole_file(const std::string& path);

// Writes the text as the whole content of a file; false when that fails.
bool write_whole_file(const std::string& path, std::string_view text);

// Walks the lines of a text. A line is handed out without its line feed and
// without a carriage return before it; a line longer than the limit is cut
// there and the rest of it skipped.
class Text_Lines {
public:
    explicit Text_Lines(std::string_view text) : text_(text) {}
    bool next(std::string_view& line, size_t max_length);

private:
    std::string_view text_;
    size_t pos_ = 0;
};

// The blank-separated fields of one line, held without allocating.
class Fields {
public:
    static constexpr size_t kCapacity = 20;

    size_t size() const { return count_; }
    bool empty() const { return count_ == 0; }
    std::string_view operator[](size_t i) const { return fields_[i]; }
    void push_back(std::string_view field) { fields_[count_++] = field; }

private:
    std::array<std::string_view, kCapacity> fields_{};
    size_t count_ = 0;
};

// Splits at blanks, tabs, carriage returns and line feeds; at most max_fields
// (up to Fields::kCapacity) fields are returned, the rest of the text is dropped.
Fields split_fields(std::string_view text, size_t max_fields = Fields::kCapacity);
