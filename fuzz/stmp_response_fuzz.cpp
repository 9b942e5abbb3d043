// The central role's STMP decoder against three kinds of request: a Get of
// sample objects from the NEMA node, the same from the root, and a Get of a
// defined dynamic object. Get, set and error responses of any shape leave
// by the codec's own exceptions only.
#include <cstdint>
#include <string>

#include "codec/dynamic_objects.h"
#include "codec/message_content.h"
#include "codec/stmf.h"
#include "codec/stmf_exception.h"
#include "dynobj/dyn_obj_table.h"
#include "tests/support/sample_tree.h"
#include "tree/iso_tree.h"

namespace {

struct Station {
    Sample_Tree sample;
    Dyn_Obj_Table table;
    Dyn_Obj_Table_Objects dynamic_objects{table};
    STMF stmf{sample.tree(), &dynamic_objects};

    Station() {
        table.initialize(sample.tree());
        const char* objects[] = {"demoByte.0", "demoTemperature.0", "demoName.0", "demoCounter.0", "demoAddress.0"};
        for (int k = 1; k <= 5; ++k) {
            const std::string row = "1." + std::to_string(k);
            sample.set("dynObjVariable." + row, ISO_Tree::dotted_oid(sample.tree().find_by_name(objects[k - 1])));
            sample.set("dynObjStatus." + row, "1");
        }
    }

    Message_Content request(int kind) {
        Request_Record record;
        record.protocol = "STMP";
        record.class_name = "Class B";
        record.community = "Orchid";
        record.get = kind != 3;
        record.set = kind == 3;
        if (kind == 2) {
            record.dynamic_object = 1;
            record.dyn_obj_number = 1;
        } else {
            record.objects = {{"demoByte.0", "", 2}, {"demoName.0", "", 4}, {"demoOctets.0", "", 4}};
        }
        auto hold = sample.tree().write_lock();
        Message_Content message;
        message.build_from_request(record, &dynamic_objects, sample.tree());
        if (kind == 0) message.set_object_encoding(0);
        return message;
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static Station station;
    const int kind = size > 0 ? data[0] % 4 : 0;
    const Message_Content asked = station.request(kind);
    const Bytes pdu(data + (size > 0 ? 1 : 0), data + size);
    std::string trace;
    try {
        station.stmf.decode(pdu, &asked, &trace, Role::central, nullptr, nullptr);
    } catch (const STMF_Exception&) {
    }
    return 0;
}
