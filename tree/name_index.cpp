#include "tree/name_index.h"

#include <functional>

uint32_t Name_Index::hash_of(std::string_view name) {
    const uint64_t hash = std::hash<std::string_view>()(name);
    return static_cast<uint32_t>(hash ^ (hash >> 32));
}

size_t Name_Index::capacity_for(size_t count) {
    size_t capacity = 64;
    while (capacity * 3 < count * 4) capacity *= 2;
    return capacity;
}

size_t Name_Index::probe(std::string_view name, uint32_t hash) const {
    const size_t mask = slots_.size() - 1;
    for (size_t i = hash & mask;; i = (i + 1) & mask) {
        const Slot& slot = slots_[i];
        if (slot.serial == kEmpty || (slot.hash == hash && nodes_[slot.serial]->name == name)) return i;
    }
}

ISO_Object* Name_Index::find(std::string_view name) const {
    if (slots_.empty()) return nullptr;
    const Slot& slot = slots_[probe(name, hash_of(name))];
    return slot.serial == kEmpty ? nullptr : nodes_[slot.serial];
}

void Name_Index::reserve(size_t count) {
    const size_t capacity = capacity_for(count);
    if (capacity > slots_.size()) grow(capacity);
}

void Name_Index::grow(size_t capacity) {
    std::vector<Slot> old = std::move(slots_);
    slots_.assign(capacity, Slot{});
    const size_t mask = capacity - 1;
    for (const Slot& slot : old) {
        if (slot.serial == kEmpty) continue;
        size_t i = slot.hash & mask;
        while (slots_[i].serial != kEmpty) i = (i + 1) & mask;
        slots_[i] = slot;
    }
}
