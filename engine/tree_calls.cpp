// The object-tree calls of the engine.
#include <algorithm>
#include <cstring>
#include <string_view>

#include "engine/c_text.h"
#include "engine/quorvan_engine.h"
#include "tree/instance_value.h"
#include "tree/text_number.h"
#include "tree/tree_listing.h"

namespace {

constexpr int32_t kNotFound = -1;
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

// The bounds a caller sees for an instance, read from the syntax text:
// "COUNTER..." is 0 to 0xFFFFFFFF, "INTEGER (a..b)" is a to b, with a
// negative bound in its own field; everything else 0.
Info_Bounds info_bounds(std::string_view syntax_text) {
    Info_Bounds bounds;
    if (syntax_text.substr(0, 7) == "COUNTER") {
        bounds.upper = static_cast<int32_t>(0xFFFFFFFFu);
        return bounds;
    }
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

// The texts of a Node_Info before they are handed over.
struct Info_Texts {
    std::string syntax, access, status, further, oid, value, name;

    void take_type(const Object_Type* type) {
        if (type == nullptr) return;
        syntax = type->syntax;
        access = type->access;
        status = type->status;
        further = type->further1;
    }

    // All or nothing: on a failed allocation no text is left behind.
    void hand_over(Node_Info& info) const {
        std::string_view sources[] = {syntax, access, status, further, oid, value, name};
        char* copies[7] = {};
        try {
            for (size_t i = 0; i < 7; ++i) copies[i] = c_text(sources[i]);
        } catch (...) {
            for (char* copy : copies) std::free(copy);
            throw;
        }
        info.syntax = copies[0];
        info.access = copies[1];
        info.status = copies[2];
        info.further = copies[3];
        info.oid = copies[4];
        info.value = copies[5];
        info.name = copies[6];
    }
};

}  // namespace

int32_t Quorvan::GetNodeInfo(const char* name, Node_Info& info) const {
    if (name == nullptr) return kNotFound;
    auto hold = tree_.read_lock();
    const ISO_Object* node = find_name_or_oid(tree_, name);
    if (node == nullptr) return kNotFound;

    Node_Info filled{};
    Info_Texts texts;
    texts.name = node->name;
    texts.oid = ISO_Tree::dotted_oid(node);
    int32_t result = kFoundNode;
    if (node->is(kind::kInstance)) {
        const auto& instance = static_cast<const Iso_Instance&>(*node);
        const size_t length = std::min(instance.instance_text.size(), sizeof(filled.instance) - 1);
        std::memcpy(filled.instance, instance.instance_text.data(), length);
        Rendered_Value rendered = render_value(instance);
        texts.value = std::move(rendered.text);
        filled.value_type = rendered.type;
        const Object_Type* type = object_type_of(node);
        if (type != nullptr) {
            const Info_Bounds bounds = info_bounds(type->syntax);
            filled.neg_lower = bounds.neg_lower;
            filled.neg_upper = bounds.neg_upper;
            filled.lower = bounds.lower;
            filled.upper = bounds.upper;
        }
        texts.take_type(type);
    } else if (node->is(kind::kLeaf) || node->is(kind::kGroup)) {
        texts.take_type(object_type_of(node));
        result = kFoundLeafOrGroup;
    }
    texts.hand_over(filled);
    info = filled;
    return result;
}

void Quorvan::GetNodeObjects(const char* name, char** objects) const {
    if (name == nullptr || objects == nullptr) return;
    auto hold = tree_.read_lock();
    const ISO_Object* node = tree_.find_by_name(name);
    if (node == nullptr || node->first_child == nullptr) return;
    *objects = c_text(ISO_Tree::instances_below(node));
}

int32_t Quorvan::GetNextInstance(const char* name, char** next) const {
    if (name == nullptr || next == nullptr) return kNotFound;
    auto hold = tree_.read_lock();
    const ISO_Object* node = tree_.find_by_name(name);
    if (node == nullptr) return kNotFound;
    const ISO_Object* instance = ISO_Tree::next_instance(node);
    if (instance == nullptr) return kNotFound;
    *next = c_text(instance->name);
    return 0;
}

int32_t Quorvan::GetObjectIndex(const char* name, uint8_t* count, char** names, uint16_t* counts) const {
    if (name == nullptr || count == nullptr || names == nullptr || *names == nullptr || counts == nullptr)
        return kNotFound;
    auto hold = tree_.read_lock();
    const ISO_Object* node = tree_.find_by_name(name);
    if (node == nullptr || node->parent == nullptr || !node->parent->is(kind::kRow)) return kNotFound;
    const auto& row = static_cast<const ISO_Entry&>(*node->parent);
    const size_t levels = std::min<size_t>(row.index_list.size(), QV_MAX_INDEX_LEVELS);
    *count = static_cast<uint8_t>(levels);

    // Appended to what the caller's buffer holds, never past its size.
    char* buffer = *names;
    size_t used = strnlen(buffer, QV_INDEX_NAMES_SIZE - 1);
    for (size_t i = 0; i < levels; ++i) {
        const std::string line = row.index_list[i] + "\n";
        const size_t room = QV_INDEX_NAMES_SIZE - 1 - used;
        const size_t length = std::min(line.size(), room);
        std::memcpy(buffer + used, line.data(), length);
        used += length;
    }
    buffer[used] = '\0';

    // Instance nodes per level: the chain at that level, then down under its last node.
    const ISO_Object* level = node->first_child;
    for (size_t i = 0; i < levels; ++i) {
        uint16_t found = 0;
        const ISO_Object* last = nullptr;
        for (const ISO_Object* n = level; n != nullptr; n = n->next_sibling) {
            if (found < UINT16_MAX) ++found;
            last = n;
        }
        counts[i] = found;
        level = last != nullptr ? last->first_child : nullptr;
    }
    return 0;
}

int32_t Quorvan::SetInstanceValue(const char* name, const char* value) {
    if (name == nullptr) return kSetUnknownName;
    auto hold = tree_.write_lock();
    ISO_Object* node = tree_.find_by_name(name);
    if (node == nullptr) return kSetUnknownName;
    if (node->kind().substr(0, 8) != kind::kInstance) return 0;
    const Object_Type* type = object_type_of(node);
    const int code = type != nullptr ? type->syntax_code() : syntax::kUnknown;
    return set_value_from_text(static_cast<Iso_Instance&>(*node), code, value != nullptr ? value : "");
}

int32_t Quorvan::GetTreeListing(char** listing) const {
    if (listing == nullptr) return kNotFound;
    auto hold = tree_.read_lock();
    if (tree_.empty()) return kNotFound;
    *listing = c_text(tree_listing(tree_));
    return 0;
}
