// The loaded tree as text, one node per line, for the command line and for
// anyone who wants to see what a load made.
#pragma once

#include <string>

class ISO_Tree;

// Each line: two blanks per level, the kind, the name, the dotted OID and, for
// an object type, its syntax in brackets and its access.
std::string tree_listing(const ISO_Tree& tree);
