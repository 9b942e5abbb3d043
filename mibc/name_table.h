// Names to item numbers, for the tables the compiler consults for every
// definition and reference: open addressing in one array, each slot holding
// the name's hash beside it, so that a lookup seldom touches more than one
// cache line and compares the name's text only when the hashes agree.
#pragma once

#include <cstdint>
#include <string_view>
#include <utility>
#include <vector>

namespace mibc {

class Name_Table {
public:
    static constexpr int kAbsent = -1;

    int find(std::string_view name) const;
    bool contains(std::string_view name) const { return find(name) != kAbsent; }
    // The value now under the name, and whether it was put there by this call.
    std::pair<int, bool> insert(std::string_view name, int value);
    void reserve(size_t names);
    size_t size() const { return count_; }

private:
    struct Slot {
        uint64_t hash = 0;
        const char* text = nullptr;  // none: an empty slot
        uint32_t length = 0;
        int value = kAbsent;
    };

    size_t slot_of(std::string_view name, uint64_t hash) const;
    void grow(size_t slots);

    std::vector<Slot> slots_;  // a power of two in size, at most half full
    size_t count_ = 0;
};

}  // namespace mibc
