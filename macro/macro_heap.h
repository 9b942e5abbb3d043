// The memory of one macro run: every table, text and value of the run comes
// from here, and all of it goes at once when the run ends. Blocks freed during
// the run (texts reassigned in a loop) are reused by a pool; the whole heap
// has a ceiling, so a script that keeps growing a text stops with a message
// instead of taking the station's memory. The pool takes its chunks from the
// system a 64 KiB block at a time.
#pragma once

#include <cstddef>
#include <memory_resource>
#include <new>

// Thrown when the run's heap cannot give a block.
struct Macro_Heap_Exhausted : std::bad_alloc {
    const char* what() const noexcept override { return "macro heap used up"; }
};

class Macro_Heap : public std::pmr::memory_resource {
public:
    static constexpr size_t kInitialSize = 0x10000;
    explicit Macro_Heap(size_t ceiling);
    Macro_Heap(const Macro_Heap&) = delete;
    Macro_Heap& operator=(const Macro_Heap&) = delete;

    size_t in_use() const { return in_use_; }

private:
    void* do_allocate(size_t bytes, size_t alignment) override;
    void do_deallocate(void* block, size_t bytes, size_t alignment) override;
    bool do_is_equal(const std::pmr::memory_resource& other) const noexcept override { return this == &other; }

    // The ceiling, counted over what the upstream handed out.
    class Bounded : public std::pmr::memory_resource {
    public:
        explicit Bounded(size_t ceiling) : ceiling_(ceiling) {}
        size_t taken = 0;

    private:
        void* do_allocate(size_t bytes, size_t alignment) override;
        void do_deallocate(void* block, size_t bytes, size_t alignment) override;
        bool do_is_equal(const std::pmr::memory_resource& other) const noexcept override { return this == &other; }
        size_t ceiling_;
    };

    Bounded bounded_;
    std::pmr::unsynchronized_pool_resource pool_;
    size_t in_use_ = 0;
};
