// The thirteen STMP dynamic objects, numbered 1 to 13.
#pragma once

#include <array>
#include <cstdint>

#include "dynobj/dynamic_object.h"

class Dyn_Obj_Table {
public:
    static constexpr uint8_t kCount = 13;

    // After every load of the tree. False when the tree does not hold the
    // dynamic object definition table (a MIB such as MIB-II): the MIB is
    // used all the same, and every dynamic object is refused.
    bool initialize(const ISO_Tree& tree);
    bool present() const { return present_; }

    // Dyn_Obj_Exception for a number outside 1 to 13, and (kNoTable) for
    // any number when the MIB has no definition table.
    const Dynamic_Object& get(uint8_t number) const;

private:
    std::array<Dynamic_Object, kCount> objects_{};
    bool present_ = false;
};
