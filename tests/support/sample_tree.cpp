#include "tests/support/sample_tree.h"

#include <sstream>
#include <stdexcept>

#include "tests/support/sample.h"
#include "tree/instance_builder.h"
#include "tree/instance_value.h"
#include "tree/mosy_loader.h"
#include "tree/substitution_pass.h"

Sample_Tree::Sample_Tree() {
    dir_.write("TreeCfg.ini", read_source_file("mibs/TreeCfg.ini"));
    tree_ = std::make_unique<ISO_Tree>(dir_.file("TreeCfg.ini"));
    const auto quiet = [](const std::string&) {};
    std::string once;
    std::string twice;
    substitute_text(read_source_file("mibs/demo.out"), once, quiet);
    substitute_text(once, twice, quiet);
    load_mosy_text(*tree_, twice);
    std::ostringstream log;
    create_instances(*tree_, log);
}

Iso_Instance& Sample_Tree::instance(const std::string& name) {
    ISO_Object* node = tree_->find_by_name(name);
    if (node == nullptr || !node->is(kind::kInstance)) throw std::runtime_error("no instance " + name);
    return static_cast<Iso_Instance&>(*node);
}

void Sample_Tree::set(const std::string& name, const std::string& text) {
    Iso_Instance& target = instance(name);
    const Object_Type* type = object_type_of(&target);
    if (set_value_from_text(target, type->syntax_code(), text) != 0)
        throw std::runtime_error("cannot set " + name + " to " + text);
}
