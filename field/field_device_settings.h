// The community names the emulated field device accepts. A request whose
// community is none of them is still answered; the trace says so.
#pragma once

#include <array>
#include <cstddef>
#include <string>

class Field_Device_Settings {
public:
    static constexpr size_t kMaxNames = 10;
    static constexpr const char* kDefaultCommunity = "Orchid";
    static constexpr const char* kIllegalName = "ILLEGAL COMMUNITY NAME";

    Field_Device_Settings() { names_[0] = kDefaultCommunity; }

    size_t count() const { return count_; }
    // The name with index i, counted from 0; past the names in use, kIllegalName.
    std::string name(size_t i) const { return i < count_ && i < kMaxNames ? names_[i] : kIllegalName; }

private:
    std::array<std::string, kMaxNames> names_;
    size_t count_ = 1;
};
