// The central role's SNMP response decoder, with validation against a Get of
// sample objects: whatever arrives, the codec's own exceptions are the only
// way out.
#include <cstdint>
#include <string>

#include "codec/error_state.h"
#include "codec/message_content.h"
#include "codec/stmf.h"
#include "codec/stmf_exception.h"
#include "tests/support/sample_tree.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static Sample_Tree sample;
    ISO_Tree& tree = sample.tree();
    static const STMF stmf(tree, nullptr);

    Request_Record record;
    record.protocol = "SNMP";
    record.class_name = "Class B";
    record.community = "Orchid";
    record.request_id = 1;
    record.address = 1;
    // The first input byte picks the kind of request the response answers.
    const uint8_t pick = size > 0 ? data[0] : 0;
    record.get = (pick & 3) == 0;
    record.get_next = (pick & 3) == 1;
    record.set = (pick & 3) == 2;
    record.objects = {{"demoByte.0", "7", 2}, {"demoName.0", "41", 4}, {"dynObjVariable.2.3", "", 6}};
    Message_Content request;
    {
        auto hold = tree.write_lock();
        request.build_from_request(record, nullptr, tree);
    }
    Error_State_List errors;
    errors.append(1, true);
    const Bytes pdu(data + (size > 0 ? 1 : 0), data + size);
    std::string trace;
    try {
        stmf.decode(pdu, &request, (pick & 4) ? &trace : nullptr, Role::central, &errors, nullptr);
    } catch (const STMF_Exception&) {
    }
    return 0;
}
