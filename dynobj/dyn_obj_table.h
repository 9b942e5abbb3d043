// The thirteen STMP dynamic objects, numbered 1 to 13.
#pragma once

#include <array>
#include <cstdint>

#include "dynobj/dynamic_object.h"

class Dyn_Obj_Table {
public:
    static constexpr uint8_t kCount = 13;

    // After every load of the tree; Dyn_Obj_Exception when the tree
    // does not hold the dynamic object definition table.
    void initialize(const ISO_Tree& tree);

    // Dyn_Obj_Exception for a number outside 1 to 13.
    const Dynamic_Object& get(uint8_t number) const;

private:
    std::array<Dynamic_Object, kCount> objects_{};
};
