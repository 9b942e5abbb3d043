#include "dynobj/dynamic_object.h"

#include "tree/iso_tree.h"
#include "tree/oid.h"

namespace {

const ISO_Object* column_node(const ISO_Tree& tree, const char* column, uint8_t number) {
    const ISO_Object* node = tree.find_by_name(std::string(column) + "." + std::to_string(number));
    if (node == nullptr) throw Dyn_Obj_Exception(dynobj_text::kLoadFailed);
    return node;
}

// The rows of a column for one dynamic object are the instances below its
// node, in index order; they end with the node's children.
const Iso_Instance* row(const ISO_Object* column, size_t k) {
    if (column == nullptr || k == 0 || k > column->children.size()) return nullptr;
    const ISO_Object* node = column->children[k - 1];
    return node->is(kind::kInstance) ? static_cast<const Iso_Instance*>(node) : nullptr;
}

// The object a variable row names: its value is the standard content of an
// identifier.
const ISO_Object* named_object(const ISO_Tree& tree, const Iso_Instance& variable) {
    const auto tree_form = tree_from_standard(variable.value);
    return tree_form ? tree.find_by_oid(*tree_form) : nullptr;
}

// A variable row never set: empty, or 0.0 as a device answers an
// identifier nobody has set.
bool names_nothing(const Bytes& standard) { return standard.empty() || standard == Bytes{0x00}; }

}  // namespace

void Dynamic_Object::initialize(uint8_t number, const ISO_Tree& tree) {
    number_ = number;
    number_node_ = column_node(tree, dynobj_column::kNumber, number);
    index_node_ = column_node(tree, dynobj_column::kIndex, number);
    variable_node_ = column_node(tree, dynobj_column::kVariable, number);
    owner_node_ = column_node(tree, dynobj_column::kOwner, number);
    status_node_ = column_node(tree, dynobj_column::kStatus, number);
}

uint8_t Dynamic_Object::active_entry_count() const {
    uint8_t count = 0;
    while (count < 255 && status_byte(count + 1u) == kActive) ++count;
    return count;
}

uint8_t Dynamic_Object::status_byte(size_t k) const {
    const Iso_Instance* status = row(status_node_, k);
    return status != nullptr && !status->value.empty() ? status->value.front() : 0;
}

std::string Dynamic_Object::owner_text(size_t k) const {
    const Iso_Instance* owner = row(owner_node_, k);
    return owner != nullptr ? std::string(owner->value.begin(), owner->value.end()) : std::string();
}

std::vector<Dyn_Obj_Row> Dynamic_Object::rows_in_use(const ISO_Tree& tree) const {
    std::vector<Dyn_Obj_Row> rows;
    const uint8_t count = active_entry_count();
    for (size_t k = 1; k <= count; ++k) {
        const Iso_Instance* variable = row(variable_node_, k);
        const ISO_Object* object = variable != nullptr ? named_object(tree, *variable) : nullptr;
        if (object == nullptr) throw Dyn_Obj_Exception(dynobj_text::kInvalidVariable);
        rows.push_back({object, owner_text(k), status_byte(k)});
    }
    return rows;
}

std::string Dynamic_Object::variable_names(const ISO_Tree& tree) const {
    std::string names;
    for (size_t k = 1;; ++k) {
        const Iso_Instance* variable = row(variable_node_, k);
        if (variable == nullptr || names_nothing(variable->value)) break;
        const ISO_Object* object = named_object(tree, *variable);
        if (object == nullptr) return "";
        if (k > 1) names += '\n';
        names += object->name;
    }
    return names;
}
