#include "macro/macro_heap.h"

#include <cstring>

Macro_Heap::Macro_Heap(size_t ceiling)
    : bounded_(ceiling), pool_(std::pmr::pool_options{0, kInitialSize}, &bounded_) {}

void* Macro_Heap::do_allocate(size_t bytes, size_t alignment) {
    void* block = pool_.allocate(bytes, alignment);
    // Every block starts zero-filled, as the run's records expect.
    std::memset(block, 0, bytes);
    in_use_ += bytes;
    return block;
}

void Macro_Heap::do_deallocate(void* block, size_t bytes, size_t alignment) {
    pool_.deallocate(block, bytes, alignment);
    in_use_ -= bytes;
}

void* Macro_Heap::Bounded::do_allocate(size_t bytes, size_t alignment) {
    if (bytes > ceiling_ - taken) throw Macro_Heap_Exhausted();
    void* block = std::pmr::new_delete_resource()->allocate(bytes, alignment);
    taken += bytes;
    return block;
}

void Macro_Heap::Bounded::do_deallocate(void* block, size_t bytes, size_t alignment) {
    std::pmr::new_delete_resource()->deallocate(block, bytes, alignment);
    taken -= bytes;
}
