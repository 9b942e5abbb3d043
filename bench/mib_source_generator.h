// A large SNMPv1 MIB module as source text, for measuring the whole road
// from source to a loaded tree: groups of scalars, tables of many columns,
// textual conventions of which half are defined through the other half, and
// the dynamic object definition table the engine needs.
#pragma once

#include <cstddef>
#include <string>

struct Mib_Source {
    std::string module;  // "BENCH-MIB", importing from RFC1155-SMI and RFC-1212
    size_t object_count = 0;
};

// About `objects` objects, half of them columns.
Mib_Source generate_mib_source(size_t objects);
