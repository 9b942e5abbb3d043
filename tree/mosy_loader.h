// Loads an Extended Mosy file (the MIB compiler's output, after the
// substitution pass) into the object tree.
//
// The loader reads three stretches of the file in turn:
//   node lines     from the line holding "OID tree" to "**end of oid tree**":
//                  <dotted OID> <name> <parent name> Root|Node|Table...|Row...|<syntax>
//                  [<syntax words>...] <access> <status>
//   definitions    up to "-- Extended Mosy OID tree": "Enum", "Textual" and
//                  "Sequence" lines (everything else there is ignored)
//   index lines    up to "-- **end of Extended Mosy OID tree**":
//                  <row name> <parent> seq <type> <k> ( <index 1> .. <index k> ) ...
// A failure raises a Tree_Exception; the nodes made before it stay.
#pragma once

#include <string>
#include <string_view>

class ISO_Tree;

namespace mosy {
inline constexpr size_t kMaxLineLength = 255;
inline constexpr size_t kMaxFields = 20;
inline constexpr const char* kOidTreeMark = "OID tree";
inline constexpr const char* kEndOfOidTree = "**end of oid tree**";
inline constexpr const char* kExtendedTreeStart = "-- Extended Mosy OID tree";
inline constexpr const char* kExtendedTreeEnd = "-- **end of Extended Mosy OID tree**";
}  // namespace mosy

void load_mosy_file(ISO_Tree& tree, const std::string& file_name);
void load_mosy_text(ISO_Tree& tree, std::string_view text);
