// Finding a node by its name: an open-addressing hash table of the nodes,
// keyed by their names (which never change once a node is made).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

class ISO_Object;

class Name_Index {
public:
    ISO_Object* find(std::string_view name) const;

    // The node under its name, unless the name has a node already; then the
    // one for which prefer(new, old) holds is kept.
    template <typename Prefer>
    void insert(ISO_Object* node, Prefer prefer);

    void reserve(size_t count);
    size_t size() const { return size_; }

private:
    struct Slot {
        uint64_t hash = 0;
        ISO_Object* node = nullptr;
    };

    static uint64_t hash_of(std::string_view name);
    size_t probe(std::string_view name, uint64_t hash) const;  // the slot holding the name or the empty one
    void grow(size_t capacity);

    std::vector<Slot> slots_;
    size_t size_ = 0;
};

#include "tree/iso_object.h"

template <typename Prefer>
void Name_Index::insert(ISO_Object* node, Prefer prefer) {
    if ((size_ + 1) * 2 > slots_.size()) grow(slots_.empty() ? 64 : slots_.size() * 2);
    const uint64_t hash = hash_of(node->name);
    Slot& slot = slots_[probe(node->name, hash)];
    if (slot.node == nullptr) {
        slot = Slot{hash, node};
        ++size_;
    } else if (prefer(node, slot.node)) {
        slot.node = node;
    }
}
