// The nodes of the object tree. A node's kind text decides how it is treated
// everywhere; its storage class follows the kind and only adds the fields
// that kind needs.
#pragma once

#include <cstdint>
#include <iterator>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "base/bytes.h"
#include "tree/child_list.h"
#include "tree/instance_text.h"
#include "tree/object_type.h"
#include "tree/rare_vector.h"

namespace kind {
inline constexpr const char* kRoot = "Root";
inline constexpr const char* kNode = "Node";
inline constexpr const char* kTable = "Table";
inline constexpr const char* kRow = "Row";
inline constexpr const char* kLeaf = "Leaf";
inline constexpr const char* kGroup = "Group";
inline constexpr const char* kInstance = "Instance";
}  // namespace kind

// The node classes have no virtual calls: the tree destroys each node as
// the class its kind says (destroy_node), and a node stays as small as it
// can, for trees of several hundred thousand nodes.
class ISO_Object {
public:
    ISO_Object(const char* kind_text, uint32_t number, std::string name)
        : number(number), name(std::move(name)), kind_(kind_code(kind_text)) {}
    ISO_Object(const ISO_Object&) = delete;
    ISO_Object& operator=(const ISO_Object&) = delete;

    std::string_view kind() const { return kKindTexts[kind_]; }
    // The kind as the place of its text among the kind texts: for the
    // loops that ask it of every level.
    uint8_t kind_code() const { return kind_; }
    static constexpr uint8_t kLeafCode = 4;
    static constexpr uint8_t kGroupCode = 5;
    static constexpr uint8_t kInstanceCode = 6;
    // The kind texts are shared constants: one of them is told by its
    // pointer alone, any other text by its characters.
    bool is(const char* kind_text) const {
        if (kKindTexts[kind_] == kind_text) return true;
        for (const char* known : kKindTexts)
            if (known == kind_text) return false;
        return kind() == kind_text;
    }

    uint32_t number;  // sub-identifier under the parent; the index for groups and instances
    uint32_t sibling_index = 0;  // position in the parent's chain, from 0
    std::string name;
    std::unique_ptr<Object_Type> object_type;  // none for nodes read without one

    ISO_Object* parent = nullptr;
    ISO_Object* first_child = nullptr;
    ISO_Object* next_sibling = nullptr;
    // The children in chain order, for lookup by number: a binary search while
    // their numbers ascend, as they do in a compiled MIB, else a scan.
    Child_List children;
    uint32_t serial = 0;  // the node's place among the nodes its tree made, from 0
    bool children_ascending = true;
    // A lookup by OID from the top comes to this node: it and every node
    // above it are the first among their siblings with their numbers. Set
    // when the node is linked; later siblings never change it.
    bool found_by_oid = false;

protected:
    ~ISO_Object() = default;  // destroy_node knows the class

private:
    // A node keeps its kind as the place of its text in this table.
    static constexpr const char* kKindTexts[] = {kind::kRoot, kind::kNode,  kind::kTable,   kind::kRow,
                                                 kind::kLeaf, kind::kGroup, kind::kInstance};
    static_assert(kKindTexts[kLeafCode] == kind::kLeaf && kKindTexts[kGroupCode] == kind::kGroup &&
                  kKindTexts[kInstanceCode] == kind::kInstance);
    static uint8_t kind_code(const char* kind_text) {
        for (uint8_t code = 0; code < std::size(kKindTexts); ++code)
            if (kKindTexts[code] == kind_text || std::string_view(kKindTexts[code]) == kind_text) return code;
        return 1;  // the node classes pass only the texts above; anything else is a plain node
    }

    uint8_t kind_;
};

class ISO_Node : public ISO_Object {
public:
    ISO_Node(uint32_t number, std::string name) : ISO_Object(kind::kNode, number, std::move(name)) {}
};

class ISO_Table : public ISO_Object {
public:
    ISO_Table(uint32_t number, std::string name)
        : ISO_Object(kind::kTable, number, std::move(name)) {}
};

// A table row ("Row"): the names of its index variables, in INDEX order.
class ISO_Entry : public ISO_Object {
public:
    ISO_Entry(uint32_t number, std::string name)
        : ISO_Object(kind::kRow, number, std::move(name)) {}
    std::vector<std::string> index_list;
};

struct Enum_Entry {
    std::string label;
    int32_t value = 0;
};

class ISO_Leaf : public ISO_Object {
public:
    ISO_Leaf(uint32_t number, std::string name)
        : ISO_Object(kind::kLeaf, number, std::move(name)) {}
    Rare_Vector<Enum_Entry> enumeration;

    // The standard BER content of the leaf's identifier, made once when the
    // leaf is linked (nodes never move); its instances add their indexes
    // behind it. Empty when the identifier has no standard form of at least
    // two arcs (or is longer than 255 octets).
    std::span<const uint8_t> standard_oid() const {
        return standard_oid_ != nullptr ? std::span<const uint8_t>(standard_oid_ + 1, standard_oid_[0])
                                        : std::span<const uint8_t>();
    }
    // Octets that outlive the leaf: a length octet, then the content.
    void keep_standard_oid(const uint8_t* length_and_content) { standard_oid_ = length_and_content; }

private:
    const uint8_t* standard_oid_ = nullptr;
};

// An intermediate level of a multi-index column: one per value of an index.
class ISO_Group_Inst : public ISO_Object {
public:
    ISO_Group_Inst(uint32_t number, std::string name)
        : ISO_Object(kind::kGroup, number, std::move(name)) {}
};

// An instance holds a value: the content octets of its type.
class Iso_Instance : public ISO_Object {
public:
    Iso_Instance(uint32_t number, std::string name)
        : ISO_Object(kind::kInstance, number, std::move(name)) {}
    Bytes value;
    Instance_Text instance_text;
};

// Runs the destructor of the node's own class.
void destroy_node(ISO_Object* node);

// The "Leaf" above a node, through "Group" and "Instance" levels; null when
// there is none. The object type of an instance is its leaf's.
const ISO_Object* owning_leaf(const ISO_Object* node);
const Object_Type* object_type_of(const ISO_Object* node);
