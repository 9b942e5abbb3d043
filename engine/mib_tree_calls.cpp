// The object-tree calls of the MIB.
#include <algorithm>
#include <cstring>
#include <string_view>

#include "engine/mib.h"
#include "tree/instance_value.h"
#include "tree/text_number.h"
#include "tree/tree_listing.h"

namespace {

constexpr int32_t kFoundNode = 0;
constexpr int32_t kFoundLeafOrGroup = 2;
constexpr int32_t kSetUnknownName = 2;

// A name, or else a dotted OID from the root whose components are separated
// by points or blanks.
const ISO_Object* find_name_or_oid(const ISO_Tree& tree, std::string_view text) {
    if (const ISO_Object* node = tree.find_by_name(text)) return node;
    const auto numbers = parse_dotted(text, /*blanks_separate=*/true);
    return numbers ? tree.find_by_numbers(*numbers) : nullptr;
}

struct Info_Bounds {
    int32_t neg_lower = 0, neg_upper = 0, lower = 0, upper = 0;
};

// The number at the start of the text: a leading "-" makes it negative, the
// magnitude is kept as its 32 bits.
struct Bound_Text {
    bool negative = false;
    uint32_t magnitude = 0;
};

Bound_Text read_bound_text(std::string_view text) {
    Bound_Text bound;
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    if (!text.empty() && text.front() == '-') {
        bound.negative = true;
        text.remove_prefix(1);
    }
    bound.magnitude = leading_decimal(text);
    return bound;
}

// The bounds a caller sees for an instance, read from the syntax: a
// Counter or Gauge is 0 to 0xFFFFFFFF, "INTEGER (a..b)" is a to b, with a
// negative bound in its own field; everything else 0.
Info_Bounds info_bounds(const Object_Type& type) {
    Info_Bounds bounds;
    if (type.syntax_code() == syntax::kCounter || type.syntax_code() == syntax::kGauge) {
        bounds.upper = static_cast<int32_t>(0xFFFFFFFFu);
        return bounds;
    }
    const std::string_view syntax_text = type.syntax;
    if (syntax_text.substr(0, 7) != "INTEGER") return bounds;
    const size_t open = syntax_text.find('(');
    if (open == std::string_view::npos) return bounds;
    const Bound_Text low = read_bound_text(syntax_text.substr(open + 1));
    Bound_Text high;
    if (const size_t dots = syntax_text.find("..", open); dots != std::string_view::npos)
        high = read_bound_text(syntax_text.substr(dots + 2));
    auto as_int = [](const Bound_Text& b) {
        return static_cast<int32_t>(b.negative ? 0u - b.magnitude : b.magnitude);
    };
    (low.negative ? bounds.neg_lower : bounds.lower) = as_int(low);
    (high.negative ? bounds.neg_upper : bounds.upper) = as_int(high);
    return bounds;
}

}  // namespace

std::optional<Node_Facts> Mib::node_facts(const char* name) const {
    if (name == nullptr) return std::nullopt;
    auto hold = tree_.read_lock();
    const ISO_Object* node = find_name_or_oid(tree_, name);
    if (node == nullptr) return std::nullopt;

    Node_Facts facts;
    facts.name = node->name;
    facts.oid = ISO_Tree::dotted_oid(node);
    auto take_type = [&facts](const Object_Type* type) {
        if (type == nullptr) return;
        facts.syntax = type->syntax;
        facts.access = type->access;
        facts.status = type->status;
        facts.further = type->further1;
    };
    facts.result = kFoundNode;
    if (node->is(kind::kInstance)) {
        const auto& instance = static_cast<const Iso_Instance&>(*node);
        facts.instance_text = instance.instance_text;
        Rendered_Value rendered = render_value(instance);
        facts.value = std::move(rendered.text);
        facts.value_type = rendered.type;
        const Object_Type* type = object_type_of(node);
        if (type != nullptr) {
            const Info_Bounds bounds = info_bounds(*type);
            facts.neg_lower = bounds.neg_lower;
            facts.neg_upper = bounds.neg_upper;
            facts.lower = bounds.lower;
            facts.upper = bounds.upper;
        }
        take_type(type);
    } else if (node->is(kind::kLeaf) || node->is(kind::kGroup)) {
        take_type(object_type_of(node));
        facts.result = kFoundLeafOrGroup;
    }
    return facts;
}

std::optional<std::string> Mib::node_objects(const char* name) const {
    if (name == nullptr) return std::nullopt;
    auto hold = tree_.read_lock();
    const ISO_Object* node = tree_.find_by_name(name);
    if (node == nullptr || node->first_child == nullptr) return std::nullopt;
    return ISO_Tree::instances_below(node);
}

std::optional<std::string> Mib::next_instance(const char* name) const {
    if (name == nullptr) return std::nullopt;
    auto hold = tree_.read_lock();
    const ISO_Object* node = tree_.find_by_name(name);
    if (node == nullptr) return std::nullopt;
    const ISO_Object* instance = ISO_Tree::next_instance(node);
    if (instance == nullptr) return std::nullopt;
    return instance->name;
}

std::optional<Column_Index> Mib::column_index(const char* name, size_t most_levels) const {
    if (name == nullptr) return std::nullopt;
    auto hold = tree_.read_lock();
    const ISO_Object* node = tree_.find_by_name(name);
    if (node == nullptr || node->parent == nullptr || !node->parent->is(kind::kRow)) return std::nullopt;
    const auto& row = static_cast<const ISO_Entry&>(*node->parent);
    const size_t levels = std::min(row.index_list.size(), most_levels);
    Column_Index index;
    index.index_names.assign(row.index_list.begin(), row.index_list.begin() + static_cast<std::ptrdiff_t>(levels));

    // Instance nodes per level: the chain at that level, then down under its last node.
    const ISO_Object* level = node->first_child;
    for (size_t i = 0; i < levels; ++i) {
        uint16_t found = 0;
        const ISO_Object* last = nullptr;
        for (const ISO_Object* n = level; n != nullptr; n = n->next_sibling) {
            if (found < UINT16_MAX) ++found;
            last = n;
        }
        index.instance_counts.push_back(found);
        level = last != nullptr ? last->first_child : nullptr;
    }
    return index;
}

int32_t Mib::set_instance_value(const char* name, const char* value) {
    if (name == nullptr) return kSetUnknownName;
    auto hold = tree_.write_lock();
    ISO_Object* node = tree_.find_by_name(name);
    if (node == nullptr) return kSetUnknownName;
    if (node->kind().substr(0, 8) != kind::kInstance) return 0;
    const Object_Type* type = object_type_of(node);
    int code = type != nullptr ? type->syntax_code() : syntax::kUnknown;
    if (type != nullptr && type->is_display_text()) code = syntax::kDisplayText;  // taken as the characters
    return set_value_from_text(static_cast<Iso_Instance&>(*node), code, value != nullptr ? value : "");
}

std::optional<std::string> Mib::tree_listing() const {
    auto hold = tree_.read_lock();
    if (tree_.empty()) return std::nullopt;
    return ::tree_listing(tree_);
}
