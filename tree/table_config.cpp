#include "tree/table_config.h"

#include <cstdio>
#include <fstream>

#include "tree/text_lines.h"
#include "tree/text_number.h"
#include "tree/tree_exception.h"

void Table_Config::load() {
    // Opened for reading and updating: the file must exist.
    std::fstream file(file_name_, std::ios::in | std::ios::out | std::ios::binary);
    if (!file) throw Tree_Exception(tree_error::kTableConfigOpenFailed);
    file.close();
    const auto text = read_whole_file(file_name_);
    if (!text) throw Tree_Exception(tree_error::kTableConfigOpenFailed);
    text_ = *text;
    loaded_ = true;
}

uint32_t Table_Config::row_count(std::string_view name) {
    if (!loaded_) load();

    if (!name.empty()) {
        if (const size_t hit = text_.find(name); hit != std::string::npos) {
            const size_t start = text_.rfind('\n', hit);
            const size_t line_start = start == std::string::npos ? 0 : start + 1;
            size_t line_end = text_.find('\n', hit);
            if (line_end == std::string::npos) line_end = text_.size();
            const auto fields =
                split_fields(std::string_view(text_).substr(line_start, line_end - line_start), 3);
            return fields.size() >= 3 ? leading_decimal(fields[2]) : 0;
        }
    }

    const uint32_t count = name == "dynObjNumber" ? kDynObjNumberRows : kDefaultRows;
    std::string line(name);
    line += " = " + std::to_string(count) + "\n";
    std::ofstream out(file_name_, std::ios::binary | std::ios::app);
    if (!out) throw Tree_Exception(tree_error::kTableConfigOpenFailed);
    // A file that does not end in a line feed would glue the new line to its last one.
    if (!text_.empty() && text_.back() != '\n') {
        out << '\n';
        text_ += '\n';
    }
    out << line;
    text_ += line;
    return count;
}
