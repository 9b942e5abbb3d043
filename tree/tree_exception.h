// Errors of the object tree: loading the Extended Mosy file, the table
// configuration file and instance creation. They end the load and reach the
// caller of CompileMIB with their text.
#pragma once

#include "base/throwable.h"

class Tree_Exception : public RecoverException {
public:
    using RecoverException::RecoverException;
};

namespace tree_error {
inline constexpr const char* kCannotOpenMosy = "Could not open the Extended MOSY file.";
inline constexpr const char* kNoOidTree =
    "The Extended MOSY file did not contain an OID Tree String!";
inline constexpr const char* kTooFewFields =
    "Too few parametrs used to identify object in Extended MOSY file.";
inline constexpr const char* kTooFewCreateParameters = "Too few parameters passed to Create Node!";
inline constexpr const char* kIndexVariableNotFound = "Index variable not found!";
inline constexpr const char* kTableConfigOpenFailed = "Open on the Table Configuration File failed!";
inline constexpr const char* kInstanceOfInstance = "Cannot create an instance of an instance!";
inline constexpr const char* kInstanceExists =
    "Cannot create a new instance when one already exists!";
inline constexpr const char* kScalarOfTabular =
    "Cannot create a scalar instance of a tabular object!";
// Our own: a node line whose parent is not (yet) in the tree.
inline constexpr const char* kParentNotFound =
    "The parent of an object in the Extended MOSY file is not in the tree!";
// Our own: a table whose configured row counts would create more instances
// than the station can hold.
inline constexpr const char* kTooManyRows =
    "Too many rows in the Table Configuration File for one table!";
}  // namespace tree_error
