// What the message layer needs of the dynamic objects: the list of a dynamic
// object's variables. The codec reads the table of dynobj/ through it.
#pragma once

#include <cstdint>

#include "codec/object_list.h"

class Dyn_Obj_Table;
class ISO_Tree;

class Dynamic_Objects {
public:
    virtual ~Dynamic_Objects() = default;
    // The variables of dynamic object `number`, one entry per active row, in
    // index order; empty when it is not defined. An invalid number throws.
    virtual Object_List object_list(uint8_t number, const ISO_Tree& tree) const = 0;
};

// The dynamic object table: each row in use as an entry referring to its
// object, with the owner text and status byte. The table's refusals come
// out as InvalidReferenceException with the table's text.
class Dyn_Obj_Table_Objects final : public Dynamic_Objects {
public:
    explicit Dyn_Obj_Table_Objects(const Dyn_Obj_Table& table) : table_(table) {}
    Object_List object_list(uint8_t number, const ISO_Tree& tree) const override;

private:
    const Dyn_Obj_Table& table_;
};
