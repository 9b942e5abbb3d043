// The values of a running script and its variables.
#pragma once

#include <cstdint>
#include <deque>
#include <memory_resource>
#include <string>
#include <string_view>
#include <unordered_map>

#include "macro/syntax.h"

struct Value {
    explicit Value(std::pmr::memory_resource* heap) : text(heap) {}
    Kind kind = Kind::none;  // none: a function without a result
    int32_t integer = 0;
    float real = 0;
    std::pmr::string text;
};

// One entry of the symbol table: a label (entered by the parser) or a
// variable (entered when its declaration runs).
struct Symbol {
    Symbol(std::string_view identifier, Kind kind, std::pmr::memory_resource* heap)
        : name(identifier, heap), kind(kind), text(heap) {}
    std::pmr::string name;
    Kind kind;
    int32_t integer = 0;
    float real = 0;
    int32_t size = 0;  // label: its statement; string: the bytes its text may take
    std::pmr::string text;
    bool invar = false;  // may be set from the input file
};

// Entries in order of creation; a name finds its first entry, so a
// declaration run again (in a loop) keeps the variable's value.
class Symbol_Table {
public:
    explicit Symbol_Table(std::pmr::memory_resource* heap) : entries_(heap), first_(heap) {}

    int32_t add(std::string_view name, Kind kind);
    // -1 when no entry has the name.
    int32_t find(std::string_view name) const;
    Symbol& at(int32_t index, const char* missing_message);
    size_t size() const { return entries_.size(); }

private:
    std::pmr::deque<Symbol> entries_;  // stable: first_ keys view their names
    std::pmr::unordered_map<std::string_view, int32_t> first_;
};
