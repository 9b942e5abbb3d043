// A large Extended Mosy file for measuring the load path: tables with one or
// two indexes, groups of scalars, textual conventions of which half are
// defined through the other half, and the dynamic-object table that
// CompileMIB needs to finish.
#pragma once

#include <string>
#include <vector>

struct Generated_Mib {
    std::string mosy;         // the compiler's output, as "Mibi.out"
    std::string table_config; // "TreeCfg.ini" with a line per index variable
    std::vector<std::string> instance_names;  // every instance the load makes
    std::vector<std::string> instance_oids;   // their dotted OIDs, in the same order
    size_t object_count = 0;
    size_t node_count = 0;  // every node of the loaded tree: interior nodes, objects, groups, instances
};

struct Mib_Shape {
    size_t tables = 2000;
    size_t columns_per_table = 24;
    size_t scalars = 48000;
    size_t scalars_per_group = 100;
    size_t conventions = 100;
    unsigned rows_per_index = 4;  // a two-index table gets 2 x 2
};

Generated_Mib generate_mib(const Mib_Shape& shape);
