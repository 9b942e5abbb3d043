#include "mibc/name_table.h"

#include <cstring>
#include <functional>

namespace mibc {

namespace {

uint64_t hash_of(std::string_view name) { return std::hash<std::string_view>{}(name); }

}  // namespace

size_t Name_Table::slot_of(std::string_view name, uint64_t hash) const {
    const size_t mask = slots_.size() - 1;
    for (size_t at = hash & mask;; at = (at + 1) & mask) {
        const Slot& slot = slots_[at];
        if (slot.text == nullptr) return at;
        if (slot.hash == hash && slot.length == name.size() && std::memcmp(slot.text, name.data(), name.size()) == 0)
            return at;
    }
}

int Name_Table::find(std::string_view name) const {
    if (slots_.empty()) return kAbsent;
    const Slot& slot = slots_[slot_of(name, hash_of(name))];
    return slot.text == nullptr ? kAbsent : slot.value;
}

std::pair<int, bool> Name_Table::insert(std::string_view name, int value) {
    if ((count_ + 1) * 2 > slots_.size()) grow(slots_.empty() ? 16 : slots_.size() * 2);
    const uint64_t hash = hash_of(name);
    Slot& slot = slots_[slot_of(name, hash)];
    if (slot.text != nullptr) return {slot.value, false};
    // An empty name still needs a text pointer that is not null.
    slot = Slot{hash, name.data() != nullptr ? name.data() : "", static_cast<uint32_t>(name.size()), value};
    ++count_;
    return {value, true};
}

void Name_Table::reserve(size_t names) {
    size_t slots = 16;
    while (slots < names * 2) slots *= 2;
    if (slots > slots_.size()) grow(slots);
}

void Name_Table::grow(size_t slots) {
    std::vector<Slot> old = std::move(slots_);
    slots_.assign(slots, Slot{});
    const size_t mask = slots - 1;
    for (const Slot& slot : old) {
        if (slot.text == nullptr) continue;
        size_t at = slot.hash & mask;
        while (slots_[at].text != nullptr) at = (at + 1) & mask;
        slots_[at] = slot;
    }
}

}  // namespace mibc
