#include "tree/instance_builder.h"

#include <memory>
#include <string>
#include <vector>

#include "tree/iso_tree.h"
#include "tree/table_config.h"
#include "tree/tree_exception.h"

namespace {

std::string child_name(const ISO_Object& parent, uint32_t number) {
    return parent.name + "." + std::to_string(number);
}

class Instance_Builder {
public:
    Instance_Builder(ISO_Tree& tree, std::ostream& log)
        : tree_(tree), log_(log), config_(tree.table_config_file()) {}

    void run() {
        // A first walk counts the nodes to be made, so that the tree makes
        // room for all of them at once; it asks the table configuration the
        // same questions in the same order as the second, which makes them.
        counting_ = true;
        walk();
        tree_.reserve(counted_);
        counting_ = false;
        walk();
    }

private:
    void walk() {
        // Depth first; a Row's columns and the instances made are not visited.
        std::vector<ISO_Object*> pending;
        if (tree_.root() != nullptr) pending.push_back(tree_.root());
        while (!pending.empty()) {
            ISO_Object* node = pending.back();
            pending.pop_back();
            if (node->next_sibling != nullptr) pending.push_back(node->next_sibling);
            if (node->is(kind::kInstance)) {
                fault(tree_error::kInstanceOfInstance);
                return;
            }
            if (node->is(kind::kLeaf)) {
                if (!scalar(*node)) return;
            } else if (node->is(kind::kRow) && node->first_child != nullptr) {
                if (!row(static_cast<ISO_Entry&>(*node))) return;
            } else if (!node->is(kind::kRow) && node->first_child != nullptr) {
                pending.push_back(node->first_child);
            }
        }
    }

    // The counting walk stops where the making walk will raise the error.
    void fault(const char* error) {
        if (!counting_) throw Tree_Exception(error);
    }

    // False where the walk ends.
    bool scalar(ISO_Object& leaf) {
        if (leaf.first_child != nullptr) {
            fault(tree_error::kInstanceExists);
            return false;
        }
        if (leaf.parent != nullptr && leaf.parent->is(kind::kRow)) {
            fault(tree_error::kScalarOfTabular);
            return false;
        }
        if (counting_) {
            ++counted_;
            return true;
        }
        tree_.add_child<Iso_Instance>(&leaf, 0, leaf.name + ".0");
        log_ << leaf.name << '\n';
        return true;
    }

    bool row(ISO_Entry& entry) {
        const size_t levels = entry.index_list.size();
        if (levels == 0) {
            if (counting_) return true;
            log_ << entry.name << " has no index variables: no rows created\n";
            log_ << entry.name << '\n';
            return true;
        }
        std::vector<uint32_t> counts;
        uint64_t total = 1;
        for (const std::string& variable : entry.index_list) {
            try {
                counts.push_back(config_.row_count(variable));
            } catch (const Tree_Exception&) {
                if (!counting_) throw;
                return false;  // the making walk stops here with the error
            }
            total *= counts.back();
            if (total > instances::kMaxPerColumn) {
                fault(tree_error::kTooManyRows);
                return false;
            }
        }
        const uint64_t instances_per_column = total;
        // Groups: one per index value on every level but the last.
        uint64_t groups_per_column = 0;
        total = 1;
        for (size_t level = 0; level + 1 < levels; ++level) {
            total *= counts[level];
            groups_per_column += total;
            if (total > instances::kMaxPerColumn) {
                fault(tree_error::kTooManyRows);
                return false;
            }
        }
        if (counting_) {
            for (const ISO_Object* column = entry.first_child; column != nullptr; column = column->next_sibling)
                counted_ += instances_per_column + groups_per_column;
            return true;
        }

        for (ISO_Object* column = entry.first_child; column != nullptr; column = column->next_sibling) {
            if (levels == 1) {
                column->children.reserve(counts[0]);
                for (uint32_t i = 1; i <= counts[0]; ++i) {
                    tree_.add_child<Iso_Instance>(column, i, child_name(*column, i));
                    log_ << column->name << '\n';
                }
            } else {
                add_level(*column, counts, 0);
            }
        }
        log_ << entry.name << '\n';
        return true;
    }

    void add_level(ISO_Object& parent, const std::vector<uint32_t>& counts, size_t level) {
        const bool last = level + 1 == counts.size();
        parent.children.reserve(counts[level]);
        for (uint32_t i = 1; i <= counts[level]; ++i) {
            if (last) {
                tree_.add_child<Iso_Instance>(&parent, i, child_name(parent, i));
            } else {
                ISO_Object* group =
                    tree_.add_child<ISO_Group_Inst>(&parent, i, child_name(parent, i));
                add_level(*group, counts, level + 1);
            }
        }
    }

    ISO_Tree& tree_;
    std::ostream& log_;
    Table_Config config_;
    bool counting_ = false;
    size_t counted_ = 0;
};

}  // namespace

void create_instances(ISO_Tree& tree, std::ostream& instance_log) { Instance_Builder(tree, instance_log).run(); }
