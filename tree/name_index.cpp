#include "tree/name_index.h"

#include <functional>

uint64_t Name_Index::hash_of(std::string_view name) { return std::hash<std::string_view>()(name); }

size_t Name_Index::probe(std::string_view name, uint64_t hash) const {
    const size_t mask = slots_.size() - 1;
    for (size_t i = hash & mask;; i = (i + 1) & mask) {
        const Slot& slot = slots_[i];
        if (slot.node == nullptr || (slot.hash == hash && slot.node->name == name)) return i;
    }
}

ISO_Object* Name_Index::find(std::string_view name) const {
    if (slots_.empty()) return nullptr;
    return slots_[probe(name, hash_of(name))].node;
}

void Name_Index::reserve(size_t count) {
    size_t capacity = slots_.empty() ? 64 : slots_.size();
    while (capacity < count * 2) capacity *= 2;
    if (capacity > slots_.size()) grow(capacity);
}

void Name_Index::grow(size_t capacity) {
    std::vector<Slot> old = std::move(slots_);
    slots_.assign(capacity, Slot{});
    const size_t mask = capacity - 1;
    for (const Slot& slot : old) {
        if (slot.node == nullptr) continue;
        size_t i = slot.hash & mask;
        while (slots_[i].node != nullptr) i = (i + 1) & mask;
        slots_[i] = slot;
    }
}
