// glibc keeps its allocator under the __libc_ names; the definitions below
// take the public names for the process and count each call before handing
// it on. Counting is one relaxed atomic increment, the same for every caller.
#include "bench/alloc_count.h"

#include <atomic>
#include <cerrno>
#include <cstdlib>

extern "C" {
void* __libc_malloc(size_t size);
void* __libc_calloc(size_t count, size_t size);
void* __libc_realloc(void* pointer, size_t size);
void* __libc_memalign(size_t alignment, size_t size);
void __libc_free(void* pointer);
}

namespace {
std::atomic<size_t> allocation_count{0};

void count() { allocation_count.fetch_add(1, std::memory_order_relaxed); }
}  // namespace

size_t allocations_so_far() { return allocation_count.load(std::memory_order_relaxed); }

extern "C" {

void* malloc(size_t size) noexcept {
    count();
    return __libc_malloc(size);
}

void* calloc(size_t count_of, size_t size) noexcept {
    count();
    return __libc_calloc(count_of, size);
}

void* realloc(void* pointer, size_t size) noexcept {
    count();
    return __libc_realloc(pointer, size);
}

void free(void* pointer) noexcept { __libc_free(pointer); }

void* aligned_alloc(size_t alignment, size_t size) noexcept {
    count();
    return __libc_memalign(alignment, size);
}

void* memalign(size_t alignment, size_t size) noexcept {
    count();
    return __libc_memalign(alignment, size);
}

int posix_memalign(void** out, size_t alignment, size_t size) noexcept {
    count();
    void* pointer = __libc_memalign(alignment, size);
    if (pointer == nullptr) return ENOMEM;
    *out = pointer;
    return 0;
}

}  // extern "C"
