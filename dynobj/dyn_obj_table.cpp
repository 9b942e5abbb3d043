#include "dynobj/dyn_obj_table.h"

bool Dyn_Obj_Table::initialize(const ISO_Tree& tree) {
    objects_ = {};
    present_ = false;
    try {
        for (uint8_t n = 1; n <= kCount; ++n) objects_[n - 1].initialize(n, tree);
    } catch (const Dyn_Obj_Exception&) {
        objects_ = {};  // no object keeps nodes of a table that is not whole
        return false;
    }
    present_ = true;
    return true;
}

const Dynamic_Object& Dyn_Obj_Table::get(uint8_t number) const {
    if (number == 0 || number > kCount) throw Dyn_Obj_Exception(dynobj_text::kInvalidNumber);
    if (!present_) throw Dyn_Obj_Exception(dynobj_text::kNoTable);
    return objects_[number - 1];
}
