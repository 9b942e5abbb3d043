#include "tree/iso_tree.h"

#include <algorithm>
#include <utility>

ISO_Tree::ISO_Tree(std::string table_config_file) : table_config_file_(std::move(table_config_file)) {}

void ISO_Tree::reserve(size_t more_nodes) {
    nodes_.reserve(nodes_.size() + more_nodes);
    by_name_.reserve(by_name_.size() + more_nodes);
}

ISO_Tree::~ISO_Tree() {
    for (ISO_Object* node : nodes_) destroy_node(node);
}

void ISO_Tree::clear() {
    for (ISO_Object* node : nodes_) destroy_node(node);
    nodes_.clear();
    by_name_.clear();
    top_level_.clear();
    top_level_ascending_ = true;
    root_ = nullptr;
    arena_.release();
}

void ISO_Tree::link(Child_List& chain, bool& ascending, ISO_Object* node) {
    node->sibling_index = static_cast<uint32_t>(chain.size());
    if (!chain.empty()) {
        chain.back()->next_sibling = node;
        if (node->number < chain.back()->number) ascending = false;
    }
    chain.push_back(node);
    node->found_by_oid = (node->parent == nullptr || node->parent->found_by_oid) &&
                         first_numbered(chain, ascending, node->number) == node;
    index_name(node);
    keep_standard_oid(node);
}

void ISO_Tree::keep_standard_oid(ISO_Object* node) {
    if (!node->is(kind::kLeaf)) return;
    const Oid_Numbers numbers = oid_numbers(node);
    if (numbers.size() < 2 || numbers[0] > 2 || (numbers[0] < 2 && numbers[1] >= 40)) return;
    const uint64_t combined = uint64_t{40} * numbers[0] + numbers[1];
    if (combined > 0xFFFFFFFFull) return;
    Bytes content;
    append_subidentifier(content, static_cast<uint32_t>(combined));
    for (size_t i = 2; i < numbers.size(); ++i) append_subidentifier(content, numbers[i]);
    if (content.size() > 0xFF) return;
    auto* kept = static_cast<uint8_t*>(arena_.allocate(1 + content.size(), 1));
    kept[0] = static_cast<uint8_t>(content.size());
    std::copy(content.begin(), content.end(), kept + 1);
    static_cast<ISO_Leaf*>(node)->keep_standard_oid(kept);
}

ISO_Object* ISO_Tree::link_top_level(ISO_Object* node) {
    node->parent = nullptr;
    if (root_ == nullptr) root_ = node;
    link(top_level_, top_level_ascending_, node);
    return node;
}

ISO_Object* ISO_Tree::link_child(ISO_Object* parent, ISO_Object* node) {
    node->parent = parent;
    if (parent->first_child == nullptr) parent->first_child = node;
    link(parent->children, parent->children_ascending, node);
    return node;
}

void ISO_Tree::index_name(ISO_Object* node) { by_name_.insert(node, precedes); }

// True when a comes before b in the depth-first walk.
bool ISO_Tree::precedes(const ISO_Object* a, const ISO_Object* b) {
    auto chain = [](const ISO_Object* node) {
        std::vector<const ISO_Object*> path;
        for (; node != nullptr; node = node->parent) path.push_back(node);
        std::reverse(path.begin(), path.end());
        return path;
    };
    const auto path_a = chain(a);
    const auto path_b = chain(b);
    const size_t common = std::min(path_a.size(), path_b.size());
    for (size_t i = 0; i < common; ++i) {
        if (path_a[i] != path_b[i]) return path_a[i]->sibling_index < path_b[i]->sibling_index;
    }
    return path_a.size() < path_b.size();  // an ancestor comes before its descendants
}

ISO_Object* ISO_Tree::find_by_name(std::string_view name) const { return by_name_.find(name); }

