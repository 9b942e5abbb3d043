#include "dynobj/dyn_obj_table.h"

void Dyn_Obj_Table::initialize(const ISO_Tree& tree) {
    for (uint8_t n = 1; n <= kCount; ++n) objects_[n - 1].initialize(n, tree);
}

const Dynamic_Object& Dyn_Obj_Table::get(uint8_t number) const {
    if (number == 0 || number > kCount) throw Dyn_Obj_Exception(dynobj_text::kInvalidNumber);
    return objects_[number - 1];
}
