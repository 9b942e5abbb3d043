// What the message layer needs of the dynamic object table: the list of a
// dynamic object's variables.
#pragma once

#include <cstdint>

#include "codec/object_list.h"

class ISO_Tree;

class Dynamic_Objects {
public:
    virtual ~Dynamic_Objects() = default;
    // The variables of dynamic object `number`, one entry per active row, in
    // index order; empty when it is not defined. An invalid number throws.
    virtual Object_List object_list(uint8_t number, const ISO_Tree& tree) const = 0;
};
