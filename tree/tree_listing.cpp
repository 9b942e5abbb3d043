#include "tree/tree_listing.h"

#include "tree/iso_tree.h"

std::string tree_listing(const ISO_Tree& tree) {
    std::string text;
    tree.walk([&](const ISO_Object& node, int depth) {
        text.append(static_cast<size_t>(depth) * 2, ' ');
        text.append(node.kind());
        text += ' ';
        text += node.name;
        text += ' ';
        text += ISO_Tree::dotted_oid(&node);
        if (node.object_type) {
            text += " [" + node.object_type->syntax + "] " + node.object_type->access.str();
        }
        text += '\n';
    });
    return text;
}
