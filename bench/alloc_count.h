// Counting heap allocations from outside the code measured: the benchmark
// that links alloc_count.cpp replaces malloc and its relatives for the whole
// process, so operator new (which calls malloc) and C libraries such as
// libnetsnmp are counted alike.
#pragma once

#include <cstddef>

// Allocations (malloc, calloc, realloc, aligned forms) made so far by the process.
size_t allocations_so_far();
