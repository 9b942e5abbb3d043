#include "tree/iso_object.h"

const ISO_Object* owning_leaf(const ISO_Object* node) {
    while (node != nullptr && node->kind_code() != ISO_Object::kLeafCode) {
        const uint8_t code = node->kind_code();
        if (code != ISO_Object::kGroupCode && code != ISO_Object::kInstanceCode) return nullptr;
        node = node->parent;
    }
    return node;
}

const Object_Type* object_type_of(const ISO_Object* node) {
    const ISO_Object* leaf = owning_leaf(node);
    return leaf != nullptr ? leaf->object_type.get() : nullptr;
}

void destroy_node(ISO_Object* node) {
    // Each class as its kind says; a node of another kind text is a plain one.
    if (node->is(kind::kInstance))
        static_cast<Iso_Instance*>(node)->~Iso_Instance();
    else if (node->is(kind::kLeaf))
        static_cast<ISO_Leaf*>(node)->~ISO_Leaf();
    else if (node->is(kind::kRow))
        static_cast<ISO_Entry*>(node)->~ISO_Entry();
    else if (node->is(kind::kTable))
        static_cast<ISO_Table*>(node)->~ISO_Table();
    else if (node->is(kind::kGroup))
        static_cast<ISO_Group_Inst*>(node)->~ISO_Group_Inst();
    else
        static_cast<ISO_Node*>(node)->~ISO_Node();
}