ISO_Object* ISO_Tree::first_numbered(const Child_List& chain, bool ascending, uint32_t number) {
    if (ascending && !chain.empty()) {
        // Children are mostly numbered one after the other: try the place
        // the number would have then, before searching.
        const uint64_t guess = uint64_t{number} - chain[0]->number;
        if (number >= chain[0]->number && guess < chain.size() && chain[guess]->number == number &&
            (guess == 0 || chain[guess - 1]->number != number))
            return chain[guess];
        const auto it = std::lower_bound(chain.begin(), chain.end(), number,
                                         [](const ISO_Object* node, uint32_t n) { return node->number < n; });
        return it != chain.end() && (*it)->number == number ? *it : nullptr;
    }
    for (ISO_Object* node : chain) {
        if (node->number == number) return node;
    }
    return nullptr;
}

ISO_Object* ISO_Tree::find_child(const ISO_Object* parent, uint32_t number) const {
    return parent == nullptr ? first_numbered(top_level_, top_level_ascending_, number)
                             : first_numbered(parent->children, parent->children_ascending, number);
}

ISO_Object* ISO_Tree::find_by_numbers(const Oid_Numbers& numbers) const {
    if (numbers.empty()) return nullptr;
    ISO_Object* node = first_numbered(top_level_, top_level_ascending_, numbers.front());
    for (size_t i = 1; i < numbers.size() && node != nullptr; ++i)
        node = first_numbered(node->children, node->children_ascending, numbers[i]);
    return node;
}

ISO_Object* ISO_Tree::find_by_oid(const Bytes& subidentifiers) const {
    if (subidentifiers.empty()) return nullptr;
    return find_by_tree_form(subidentifiers);
}

namespace {

// Reads the sub-identifiers of base-128 octets one by one.
class Subidentifier_Reader {
public:
    explicit Subidentifier_Reader(std::span<const uint8_t> octets) : octets_(octets) {}
    bool done() const { return position_ == octets_.size(); }
    size_t position() const { return position_; }
    // The next sub-identifier; false when the octets end inside it or it
    // does not fit in 32 bits.
    bool next(uint32_t& value) {
        uint64_t accumulated = 0;
        while (position_ < octets_.size()) {
            const uint8_t octet = octets_[position_++];
            accumulated = (accumulated << 7) | (octet & 0x7Fu);
            if (accumulated > 0xFFFFFFFFull) return false;
            if ((octet & 0x80) == 0) {
                value = static_cast<uint32_t>(accumulated);
                return true;
            }
        }
        return false;
    }

private:
    std::span<const uint8_t> octets_;
    size_t position_ = 0;
};

}  // namespace

ISO_Object* ISO_Tree::find_by_tree_form(std::span<const uint8_t> octets, ISO_Object* from) const {
    Subidentifier_Reader reader(octets);
    ISO_Object* node = from;
    while (!reader.done()) {
        uint32_t number = 0;
        if (!reader.next(number)) return nullptr;
        node = find_child(node, number);
        if (node == nullptr) return nullptr;
    }
    return node;
}

ISO_Object* Standard_Oid_Finder::find(std::span<const uint8_t> content) {
    // The deepest remembered point that the new octets share with the last.
    size_t common = 0;
    const size_t comparable = std::min(content.size(), last_size_);
    while (common < comparable && content[common] == last_[common]) ++common;
    while (depth_ > 0 && ends_[depth_ - 1] > common) --depth_;

    ISO_Object* node = depth_ > 0 ? path_[depth_ - 1] : nullptr;
    size_t position = depth_ > 0 ? ends_[depth_ - 1] : 0;
    last_size_ = std::min(content.size(), kRemembered);
    std::copy_n(content.begin(), last_size_, last_.begin());
    if (content.size() > kRemembered) depth_ = 0;  // nothing of it is remembered

    Subidentifier_Reader reader(content.subspan(position));
    while (!reader.done()) {
        uint32_t number = 0;
        if (!reader.next(number)) return nullptr;
        if (node == nullptr) {
            // The first sub-identifier holds the first two arcs.
            const uint32_t arc1 = number < 40 ? 0 : number < 80 ? 1 : 2;
            node = tree_.find_child(nullptr, arc1);
            if (node != nullptr) node = tree_.find_child(node, number - 40 * arc1);
        } else {
            node = tree_.find_child(node, number);
        }
        if (node == nullptr) return nullptr;
        if (content.size() <= kRemembered && depth_ < kRemembered) {
            ends_[depth_] = position + reader.position();
            path_[depth_] = node;
            ++depth_;
        }
    }
    return node;
}

