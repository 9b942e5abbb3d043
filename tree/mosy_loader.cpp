#include "tree/mosy_loader.h"

#include <algorithm>
#include <memory>
#include <utility>
#include <vector>

#include "tree/iso_tree.h"
#include "tree/text_lines.h"
#include "tree/text_number.h"
#include "tree/tree_exception.h"

namespace {

std::string join_words(const Fields& fields, size_t first, size_t last_exclusive) {
    std::string text;
    for (size_t i = first; i < last_exclusive; ++i) {
        if (i != first) text += ' ';
        text.append(fields[i]);
    }
    return text;
}

ISO_Object* make_node(ISO_Tree& tree, std::string_view class_field, uint32_t number, std::string_view name) {
    if (class_field == "Root" || class_field == "Node") return tree.make<ISO_Node>(number, std::string(name));
    if (class_field == "Table") return tree.make<ISO_Table>(number, std::string(name));
    if (class_field == "Row") return tree.make<ISO_Entry>(number, std::string(name));
    return tree.make<ISO_Leaf>(number, std::string(name));
}

class Loader {
public:
    Loader(ISO_Tree& tree, std::string_view text) : tree_(tree), text_(text), lines_(text) {}

    void run() {
        // Every node has a line in the OID tree and one in the extended tree.
        tree_.reserve(static_cast<size_t>(std::count(text_.begin(), text_.end(), '\n')) / 2);
        find_oid_tree();
        node_pass();
        definitions_pass();
        index_pass();
    }

private:
    bool next(std::string_view& line) { return lines_.next(line, mosy::kMaxLineLength); }
    static Fields fields_of(std::string_view line) { return split_fields(line, mosy::kMaxFields); }

    // Only the definition lines need their fields.
    static bool starts_definition(std::string_view line) {
        const size_t start = line.find_first_not_of(" \t");
        if (start == std::string_view::npos) return false;
        const char first = line[start];
        return first == 'E' || first == 'T' || first == 'S' || first == '*';
    }

    void find_oid_tree() {
        std::string_view line;
        while (next(line)) {
            if (line.find(mosy::kOidTreeMark) != std::string_view::npos) return;
        }
        throw Tree_Exception(tree_error::kNoOidTree);
    }

    void node_pass() {
        std::string_view line;
        while (next(line) && line != mosy::kEndOfOidTree) {
            const Fields fields = fields_of(line);
            if (fields.size() < 4) throw Tree_Exception(tree_error::kTooFewFields);
            create_node(fields);
        }
    }

    // One node line: its class, number, name, object type and place in the tree.
    void create_node(const Fields& fields) {
        if (fields.size() < 4) throw Tree_Exception(tree_error::kTooFewCreateParameters);
        const std::string_view oid = fields[0];
        const size_t last_dot = oid.rfind('.');
        const uint32_t number =
            leading_decimal(last_dot == std::string_view::npos ? oid : oid.substr(last_dot + 1));

        ISO_Object* node = make_node(tree_, fields[3], number, fields[1]);
        if (fields.size() >= 5) {
            const size_t n = fields.size();
            node->object_type = std::make_unique<Object_Type>(
                join_words(fields, 3, n - 2), std::string(fields[n - 2]), std::string(fields[n - 1]));
        }

        ISO_Object* parent = nullptr;
        if (fields[3] == "Root") {
            path_.clear();
            tree_.link_top_level(node);
        } else {
            parent = last_dot == std::string_view::npos ? nullptr : parent_of(oid.substr(0, last_dot));
            // The node made for the line stays unlinked in the tree's arena.
            if (parent == nullptr) throw Tree_Exception(tree_error::kParentNotFound);
            tree_.link_child(parent, node);
        }
        // A node behind an earlier sibling with its number is never found by
        // OID, so its children go under that sibling: it stays off the path.
        if (tree_.find_child(parent, number) == node) path_.emplace_back(oid, node);
    }

    // The node lines come depth first, so a parent is nearly always on the
    // path to the node before; only the others are looked up by OID. The path
    // is left ending at the parent.
    ISO_Object* parent_of(std::string_view parent_oid) {
        while (!path_.empty() && path_.back().first != parent_oid) path_.pop_back();
        if (!path_.empty()) return path_.back().second;
        ISO_Object* parent = tree_.find_by_dotted(parent_oid);
        if (parent != nullptr) path_.emplace_back(parent_oid, parent);
        return parent;
    }

