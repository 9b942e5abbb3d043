#include "macro/value.h"

#include "macro/macro_stop.h"

int32_t Symbol_Table::add(std::string_view name, Kind kind) {
    entries_.emplace_back(name, kind, entries_.get_allocator().resource());
    const auto index = static_cast<int32_t>(entries_.size() - 1);
    first_.try_emplace(std::string_view(entries_.back().name), index);
    return index;
}

int32_t Symbol_Table::find(std::string_view name) const {
    const auto it = first_.find(name);
    return it == first_.end() ? -1 : it->second;
}

Symbol& Symbol_Table::at(int32_t index, const char* missing_message) {
    if (index < 0 || static_cast<size_t>(index) >= entries_.size()) throw Macro_Stop(missing_message);
    return entries_[static_cast<size_t>(index)];
}