ISO_Object* ISO_Tree::find_by_standard(std::span<const uint8_t> content) const {
    Subidentifier_Reader reader(content);
    uint32_t first = 0;
    if (!reader.next(first)) return nullptr;
    const uint32_t arc1 = first < 40 ? 0 : first < 80 ? 1 : 2;
    ISO_Object* node = find_child(nullptr, arc1);
    if (node != nullptr) node = find_child(node, first - 40 * arc1);
    while (node != nullptr && !reader.done()) {
        uint32_t number = 0;
        if (!reader.next(number)) return nullptr;
        node = find_child(node, number);
    }
    return node;
}

ISO_Object* ISO_Tree::find_by_dotted(std::string_view text) const {
    if (text.size() > kMaxDottedText) return nullptr;
    const auto numbers = parse_dotted(text);
    return numbers ? find_by_numbers(*numbers) : nullptr;
}

Oid_Numbers ISO_Tree::oid_numbers(const ISO_Object* node) {
    Oid_Numbers numbers;
    for (; node != nullptr; node = node->parent) numbers.push_back(node->number);
    std::reverse(numbers.begin(), numbers.end());
    return numbers;
}

std::string ISO_Tree::dotted_oid(const ISO_Object* node) { return join_dotted(oid_numbers(node)); }

ISO_Object* ISO_Tree::next_in_walk(const ISO_Object* node) {
    if (node->first_child != nullptr) return node->first_child;
    for (; node != nullptr; node = node->parent) {
        if (node->next_sibling != nullptr) return node->next_sibling;
    }
    return nullptr;
}

std::string ISO_Tree::instances_below(const ISO_Object* top) {
    std::string names;
    bool first = true;
    // The walk stays inside top's subtree: it ends where it would climb past top.
    for (const ISO_Object* node = top->first_child; node != nullptr;) {
        if (node->is(kind::kInstance)) {
            if (!first) names += '\n';
            names += node->name;
            first = false;
        }
        if (node->first_child != nullptr) {
            node = node->first_child;
            continue;
        }
        while (node != top && node->next_sibling == nullptr) node = node->parent;
        node = node == top ? nullptr : node->next_sibling;
    }
    return names;
}

const ISO_Object* ISO_Tree::next_instance(const ISO_Object* start) {
    for (const ISO_Object* node = next_in_walk(start); node != nullptr; node = next_in_walk(node)) {
        if (node->is(kind::kInstance)) return node;
    }
    return nullptr;
}

void ISO_Tree::replace_syntax(std::string_view old_syntax, const std::string& new_syntax) {
    for (ISO_Object* node : nodes_) {
        if (node->object_type && node->object_type->syntax == old_syntax)
            node->object_type->set_syntax(new_syntax);
    }
}

void ISO_Tree::walk(const std::function<void(const ISO_Object&, int depth)>& visit) const {
    int depth = 0;
    for (const ISO_Object* node = root_; node != nullptr;) {
        visit(*node, depth);
        if (node->first_child != nullptr) {
            node = node->first_child;
            ++depth;
            continue;
        }
        while (node != nullptr && node->next_sibling == nullptr) {
            node = node->parent;
            --depth;
        }
        if (node != nullptr) node = node->next_sibling;
    }
}
