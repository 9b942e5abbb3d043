// Instance creation: after a load every object type gets the instances that
// hold its values. A scalar x gets x.0; each column of a table gets one
// instance per row, numbered from 1, with the row counts of the table
// configuration file. A column of a table with k >= 2 index variables gets
// k - 1 levels of "Group" nodes above its instances: x.2.5 is the instance
// for the index values 2 and 5.
#pragma once

#include <cstdint>
#include <ostream>

class ISO_Tree;

namespace instances {
// The most instances one column may get from the configured row counts.
inline constexpr uint64_t kMaxPerColumn = 262144;
}  // namespace instances

// Creates the instances of the whole tree; every instance made and every
// row done is noted in the log. Raises a Tree_Exception on the first fault.
void create_instances(ISO_Tree& tree, std::ostream& instance_log);
