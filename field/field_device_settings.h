// The community names the emulated field device accepts. Without a
// community of its own the device answers every request, and the trace says
// when a community is none of its names; once given one, it discards every
// SNMP request with another community, as RFC 1157 has an agent do.
#pragma once

#include <array>
#include <cstddef>
#include <mutex>
#include <string>

class Field_Device_Settings {
public:
    static constexpr size_t kMaxNames = 10;
    static constexpr const char* kDefaultCommunity = "Orchid";
    static constexpr const char* kIllegalName = "ILLEGAL COMMUNITY NAME";

    Field_Device_Settings() { names_[0] = kDefaultCommunity; }
    Field_Device_Settings(const Field_Device_Settings&) = delete;
    Field_Device_Settings& operator=(const Field_Device_Settings&) = delete;

    size_t count() const {
        std::lock_guard hold(mutex_);
        return count_;
    }
    // The name with index i, counted from 0; past the names in use, kIllegalName.
    std::string name(size_t i) const {
        std::lock_guard hold(mutex_);
        return i < count_ && i < kMaxNames ? names_[i] : kIllegalName;
    }

    // The device's own community: requests with another one are discarded.
    // An empty text goes back to answering every community.
    void set_community(const std::string& community) {
        std::lock_guard hold(mutex_);
        enforced_ = !community.empty();
        names_[0] = enforced_ ? community : kDefaultCommunity;
    }
    // False only when the device has a community and this is not it.
    bool accepts(const std::string& community) const {
        std::lock_guard hold(mutex_);
        if (!enforced_) return true;
        for (size_t i = 0; i < count_ && i < kMaxNames; ++i)
            if (names_[i] == community) return true;
        return false;
    }

private:
    mutable std::mutex mutex_;  // written by the user's thread, read by the receiver
    std::array<std::string, kMaxNames> names_;
    size_t count_ = 1;
    bool enforced_ = false;
};
