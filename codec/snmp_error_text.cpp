#include "codec/snmp_error_text.h"

#include "codec/snmp_format.h"

namespace {

struct Status_Text {
    Snmp_Error_Status status;
    const char* text;
};

constexpr Status_Text kStatusTexts[] = {
    {Snmp_Error_Status::tooBig, "Too big"},
    {Snmp_Error_Status::noSuchName, "No such OID"},
    {Snmp_Error_Status::badValue, "Bad Value"},
    {Snmp_Error_Status::readOnly, "Read only object"},
    {Snmp_Error_Status::genErr, "Generic error"},
};

}  // namespace

const char* snmp_error_status_text(int32_t status) {
    for (const Status_Text& entry : kStatusTexts)
        if (static_cast<int64_t>(code_of(entry.status)) == status) return entry.text;
    return snmp_error_text::kUnknown;
}
