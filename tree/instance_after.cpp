// Get-next in identifier order. The children of a compiled MIB come in
// ascending order, so a chain is mostly walked as it stands; a chain that is
// not ascending is visited through a copy sorted by number.
#include <algorithm>
#include <span>
#include <vector>

#include "tree/iso_tree.h"

namespace {

// A chain's nodes in number order (equal numbers keep their chain order).
class In_Number_Order {
public:
    In_Number_Order(const Child_List& chain, bool ascending) {
        if (ascending) {
            nodes_ = std::span<ISO_Object* const>(chain.begin(), chain.size());
            return;
        }
        sorted_.assign(chain.begin(), chain.end());
        std::stable_sort(sorted_.begin(), sorted_.end(),
                         [](const ISO_Object* a, const ISO_Object* b) { return a->number < b->number; });
        nodes_ = sorted_;
    }
    std::span<ISO_Object* const> nodes() const { return nodes_; }

private:
    std::vector<ISO_Object*> sorted_;
    std::span<ISO_Object* const> nodes_;
};

// The first instance of the subtree in identifier order, the node itself included.
const ISO_Object* first_instance(const ISO_Object* node) {
    if (node->is(kind::kInstance)) return node;
    const In_Number_Order children(node->children, node->children_ascending);
    for (const ISO_Object* child : children.nodes())
        if (const ISO_Object* found = first_instance(child)) return found;
    return nullptr;
}

// The first instance in the chain (at this depth of the identifier) that
// comes after the numbers.
const ISO_Object* after(const Child_List& chain, bool ascending, const Oid_Numbers& numbers, size_t depth) {
    const In_Number_Order ordered(chain, ascending);
    const std::span<ISO_Object* const> nodes = ordered.nodes();
    auto it = nodes.begin();
    if (depth < numbers.size())
        it = std::lower_bound(nodes.begin(), nodes.end(), numbers[depth],
                              [](const ISO_Object* node, uint32_t n) { return node->number < n; });
    for (; it != nodes.end(); ++it) {
        const ISO_Object* node = *it;
        const ISO_Object* found = depth < numbers.size() && node->number == numbers[depth]
                                      ? after(node->children, node->children_ascending, numbers, depth + 1)
                                      : first_instance(node);  // the whole subtree comes after
        if (found != nullptr) return found;
    }
    return nullptr;
}

}  // namespace

const ISO_Object* ISO_Tree::instance_after(const Oid_Numbers& numbers) const {
    return after(top_level_, top_level_ascending_, numbers, 0);
}
