#include "dynobj/dyn_obj_table.h"

#include "codec/stmf_exception.h"

void Dyn_Obj_Table::initialize(const ISO_Tree& tree) {
    for (uint8_t n = 1; n <= kCount; ++n) objects_[n - 1].initialize(n, tree);
}

const Dynamic_Object& Dyn_Obj_Table::get(uint8_t number) const {
    if (number == 0 || number > kCount) throw InvalidReferenceException(dynobj_text::kInvalidNumber);
    return objects_[number - 1];
}

Object_List Dyn_Obj_Table::object_list(uint8_t number, const ISO_Tree& tree) const {
    return get(number).build_object_list(tree);
}
