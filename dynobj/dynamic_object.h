// One of the thirteen STMP dynamic objects, as the tree holds its definition:
// the rows of the dynamic object definition table for its number. Row k of
// dynamic object n is dynObjVariable.n.k (the object), dynObjOwner.n.k and
// dynObjStatus.n.k (1 = in use); the definition is read from the tree each
// time, it is never copied.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "base/throwable.h"

class ISO_Object;
class ISO_Tree;

// A dynamic object that is not there or names what the tree lacks.
class Dyn_Obj_Exception : public RecoverException {
public:
    using RecoverException::RecoverException;
};

// One row in use of a dynamic object: the object it names, its owner text
// and its status byte.
struct Dyn_Obj_Row {
    const ISO_Object* object = nullptr;
    std::string owner;
    uint8_t status = 0;
};

namespace dynobj_text {
inline constexpr const char* kLoadFailed = "Load of Dynamic Object failed!";
inline constexpr const char* kInvalidNumber = "A request was made for an invalid Dynamic Object!";
inline constexpr const char* kInvalidVariable = "An invalid reference was made by a DynObjVariable Entry!";
inline constexpr const char* kNoTable =
    "The loaded MIB has no dynamic object definition table (dynObjDef): dynamic objects cannot be used";
}  // namespace dynobj_text

namespace dynobj_column {
inline constexpr const char* kNumber = "dynObjNumber";
inline constexpr const char* kIndex = "dynObjIndex";
inline constexpr const char* kVariable = "dynObjVariable";
inline constexpr const char* kOwner = "dynObjOwner";
inline constexpr const char* kStatus = "dynObjStatus";
}  // namespace dynobj_column

class Dynamic_Object {
public:
    static constexpr uint8_t kActive = 1;

    // Looks up the five column nodes of number n; Dyn_Obj_Exception
    // (kLoadFailed) when the tree lacks one.
    void initialize(uint8_t number, const ISO_Tree& tree);

    // Rows in use: counted from the first while the status is 1.
    uint8_t active_entry_count() const;
    // The rows in use, in row order; Dyn_Obj_Exception (kInvalidVariable)
    // when one names no object of the tree.
    std::vector<Dyn_Obj_Row> rows_in_use(const ISO_Tree& tree) const;
    // The names of the objects of the rows, up to the first without one,
    // separated by "\n"; "" when a row names an object the tree lacks.
    std::string variable_names(const ISO_Tree& tree) const;
    uint8_t status_byte(size_t k) const;   // row k, counted from 1; 0 past the rows
    std::string owner_text(size_t k) const;

    uint8_t number() const { return number_; }

private:
    uint8_t number_ = 0;
    const ISO_Object* number_node_ = nullptr;
    const ISO_Object* index_node_ = nullptr;
    const ISO_Object* variable_node_ = nullptr;
    const ISO_Object* owner_node_ = nullptr;
    const ISO_Object* status_node_ = nullptr;
};
