// The bundled sample MIB loaded into a tree of its own, as CompileMIB loads
// it: two substitution passes, the loader, and instances from the sample's
// table configuration (copied into a temporary directory).
#pragma once

#include <memory>
#include <string>

#include "tests/support/temp_dir.h"
#include "tree/iso_tree.h"

class Sample_Tree {
public:
    Sample_Tree();
    ISO_Tree& tree() { return *tree_; }

    // Sets an instance's value from text, as SetInstanceValue does.
    void set(const std::string& name, const std::string& text);
    Iso_Instance& instance(const std::string& name);

private:
    Temp_Dir dir_;
    std::unique_ptr<ISO_Tree> tree_;
};
