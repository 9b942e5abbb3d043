// The field device carrying out a request against the object tree: a Get
// reads each instance, a Set checks every value and then stores them all, a
// Get-next reads the instance that follows each identifier. The first
// binding that cannot be served ends the work with its error status and
// index. An SNMP request whose community the device does not accept is
// discarded unanswered.
#pragma once

#include <string>
#include <vector>

#include "codec/snmp_request_decoder.h"

class Field_Device_Settings;

namespace carry_out_text {
inline constexpr const char* kDiscarded =
    "The community name is not the field device's: the request is discarded and not answered\n";
}  // namespace carry_out_text

class Carry_Out final : public Request_Executor {
public:
    explicit Carry_Out(const Field_Device_Settings& settings) : settings_(settings) {}

    std::vector<std::string> communities() const override;
    // Called by the decode, which holds the tree locked for writing.
    void carry_out(Field_Answer& answer, Activity_Log& log, ISO_Tree& tree) const override;

private:
    void set_all_or_nothing(Field_Answer& answer, Activity_Log& log) const;
    void set_checked_first(Field_Answer& answer, Activity_Log& log) const;

    const Field_Device_Settings& settings_;
};
