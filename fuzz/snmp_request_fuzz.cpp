// The field role's SNMP request decoder: whatever a central system sends,
// the answer is worked out or refused with genErr, and nothing else leaves.
#include <cstdint>
#include <string>

#include "codec/stmf.h"
#include "codec/stmf_exception.h"
#include "field/field_device_settings.h"
#include "tests/support/sample_tree.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static Sample_Tree sample;
    ISO_Tree& tree = sample.tree();
    static const STMF stmf(tree, nullptr);
    static const Field_Device_Settings settings;
    const Bytes pdu(data, data + size);
    std::string trace;
    try {
        const STMF::Decoded decoded = stmf.decode(pdu, nullptr, &trace, role::kField, nullptr, &settings);
        if (decoded.answer && decoded.answer->kind != 0 && decoded.answer->error_status == 0) {
            // An answer without an error names an object for every binding.
            for (const auto& object : decoded.answer->record.objects)
                if (object.name.empty()) __builtin_trap();
        }
    } catch (const STMF_Exception&) {
        if (!pdu.empty()) __builtin_trap();  // only the empty message is refused outright
    }
    return 0;
}
