#include "field/answer_builder.h"

#include "codec/ber.h"
#include "codec/message_content.h"
#include "codec/stmf.h"
#include "tree/iso_tree.h"
#include "tree/oid.h"

namespace {

// The zero identifier 0.0, in tree form: what stands for an identifier that
// came too broken to repeat.
const Bytes kZeroIdentifier = {0x00, 0x00};

Object_List echoed_bindings(const Field_Answer& answer) {
    Object_List objects;
    objects.reserve(answer.bindings.size());
    for (const Received_Binding& binding : answer.bindings) {
        auto tree_form = tree_from_standard(binding.oid);
        Object_Entry entry = Object_Entry::unknown(tree_form ? std::move(*tree_form) : kZeroIdentifier);
        entry.syntax = binding.value_tag;
        entry.value = binding.value;
        objects.push_back(std::move(entry));
    }
    return objects;
}

}  // namespace

STMF_Message build_answer(const STMF& stmf, const Field_Answer& answer, std::string* trace) {
    Request_Record record = answer.record;
    // The answer to a Get-next is a Get response too, told apart by its type.
    record.get = record.get_next = record.set = record.type4 = 0;
    record.type5 = answer.kind == Answer_Kind::get_next ? 1 : 0;
    // With an error status the answer repeats the request's bindings as they
    // came (RFC 1157), objects the tree does not know included.
    const bool echo = answer.error_status != 0;
    if (echo) record.objects.clear();

    Message_Content message;
    {
        auto hold = stmf.tree().write_lock();
        message.build_from_request(record, stmf.dynamic_objects(), stmf.tree());
    }
    if (echo && !answer.refused && !answer.bindings.empty()) message.set_objects(echoed_bindings(answer));
    STMF_Message out;
    stmf.encode(out, message, trace, answer.error_status, answer.error_index);
    return out;
}

STMF_Message build_stmp_answer(const STMF& stmf, const Field_Answer& answer, const Message_Content& request,
                               std::string* trace) {
    const uint8_t nibble = answer.stmp_nibble;
    STMF_Message out;
    if (answer.error_status != 0) {
        Bytes pdu{static_cast<uint8_t>(message_type::kErrorResponse + nibble), static_cast<uint8_t>(answer.error_status)};
        const Bytes index = length_field(answer.error_index);
        pdu.insert(pdu.end(), index.begin(), index.end());
        out.store(std::move(pdu));
    } else if (answer.kind == Answer_Kind::set) {
        out.store(Bytes{static_cast<uint8_t>(message_type::kSetResponse + nibble)});
    } else {
        Message_Content message;
        message.set_encoding_style(style::kStmp);
        message.set_message_type(message_type::kGetResponse);
        message.set_object_encoding(nibble);
        Object_List objects;
        for (const Received_Binding& binding : answer.bindings) objects.push_back(Object_Entry::reference(binding.answered));
        message.set_objects(std::move(objects));
        message.set_list_kind(list_kind::kInstances);
        stmf.encode(out, message, nullptr);
    }
    // Explained as the central station decodes it; an identical value read
    // back into the same instance changes nothing.
    if (trace != nullptr) {
        trace->append("\n");
        stmf.decode(out.bytes(), &request, trace, Role::central, nullptr, nullptr);
    }
    return out;
}

const char* answer_label(Answer_Kind kind) {
    switch (kind) {
        case Answer_Kind::get:
        case Answer_Kind::set:
            return "GET RESPONSE";
        case Answer_Kind::get_next:
            return "GETNEXT RESPONSE";
        case Answer_Kind::none:
            break;
    }
    return "";
}

const char* stmp_answer_label(const Field_Answer& answer) {
    if (answer.error_status != 0) return "ERROR RESPONSE";
    return answer.kind == Answer_Kind::set ? "SET RESPONSE" : "GET RESPONSE";
}
