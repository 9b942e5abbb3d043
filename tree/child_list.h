// The children of a node in chain order, for lookup by number: one pointer
// wide, so that the many nodes without children (every instance) pay for no
// more. The items live in one block on the heap, grown by doubling.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <new>

class ISO_Object;

class Child_List {
public:
    Child_List() = default;
    ~Child_List() { std::free(block_); }
    Child_List(const Child_List&) = delete;
    Child_List& operator=(const Child_List&) = delete;

    size_t size() const { return block_ != nullptr ? block_->size : 0; }
    bool empty() const { return size() == 0; }
    ISO_Object* operator[](size_t i) const { return items()[i]; }
    ISO_Object* back() const { return items()[size() - 1]; }
    ISO_Object* const* begin() const { return items(); }
    ISO_Object* const* end() const { return items() + size(); }

    void push_back(ISO_Object* node) {
        if (block_ == nullptr || block_->size == block_->capacity) grow();
        items()[block_->size++] = node;
    }
    void clear() {
        std::free(block_);
        block_ = nullptr;
    }
    // Room for `count` children in all, when the number is known beforehand.
    void reserve(size_t count) {
        if (count > (block_ != nullptr ? block_->capacity : 0)) resize_block(count);
    }

private:
    struct Block {
        uint32_t size;
        uint32_t capacity;
    };
    static constexpr size_t kItemsOffset = sizeof(Block);
    static_assert(kItemsOffset % alignof(ISO_Object*) == 0);

    ISO_Object** items() const {
        return block_ != nullptr ? reinterpret_cast<ISO_Object**>(reinterpret_cast<char*>(block_) + kItemsOffset)
                                 : nullptr;
    }
    void grow() { resize_block(block_ == nullptr ? 1 : size_t{block_->capacity} * 2); }
    void resize_block(size_t capacity) {
        const uint32_t size = block_ != nullptr ? block_->size : 0;
        void* grown = std::realloc(block_, kItemsOffset + capacity * sizeof(ISO_Object*));
        if (grown == nullptr) throw std::bad_alloc();
        block_ = static_cast<Block*>(grown);
        block_->size = size;
        block_->capacity = static_cast<uint32_t>(capacity);
    }

    Block* block_ = nullptr;
};