    void definitions_pass() {
        std::string_view line;
        while (!definitions_ended_ && next(line) && line != mosy::kExtendedTreeStart) {
            if (!starts_definition(line)) continue;
            const Fields fields = fields_of(line);
            if (fields.size() == 3 && fields[0].size() > 1 && fields[0].front() == '*' && fields[2] == "(") {
                enumeration(fields[0].substr(1), fields[1]);
                continue;
            }
            if (fields.size() < 4) continue;
            if (fields[0] == "Enum")
                enumeration(fields[1], fields[2]);
            else if (fields[0] == "Textual")
                tree_.replace_syntax(fields[1], join_words(fields, 2, fields.size()));
            else if (fields[0] == "Sequence")
                sequence(fields);
        }
    }

    // "Enum <node> <k> ...", or the compiler's own "*<node> <k> (": the next
    // k lines are "<label> <value>" entries (the compiler closes the list
    // with a ")" line of its own, which the pass skips).
    void enumeration(std::string_view name, std::string_view count_field) {
        const uint32_t count = leading_decimal(count_field);
        ISO_Object* node = tree_.find_by_name(name);
        auto* leaf = node != nullptr && node->is(kind::kLeaf) ? static_cast<ISO_Leaf*>(node) : nullptr;
        std::string_view line;
        for (uint32_t i = 0; i < count && next(line); ++i) {
            if (line == mosy::kExtendedTreeStart) {
                // A list cut short: the section ends here all the same.
                definitions_ended_ = true;
                return;
            }
            if (leaf == nullptr) continue;  // unknown node: its entries are skipped
            const Fields entry = fields_of(line);
            Enum_Entry value;
            if (entry.size() == 2) {
                value.label = std::string(entry[0]);
                value.value = leading_signed_decimal(entry[1]);
            }
            leaf->enumeration.push_back(std::move(value));
        }
    }

    // "Sequence <type> <k> ...": the next k one-word lines are its members;
    // children of the top-level nodes whose syntax names the type get the
    // member list appended.
    void sequence(const Fields& fields) {
        const uint32_t count = leading_decimal(fields[2]);
        std::string members = "{ ";
        std::string_view line;
        for (uint32_t i = 0; i < count && next(line); ++i) {
            const Fields member = fields_of(line);
            if (member.size() == 1) {
                members.append(member[0]);
                members += ' ';
            }
        }
        members += '}';
        for (ISO_Object* top = tree_.root(); top != nullptr; top = top->next_sibling) {
            for (ISO_Object* child = top->first_child; child != nullptr; child = child->next_sibling) {
                if (child->object_type && child->object_type->syntax.find(fields[1]) != std::string::npos)
                    child->object_type->append_syntax(members);
            }
        }
    }

    void index_pass() {
        std::string_view line;
        while (next(line) && line != mosy::kExtendedTreeEnd) {
            if (line.find("seq") == std::string_view::npos) continue;
            const Fields fields = fields_of(line);
            if (fields.size() < 4 || fields[2] != "seq") continue;
            ISO_Object* node = tree_.find_by_name(fields[0]);
            if (node == nullptr) throw Tree_Exception(tree_error::kIndexVariableNotFound);
            if (!node->is(kind::kRow)) continue;
            auto* row = static_cast<ISO_Entry*>(node);
            const size_t count = fields.size() > 4 ? leading_decimal(fields[4]) : 0;
            for (size_t i = 6; i < 6 + count && i < fields.size(); ++i)
                row->index_list.emplace_back(fields[i]);
        }
    }

    ISO_Tree& tree_;
    std::string_view text_;
    Text_Lines lines_;
    std::vector<std::pair<std::string_view, ISO_Object*>> path_;  // dotted OID and node, from the top
    bool definitions_ended_ = false;
};

}  // namespace

void load_mosy_text(ISO_Tree& tree, std::string_view text) { Loader(tree, text).run(); }

void load_mosy_file(ISO_Tree& tree, const std::string& file_name) {
    const auto text = read_whole_file(file_name);
    if (!text) throw Tree_Exception(tree_error::kCannotOpenMosy);
    load_mosy_text(tree, *text);
}
