#include "tree/iso_object.h"

const ISO_Object* owning_leaf(const ISO_Object* node) {
    while (node != nullptr && !node->is(kind::kLeaf)) {
        if (!node->is(kind::kGroup) && !node->is(kind::kInstance)) return nullptr;
        node = node->parent;
    }
    return node;
}

const Object_Type* object_type_of(const ISO_Object* node) {
    const ISO_Object* leaf = owning_leaf(node);
    return leaf != nullptr ? leaf->object_type.get() : nullptr;
}
