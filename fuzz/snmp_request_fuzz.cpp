// The field role's decoder: whatever a central system sends as an SNMP
// request, the answer is worked out or refused with genErr, and nothing else
// leaves; other messages leave by the codec's own exceptions only.
#include <cstdint>
#include <string>

#include "codec/stmf.h"
#include "codec/stmf_exception.h"
#include "field/carry_out.h"
#include "field/field_device_settings.h"
#include "tests/support/sample_tree.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static Sample_Tree sample;
    ISO_Tree& tree = sample.tree();
    static const STMF stmf(tree, nullptr);
    static const Field_Device_Settings settings;
    static const Carry_Out carry_out(settings);
    const Bytes pdu(data, data + size);
    std::string trace;
    try {
        const STMF::Decoded decoded = stmf.decode(pdu, nullptr, &trace, Role::field, nullptr, &carry_out);
        if (decoded.answer && decoded.answer->kind != Answer_Kind::none && decoded.answer->error_status == 0) {
            // An answer without an error names an object for every binding.
            for (const auto& object : decoded.answer->record.objects)
                if (object.name.empty()) __builtin_trap();
        }
    } catch (const STMF_Exception&) {
        // An SNMP request is never refused outright: it is answered.
        if (!pdu.empty() && pdu.front() == 0x30) __builtin_trap();
    }
    return 0;
}
