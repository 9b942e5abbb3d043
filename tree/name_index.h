// Finding a node by its name: an open-addressing hash table of the nodes,
// keyed by their names (which never change once a node is made). A slot is
// eight bytes: the node's place among the tree's nodes and 32 bits of its
// name's hash, which spare most name comparisons.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

class ISO_Object;

class Name_Index {
public:
    // The tree's nodes, by their serial numbers.
    explicit Name_Index(const std::vector<ISO_Object*>& nodes) : nodes_(nodes) {}

    ISO_Object* find(std::string_view name) const;

    // The node under its name, unless the name has a node already; then the
    // one for which prefer(new, old) holds is kept.
    template <typename Prefer>
    void insert(ISO_Object* node, Prefer prefer);

    void reserve(size_t count);
    size_t size() const { return size_; }
    void clear() {
        slots_.clear();
        size_ = 0;
    }

private:
    static constexpr uint32_t kEmpty = 0xFFFFFFFF;
    struct Slot {
        uint32_t serial = kEmpty;
        uint32_t hash = 0;
    };

    static uint32_t hash_of(std::string_view name);
    size_t probe(std::string_view name, uint32_t hash) const;  // the slot holding the name or the empty one
    void grow(size_t capacity);
    static size_t capacity_for(size_t count);  // at most three quarters full

    const std::vector<ISO_Object*>& nodes_;
    std::vector<Slot> slots_;
    size_t size_ = 0;
};

#include "tree/iso_object.h"

template <typename Prefer>
void Name_Index::insert(ISO_Object* node, Prefer prefer) {
    if (capacity_for(size_ + 1) > slots_.size()) grow(capacity_for(size_ + 1) * 2);
    const uint32_t hash = hash_of(node->name);
    Slot& slot = slots_[probe(node->name, hash)];
    if (slot.serial == kEmpty) {
        slot = Slot{node->serial, hash};
        ++size_;
    } else if (prefer(node, nodes_[slot.serial])) {
        slot.serial = node->serial;
    }
}
