// The tree files the browsers are built from, derived from the compiler's
// output "Mibi.out":
//   Mibi2.out     a copy of Mibi.out
//   Mibfinal.out  each node line of the OID tree section of Mibi2.out paired
//                 with the line at the same place of the extended OID tree
//                 of Mibi.out: "<dotted OID> <extended line>"; then
//                 "**end of oid tree**" and "end"
//   isotree.txt   the browser's tree: one line per node, a tab per level,
//                 then the node's name; below each object type the item the
//                 user picks: "<name>.0" for a scalar, "<name>.X" for a column
#pragma once

#include <string>

namespace tree_files {
inline constexpr const char* kMibOutput = "Mibi.out";
inline constexpr const char* kMibCopy = "Mibi2.out";
inline constexpr const char* kMibFinal = "Mibfinal.out";
inline constexpr const char* kIsoTree = "isotree.txt";
inline constexpr const char* kCopyFailed = "Error copying MIB result";
}  // namespace tree_files

// Writes the three files into the directory; false when Mibi.out cannot be
// copied or a file cannot be written.
bool write_tree_files(const std::string& directory = ".");
