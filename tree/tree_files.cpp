#include "tree/tree_files.h"

#include <string_view>
#include <vector>

#include "tree/mosy_loader.h"
#include "tree/text_lines.h"

namespace {

std::string in(const std::string& directory, const char* name) { return directory + "/" + name; }

bool starts_with(std::string_view text, std::string_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

// The lines after the first line that begins with start_mark, up to end_mark
// or an empty line.
std::vector<std::string> section(std::string_view text, std::string_view start_mark,
                                 std::string_view end_mark) {
    std::vector<std::string> lines;
    Text_Lines reader(text);
    std::string_view line;
    bool inside = false;
    while (reader.next(line, std::string::npos)) {
        if (!inside) {
            inside = starts_with(line, start_mark);
            continue;
        }
        if (line == end_mark || line.empty()) break;
        lines.emplace_back(line);
    }
    return lines;
}

std::string mib_final(std::string_view copy, std::string_view original) {
    const auto nodes = section(copy, "OID tree", mosy::kEndOfOidTree);
    const auto extended = section(original, "-- Extended Mosy OID", mosy::kExtendedTreeEnd);
    std::string text;
    for (size_t i = 0; i < nodes.size(); ++i) {
        const auto fields = split_fields(nodes[i], 1);
        if (fields.empty()) continue;
        text.append(fields[0]);
        text += ' ';
        if (i < extended.size()) text += extended[i];
        text += '\n';
    }
    text += mosy::kEndOfOidTree;
    text += "\nend\n";
    return text;
}

// Builds the browser's tree from Mibfinal.out: the depth of a node is the
// number of its OID's components less one.
std::string iso_tree(std::string_view final_text) {
    std::string text;
    std::vector<bool> is_row;  // by depth: whether the node there is a table row
    Text_Lines reader(final_text);
    std::string_view line;
    while (reader.next(line, std::string::npos)) {
        if (line == mosy::kEndOfOidTree) break;
        const auto fields = split_fields(line, 4);
        if (fields.size() < 4) continue;
        size_t depth = 0;
        for (char c : fields[0]) depth += c == '.';
        const std::string_view name = fields[1];
        const std::string_view kind = fields[3];

        is_row.resize(depth + 1);
        const bool row = kind == "seq" || kind == "Row";
        is_row[depth] = row;
        text.append(depth, '\t');
        text.append(name);
        text += '\n';

        const bool interior = kind == "Root" || kind == "Node" || kind == "Table" || row ||
                              starts_with(kind, "**");
        if (!interior) {
            const bool column = depth > 0 && is_row[depth - 1];
            text.append(depth + 1, '\t');
            text.append(name);
            text += column ? ".X\n" : ".0\n";
        }
    }
    return text;
}

}  // namespace

bool write_tree_files(const std::string& directory) {
    const auto original = read_whole_file(in(directory, tree_files::kMibOutput));
    if (!original || !write_whole_file(in(directory, tree_files::kMibCopy), *original)) return false;
    const std::string final_text = mib_final(*original, *original);
    return write_whole_file(in(directory, tree_files::kMibFinal), final_text) &&
           write_whole_file(in(directory, tree_files::kIsoTree), iso_tree(final_text));
}
